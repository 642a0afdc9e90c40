#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "run/bestRun.h"
#include "fileio/gameFolders.h"
#include "screens/choixPiste.h"
#include "screens/menuScreens.h"
#include "screens/score.h"
#include "shell/systemPortUtils.h"
#include "shell/trackBuilds.h"
#include "support/testFiles.h"
#include "track/seededTracks.h"

static bool exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

static void makeTrack(const std::string& tracks, const std::string& name)
{
    mkdir(tracks.c_str(), 0755);
    mkdir((tracks + "/" + name).c_str(), 0755);
    writeText(tracks + "/" + name + "/" + name + ".btrk", "track");
}

static std::string dayDir(int day) { return "seed" + daySeed(day); }

TEST(DayTracksPruned, UnscoredDaysPastTheNewestGoAndNothingElseIsTouched)
{
    TempDir player;
    std::string tracks = player.file("tracks");
    for (int d = 1; d <= 31; d++) makeTrack(tracks, dayDir(20261200 + d));
    for (int d = 25; d <= 30; d++) makeTrack(tracks, dayDir(20261100 + d));
    writeText(tracks + "/" + dayDir(20261126) + "/" + SCORE_FILE, "a top ten");
    writeText(tracks + "/" + dayDir(20261128) + "/" + BEST_RUN_FILE, "a best run");
    makeTrack(tracks, "meadow");
    makeTrack(tracks, "seedpowder");
    writeText(tracks + "/seed20200101", "a plain file named like a day is no day's track");
    mkdir(player.file("elsewhere").c_str(), 0755);
    writeText(player.file("elsewhere/keep"), "");
    ASSERT_EQ(symlink(player.file("elsewhere").c_str(), (tracks + "/seed20200102").c_str()), 0);

    EXPECT_EQ(pruneDayTracks(tracks, DAY_TRACKS_KEPT), 5); // Nov 25, 27, 29, 30 and Dec 1
    for (int d : {20261125, 20261127, 20261129, 20261130, 20261201}) EXPECT_FALSE(exists(tracks + "/" + dayDir(d))) << d;
    for (int d : {20261126, 20261128, 20261202, 20261231}) EXPECT_TRUE(exists(tracks + "/" + dayDir(d))) << d;
    EXPECT_TRUE(exists(tracks + "/meadow/meadow.btrk"));
    EXPECT_TRUE(exists(tracks + "/seedpowder/seedpowder.btrk"));
    EXPECT_TRUE(exists(tracks + "/seed20200101"));
    EXPECT_TRUE(exists(player.file("elsewhere/keep")));
    EXPECT_TRUE(exists(tracks + "/seed20200102"));
    EXPECT_EQ(pruneDayTracks(tracks, DAY_TRACKS_KEPT), 0);
    EXPECT_EQ(pruneDayTracks(player.file("missing"), DAY_TRACKS_KEPT), 0);
}

// An installed game: the shipped tracks in the data folder, the seeded ones in the player's.
struct InstalledFolders {
    TempDir data, player, program;
    InstalledFolders()
    {
        writeText(data.file(GENERATED_LIST_FILE), "");
        for (const char* name : {"meadow", "alpine"}) makeTrack(data.file("tracks"), name);
        useGameFolders(GameFolders{data.path(), player.path(), player.file("screenshots"), true, "", program.path()});
    }
    ~InstalledFolders() { resetGameFolders(); }
    // A stand-in content tool: a shell script with this body, beside the program in tools/.
    void tool(const std::string& body)
    {
        mkdir(program.file("tools").c_str(), 0755);
        std::string path = program.file("tools/kescontent");
        writeText(path, "#!/bin/sh\n" + body + "\n");
        chmod(path.c_str(), 0755);
    }
};

