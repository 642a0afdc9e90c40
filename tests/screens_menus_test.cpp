// Home menu, options and credits driven by keys and the manual clock, sounds recorded.
#include <allegro.h>
#include <gtest/gtest.h>

#include "platform/gameClock.h"
#include "shell/keys.h"
#include "screens/screens.h"
#include "shell/gameLoop.h"
#include "shell/prefs.h"
#include "sound/gameSounds.h"
#include "support/soundRecorder.h"

namespace {

struct MenuScreens : ::testing::Test {
    SoundRecorder recorder;
    void SetUp() override
    {
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        resetKeyDetectors();
        gameClockSetManual(50000);
        initAllSounds();
    }
    void TearDown() override
    {
        quitAllSounds();
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        gameClockSetReal();
    }
    // One frame with k held, then one with nothing held (so the next press is new).
    void press(void (*frame)(), int k)
    {
        key[k] = 1;
        frame();
        key[k] = 0;
        frame();
    }
    size_t sounds(const std::string& file) const
    {
        size_t n = 0;
        for (const SoundCall& c : recorder.named("play")) n += c.name == file;
        return n;
    }
};

const char* const SELECT = "./data/sounds/gui/select135.aif";
const char* const CHOOSE = "./data/sounds/gui/enter134.aif";

TEST_F(MenuScreens, HomeHighlightIsClampedAndEnterLeaves)
{
    for (int i = 0; i < 5; i++) press(choixHome, KEY_UP); // to Play, then against the top
    EXPECT_EQ(play, 1);
    EXPECT_EQ(sounds(SELECT), 5u); // the sound plays even at the end
    press(choixHome, KEY_DOWN);
    press(choixHome, KEY_RIGHT);
    EXPECT_EQ(credits, 1);
    EXPECT_EQ(play + help + options, 0);
    for (int i = 0; i < 3; i++) press(choixHome, KEY_DOWN);
    EXPECT_EQ(options, 1);
    homeDone = 0;
    optionsDone = 1;
    key[KEY_ENTER] = 1;
    choixHome();
    key[KEY_ENTER] = 0;
    EXPECT_EQ(homeDone, 1);
    EXPECT_EQ(optionsDone, 0);
    EXPECT_EQ(redrawAllMenu, 0);
    EXPECT_EQ(sounds(CHOOSE), 1u);
    choixHome();
    choixHome();
    choixHome();
    EXPECT_EQ(redrawAllMenu, 2); // counted up to 2 and held
}

TEST_F(MenuScreens, OptionsChangeLevelAndTolerances)
{
    level = 0;
    press(ecranOptions, KEY_LEFT);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(sounds(CHOOSE), 1u);
    for (int i = 0; i < 5; i++) press(ecranOptions, KEY_RIGHT);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(toleranceAngleRightAndLeft, 20);
    EXPECT_EQ(toleranceAngleFrontAndBack, 20);
    for (int i = 0; i < 3; i++) press(ecranOptions, KEY_LEFT);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(toleranceAngleRightAndLeft, 45);
    EXPECT_EQ(toleranceAngleFrontAndBack, 89);
    EXPECT_EQ(toleranceAngleLeftSideAndRightSide, 89);
    press(ecranOptions, KEY_DOWN);
    EXPECT_EQ(sounds(SELECT), 1u);
    EXPECT_EQ(level, 0);
}

TEST_F(MenuScreens, CreditsSlidePauseTurnPagesAndRestart)
{
    departCredits = 1;
    stepCredits();
    EXPECT_EQ(xArrDep, -200);
    EXPECT_EQ(creditsPage, 0);
    // 11 ms a frame: one 10-unit step each frame until x 130.
    int frames = 0;
    while (xArrDep < 130 && frames < 1000) {
        gameClockAdvance(11);
        stepCredits();
        frames++;
    }
    EXPECT_EQ(xArrDep, 130);
    EXPECT_EQ(frames, 33);
    // About three seconds at x 130.
    long pauseStart = gameClock();
    while (xArrDep == 130 && gameClock() - pauseStart < 10000) {
        gameClockAdvance(11);
        stepCredits();
    }
    EXPECT_NEAR(gameClock() - pauseStart, 3000, 1100);
    while (creditsPage == 0 && gameClock() - pauseStart < 20000) {
        gameClockAdvance(11);
        stepCredits();
    }
    EXPECT_EQ(creditsPage, 5);
    EXPECT_EQ(xArrDep, -200);
    // After the eleventh page the first comes back.
    for (int page = 2; page <= 11; page++) {
        int before = creditsPage;
        while (creditsPage == before) {
            gameClockAdvance(11);
            stepCredits();
        }
    }
    EXPECT_EQ(creditsPage, 0);
    // Re-entering restarts at the first page, off screen.
    for (int i = 0; i < 20; i++) {
        gameClockAdvance(11);
        stepCredits();
    }
    departCredits = 1;
    stepCredits();
    EXPECT_EQ(xArrDep, -200);
    EXPECT_EQ(creditsPage, 0);
}

} // namespace
