#include <gtest/gtest.h>

#include <cmath>

#include "run/physics.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTick.h"
#include "screens/nameEntry.h"
#include "support/autopilot.h"
#include "track/planLib.h"

static const float planeStart = 2000.0f;
static const float planeFinish = 300000.0f;

class RunRide : public ::testing::Test {
protected:
    void SetUp() override { pilotInstallKeys(); }
    void TearDown() override { pilotReleaseKeys(); }
    static PilotKeys hold(bool PilotKeys::*k)
    {
        PilotKeys keys;
        keys.*k = true;
        return keys;
    }
};

TEST_F(RunRide, StraightRunReachesTheFinishAndFreezesTheTime)
{
    pilotPlaneRun(false, planeStart, planeFinish);
    float t = pilotStraightRun(30, 400);
    ASSERT_GT(t, 0.0f) << "no finish, rider at X " << playerRun.motion.Xobjet;
    EXPECT_EQ(playerRun.motion.skieurArrive, 1);
    EXPECT_EQ(playerRun.scores.vuScores, 0);
    EXPECT_GT(playerRun.motion.Xobjet, planeFinish);
    // The time is frozen and the rider brakes to a stop after the line.
    pilotRide(30, 20, [](int) { return PilotKeys(); });
    pilotFrame(30, PilotKeys());
    for (int i = 0; i < 30 * 20; i++) pilotFrame(30, PilotKeys());
    EXPECT_FLOAT_EQ(playerRun.timing.totalTime, t);
    EXPECT_EQ(playerRun.motion.freinage, 200.0f);
    EXPECT_LT(std::fabs(playerRun.motion.vitessePrecedente), stoppedSpeed);
}

TEST_F(RunRide, FinishTimesAt30And60FramesASecondAgreeWithinTenPercent)
{
    pilotPlaneRun(false, planeStart, planeFinish);
    float t30 = pilotStraightRun(30, 400);
    pilotInstallKeys();
    pilotPlaneRun(false, planeStart, planeFinish);
    float t60 = pilotStraightRun(60, 400);
    ASSERT_GT(t30, 0.0f);
    ASSERT_GT(t60, 0.0f);
    EXPECT_NEAR(t60 / t30, 1.0f, 0.10f) << "30 fps: " << t30 << " s, 60 fps: " << t60 << " s";
}

TEST_F(RunRide, StandingRiderWaitsForThePushAndTheStartWaitsForTheJumpKey)
{
    pilotPlaneRun(false, planeStart, planeFinish);
    for (int i = 0; i < 40; i++) pilotFrame(20, hold(&PilotKeys::up));
    EXPECT_EQ(playerRun.timing.DEPART, 0) << "pushing alone must not start the run";
    PilotKeys go;
    go.space = true;
    pilotFrame(20, go);
    EXPECT_EQ(playerRun.timing.LETSGO, 1);
    int countdownFrames = 0;
    for (; countdownFrames < 100 && playerRun.timing.DEPART != 1; countdownFrames++) pilotFrame(20, PilotKeys());
    // one second of start poses
    EXPECT_GE(countdownFrames, 20);
    EXPECT_LE(countdownFrames, 22);
    EXPECT_EQ(playerRun.timing.LETSGO, 0);
    EXPECT_EQ(playerRun.timing.totalTime, 0.0f);
    for (int i = 0; i < 40; i++) pilotFrame(20, PilotKeys());
    EXPECT_NEAR(playerRun.timing.totalTime, 2.0f, 0.06f);
    EXPECT_NEAR(playerRun.motion.Xobjet, planeStart, 1.0f) << "the slope alone set a standing rider in motion";
    pilotFrame(20, hold(&PilotKeys::up));
    for (int i = 0; i < 20; i++) pilotFrame(20, PilotKeys());
    EXPECT_GT(playerRun.motion.Xobjet, planeStart + 100.0f);
}

// One frame at 60 is one tick; a frame at 20 covers three.
TEST_F(RunRide, PushAddsFourHundredEverySixtiethOfASecondOnlyBelow3600)
{
    pilotPlaneRun(true, planeStart, planeFinish);
    pilotStart(60);
    float drag = 10.0f / 3;  // the rolling drag of one tick: 200 a second
    playerRun.motion.vitessePrecedente = 1000.0f;
    pilotFrame(60, hold(&PilotKeys::up));
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 1400.0f - drag, 0.5f);
    playerRun.motion.vitessePrecedente = 3599.0f;
    pilotFrame(60, hold(&PilotKeys::up));
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 3999.0f - drag, 0.5f);
    playerRun.motion.vitessePrecedente = 3600.0f;
    pilotFrame(60, hold(&PilotKeys::up));
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 3600.0f - drag, 0.5f);
    playerRun.motion.vitessePrecedente = 1000.0f;
    pilotFrame(20, hold(&PilotKeys::up));
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 1000.0f + 3 * (400.0f - drag), 0.5f) << "a slow frame pushes as often";
}

