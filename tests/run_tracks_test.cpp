// The autopilot rides every generated track straight down, pushing.
#include "content.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "screens/nameEntry.h"
#include "support/autopilot.h"
#include "support/recipes.h"
#include "support/testFiles.h"
#include "track/bombstuff.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

struct RunTracks : ::testing::Test {
    static TempDir* data;
    static void SetUpTestSuite()
    {
        storeByteOrder(0);
        data = new TempDir();
        mkdir((data->path() + "/tracks").c_str(), 0755);
        genTracks(RECIPES, data->path());
    }
    static void TearDownTestSuite() { delete data; }
    void SetUp() override { pilotInstallKeys(); }
    void TearDown() override { pilotReleaseKeys(); }

    // A run as the game loop prepares it: reset, load, bombs, start placement.
    void prepareRun(const std::string& name)
    {
        pilotNewRun();
        std::string path = data->path() + "/tracks/" + name + "/" + name + ".btrk";
        ASSERT_EQ(importTrackFromBinaryFile(path.c_str()), trackLoadOk) << name;
        resetCollectedBomb(bombsQty);
        placeSkierAtStart();
    }
};
TempDir* RunTracks::data = nullptr;

TEST_F(RunTracks, StraightRunWithPushesFinishesEveryShippedTrack)
{
    std::vector<std::string> names = recipeNames("tracks", ".track");
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        for (int rate : {30, 60}) {
            pilotInstallKeys();
            prepareRun(name);
            float t = pilotStraightRun(rate, 600);
            EXPECT_GT(t, 0.0f) << name << " at " << rate << " fps: stuck at X " << Xobjet << " of " << arrivee;
            EXPECT_EQ(skieurArrive, 1) << name;
            EXPECT_EQ(vuScores, 0) << name;
            printf("[ finish   ] %s at %d fps: %.2f s, score %d, collectables %d\n", name.c_str(), rate, t,
                   totalScore, totalCollectable);
            RecordProperty(name + "_" + std::to_string(rate) + "fps_seconds", std::to_string(t));
        }
    }
}

}  // namespace
