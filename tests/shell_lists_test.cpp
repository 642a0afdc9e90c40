#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "platform/gameFolders.h"
#include "shell/systemPortUtils.h"
#include "support/testFiles.h"

TEST(ContentLists, HiddenEntriesAreSkippedNamesSortedAndCappedAtFifty)
{
    TempDir dir;
    mkdir(dir.file("zeta").c_str(), 0755);
    mkdir(dir.file("alpha").c_str(), 0755);
    mkdir(dir.file(".hidden").c_str(), 0755);
    writeText(dir.file("readme"), "plain files are listed too");
    static char list[MAX_LIST_NAMES][LIST_NAME_CHARS];
    ASSERT_EQ(ListDirContents(list, dir.path().c_str()), 3);
    EXPECT_STREQ(list[0], "alpha");
    EXPECT_STREQ(list[1], "readme");
    EXPECT_STREQ(list[2], "zeta");
    EXPECT_EQ(ListDirContents(nullptr, dir.path().c_str()), 3);
    EXPECT_EQ(ListDirContents(list, dir.file("missing").c_str()), -1);

    TempDir many;
    for (int i = 0; i < 70; i++) writeText(many.file("m" + std::to_string(100 + i)), "");
    EXPECT_EQ(ListDirContents(list, many.path().c_str()), MAX_LIST_NAMES);
    EXPECT_STREQ(list[49], "m149");
}

// A track folder's own files are "<name>.btrk" and "<name>.desc": a name past 250 bytes can never be read.
TEST(ContentLists, TrackFolderNamesThatCannotFitAreNotListed)
{
    TempDir dir;
    mkdir(dir.file("tracks").c_str(), 0755);
    for (int n : {250, 251, 255}) mkdir(dir.file("tracks/" + std::string(n, 'a' + n % 26)).c_str(), 0755);
    writeText(dir.file("tracks/" + std::string(250, 'q') + "/" + std::string(250, 'q') + ".btrk"), "");
    mkdir(dir.file("tracks/meadow").c_str(), 0755);
    writeText(dir.file("tracks/meadow/meadow.btrk"), "");
    useGameFolders({dir.path(), dir.path(), dir.file("shots"), false});
    testing::internal::CaptureStdout();
    chargeNomPistes();
    std::string said = testing::internal::GetCapturedStdout();
    resetGameFolders();
    ASSERT_EQ(nbTotalPistes, 2);
    EXPECT_STREQ(listePistes[0], "meadow");
    EXPECT_EQ(strlen(listePistes[1]), 250u);
    EXPECT_NE(said.find("has 251 bytes, at most 250"), std::string::npos) << said;
    EXPECT_NE(said.find("has 255 bytes"), std::string::npos) << said;
}

TEST(ContentLists, RandomMusicComesFromTheListAndNoneWhenEmpty)
{
    nbTotalBgMusics = 3;
    strcpy(listeBgMusics[0], "a.ogg");
    strcpy(listeBgMusics[1], "b.ogg");
    strcpy(listeBgMusics[2], "c.ogg");
    std::set<std::string> seen;
    char out[256];
    srand(7);
    for (int i = 0; i < 60; i++) {
        chooseRandomBgMusic(out);
        seen.insert(out);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"./data/bgmusics/a.ogg", "./data/bgmusics/b.ogg", "./data/bgmusics/c.ogg"}));
    nbTotalBgMusics = 0;
    chooseRandomBgMusic(out);
    EXPECT_STREQ(out, "");
    nbTotalBgMusics = -1;
    chooseRandomBgMusic(out);
    EXPECT_STREQ(out, "");
    for (int i = 0; i < 20; i++) {
        int r = rollem(4);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 4);
    }
}

TEST(ContentLists, ColonPathsBecomeRelativePaths)
{
    char* p = convertToSystemPath(":data:models:tolvek:skin.bmp");
    EXPECT_STREQ(p, "./data/models/tolvek/skin.bmp");
    free(p);
    p = convertToSystemPath("");
    EXPECT_STREQ(p, ".");
    free(p);
}
