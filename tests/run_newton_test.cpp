#include <gtest/gtest.h>

#include <cmath>

#include "run/runTick.h"
#include "run/newton.h"
#include "run/runState.h"
#include "shell/playerRun.h"

TEST(RunNewton, SlopeFormulas) {
    EXPECT_NEAR(0.0f, giveAccel(2450.0f, 0.0f), 1e-3f);
    // downhill angles are negative and push forward
    EXPECT_GT(giveAccel(2450.0f, -20.0f), 0.0f);
    EXPECT_NEAR(2450.0f * -9.8f * sinf(30.0f * 0.017455053f), giveAccel(2450.0f, 30.0f), 0.5f);
    EXPECT_NEAR(giveAccel(2450.0f, 30.0f) * cosf(30.0f * 0.017455053f), giveTrueAccel(2450.0f, 30.0f), 0.5f);
    EXPECT_FLOAT_EQ(1050.0f, giveNewSpeed(1000.0f, 100.0f, 0.5f));
    // no one-half factor on the acceleration term
    EXPECT_FLOAT_EQ(100.0f * 4.0f + 10.0f * 2.0f + 5.0f, giveNewXposition(100.0f, 10.0f, 5.0f, 2.0f));
}

// The run's scale follows the tick alone; the drawing's follows the measured frame rate and never
// divides by a missing one.
TEST(RunNewton, TickScaleIgnoresTheFrameRateAndTheDrawnScaleNeverDividesByAMissingRate) {
    playerRun.timing.frameps = 144.0f;
    EXPECT_FLOAT_EQ(20.0f / runTicksPerSecond, frameScale());
    playerRun.timing.frameps = 0.0f;
    float first = drawnFrameScale(playerRun);
    EXPECT_TRUE(first > 0.0f && first < 100.0f);
    playerRun.timing.frameps = 40.0f;
    EXPECT_FLOAT_EQ(0.5f, drawnFrameScale(playerRun));
    playerRun.timing.frameps = 0.0f;  // window not closed again: keep the last rate
    EXPECT_FLOAT_EQ(0.5f, drawnFrameScale(playerRun));
    EXPECT_FLOAT_EQ(20.0f / runTicksPerSecond, frameScale());
    playerRun.timing.frameps = 1.0f;
}
