#include <allegro.h>
#include <gtest/gtest.h>

#include "platform/gameClock.h"
#include "shell/runInputKeys.h"
#include "core/AnimationTimer.h"
#include "shell/keymap.h"
#include "shell/keys.h"
#include "support/testFiles.h"

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        gameClockSetManual(10000);
        resetKeyDetectors();
    }
    void TearDown() override
    {
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        gameClockSetReal();
    }
};

TEST_F(KeysTest, NoRepeatGivesOneTruePerPressAndResetForgetsTheHeldKey)
{
    int presses = 0;
    const int held[] = {0, 1, 1, 1, 0, 0, 1, 0};
    for (int h : held) {
        key[KEY_ENTER] = h;
        presses += keyEnterNoRepeat();
    }
    EXPECT_EQ(presses, 2);
    key[KEY_ENTER] = 1;
    EXPECT_TRUE(keyEnterNoRepeat());
    EXPECT_FALSE(keyEnterNoRepeat());
    resetKeyDetectors();  // a key held across the reset counts as a new press
    EXPECT_TRUE(keyEnterNoRepeat());
}

TEST_F(KeysTest, DelayHeldOneSecondFiresAboutTenTimesAndRestartsOnSecondFrame)
{
    key[KEY_UP] = 1;
    int fired = 0;
    for (int frame = 0; frame < 100; frame++) { // 100 frames of 10 ms
        fired += keyUpDelay(0.1);
        gameClockAdvance(10);
    }
    EXPECT_GE(fired, 9);
    EXPECT_LE(fired, 11);

    // Released, then pressed again after a pause.
    key[KEY_UP] = 0;
    EXPECT_FALSE(keyUpDelay(0.1));
    gameClockAdvance(3000);
    key[KEY_UP] = 1;
    bool first = keyUpDelay(0.1);
    gameClockAdvance(10);
    bool second = keyUpDelay(0.1);
    EXPECT_TRUE(first || second);
}

TEST_F(KeysTest, KeymapLevelsFollowTheMapAndOutOfRangeCodesAreNeverHeld)
{
    currentKeymap[KM_TRICK1] = KEY_Q;
    currentKeymap[KM_LEFT] = -40; // what a garbage key map line would give
    currentKeymap[KM_RIGHT] = 500;
    key[KEY_Q] = 1;
    EXPECT_NE(keymapTrick1(), 0);
    EXPECT_EQ(keymapLeft(), 0);
    EXPECT_EQ(keymapRight(), 0);
}

// The arrows ride as the four direction letters do, beside them, whatever letter the map gives.
TEST_F(KeysTest, ArrowsSteerPushAndBrakeBesideTheLettersAndKeepDoingSoAfterARemap)
{
    const int letterSlot[4] = {KM_LEFT, KM_RIGHT, KM_DOWN, KM_UP};
    const int arrow[4] = {KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_UP};
    const RunButton button[4] = {RB_LEFT, RB_RIGHT, RB_DOWN, RB_UP};
    initKeymap("/nonexistent/keys.map"); // the default letters
    currentKeymap[KM_UP] = KEY_T;        // a player's own push key
    for (int i = 0; i < 4; i++) {
        RunInput in;
        key[arrow[i]] = 1;
        readRunInput(in);
        key[arrow[i]] = 0;
        for (int b = 0; b < RB_COUNT; b++) EXPECT_EQ(in.held[b], b == button[i] ? 1 : 0) << "arrow " << i << " button " << b;
        key[currentKeymap[letterSlot[i]]] = 1;
        readRunInput(in);
        key[currentKeymap[letterSlot[i]]] = 0;
        EXPECT_EQ(in.held[button[i]], 1) << "letter " << i;
    }
    key[KEY_E] = 1; // the old push letter no longer pushes
    EXPECT_EQ(keymapUp(), 0);
    key[KEY_E] = 0;
    // Letter and arrow together are one held key: releasing one of them is no release.
    key[KEY_LEFT] = key[KEY_S] = 1;
    EXPECT_FALSE(keymapLeftReleased());
    key[KEY_S] = 0;
    EXPECT_FALSE(keymapLeftReleased());
    key[KEY_LEFT] = 0;
    EXPECT_TRUE(keymapLeftReleased());
}

TEST(AnimationTimer, MeasuresHowLongAConditionHeld)
{
    AnimationTimer t;
    EXPECT_EQ(t.timeSinceLastCall(1, 0), 0.0);
    EXPECT_NEAR(t.timeSinceLastCall(1, 500), 0.5, 1e-9);
    EXPECT_NEAR(t.timeSinceLastCall(0, 500), 0.5, 1e-9); // the previous call was active: still measures
    EXPECT_EQ(t.timeSinceLastCall(0, 600), 0.0);
    EXPECT_EQ(t.tempsEcoul, 0.0);
}
