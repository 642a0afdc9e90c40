#include <gtest/gtest.h>

#include <cmath>

#include "run/newton.h"
#include "run/runState.h"

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

TEST(RunNewton, FrameScaleNeverDividesByAMissingRate) {
    frameps = 0.0f;
    float first = frameScale();
    EXPECT_TRUE(first > 0.0f && first < 100.0f);
    frameps = 40.0f;
    EXPECT_FLOAT_EQ(0.5f, frameScale());
    frameps = 0.0f;  // window not closed again: keep the last rate
    EXPECT_FLOAT_EQ(0.5f, frameScale());
    frameps = 20.0f;
    EXPECT_FLOAT_EQ(1.0f, frameScale());
    frameps = 1.0f;
}