TEST(SeededTrackList, TheDataTracksComeFirstThenThePlayersDaysNewestFirstAndTheirFilesAreThePlayers)
{
    InstalledFolders f;
    for (std::string dir : {dayDir(20261208), std::string("seedpowder"), dayDir(20261210)})
        makeTrack(f.player.file("tracks"), dir);
    mkdir(f.player.file("tracks/seed20261209").c_str(), 0755); // scores left, no track file: not listed
    chargeNomPistes();
    ASSERT_EQ(gameLists.nbTotalPistes, 5);
    EXPECT_STREQ(gameLists.listePistes[0], "alpine");
    EXPECT_STREQ(gameLists.listePistes[1], "meadow");
    EXPECT_STREQ(gameLists.listePistes[2], "seed20261210");
    EXPECT_STREQ(gameLists.listePistes[3], "seed20261208");
    EXPECT_STREQ(gameLists.listePistes[4], "seedpowder");
    EXPECT_EQ(gameLists.nbPistesLeftOut, 0);
    EXPECT_EQ(trackPath("seedpowder", "texObj/front.bmp"), f.player.file("tracks/seedpowder/texObj/front.bmp"));
    EXPECT_EQ(trackPath("meadow", "meadow.btrk"), f.data.file("tracks/meadow/meadow.btrk"));

    for (int d = 1; d <= 31; d++) makeTrack(f.player.file("tracks"), dayDir(20261000 + d));
    for (int d = 1; d <= 30; d++) makeTrack(f.player.file("tracks"), dayDir(20261100 + d));
    chargeNomPistes();
    EXPECT_EQ(gameLists.nbTotalPistes, MAX_LIST_NAMES);
    EXPECT_STREQ(gameLists.listePistes[0], "alpine");
    EXPECT_STREQ(gameLists.listePistes[2], "seed20261210");
    EXPECT_EQ(gameLists.nbPistesLeftOut, 2 + 64 - MAX_LIST_NAMES);
    EXPECT_STREQ(gameLists.listePistes[MAX_LIST_NAMES - 1], "seed20261016");
    EXPECT_STREQ(trackListNote(), (std::to_string(gameLists.nbPistesLeftOut) + " tracks left out: the list holds 50").c_str());
    EXPECT_TRUE(exists(f.player.file("tracks/seedpowder/seedpowder.btrk"))); // left out, not lost
    homeNote[0] = '\0';
}

// Runs the build to its end as the game loop would, a poll a frame.
static void pollUntilBuilt()
{
    for (int i = 0; i < 500 && trackBuildRunning(); i++) {
        pollTrackBuilds();
        usleep(10000);
    }
    ASSERT_FALSE(trackBuildRunning());
}

TEST(SeededTrackBuild, AToolThatFailsOrLeavesNoTrackIsToldAndLeavesNothingBehind)
{
    InstalledFolders f;
    EXPECT_EQ(startSeedBuild("powder", true), 1); // no tool yet
    EXPECT_STREQ(trackBuildLine(), "Can't build the track of seed powder: no kescontent beside the game");
    EXPECT_EQ(startSeedBuild("not a seed", true), 1);
    EXPECT_STREQ(trackBuildLine(), "A seed is 1 to 12 letters or digits");

    f.tool("echo 'No space left on device' >&2; exit 1");
    ASSERT_EQ(startSeedBuild("20261210", false), 0);
    EXPECT_STREQ(trackBuildLine(), "Building the track of the day...");
    pollUntilBuilt();
    EXPECT_STREQ(trackBuildLine(), "Can't build the track of the day: kescontent failed (status 1; a full disk?)");
    EXPECT_FALSE(exists(f.player.file("tracks/seed20261210")));
    EXPECT_FALSE(exists(f.player.file(".trackbuild")));

    f.tool("mkdir -p \"$3/tracks/seed$2\"; echo half > \"$3/tracks/seed$2/seed$2.btrk\"");
    ASSERT_EQ(startSeedBuild("powder", true), 0);
    pollUntilBuilt();
    EXPECT_STREQ(trackBuildLine(), "Can't build the track of seed powder: the content tool left no whole track");
    EXPECT_FALSE(exists(f.player.file("tracks/seedpowder")));
}

TEST(SeededTrackBuild, AFinishedTrackMovesIntoThePlayersTracksAndATypedOneIsHighlighted)
{
    InstalledFolders f;
    f.tool("[ \"$1\" = --seeded-track ] || exit 3\nd=\"$3/tracks/seed$2\"; mkdir -p \"$d/texObj\"\n"
           "echo t > \"$d/seed$2.btrk\"; echo p > \"$d/texObj/front.bmp\"");
    chargeNomPistes();
    ASSERT_EQ(startSeedBuild("powder", true), 0);
    EXPECT_TRUE(trackBuildRunning());
    EXPECT_EQ(startSeedBuild("other", true), 1); // one build at a time
    EXPECT_STREQ(trackBuildLine(), "Wait: the track of seed powder is being built");
    pollUntilBuilt();
    EXPECT_STREQ(trackBuildLine(), "");
    EXPECT_TRUE(exists(f.player.file("tracks/seedpowder/seedpowder.btrk")));
    EXPECT_FALSE(exists(f.player.file(".trackbuild")));
    EXPECT_FALSE(exists(f.data.file("tracks/seedpowder")));
    ASSERT_EQ(gameLists.nbTotalPistes, 3);
    EXPECT_STREQ(gameLists.listePistes[2], "seedpowder");
    EXPECT_EQ(getSelectedTrack(), 2);
    // Already there: nothing is built again, it is only highlighted.
    selectTrackNamed("meadow");
    EXPECT_EQ(startSeedBuild("POWDER", true), 0);
    EXPECT_FALSE(trackBuildRunning());
    EXPECT_EQ(getSelectedTrack(), 2);
}
