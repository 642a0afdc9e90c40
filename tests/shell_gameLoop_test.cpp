// The dispatcher's screen flow, driven by synthetic key presses through fake screens.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gameClock.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/systemPortUtils.h"
#include "screens/choixPiste.h"
#include "track/trackLoader.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "track/planLib.h"
#include "sound/gameSounds.h"
#include "support/soundRecorder.h"

namespace {

std::vector<std::string> shown;  // one entry per screen frame, in order
int runFrames = 0;
int loadResult = 0;
int finishAtFrame = -1;  // the fake run crosses the finish at this frame
int escAtFrame = -1;     // the player presses ESC during this run frame
int enterAtFrame = -1;   // the player presses ENTER during this run frame
int enterAgainAtFrame = -1;
int airUntilFrame = -1;  // the rider is in the air until this run frame
int grindAtFrame = -1;   // the rider starts a rail grind at this run frame

void record(const char* name)
{
    if (shown.empty() || shown.back() != name) shown.push_back(name);
}

// The fakes do with the flags what the real screens do on ENTER.
void fakeHome()
{
    record("home");
    if (keyEnterNoRepeat()) homeDone = 1;
}
void fakeHelp() { record("help"); }
void fakeCredits() { record("credits"); }
void fakeOptions() { record("options"); }
void fakeRider()
{
    record("rider");
    if (keyEnterNoRepeat()) skierChoisi = 1;
}
void fakeTrack(short runWanted)
{
    record(runWanted ? "track-with-run" : "track");
}
void fakeTypeName()
{
    record("name");
    if (keyEnterNoRepeat()) playerRun.motion.skieurArrive = 0;
}
void fakeScores()
{
    record("scores");
    if (keyEnterNoRepeat()) playerRun.scores.vuScores = 1;
}
int fakeLoadRun()
{
    record("loading");
    runFrames = 0;
    return loadResult;
}
void fakeRunFrame()
{
    record("run");
    runFrames++;
    key[KEY_ESC] = runFrames == escAtFrame;
    key[KEY_ENTER] = runFrames == enterAtFrame || runFrames == enterAgainAtFrame;
    setContact(runFrames >= airUntilFrame ? 1 : 0);
    if (runFrames == grindAtFrame) startGrind();
    if (runFrames == finishAtFrame) {
        playerRun.motion.skieurArrive = 1;
        playerRun.scores.vuScores = 0;
    }
    if (runFrames > 200) {  // a run that never ends would hang the test
        playerRun.motion.skieurArrive = 1;
        key[KEY_ENTER] = 1;
    }
}

class GameLoopFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        gameScreens = {fakeHome,     fakeHelp,   fakeCredits, fakeOptions, fakeRider,
                       fakeTrack,    fakeTypeName, fakeScores, fakeLoadRun, fakeRunFrame};
        homeDone = help = credits = options = helpDone = creditsDone = optionsDone = 0;
        play = 1;
        skierChoisi = 0;
        playerRun.motion.skieurArrive = 0;
        playerRun.scores.vuScores = 1;
        loadResult = 0;
        finishAtFrame = escAtFrame = enterAtFrame = enterAgainAtFrame = airUntilFrame = grindAtFrame = -1;
        setContact(1);
        shown.clear();
        clearKeys();
        resetScreenRequests();
        gameClockSetManual(1000);
    }
    void TearDown() override
    {
        clearKeys();
        gameClockSetReal();
    }
    static void clearKeys()
    {
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    }
    // One press: a pass with the key down, then a pass with it up. Returns 0 once the game quits.
    static int press(int k)
    {
        key[k] = 1;
        int goOn = gameLoopPass();
        key[k] = 0;
        return gameLoopPass() && goOn;
    }
    static void idle(int passes)
    {
        for (int i = 0; i < passes; i++) gameLoopPass();
    }
    std::vector<std::string> last(size_t n) const
    {
        return std::vector<std::string>(shown.end() - std::min(n, shown.size()), shown.end());
    }
};

TEST_F(GameLoopFlow, HomeRiderTrackRunAbandonReturnsToTrackWithTheSameRider)
{
    press(KEY_ENTER);  // Play
    press(KEY_ENTER);  // this rider
    EXPECT_EQ(skierChoisi, 1);
    escAtFrame = 5;
    enterAtFrame = 2;  // ENTER before the finish does not end the run
    press(KEY_ENTER);  // this track: loading, run until ESC
    idle(2);
    EXPECT_EQ(runFrames, 5);
    EXPECT_EQ(skierChoisi, 1);
    std::vector<std::string> expected = {"home", "rider", "track", "loading", "run", "track"};
    EXPECT_EQ(shown, expected);
}

// The line crossed in the air: ENTER waits for the landing, whose points must count first.
TEST_F(GameLoopFlow, EnterAfterTheFinishWaitsForTheRiderToLand)
{
    press(KEY_ENTER);
    press(KEY_ENTER);
    finishAtFrame = 3;
    airUntilFrame = 7;
    enterAtFrame = 5;       // in the air: nothing
    enterAgainAtFrame = 9;  // landed: the run ends
    press(KEY_ENTER);
    EXPECT_EQ(runFrames, 9);
    idle(1);
    EXPECT_EQ(last(1), std::vector<std::string>{"name"});
}

