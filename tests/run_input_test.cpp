// The run's input record: filled from the keyboard through the key map, edges over successive records,
// and a simulation that reads nothing but the record.
#include <allegro.h>
#include <gtest/gtest.h>

#include "platform/frameCounter.h"
#include "platform/gameClock.h"
#include "shell/runInputKeys.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/keymap.h"
#include "support/autopilot.h"

namespace {

RunInput record(long clockMs, std::initializer_list<RunButton> held = {})
{
    RunInput in;
    for (RunButton b : held) in.held[b] = 1;
    in.clockMs = clockMs;
    return in;
}

struct RunInputTest : ::testing::Test {
    void SetUp() override { resetRunInput(playerRun); }
    void TearDown() override { resetRunInput(playerRun); }
};

TEST_F(RunInputTest, EdgesFollowSuccessiveRecordsAndResetForgetsThem)
{
    const int held[] = {0, 1, 1, 1, 0, 0, 1, 0};
    int presses = 0, releases = 0;
    double longest = 0;
    long t = 1000;
    for (int h : held) {
        setRunInput(playerRun, h ? record(t, {RB_BOMB, RB_JUMP, RB_LEFT}) : record(t));
        presses += runPressed(playerRun, RB_BOMB);
        releases += runReleased(playerRun, RB_JUMP);
        double s = runHeldTime(playerRun, RB_LEFT);
        if (s > longest) longest = s;
        t += 100;
    }
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(releases, 2);
    EXPECT_NEAR(longest, 0.2, 1e-9);  // three frames 100 ms apart: measured from the first

    setRunInput(playerRun, record(t, {RB_BOMB}));
    EXPECT_TRUE(runPressed(playerRun, RB_BOMB));
    EXPECT_FALSE(runPressed(playerRun, RB_BOMB));
    resetRunInput(playerRun);
    EXPECT_EQ(runClock(playerRun), 0);
    EXPECT_FALSE(runHeld(playerRun, RB_BOMB));
    setRunInput(playerRun, record(t, {RB_BOMB}));
    EXPECT_TRUE(runPressed(playerRun, RB_BOMB)) << "a new run sees a held key as a new press";
    EXPECT_FALSE(runHeld(playerRun, (RunButton)RB_COUNT));
}

TEST_F(RunInputTest, KeyboardFillsTheRecordThroughTheKeyMap)
{
    int saved[KM_SLOTS];
    getCurrentKeymap(saved);
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    for (int& code : currentKeymap) code = 0;
    currentKeymap[KM_LEFT] = KEY_Q;
    currentKeymap[KM_TRICK6] = KEY_P;
    currentKeymap[KM_RIGHT] = 500;  // a garbage line: never held
    currentKeymap[KM_BOMB] = BOMB_KEY_CODE;
    key[KEY_Q] = key[KEY_P] = key[KEY_SPACE] = key[KEY_ENTER] = key[BOMB_KEY_CODE] = 1;
    key[KEY_LEFT] = 1;  // the arrow is not the rider's left key here
    gameClockSetManual(4242);
    resetFramesPerSecond();
    RunInput in;
    readRunInput(in);
    for (int b = 0; b < RB_COUNT; b++) {
        bool want = b == RB_LEFT || b == RB_TRICK6 || b == RB_JUMP || b == RB_ENTER || b == RB_BOMB;
        EXPECT_EQ(in.held[b], want ? 1 : 0) << "button " << b;
    }
    EXPECT_EQ(in.clockMs, 4242);
    EXPECT_EQ(in.frameps, 0.0f) << "no second measured yet";
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    for (int i = 0; i < KM_SLOTS; i++) currentKeymap[i] = saved[i];
    gameClockSetReal();
}

// Every key of the keyboard held and a clock far away change nothing: the run reads its record.
TEST_F(RunInputTest, SimulationReadsTheRecordNotTheKeyboardNorTheClock)
{
    pilotInstallKeys();
    pilotPlaneRun(false, 5000.0f, 300000.0f);
    for (int i = 0; i < KEY_MAX; i++) key[i] = 1;
    gameClockSetManual(9999999);
    simulateGameFrame(playerRun, loadedTrack, record(200000));
    EXPECT_EQ(playerRun.timing.LETSGO, 0);
    simulateGameFrame(playerRun, loadedTrack, record(200050, {RB_JUMP}));
    EXPECT_EQ(playerRun.timing.LETSGO, 1);
    EXPECT_EQ(playerRun.timing.tempsDepart, 200050);
    EXPECT_FLOAT_EQ(playerRun.timing.frameps, 1.0f);
    RunInput in = record(200100);
    in.frameps = 42.0f;
    simulateGameFrame(playerRun, loadedTrack, in);
    EXPECT_FLOAT_EQ(playerRun.timing.frameps, 42.0f);
    EXPECT_NEAR(playerRun.timing.diffTemps, 0.05, 1e-9) << "the countdown runs on the records' clock";
    pilotReleaseKeys();
}

}  // namespace
