#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "render/screenshot.h"
#include "fileio/gameFolders.h"
#include "shell/prefs.h"
#include "shell/systemPortUtils.h"
#include "support/testFiles.h"

// A scratch root holding, as asked, a checkout's data, an installed tree and a home.
class GameFoldersTest : public ::testing::Test {
protected:
    TempDir root;
    void TearDown() override { resetGameFolders(); }

    std::string makeData(const std::string& folder)
    {
        makeParentFolders(root.file(folder + "/" + DATA_MARKER_FILE));
        writeText(root.file(folder + "/" + DATA_MARKER_FILE), "BM");
        return root.file(folder);
    }
    FolderSearch search(const std::string& work, const std::string& exe, const std::string& xdg = "")
    {
        return FolderSearch{root.file(work), exe.empty() ? "" : root.file(exe), xdg, root.file("home")};
    }
    GameFolders installedTree()
    {
        makeData("usr/share/games/kestrune");
        GameFolders f;
        std::string why;
        EXPECT_TRUE(findGameFolders(search("elsewhere", "usr/games/kestrune"), f, why)) << why;
        return f;
    }
};

TEST_F(GameFoldersTest, TheCurrentFoldersDataWinsAndKeepsThePlayersFilesInIt)
{
    std::string here = makeData("work/data");
    makeData("usr/share/games/kestrune");
    GameFolders f;
    std::string why;
    ASSERT_TRUE(findGameFolders(search("work", "usr/games/kestrune"), f, why));
    EXPECT_EQ(f.data, here);
    EXPECT_EQ(f.player, here);
    EXPECT_EQ(f.screenshots, "screenshots");
    EXPECT_EQ(f.videos, "videos");
    EXPECT_FALSE(f.installed);
}

TEST_F(GameFoldersTest, InstalledDataIsFoundFromTheProgramAndThePlayerWritesUnderXdgDataHome)
{
    GameFolders f = installedTree();
    EXPECT_EQ(f.data, root.file("usr/share/games/kestrune"));
    EXPECT_EQ(f.player, root.file("home/.local/share/kestrune"));
    EXPECT_EQ(f.screenshots, root.file("home/.local/share/kestrune/screenshots"));
    EXPECT_EQ(f.videos, root.file("home/.local/share/kestrune/videos"));
    EXPECT_TRUE(f.installed);

    std::string why;
    ASSERT_TRUE(findGameFolders(search("elsewhere", "usr/games/kestrune", root.file("xdg")), f, why));
    EXPECT_EQ(f.player, root.file("xdg/kestrune"));
    // A relative $XDG_DATA_HOME is not a place: the default under $HOME holds.
    ASSERT_TRUE(findGameFolders(search("elsewhere", "usr/games/kestrune", "xdg"), f, why));
    EXPECT_EQ(f.player, root.file("home/.local/share/kestrune"));
}

TEST_F(GameFoldersTest, ABuildFoldersProgramFindsItsCheckoutsDataFromAnywhere)
{
    std::string checkout = makeData("checkout/data");
    GameFolders f;
    std::string why;
    ASSERT_TRUE(findGameFolders(search("elsewhere", "checkout/build/kestrune"), f, why)) << why;
    EXPECT_EQ(f.data, checkout);
    EXPECT_EQ(f.player, checkout);
    EXPECT_FALSE(f.installed);
}

TEST_F(GameFoldersTest, NoDataNamesEveryPlaceLookedAtAndAFolderWithoutTheDataIsNotTaken)
{
    mkdir(root.file("work").c_str(), 0755);
    mkdir(root.file("work/data").c_str(), 0755); // someone's unrelated "data" folder
    GameFolders f;
    std::string why;
    EXPECT_FALSE(findGameFolders(search("work", "opt/kes/bin/kestrune"), f, why));
    EXPECT_NE(why.find(DATA_MARKER_FILE), std::string::npos) << why;
    EXPECT_NE(why.find(root.file("work/data")), std::string::npos) << why;
    EXPECT_NE(why.find(root.file("opt/kes/share/games/kestrune")), std::string::npos) << why;
    EXPECT_NE(why.find(root.file("opt/kes/data")), std::string::npos) << why;
}

