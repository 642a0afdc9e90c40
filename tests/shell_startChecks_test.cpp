// The data folder is checked before any window opens.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <string>

#include "shell/startChecks.h"
#include "support/testFiles.h"

namespace {

void makeFile(const TempDir& dir, const std::string& name)
{
    std::string path = dir.path();
    for (size_t at = name.find('/'); at != std::string::npos; at = name.find('/', at + 1))
        mkdir((path + "/" + name.substr(0, at)).c_str(), 0755);
    writeText(path + "/" + name, "x");
}

TEST(StartChecks, TheDataFolderMustHoldTheStartUpFiles)
{
    TempDir dir;
    char why[START_WHY_CHARS] = "";
    std::string data = dir.file("data");
    EXPECT_FALSE(checkDataFolder(data.c_str(), why));
    EXPECT_NE(std::string(why).find("no game data folder " + data), std::string::npos) << why;

    const char* files[] = {"data/gui/Font.bmp", "data/gui/Font2.bmp", "data/gui/home.bmp", "data/gui/menus.bmp",
                           "data/models/tolvek/tolvek.3d", "data/models/tolvek/tolvek.car", "data/positions/0"};
    for (const char* f : files) makeFile(dir, f);
    EXPECT_FALSE(checkDataFolder(data.c_str(), why));
    EXPECT_NE(std::string(why).find(data + "/tracks is missing"), std::string::npos) << why;
    mkdir(dir.file("data/tracks").c_str(), 0755);
    EXPECT_TRUE(checkDataFolder(data.c_str(), why));
    unlink(dir.file("data/models/tolvek/tolvek.3d").c_str());
    EXPECT_FALSE(checkDataFolder(data.c_str(), why));
    EXPECT_NE(std::string(why).find("tolvek.3d is missing"), std::string::npos) << why;
    EXPECT_EQ(std::string(why).find('\n'), std::string::npos);
}

TEST(StartChecks, NoDisplayIsSaidNotCrashedInto)
{
    char why[START_WHY_CHARS] = "";
    const char* old = getenv("DISPLAY");
    std::string saved = old ? old : "";
    unsetenv("DISPLAY");
    EXPECT_FALSE(checkDisplay(why));
    EXPECT_STREQ(why, "Kestrune cannot start: no display (DISPLAY is not set)");
    setenv("DISPLAY", ":4999", 1);
    EXPECT_FALSE(checkDisplay(why));
    EXPECT_NE(std::string(why).find("\":4999\" cannot be opened"), std::string::npos) << why;
    if (old) setenv("DISPLAY", saved.c_str(), 1);
    else unsetenv("DISPLAY");
}

} // namespace