// Pushing from a standstill levels off just under 4000 as at 60 ticks a second whatever the tick:
// each 1/60 s begun under 3600 pushes 400, so the rider rides as far and as fast.
TEST_F(RunRide, PushingLevelsOffAsFarAndAsFastAtEitherTickLength)
{
    float far[2], fast[2];
    for (int i = 0; i < 2; i++) {
        runTickSeconds = 1.0 / (runTicksPerSecond * (i + 1));
        pilotPlaneRun(true, planeStart, planeFinish);
        pilotStart(60);
        playerRun.motion.vitessePrecedente = 0.0f;
        float from = playerRun.motion.Xobjet;
        fast[i] = 0;
        for (int f = 0; f < 4 * 60; f++) {
            pilotFrame(60, hold(&PilotKeys::up));
            fast[i] = fmaxf(fast[i], playerRun.motion.vitessePrecedente);
        }
        far[i] = playerRun.motion.Xobjet - from;
        runTickSeconds = 1.0 / runTicksPerSecond;
    }
    printf("[ push     ] 4 s from a standstill: %.0f / %.0f units, top speed %.0f / %.0f\n", far[0], far[1], fast[0], fast[1]);
    EXPECT_GT(fast[0], 3600.0f);
    EXPECT_LT(fast[0], 4000.0f);
    EXPECT_NEAR(fast[1], fast[0], 0.002f * fast[0]);
    EXPECT_NEAR(far[1], far[0], 0.005f * far[0]);
}

TEST_F(RunRide, GroundSpeedAbove5000DecaysOnePercentEverySixtiethOfASecondAndAt5000TheDragStillHolds)
{
    pilotPlaneRun(true, planeStart, planeFinish);
    pilotStart(60);
    float drag = 10.0f / 3;
    playerRun.motion.vitessePrecedente = 6000.0f;
    pilotFrame(60, PilotKeys());
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 6000.0f * 0.99f - drag, 0.5f);
    playerRun.motion.vitessePrecedente = 6000.0f;
    pilotFrame(20, PilotKeys());
    float v = 6000.0f;
    for (int i = 0; i < 3; i++) v = v * 0.99f - drag;
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, v, 0.5f) << "the decay and the drag go by the clock, not the frame";
    // exactly at top speed only the drag holds, and the slope takes over again from below it
    playerRun.motion.vitessePrecedente = playerRun.motion.vitesseMax;
    pilotFrame(60, PilotKeys());
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, playerRun.motion.vitesseMax - drag, 0.01f);
    pilotFrame(60, PilotKeys());
    EXPECT_LT(playerRun.motion.vitessePrecedente, playerRun.motion.vitesseMax - drag);
}

TEST_F(RunRide, GroundTurnsStopAt89Degrees)
{
    pilotPlaneRun(true, planeStart, planeFinish);
    pilotStart(20);
    float highest = 0, lowest = 0;
    for (int i = 0; i < 200; i++) {
        playerRun.motion.vitessePrecedente = 3000.0f;
        pilotFrame(20, hold(&PilotKeys::right));
        highest = std::fmax(highest, playerRun.orientation.rotSkierY);
    }
    EXPECT_GT(highest, 85.0f);
    EXPECT_LT(highest, 89.0f + 4.0f);
    for (int i = 0; i < 400; i++) {
        playerRun.motion.vitessePrecedente = 3000.0f;
        pilotFrame(20, hold(&PilotKeys::left));
        lowest = std::fmin(lowest, playerRun.orientation.rotSkierY);
    }
    EXPECT_LT(lowest, -85.0f);
    EXPECT_GT(lowest, -89.0f - 4.0f);
    EXPECT_GT(playerRun.motion.Xobjet, planeStart) << "a sideways rider still moves along the track";
}

TEST_F(RunRide, BrakeStopsTheRider)
{
    pilotPlaneRun(true, planeStart, planeFinish);
    pilotStart(20);
    playerRun.motion.vitessePrecedente = 3000.0f;
    for (int i = 0; i < 20; i++) pilotFrame(20, hold(&PilotKeys::down));
    EXPECT_EQ(playerRun.motion.freinage, 200.0f);
    EXPECT_LT(std::fabs(playerRun.motion.vitessePrecedente), 420.0f);
    pilotFrame(20, PilotKeys());
    EXPECT_EQ(playerRun.motion.freinage, 0.0f);
}
