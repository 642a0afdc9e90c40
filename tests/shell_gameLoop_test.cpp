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

ScreenEvent homeItem = ScreenEvent::enterPlay;  // what ENTER enters on the fake home menu
int redrawSeen = -1;  // the frame counter as the last fake menu frame found it

void record(const char* name)
{
    if (shown.empty() || shown.back() != name) shown.push_back(name);
    redrawSeen = redrawAllMenu;
    if (redrawAllMenu < 2) redrawAllMenu++;
}

// The fakes tell what the real screens tell on ENTER.
ScreenEvent fakeHome()
{
    record("home");
    return keyEnterNoRepeat() ? homeItem : ScreenEvent::none;
}
void fakeHelp() { record("help"); }
void fakeCredits() { record("credits"); }
ScreenEvent fakeOptions()
{
    record("options");
    return ScreenEvent::none;
}
ScreenEvent fakeRider()
{
    record("rider");
    return keyEnterNoRepeat() ? ScreenEvent::riderChosen : ScreenEvent::none;
}
void fakeTrack(short runWanted)
{
    record(runWanted ? "track-with-run" : "track");
}
ScreenEvent fakeTypeName()
{
    record("name");
    return keyEnterNoRepeat() ? ScreenEvent::nameSaved : ScreenEvent::none;
}
ScreenEvent fakeScores()
{
    record("scores");
    return keyEnterNoRepeat() ? ScreenEvent::scoresLeft : ScreenEvent::none;
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
    setContact(playerRun, runFrames >= airUntilFrame ? 1 : 0);
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
        homeItem = ScreenEvent::enterPlay;
        redrawSeen = -1;
        redrawAllMenu = 0;  // the name entry counts on past 2
        playerRun.motion.skieurArrive = 0;
        playerRun.scores.vuScores = 1;
        loadResult = 0;
        finishAtFrame = escAtFrame = enterAtFrame = enterAgainAtFrame = airUntilFrame = grindAtFrame = -1;
        setContact(playerRun, 1);
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
    EXPECT_EQ(currentScreen(), GameScreen::choixPiste);
    escAtFrame = 5;
    enterAtFrame = 2;  // ENTER before the finish does not end the run
    press(KEY_ENTER);  // this track: loading, run until ESC
    idle(2);
    EXPECT_EQ(runFrames, 5);
    EXPECT_EQ(currentScreen(), GameScreen::choixPiste);
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
    EXPECT_EQ(currentScreen(), GameScreen::choixSkier);
    EXPECT_EQ(last(1), std::vector<std::string>{"rider"});
    press(KEY_ESC);
    EXPECT_EQ(currentScreen(), GameScreen::home);
    EXPECT_EQ(last(1), std::vector<std::string>{"home"});
    EXPECT_EQ(press(KEY_ESC), 0);
    EXPECT_EQ(currentScreen(), GameScreen::exit);
}

TEST_F(GameLoopFlow, EscapeOnHomeQuitsAndNothingElseRunsInThatPass)
{
    key[KEY_ESC] = 1;
    EXPECT_EQ(gameLoopPass(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"home"});
    key[KEY_ESC] = 0;
    EXPECT_EQ(gameLoopPass(), 0) << "the game stays left";
    EXPECT_EQ(shown, std::vector<std::string>{"home"});
}

// ENTER on an item shows its screen in the same pass; ESC there brings the home menu back in the next.
TEST_F(GameLoopFlow, HelpCreditsAndOptionsGoBackHomeOnEscape)
{
    const struct {
        ScreenEvent item;
        const char* screen;
    } items[] = {{ScreenEvent::enterHelp, "help"}, {ScreenEvent::enterCredits, "credits"}, {ScreenEvent::enterOptions, "options"}};
    for (const auto& it : items) {
        homeItem = it.item;
        shown.clear();
        key[KEY_ENTER] = 1;
        gameLoopPass();
        key[KEY_ENTER] = 0;
        EXPECT_EQ(shown, (std::vector<std::string>{"home", it.screen}));
        idle(3);
        EXPECT_EQ(shown.size(), 2u) << it.screen << " stays until ESC";
        press(KEY_ESC);
        EXPECT_EQ(last(1), std::vector<std::string>{"home"}) << it.screen;
        EXPECT_EQ(currentScreen(), GameScreen::home);
    }
}

// The menus behind the one shown read no keys: a highlight left on Help or Options shows nothing else.
TEST_F(GameLoopFlow, OnlyTheHomeMenuRunsWhileItIsShown)
{
    for (ScreenEvent item : {ScreenEvent::enterHelp, ScreenEvent::enterCredits, ScreenEvent::enterOptions}) {
        homeItem = item;
        idle(3);
        press(KEY_RIGHT);
    }
    EXPECT_EQ(shown, std::vector<std::string>{"home"});
}

// Each new screen draws its full picture from its first frame; a screen that stays counts on to 2.
TEST_F(GameLoopFlow, EveryChangeOfScreenStartsTheFrameCountAgain)
{
    idle(4);
    EXPECT_EQ(redrawSeen, 2);
    key[KEY_ENTER] = 1;
    gameLoopPass();  // home, then the rider screen in the same pass
    key[KEY_ENTER] = 0;
    EXPECT_EQ(last(1), std::vector<std::string>{"rider"});
    EXPECT_EQ(redrawSeen, 0);
    idle(1);
    EXPECT_EQ(redrawSeen, 1);
    press(KEY_ESC);
    EXPECT_EQ(last(1), std::vector<std::string>{"home"});
    EXPECT_EQ(redrawSeen, 0);
}

// The lesson is ridden in the pass that asked for it, scores nothing and gives the home menu back, the
// track screen's track kept.
TEST_F(GameLoopFlow, ALessonAskedOnTheHomeMenuIsRiddenThenHomeComesBack)
{
    snprintf(gameLists.nomFicPiste, LIST_NAME_CHARS, "kept");
    homeItem = ScreenEvent::lessonAsked;
    escAtFrame = 3;
    press(KEY_ENTER);
    EXPECT_EQ(runFrames, 3);
    EXPECT_EQ(currentScreen(), GameScreen::home);
    std::vector<std::string> expected = {"home", "loading", "run", "home"};
    EXPECT_EQ(shown, expected);
    EXPECT_STREQ(gameLists.nomFicPiste, "kept");
    EXPECT_EQ(playerRun.motion.skieurArrive, 0);
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
    snprintf(gameLists.nomFicPiste, LIST_NAME_CHARS, "notes");
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
