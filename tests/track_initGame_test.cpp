// Loading a run's track from its directory: models, display lists, loops, and what a second load restores.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "render/skiTraces.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "skier/Generic3dObject.h"
#include "sound/gameSounds.h"
#include "support/modelTexts.h"
#include "support/planeTrack.h"
#include "support/soundRecorder.h"
#include "support/testFiles.h"
#include "support/trackFiles.h"
#include "track/collision.h"
#include "shell/initGame.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

struct TrackDirectory : ::testing::Test {
    TempDir dir;
    std::string previousDir;
    std::string trackDir = dir.file("data/tracks/plane");
    TrackFileBuilder builder = planeTrackFileBuilder(1);

    void SetUp() override
    {
        storeByteOrder(0);
        char cwd[4096];
        ASSERT_TRUE(getcwd(cwd, sizeof cwd));
        previousDir = cwd;
        for (const char* d : {"data", "data/tracks", "data/tracks/plane"}) mkdir(dir.file(d).c_str(), 0755);
        writeBytes(trackDir + "/plane.btrk", builder.binary());
        std::string model = riderModelText({{0, 0, 0, 0}, {100, 0, 0, 0}, {0, 100, 0, 0}});
        for (const char* m : {"tree.3d", "bomb.3d", "rail.3d"}) writeText(trackDir + "/" + m, model);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        playerRun.motion.Zobjet = 0;
    }
    void TearDown() override { ASSERT_EQ(chdir(previousDir.c_str()), 0); }
};

TEST_F(TrackDirectory, LoadsTheTrackItsModelsAndTheRunLoops)
{
    const TrackModel& track = loadedTrack;
    SoundRecorder recorder;
    initAllSounds();
    size_t loops0 = recorder.named("play").size();
    skiTraces.add(new ThreeDPoint(0, 0, 0), new ThreeDPoint(1, 0, 0), 0);
    playerRun.rider.collision.indiceDernierCollectable = 7;
    playerRun.rider.collision.usingYRail = 1;

    ASSERT_EQ(initGame(loadedTrack, "plane"), trackLoadOk);
    EXPECT_STREQ(track.nomPiste, "Plane_Track");
    EXPECT_FLOAT_EQ(track.depart, 1500);
    EXPECT_EQ(classicTree.nbMeshes, 1);
    EXPECT_EQ(classicRail.nbMeshes, 1);
    EXPECT_STREQ(classicTree.nomFic, "./data/tracks/plane/tree.3d");
    EXPECT_STREQ(classicRail.nomFic, "./data/tracks/plane/rail.3d");
    EXPECT_EQ(classicBomb.nbMeshes, 1);
    auto plays = recorder.named("play");
    ASSERT_EQ(plays.size(), loops0 + 2);
    EXPECT_EQ(plays[loops0].name, recordedSampleName(gameSounds.skiLoopSnd));
    EXPECT_EQ(plays[loops0 + 1].name, recordedSampleName(gameSounds.windLoopSnd));
    EXPECT_EQ(skiTraces.count, 0);
    // the first sweep starts from the start line on the ground
    EXPECT_FLOAT_EQ(playerRun.rider.collision.xPrecCol, 1500);
    EXPECT_NEAR(playerRun.rider.collision.yPrecCol, planeTrackHeight(1500, 0), 0.5);
    EXPECT_EQ(playerRun.rider.collision.indiceDernierCollectable, -1);
    EXPECT_EQ(playerRun.rider.collision.usingYRail, 0);
    quitAllSounds();
}

