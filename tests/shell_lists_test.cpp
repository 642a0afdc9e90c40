#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "fileio/gameFolders.h"
#include "screens/menuScreens.h"
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
    ASSERT_EQ(gameLists.nbTotalPistes, 2);
    EXPECT_STREQ(gameLists.listePistes[0], "meadow");
    EXPECT_EQ(strlen(gameLists.listePistes[1]), 250u);
    EXPECT_NE(said.find("has 251 bytes, at most 250"), std::string::npos) << said;
    EXPECT_NE(said.find("has 255 bytes"), std::string::npos) << said;
}

TEST(ContentLists, RandomMusicComesFromTheListAndNoneWhenEmpty)
{
    gameLists.nbTotalBgMusics = 3;
    strcpy(gameLists.listeBgMusics[0], "a.ogg");
    strcpy(gameLists.listeBgMusics[1], "b.ogg");
    strcpy(gameLists.listeBgMusics[2], "c.ogg");
    std::set<std::string> seen;
    char out[256];
    srand(7);
    for (int i = 0; i < 60; i++) {
        chooseRandomBgMusic(out);
        seen.insert(out);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"./data/bgmusics/a.ogg", "./data/bgmusics/b.ogg", "./data/bgmusics/c.ogg"}));
    gameLists.nbTotalBgMusics = 0;
    chooseRandomBgMusic(out);
    EXPECT_STREQ(out, "");
    gameLists.nbTotalBgMusics = -1;
    chooseRandomBgMusic(out);
    EXPECT_STREQ(out, "");
    for (int i = 0; i < 20; i++) {
        int r = rollem(4);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 4);
    }
}

// A track's own tune plays when it names a listed music; a missing choice, or one naming a tune that is
// not there, leaves the random one.
TEST(ContentLists, ATrackIsRiddenToItsOwnTuneWhenItIsListed)
{
    TempDir dir;
    mkdir(dir.file("tracks").c_str(), 0755);
    for (const char* t : {"chosen", "unlisted", "none"}) mkdir(dir.file(std::string("tracks/") + t).c_str(), 0755);
    writeText(dir.file("tracks/chosen/chosen.music"), "b.flac\n");
    writeText(dir.file("tracks/unlisted/unlisted.music"), "gone.flac\n");
    useGameFolders({dir.path(), dir.path(), dir.file("shots"), false});
    gameLists.nbTotalBgMusics = 3;
    strcpy(gameLists.listeBgMusics[0], "a.flac");
    strcpy(gameLists.listeBgMusics[1], "b.flac");
    strcpy(gameLists.listeBgMusics[2], "c.flac");
    char out[256];
    srand(3);
    std::set<std::string> chosen, others;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 40; i++) {
        chooseTrackBgMusic("chosen", out);
        chosen.insert(out);
        chooseTrackBgMusic(i % 2 ? "unlisted" : "none", out);
        others.insert(out);
    }
    gameLists.nbTotalBgMusics = 0;
    chooseTrackBgMusic("chosen", out);
    EXPECT_STREQ(out, "");
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(chosen, (std::set<std::string>{dir.file("bgmusics/b.flac")}));
    EXPECT_EQ(others.size(), 3u);
    EXPECT_NE(said.find("unlisted: its music gone.flac is not in bgmusics"), std::string::npos) << said;
    EXPECT_EQ(said.find("none"), std::string::npos) << said;
    resetGameFolders();
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

// Folders that hold nothing are dropped before the list is counted: fifty of them hide no real track.
// Past the capacity the shipped entries (named in the data's list of generated files) stay, and the home
// menu says how many were left out.
TEST(ContentLists, OnlyRealEntriesAreCountedAndShippedOnesStayPastTheCapacity)
{
    TempDir dir;
    auto track = [&](const std::string& name) {
        mkdir(dir.file("tracks/" + name).c_str(), 0755);
        writeText(dir.file("tracks/" + name + "/" + name + ".btrk"), "");
    };
    mkdir(dir.file("tracks").c_str(), 0755);
    for (int i = 0; i < 50; i++) mkdir(dir.file("tracks/a" + std::to_string(10 + i)).c_str(), 0755);
    for (const char* name : {"meadow", "zulu"}) track(name);
    mkfifo(dir.file("tracks/a10/a10.btrk").c_str(), 0644); // a pipe is no track, and is not opened
    mkdir(dir.file("models").c_str(), 0755);
    mkdir(dir.file("models/tolvek").c_str(), 0755);
    writeText(dir.file("models/tolvek/tolvek.3d"), "");
    writeText(dir.file("models/tolvek/tolvek.car"), "");
    mkdir(dir.file("models/nocard").c_str(), 0755);
    writeText(dir.file("models/nocard/nocard.3d"), "");
    useGameFolders({dir.path(), dir.path(), dir.file("shots"), false});
    homeNote[0] = '\0';
    chargeNomPistes();
    chargeNomSkiers();
    ASSERT_EQ(gameLists.nbTotalPistes, 2);
    EXPECT_STREQ(gameLists.listePistes[0], "meadow");
    EXPECT_STREQ(gameLists.listePistes[1], "zulu");
    ASSERT_EQ(gameLists.nbTotalSkiers, 1);
    EXPECT_STREQ(gameLists.listeSkiers[0], "tolvek");
    EXPECT_STREQ(homeNote, "");

    for (int i = 0; i < 60; i++) track("p" + std::to_string(10 + i)); // the player's, sorted before "zulu"
    writeText(dir.file(GENERATED_LIST_FILE), "tracks/meadow/meadow.btrk\ntracks/zulu/zulu.btrk\ngui/logo.bmp\n");
    testing::internal::CaptureStdout();
    chargeNomPistes();
    testing::internal::GetCapturedStdout();
    resetGameFolders();
    ASSERT_EQ(gameLists.nbTotalPistes, MAX_LIST_NAMES);
    EXPECT_STREQ(gameLists.listePistes[0], "meadow");
    EXPECT_STREQ(gameLists.listePistes[1], "p10");
    EXPECT_STREQ(gameLists.listePistes[MAX_LIST_NAMES - 1], "zulu");
    EXPECT_STREQ(homeNote, "12 tracks left out: the list holds 50");
    homeNote[0] = '\0';
}