// A run abandoned in the middle of a grind leaves no grind loop playing over the menus.
TEST_F(GameLoopFlow, AbandonedGrindStopsItsLoop)
{
    SoundRecorder recorder;
    initAllSounds();
    press(KEY_ENTER);
    press(KEY_ENTER);
    grindAtFrame = 2;
    escAtFrame = 4;
    press(KEY_ENTER);
    ASSERT_EQ(runFrames, 4);
    const SoundCall* grind = nullptr;
    for (const SoundCall& c : recorder.calls)
        if (c.what == "play" && c.name.find("grindRail") != std::string::npos) grind = &c;
    ASSERT_NE(grind, nullptr);
    int stops = 0;
    for (const SoundCall& c : recorder.named("stop")) stops += c.channel == grind->channel;
    EXPECT_EQ(stops, 1);
    quitAllSounds();
}

TEST_F(GameLoopFlow, FinishedRunShowsNameEntryThenScoresThenTrackEachOnce)
{
    press(KEY_ENTER);
    press(KEY_ENTER);
    finishAtFrame = 3;
    escAtFrame = 4;    // ESC after the finish does not abandon
    enterAtFrame = 6;  // ENTER after the finish ends the run
    press(KEY_ENTER);
    EXPECT_EQ(runFrames, 6);
    idle(2);
    press(KEY_ENTER);  // name confirmed
    idle(2);
    press(KEY_ENTER);  // score table left
    idle(2);
    std::vector<std::string> expected = {"run", "name", "scores", "track"};
    EXPECT_EQ(last(4), expected);
}

TEST_F(GameLoopFlow, EscapeWalksBackTrackToRiderToHomeAndQuits)
{
    press(KEY_ENTER);
    press(KEY_ENTER);
    press(KEY_ESC);
    EXPECT_EQ(skierChoisi, 0);
    EXPECT_EQ(last(1), std::vector<std::string>{"rider"});
    press(KEY_ESC);
    EXPECT_EQ(homeDone, 0);
    EXPECT_EQ(last(1), std::vector<std::string>{"home"});
    EXPECT_EQ(press(KEY_ESC), 0);
}

TEST_F(GameLoopFlow, EscapeOnHomeQuitsWhateverItemIsHighlighted)
{
    play = 0;
    options = 1;
    key[KEY_ESC] = 1;
    EXPECT_EQ(gameLoopPass(), 0);
    EXPECT_EQ(options, 0);
    EXPECT_EQ(homeDone, 1);
}

TEST_F(GameLoopFlow, HelpAndOptionsGoBackHomeOnEscape)
{
    play = 0;
    help = 1;
    press(KEY_ENTER);
    EXPECT_EQ(last(1), std::vector<std::string>{"help"});
    press(KEY_ESC);
    EXPECT_EQ(helpDone, 1);
    EXPECT_EQ(homeDone, 0);
    EXPECT_EQ(last(1), std::vector<std::string>{"home"});

    help = 0;
    options = 1;
    press(KEY_ENTER);
    EXPECT_EQ(last(1), std::vector<std::string>{"options"});
    press(KEY_ESC);
    EXPECT_EQ(optionsDone, 1);
    EXPECT_EQ(last(1), std::vector<std::string>{"home"});
}

TEST_F(GameLoopFlow, TrackThatDoesNotLoadIsNotRidden)
{
    press(KEY_ENTER);
    press(KEY_ENTER);
    loadResult = 1;
    press(KEY_ENTER);
    idle(1);
    EXPECT_EQ(runFrames, 0);
    std::vector<std::string> expected = {"track", "loading", "track"};
    EXPECT_EQ(last(3), expected);
}

// The track screen shows the loader's own line, or names the track when the loader said nothing.
TEST_F(GameLoopFlow, ATrackThatDoesNotLoadIsExplainedOnTheTrackScreen)
{
    press(KEY_ENTER);
    press(KEY_ENTER);
    loadResult = 1;
    trackNote[0] = '\0';
    snprintf(trackRefusal, sizeof trackRefusal, "Track file x.btrk cannot be ridden: it has no faces");
    press(KEY_ENTER);
    EXPECT_STREQ(trackNote, "Track file x.btrk cannot be ridden: it has no faces");
    trackRefusal[0] = '\0';
    snprintf(nomFicPiste, LIST_NAME_CHARS, "notes");
    press(KEY_ENTER);
    EXPECT_STREQ(trackNote, "Can't ride the track notes");
    trackNote[0] = '\0';
}

#ifndef KESTRUNE_NO_FRAME_CAP
TEST(FrameCap, ThirtyFramesTakeHalfASecond)
{
    gameClockSetReal();
    long start = gameClock();
    for (int i = 0; i < 30; i++) waitForNextFrame();
    long spent = gameClock() - start;
    EXPECT_GE(spent, 450);
    EXPECT_LE(spent, 800);
}
#endif

}  // namespace
