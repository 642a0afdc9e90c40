// SIGTERM and SIGINT end the game through its normal exit, with 128 + the signal.
#include <gtest/gtest.h>
#include <signal.h>

#include "platform/processSignals.h"
#include "shell/gameLoop.h"

struct QuitSignalTest : testing::Test {
    struct sigaction oldTerm, oldInt, oldFsz;
    void SetUp() override
    {
        sigaction(SIGTERM, nullptr, &oldTerm);
        sigaction(SIGINT, nullptr, &oldInt);
        sigaction(SIGXFSZ, nullptr, &oldFsz);
        clearQuitSignal();
    }
    void TearDown() override
    {
        clearQuitSignal();
        sigaction(SIGTERM, &oldTerm, nullptr);
        sigaction(SIGINT, &oldInt, nullptr);
        sigaction(SIGXFSZ, &oldFsz, nullptr);
        resetScreenRequests();
    }
};

static int homeFrames = 0;
static ScreenEvent countHomeFrame()
{
    homeFrames++;
    return ScreenEvent::none;
}

TEST_F(QuitSignalTest, ASignalIsNotedAndTheDispatcherLeavesAsOnEscape)
{
    installQuitSignals();
    EXPECT_EQ(quitSignalReceived(), 0);
    raise(SIGTERM); // noted, not fatal
    EXPECT_EQ(quitSignalReceived(), SIGTERM);
    EXPECT_EQ(quitStatus(SIGTERM), 143);
    raise(SIGINT);
    EXPECT_EQ(quitSignalReceived(), SIGINT);
    EXPECT_EQ(quitStatus(SIGINT), 130);
    raise(SIGXFSZ); // ignored
    useRealScreens();
    gameScreens.choixHome = countHomeFrame;
    homeFrames = 0;
    EXPECT_EQ(gameLoopPass(), 0); // leave: the exit sequence then saves the preferences
    EXPECT_EQ(homeFrames, 0);
    clearQuitSignal();
    useRealScreens();
}
