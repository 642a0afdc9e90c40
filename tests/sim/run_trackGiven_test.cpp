// A run ridden on a track model of its own, the game's track blank: it comes to what it comes to on
// the game's track, and only the model it was given is placed on, read and raised by its bombs.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "run/bestRun.h"
#include "run/reRide.h"
#include "run/runScore.h"
#include "run/runState.h"
#include "run/runTicker.h"
#include "track/bombstuff.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "recordedRun.h"
#include "simRun.h"

namespace {

using namespace recorded_run;

struct TrackGiven : ::testing::Test {
    KeptConditions kept;
    std::unique_ptr<TrackModel> own{new TrackModel()};  // zeroed as the game's static one: the reset reads it before a load
    std::unique_ptr<TrackModel> blank{new TrackModel()};
    void SetUp() override { memset(blank.get(), 0, sizeof *blank); }
    void TearDown() override
    {
        kept.giveBack();
        loadTrack();  // the game's track as the other tests find it
    }
    void blankTheGamesTrack() { memcpy(&loadedTrack, blank.get(), sizeof loadedTrack); }
    bool gamesTrackUntouched() const { return memcmp(&loadedTrack, blank.get(), sizeof loadedTrack) == 0; }
};

TEST_F(TrackGiven, ARunOnItsOwnModelRidesAsOnTheGamesTrackAndLeavesTheGamesTrackAlone)
{
    BestRun onGames = recordRun();
    std::unique_ptr<TrackModel> raisedOnGames(new TrackModel(loadedTrack));
    ASSERT_GT(onGames.finalTime, 0.0f) << "the sequence must reach the finish to be compared";

    blankTheGamesTrack();
    BestRun onOwn = recordRun(*own);
    EXPECT_EQ(onOwn.finalScore, onGames.finalScore);
    EXPECT_EQ(onOwn.finalTime, onGames.finalTime);
    ASSERT_EQ(onOwn.rec.samples.size(), onGames.rec.samples.size());
    for (size_t k = 0; k < onOwn.rec.samples.size(); k++)
        ASSERT_EQ(0, memcmp(onOwn.rec.samples[k].pos, onGames.rec.samples[k].pos, sizeof onOwn.rec.samples[k].pos)) << "sample " << k;
    EXPECT_TRUE(gamesTrackUntouched()) << "the run wrote the game's track";
    // The bombs fired raised the model ridden, as they raised the game's track before.
    EXPECT_EQ(0, memcmp(own->points, raisedOnGames->points, sizeof own->points));
    std::unique_ptr<TrackModel> asFiled(new TrackModel());
    ASSERT_EQ(importTrackFromBinaryFile(*asFiled, trackPath().c_str()), trackLoadOk);
    EXPECT_NE(0, memcmp(own->points, asFiled->points, sizeof own->points)) << "no bomb raised the ground: nothing shown";
}

TEST_F(TrackGiven, ARideAgainRewindsAndRidesTheModelItIsGiven)
{
    BestRun recorded = recordRun();
    blankTheGamesTrack();
    memcpy(own.get(), blank.get(), sizeof *own);
    EXPECT_EQ(reRideBestRun(simRun, *own, recorded), nullptr);
    EXPECT_TRUE(gamesTrackUntouched()) << "the re-ride wrote the game's track";
    EXPECT_GT(own->arrivee, own->depart) << "the model given was not put back from its file";
}

TEST_F(TrackGiven, TheResetClearsTheLineOfTheModelItIsGivenOnly)
{
    loadTrack();
    loadTrack(*own);
    float depart = loadedTrack.depart, arrivee = loadedTrack.arrivee;
    reinitGameVar(simRun, *own);
    EXPECT_EQ(own->depart + own->arrivee, 0.0f);
    EXPECT_EQ(loadedTrack.depart, depart);
    EXPECT_EQ(loadedTrack.arrivee, arrivee);
}

}  // namespace