TEST_F(TrackDirectory, ASecondRunRestoresRaisedTerrainAndTakenFlags)
{
    TrackModel& track = loadedTrack;
    ASSERT_EQ(initGame(loadedTrack, "plane"), trackLoadOk);
    std::vector<float> ground(&track.points[0][0], &track.points[0][0] + 3 * maxTrackVertices);
    // a kicker raised ahead of the rider and a collectable picked up (obstacle 1 lies at 4000, -1200)
    yTheoObjSettingFaceNumber(playerRun.rider.ground, track.points, track.faces, 2000, 0, maxTrackFaces, 1);
    ASSERT_GE(addJumpTwdIntrack(playerRun.rider.ground, track, 0), 0);
    EXPECT_NE(0, memcmp(ground.data(), track.points, sizeof track.points));
    ASSERT_EQ(track.containerObstacles[1].type, obstacleCollectable);
    reinitCollisionSweep(playerRun, 3600, -300, -1200);
    playerRun.motion.Xobjet = 3900, playerRun.motion.Yobjet = -300, playerRun.motion.Zobjet = -1200;
    detectCollision(playerRun, loadedTrack);
    ASSERT_EQ(playerRun.rider.collision.taken[1], 1);

    // as the game loop starts the next run: the run reset, then the track loaded again
    reinitGameVar(playerRun, loadedTrack);
    ASSERT_EQ(initGame(loadedTrack, "plane"), trackLoadOk);
    EXPECT_EQ(0, memcmp(ground.data(), track.points, sizeof track.points));
    EXPECT_EQ(playerRun.rider.collision.taken[1], 0);
    EXPECT_EQ(playerRun.rider.collision.indiceDernierCollectable, -1);
}

TEST_F(TrackDirectory, RefusedTracksLeaveTheLoadedOneAlone)
{
    TrackModel& track = loadedTrack;
    ASSERT_EQ(initGame(loadedTrack, "plane"), trackLoadOk);
    strcpy(track.nomPiste, "before");
    EXPECT_EQ(initGame(loadedTrack, "nowhere"), trackLoadCantOpen);
    EXPECT_EQ(initGame(loadedTrack, std::string(2000, 'a').c_str()), trackLoadCantOpen);
    EXPECT_EQ(initGame(loadedTrack, nullptr), trackLoadCantOpen);
    unlink((trackDir + "/rail.3d").c_str());
    EXPECT_EQ(initGame(loadedTrack, "plane"), trackLoadNoModel);
    writeText(trackDir + "/rail.3d", "");
    std::vector<unsigned char> cut = builder.binary();
    cut.resize(cut.size() / 3);
    writeBytes(trackDir + "/plane.btrk", cut);
    EXPECT_EQ(initGame(loadedTrack, "plane"), trackLoadCorrupt);
    EXPECT_STREQ(track.nomPiste, "before");
}

// The section holding the start and finish lines (1500 and 330000 in the plane track).
void setStartAndFinish(TrackFileBuilder& b, float start, float finish)
{
    for (auto& section : b.sections)
        if (section.size() == 2 && section[0].isFloat && section[0].f == 1500.0f && section[1].f == 330000.0f) {
            section[0].f = start;
            section[1].f = finish;
            return;
        }
    FAIL() << "no start and finish section";
}

TEST_F(TrackDirectory, TracksThatCannotMakeARunAreRefusedAndSaid)
{
    TrackModel& track = loadedTrack;
    ASSERT_EQ(initGame(loadedTrack, "plane"), trackLoadOk);
    EXPECT_STREQ(trackRefusal, "");
    strcpy(track.nomPiste, "before");
    // A file of zeros reads as a track with nothing in it.
    writeBytes(trackDir + "/plane.btrk", std::vector<unsigned char>(1000, 0));
    EXPECT_EQ(initGame(loadedTrack, "plane"), trackLoadNoRun);
    EXPECT_STREQ(trackRefusal, "Track file plane.btrk cannot be ridden: it has no faces");
    struct Lines {
        float start, finish;
        const char* said;
    };
    for (Lines l : {Lines{330000, 1500, "its finish is not after its start"}, Lines{1500, 1500, "not after"},
                    Lines{-5, 1500, "off the grid"}, Lines{1500, 400000, "off the grid"}}) {
        TrackFileBuilder b = planeTrackFileBuilder(1);
        setStartAndFinish(b, l.start, l.finish);
        writeBytes(trackDir + "/plane.btrk", b.binary());
        EXPECT_EQ(initGame(loadedTrack, "plane"), trackLoadNoRun) << l.start << " " << l.finish;
        EXPECT_NE(std::string(trackRefusal).find(l.said), std::string::npos) << trackRefusal;
    }
    EXPECT_STREQ(track.nomPiste, "before");
    // An entry of the track list that is a plain file.
    writeText(dir.file("data/tracks/notes"), "not a track");
    EXPECT_EQ(initGame(loadedTrack, "notes"), trackLoadCantOpen);
    EXPECT_EQ(std::string(trackRefusal), std::string("Can't open the track file notes.btrk (") + strerror(ENOTDIR) + ")");
}

}  // namespace
