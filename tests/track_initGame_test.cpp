// Loading a run's track from its directory: models, display lists, loops, and what a second load restores.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "render/skiTraces.h"
#include "run/runState.h"
#include "skier/Generic3dObject.h"
#include "sound/gameSounds.h"
#include "support/modelTexts.h"
#include "support/planeTrack.h"
#include "support/soundRecorder.h"
#include "support/testFiles.h"
#include "support/trackFiles.h"
#include "track/collision.h"
#include "track/initGame.h"
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
        Zobjet = 0;
    }
    void TearDown() override { ASSERT_EQ(chdir(previousDir.c_str()), 0); }
};

TEST_F(TrackDirectory, LoadsTheTrackItsModelsAndTheRunLoops)
{
    SoundRecorder recorder;
    initAllSounds();
    size_t loops0 = recorder.named("play").size();
    skiTraces.add(new ThreeDPoint(0, 0, 0), new ThreeDPoint(1, 0, 0), 0);
    indiceDernierCollectable = 7;
    usingYRail = 1;

    ASSERT_EQ(initGame("plane"), trackLoadOk);
    EXPECT_STREQ(nomPiste, "Plane_Track");
    EXPECT_FLOAT_EQ(depart, 1500);
    EXPECT_EQ(classicBomb.listName, objList + 1);
    EXPECT_EQ(classicRail.listName, objList + 2);
    EXPECT_EQ(classicTree.listName, objList);
    EXPECT_STREQ(classicTree.nomFic, "./data/tracks/plane/tree.3d");
    EXPECT_STREQ(classicRail.nomFic, "./data/tracks/plane/rail.3d");
    EXPECT_EQ(classicBomb.nbMeshes, 1);
    auto plays = recorder.named("play");
    ASSERT_EQ(plays.size(), loops0 + 2);
    EXPECT_EQ(plays[loops0].name, recordedSampleName(skiLoopSnd));
    EXPECT_EQ(plays[loops0 + 1].name, recordedSampleName(windLoopSnd));
    EXPECT_EQ(skiTraces.count, 0);
    // the first sweep starts from the start line on the ground
    EXPECT_FLOAT_EQ(xPrecCol, 1500);
    EXPECT_NEAR(yPrecCol, planeTrackHeight(1500, 0), 0.5);
    EXPECT_EQ(indiceDernierCollectable, -1);
    EXPECT_EQ(usingYRail, 0);
    quitAllSounds();
}

TEST_F(TrackDirectory, ASecondLoadRestoresRaisedTerrainAndTakenFlags)
{
    ASSERT_EQ(initGame("plane"), trackLoadOk);
    std::vector<float> ground(&points[0][0], &points[0][0] + 3 * maxTrackVertices);
    // a kicker raised ahead of the rider and a collectable picked up (obstacle 1 lies at 4000, -1200)
    yTheoObjSettingFaceNumber(points, faces, 2000, 0, maxTrackFaces, 1);
    ASSERT_GE(addJumpTwdIntrack(points, faces, 0), 0);
    EXPECT_NE(0, memcmp(ground.data(), points, sizeof points));
    ASSERT_EQ(containerObstacles[1].type, obstacleCollectable);
    reinitCollisionSweep(3600, -300, -1200);
    Xobjet = 3900, Yobjet = -300, Zobjet = -1200;
    detectCollision();
    ASSERT_EQ(containerObstacles[1].taken, 1);

    Zobjet = 0;
    ASSERT_EQ(initGame("plane"), trackLoadOk);
    EXPECT_EQ(0, memcmp(ground.data(), points, sizeof points));
    EXPECT_EQ(containerObstacles[1].taken, 0);
    EXPECT_EQ(indiceDernierCollectable, -1);
}

TEST_F(TrackDirectory, RefusedTracksLeaveTheLoadedOneAlone)
{
    ASSERT_EQ(initGame("plane"), trackLoadOk);
    strcpy(nomPiste, "before");
    EXPECT_EQ(initGame("nowhere"), trackLoadCantOpen);
    EXPECT_EQ(initGame(std::string(2000, 'a').c_str()), trackLoadCantOpen);
    EXPECT_EQ(initGame(nullptr), trackLoadCantOpen);
    unlink((trackDir + "/rail.3d").c_str());
    EXPECT_EQ(initGame("plane"), trackLoadNoModel);
    writeText(trackDir + "/rail.3d", "");
    std::vector<unsigned char> cut = builder.binary();
    cut.resize(cut.size() / 3);
    writeBytes(trackDir + "/plane.btrk", cut);
    EXPECT_EQ(initGame("plane"), trackLoadCorrupt);
    EXPECT_STREQ(nomPiste, "before");
}

}  // namespace
