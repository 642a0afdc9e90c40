// A pause is no time at all to a run: same run state, same run time, whatever its length; sounds hold
// and go on; trick keys pressed during it do not count.
#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/gameClock.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/keys.h"
#include "shell/pause.h"
#include "sound/fmodmusic.h"
#include "track/planLib.h"
#include "support/autopilot.h"
#include "support/soundRecorder.h"

namespace {

const int FPS = 30;

// Push, then crouch, jump and hold trick 1 in the air: the pause falls in each phase in turn.
PilotKeys ride(int frame)
{
    PilotKeys k;
    k.up = frame < 40;
    k.space = frame >= 40 && frame < 55;
    k.trick[0] = frame >= 58 && frame < 75;
    k.right = frame >= 60 && frame < 70;
    return k;
}

std::vector<double> runSnapshot()
{
    return {playerRun.motion.Xobjet,     playerRun.motion.Yobjet,        playerRun.motion.Zobjet,          playerRun.motion.vitessePrecedente, playerRun.motion.velocity,     playerRun.orientation.rotSkierY,
            playerRun.orientation.rotSkierX,  playerRun.orientation.rotSkierZ,     playerRun.orientation.amplitudeRotationY, playerRun.motion.bufferJump,     playerRun.timing.totalTime,    (double)playerRun.timing.tempsDepart,
            playerRun.timing.firstTemps, playerRun.timing.diffTemps,     (double)playerRun.timing.DEPART,  (double)playerRun.phases.chute,     playerRun.orientation.angleCourant, (double)getContact(playerRun)};
}

// The run after `frames` frames of ride(), with a pause of pauseMs before frame `pauseAt` (-1: none).
std::vector<double> rideWithPause(int frames, int pauseAt, long pauseMs)
{
    pilotInstallKeys();
    pilotPlaneRun(false, 2000.0f, 1e9f);
    pilotStart(FPS);
    std::vector<double> before;
    for (int f = 0; f < frames; f++) {
        if (f == pauseAt) {
            before = runSnapshot();
            pilotPause(pauseMs);
            EXPECT_EQ(before, runSnapshot()) << "the pause itself changed the run";
        }
        pilotFrame(FPS, ride(f));
    }
    std::vector<double> after = runSnapshot();
    pilotReleaseKeys();
    return after;
}

} // namespace

TEST(Pause, RunStateAndRunTimeDoNotSeeAPauseOfAnyLength)
{
    const int frames = 90;
    std::vector<double> unpaused = rideWithPause(frames, -1, 0);
    ASSERT_GT(unpaused[10], 1.0) << "the run did not count its time";
    for (long pauseMs : {1L, 333L, 60000L, 3600000L})
        for (int at : {1, 20, 50, 62, 80}) // pushing, crouched, in the air, holding a trick, later
            EXPECT_EQ(unpaused, rideWithPause(frames, at, pauseMs)) << pauseMs << " ms before frame " << at;
}

TEST(Pause, TheClockLessPausesStandsStillAndGoesOnWhereItStood)
{
    gameClockSetManual(5000);
    long start = gameClockLessPauses();
    gameClockPauseRun();
    EXPECT_TRUE(gameClockRunPaused());
    gameClockAdvance(700);
    EXPECT_EQ(gameClockLessPauses(), start);
    gameClockPauseRun(); // a second pause call keeps the first moment
    gameClockAdvance(300);
    gameClockResumeRun();
    EXPECT_FALSE(gameClockRunPaused());
    EXPECT_EQ(gameClockLessPauses(), start);
    gameClockAdvance(40);
    EXPECT_EQ(gameClockLessPauses(), start + 40);
    gameClockResumeRun(); // resuming a running clock changes nothing
    EXPECT_EQ(gameClockLessPauses(), start + 40);
    gameClockSetReal();
}

TEST(Pause, TrickKeysPressedDuringThePauseCountOnlyWhenPressedAgain)
{
    pilotInstallKeys();
    key[KEY_1] = 1; // trick 1 held before the pause and through it
    beginPause();
    key[KEY_3] = 1; // trick 3 pressed during it
    endPause();
    EXPECT_NE(keymapTrick1(), 0);
    EXPECT_EQ(keymapTrick3(), 0);
    EXPECT_EQ(keymapTrick3(), 0);
    key[KEY_3] = 0;
    EXPECT_EQ(keymapTrick3(), 0);
    key[KEY_3] = 1; // a new press after the pause counts
    EXPECT_NE(keymapTrick3(), 0);
    pilotReleaseKeys();
}

TEST(Pause, SoundsAndMusicHoldAndGoOn)
{
    SoundRecorder recorder;
    initMusicAndSoundLibrary();
    gameClockSetManual(0);
    beginPause();
    endPause();
    std::vector<SoundCall> calls = recorder.named("pauseAll");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].value, 1);
    EXPECT_EQ(calls[1].value, 0);
    shutdownMusicAndSoundLibrary();
    gameClockSetReal();
}
