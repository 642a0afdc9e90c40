// Iron Park's trick sequence recorded as the game saves a best run, for the tests that ride it again.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "run/bestRun.h"
#include "fileio/swapthings.h"
#include "run/ghostRun.h"
#include "run/landing.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runScore.h"
#include "run/runState.h"
#include "simRun.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "trickSequence.h"

namespace recorded_run {

const long clockStart = 123457;  // not a whole tick: a re-ride starts its clock at 0
const char* const track = "ironpark";

inline std::string trackPath() { return std::string(KESTRUNE_SOURCE_DIR) + "/data/tracks/" + track + "/" + track + ".btrk"; }

inline void loadTrack(TrackModel& into = loadedTrack)
{
    storeByteOrder(0);
    ASSERT_EQ(importTrackFromBinaryFile(into, trackPath().c_str()), trackLoadOk);
}

inline void setConditions(float weight, int tolerance)
{
    theTrasher->weight = weight;
    toleranceAngleRightAndLeft = toleranceAngleFrontAndBack = toleranceAngleLeftSideAndRightSide = tolerance;
}

// The trick sequence (jumps, tricks, falls, rescues, bombs raising kickers) at 144 frames a second,
// ridden until the score is settled past the line, as the game saves it, on the track model given.
inline BestRun recordRun(TrackModel& model = loadedTrack)
{
    setConditions(70.0f, 40);
    videPileBoutons(simRun);
    reinitGameVar(simRun, model);
    loadTrack(model);
    resetCollectedBomb(simRun, model.bombsQty);
    placeSkierAtStart(simRun, model, clockStart);
    clearRunEvents(simRun);
    const double rate = 144;
    for (long f = 0; f < 200 * rate && !simRun.recording.input.closed; f++) {
        RunInput in = recordAt((long)(f * 1000.0 / rate), true);
        in.frameps = (float)rate;
        runDrawnFrame(runTicker, simRun, model, 1.0 / rate, in, [] { clearRunEvents(simRun); });
    }
    BestRun run;
    snprintf(run.track, sizeof run.track, "%s", track);
    snprintf(run.rider, sizeof run.rider, "tolvek");
    run.finalScore = runScoreSoFar(simRun);
    run.finalTime = simRun.timing.totalTime;
    run.rec = simRun.recording;
    return run;
}

// The weight and tolerances as the tests before left them: given back for the tests after.
struct KeptConditions {
    float weight = theTrasher->weight;
    int t[3] = {toleranceAngleRightAndLeft, toleranceAngleFrontAndBack, toleranceAngleLeftSideAndRightSide};
    void giveBack()
    {
        theTrasher->weight = weight;
        toleranceAngleRightAndLeft = t[0], toleranceAngleFrontAndBack = t[1], toleranceAngleLeftSideAndRightSide = t[2];
    }
};

}  // namespace recorded_run