TEST_F(GameFoldersTest, ThePlayersFileWinsOverTheShippedDefaultWhichIsNeverWritten)
{
    GameFolders f = installedTree();
    useGameFolders(f);
    makeParentFolders(dataPath(KEYS_MAP_FILE));
    writeText(dataPath(KEYS_MAP_FILE), "shipped");
    EXPECT_EQ(playerReadPath(KEYS_MAP_FILE), dataPath(KEYS_MAP_FILE));

    std::string own = playerWritePath(KEYS_MAP_FILE);
    EXPECT_EQ(own, f.player + "/" + KEYS_MAP_FILE);
    writeText(own, "mine"); // the folders on the way were made by playerWritePath
    EXPECT_EQ(playerReadPath(KEYS_MAP_FILE), own);
    std::vector<unsigned char> shipped = readBytes(dataPath(KEYS_MAP_FILE));
    EXPECT_EQ(std::string(shipped.begin(), shipped.end()), "shipped");
}

TEST_F(GameFoldersTest, PreferencesScoresAndScreenshotsOfAnInstalledGameGoToThePlayersFolder)
{
    GameFolders f = installedTree();
    useGameFolders(f);
    ASSERT_EQ(savePrefsFile(playerWritePath(USER_PREFS_FILE).c_str()), 0);
    struct stat st;
    EXPECT_EQ(stat((f.player + "/prefs/user.prefs").c_str(), &st), 0);
    EXPECT_NE(stat(dataPath(USER_PREFS_FILE).c_str(), &st), 0);

    EXPECT_EQ(playerWritePath(trackFile("meadow", "top.sc")), f.player + "/tracks/meadow/top.sc");
    EXPECT_EQ(stat((f.player + "/tracks/meadow").c_str(), &st), 0);

    char name[4096];
    findPossibleScrShotFileName(name, sizeof name);
    EXPECT_EQ(std::string(name), f.player + "/screenshots/screenshot0.tga");
    std::vector<unsigned char> rgb(4 * 4 * 3, 0);
    EXPECT_EQ(writeTgaFile(name, rgb.data(), 4, 4), 1);
}

TEST_F(GameFoldersTest, ModelTexturesAndContentListsFollowTheDataFolder)
{
    GameFolders f = installedTree();
    useGameFolders(f);
    char* p = convertToSystemPath(":data:models:tolvek:skin.bmp");
    EXPECT_EQ(std::string(p), f.data + "/models/tolvek/skin.bmp");
    free(p);
    makeParentFolders(dataPath(trackFile("meadow", "x")));
    writeText(dataPath(trackFile("meadow", "meadow.btrk")), "");
    makeParentFolders(dataPath(trackFile("scoresOnly", "x")));
    writeText(dataPath(trackFile("scoresOnly", "top.sc")), "");
    chargeNomPistes();
    EXPECT_EQ(gameLists.nbTotalPistes, 1);
    EXPECT_STREQ(gameLists.listePistes[0], "meadow");
}

TEST_F(GameFoldersTest, AnInstalledGameWithoutAHomeHasNowhereToWrite)
{
    makeData("usr/share/games/kestrune");
    FolderSearch s{root.file("elsewhere"), root.file("usr/games/kestrune"), "", ""};
    GameFolders f;
    std::string why;
    ASSERT_TRUE(findGameFolders(s, f, why));
    useGameFolders(f);
    EXPECT_EQ(playerWritePath(USER_PREFS_FILE), "");
    EXPECT_EQ(savePrefsFile(playerWritePath(USER_PREFS_FILE).c_str()), 1);
    EXPECT_EQ(playerReadPath(USER_PREFS_FILE), dataPath(USER_PREFS_FILE));
}

TEST_F(GameFoldersTest, OnlyARegularFileIsAFile)
{
    std::string data = makeData("work/data");
    EXPECT_TRUE(isRegularFile(data + "/" + DATA_MARKER_FILE));
    EXPECT_FALSE(isRegularFile(data));
    EXPECT_FALSE(isRegularFile(data + "/missing"));
    ASSERT_EQ(0, symlink((data + "/" + DATA_MARKER_FILE).c_str(), root.file("toMarker").c_str()));
    ASSERT_EQ(0, symlink(root.file("nowhere").c_str(), root.file("dangling").c_str()));
    EXPECT_TRUE(isRegularFile(root.file("toMarker")));  // a link is followed, as for the data marker
    EXPECT_FALSE(isRegularFile(root.file("dangling")));
}
