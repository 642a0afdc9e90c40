#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/fallMessage.h"
#include "run/fall.h"
#include "run/runFeedback.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/trickInput.h"
#include "support/autopilot.h"
#include "shell/keymap.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const int fps = 20;
static const float flatY = 100.0f;

static void placeObstacle(int i, int type, float x, float y, float z)
{
    TrackModel& track = loadedTrack;
    ObstacleRecord& o = track.containerObstacles[i];
    o.x = x;
    o.y = y;
    o.z = z;
    o.type = type;
    playerRun.rider.collision.taken[i] = 0;
}

class RunFall : public ::testing::Test {
protected:
    void SetUp() override
    {
        pilotInstallKeys();
        pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
        pilotStart(fps);
    }
    void TearDown() override { pilotReleaseKeys(); }
    static PilotKeys keys(bool PilotKeys::*k = nullptr)
    {
        PilotKeys p;
        if (k) p.*k = true;
        return p;
    }
    void rideIntoTree()
    {
        placeObstacle(0, obstacleSapin, playerRun.motion.Xobjet + 800.0f, flatY, 0.0f);
        for (int i = 0; i < 40 && !playerRun.phases.chute; i++) pilotFrame(fps, keys(&PilotKeys::up));
        ASSERT_EQ(playerRun.phases.chute, 1) << "the tree was not hit";
    }
};

TEST_F(RunFall, FallLastsTheTumblePlusTwoAndAHalfSecondsAndEndsStill)
{
    rideIntoTree();
    EXPECT_EQ(playerRun.motion.freinage, 250.0f);
    int frames = 1;
    float deepest = 0;
    while (playerRun.phases.chute && frames < 500) {
        pilotFrame(fps, keys());
        deepest = std::fmin(deepest, playerRun.phases.rotationChute);
        frames++;
    }
    // 8 tumble frames of 45 degrees at 20 fps, then 2.5 s lying
    const int expected = 8 + 50;
    EXPECT_GE(frames, expected);
    EXPECT_LE(frames, expected + 2);
    EXPECT_LT(deepest, -360.0f);
    EXPECT_EQ(playerRun.motion.vitessePrecedente, 0.0f);
    EXPECT_EQ(playerRun.phases.chute, 0);
}

TEST_F(RunFall, EnterWhileFallenAndStoppedBringsTheRiderBackToTheRescuePointBehind)
{
    TrackModel& track = loadedTrack;
    track.replaceSkier[0][0] = 1000.0f;
    track.replaceSkier[1][0] = 2 * longueurFace;
    track.replaceSkier[2][0] = 80 * longueurFace;
    for (int i = 0; i < 3; i++) track.replaceSkier[i][1] = flatY, track.replaceSkier[i][2] = 0.0f;
    rideIntoTree();
    ASSERT_GE(std::fabs(playerRun.motion.vitessePrecedente), 400.0f);
    pilotFrame(fps, keys(&PilotKeys::enter));
    EXPECT_EQ(playerRun.phases.askForRescue, 0) << "a rescue while still sliding";
    for (int i = 0; i < 20 && std::fabs(playerRun.motion.vitessePrecedente) >= 400.0f; i++) pilotFrame(fps, keys());
    pilotFrame(fps, keys(&PilotKeys::enter));
    ASSERT_EQ(playerRun.phases.askForRescue, 1);
    EXPECT_EQ(playerRun.phases.endOfRescue, 0);
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.motion.vitessePrecedente, 0.0f) << "the rider waits for the rescue";
    FallMessage m;
    ASSERT_EQ(fallMessage(m), 1);
    EXPECT_STREQ(m.reason, "Hit a tree");
    EXPECT_STREQ(m.action, "") << "nothing to press while the rescue flies";
    playerRun.phases.endOfRescue = 1;  // the rescue animation is over (the frame drawing reports it)
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.askForRescue, 0);
    EXPECT_EQ(playerRun.motion.Xobjet, 2 * longueurFace);
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.phases.replacement, 1);
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.told.fallCause.reason, fallNone) << "put back: the fall has nothing more to say";
    for (int i = 0; i < 60 && playerRun.phases.replacement; i++) pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.replacement, 0) << "the fade-in never ended";
    EXPECT_EQ(playerRun.phases.putBackTicks, 0) << "the next put-back fades from the start";
}

// From the crash to riding on, the band always says why and what to press; a stop says so too.
TEST_F(RunFall, EveryFallAndStopSaysWhyAndWhatToPress)
{
    initKeymap("/nonexistent/keys.map");
    FallMessage m;
    for (int i = 0; i < 40; i++) pilotFrame(fps, keys());
    EXPECT_EQ(fallMessage(m), 0) << "standing at the start is no stop";
    for (int i = 0; i < 10; i++) pilotFrame(fps, keys(&PilotKeys::up));
    EXPECT_EQ(fallMessage(m), 0) << "riding on: nothing to say";
    rideIntoTree();
    EXPECT_EQ(playerRun.told.fallCause.reason, fallHitTree);
    ASSERT_EQ(fallMessage(m), 1);
    EXPECT_STREQ(m.reason, "Hit a tree");
    EXPECT_STREQ(m.action, "") << "still sliding: no rescue yet";
    int framesWithout = 0;
    bool rescueOffered = false;
    while (playerRun.phases.chute) {
        pilotFrame(fps, keys());
        if (!fallMessage(m)) framesWithout++;
        if (!strcmp(m.action, "ENTER: back on the track")) {
            rescueOffered = true;
            EXPECT_EQ(playerRun.motion.skieurStop, 1); // offered exactly when ENTER would work
        }
    }
    EXPECT_TRUE(rescueOffered);
    // Up again at no speed: the reason stays, with the key that pushes off.
    ASSERT_EQ(fallMessage(m), 1);
    EXPECT_STREQ(m.reason, "Hit a tree");
    EXPECT_STREQ(m.action, "Hold E (or up) to push off");
    for (int i = 0; i < 30 && playerRun.motion.skieurStop; i++) {
        pilotFrame(fps, keys(&PilotKeys::up));
        if (playerRun.motion.skieurStop && !fallMessage(m)) framesWithout++;
    }
    EXPECT_EQ(framesWithout, 0) << "frames down or crawling with no word";
    pilotFrame(fps, keys());
    EXPECT_EQ(fallMessage(m), 0) << "riding again";
    // Braked to a stop: after a second standing still, "Stopped".
    for (int i = 0; i < 200 && !playerRun.motion.skieurStop; i++) pilotFrame(fps, keys(&PilotKeys::down));
    ASSERT_EQ(playerRun.motion.skieurStop, 1);
    pilotFrame(fps, keys());
    EXPECT_EQ(fallMessage(m), 0) << "a moment's stop is no stop";
    for (int i = 0; i < 25; i++) pilotFrame(fps, keys());
    ASSERT_EQ(fallMessage(m), 1);
    EXPECT_STREQ(m.reason, "Stopped");
    EXPECT_STREQ(m.action, "Hold E (or up) to push off");
}

// One press, one rescue: a new press (or the key still held) as the rescue ends does not start it again.
TEST_F(RunFall, OnePressAsksForOneRescueThatAnotherPressDoesNotRestart)
{
    rideIntoTree();
    for (int i = 0; i < 20 && std::fabs(playerRun.motion.vitessePrecedente) >= 400.0f; i++) pilotFrame(fps, keys());
    pilotFrame(fps, keys(&PilotKeys::enter));
    ASSERT_EQ(playerRun.phases.askForRescue, 1);
    pilotFrame(fps, keys(&PilotKeys::enter)); // still held
    EXPECT_EQ(playerRun.phases.endOfRescue, 0);
    pilotFrame(fps, keys());
    playerRun.phases.endOfRescue = 1; // the rescue animation is over (the frame drawing reports it) ...
    pilotFrame(fps, keys(&PilotKeys::enter)); // ... as the player presses again
    EXPECT_EQ(playerRun.phases.askForRescue, 0) << "the rescue started again";
    EXPECT_EQ(playerRun.phases.replacement, 1);
}

TEST_F(RunFall, GrindFromAboveSlowsToTheFloorEarnsAndBanks)
{
    // a rail under a rider dropping onto it
    placeObstacle(0, obstacleRail, playerRun.motion.Xobjet - 50.0f, flatY, 0.0f);
    playerRun.motion.vitessePrecedente = 3000.0f;
    setContact(playerRun, 0);
    playerRun.motion.YavantSaut = playerRun.motion.Yobjet = flatY + 400.0f;
    playerRun.motion.velocity = 0.0f;
    int grindFrames = 0;
    float slowest = 1e9f;
    for (int i = 0; i < 200 && (grindFrames == 0 || playerRun.rider.collision.usingYRail); i++) {
        pilotFrame(fps, keys());
        if (playerRun.rider.collision.usingYRail && getContact(playerRun) == 0) {
            grindFrames++;
            slowest = std::fmin(slowest, playerRun.motion.vitessePrecedente);
        }
    }
    ASSERT_GT(grindFrames, 3) << "no grind";
    EXPECT_GE(slowest, 1200.0f);
    EXPECT_LT(slowest, 1300.0f);
    EXPECT_EQ(playerRun.phases.chute, 0);
    int earned = playerRun.scores.bufferScoreJump + playerRun.scores.totalScore;
    // 150000 a second: 7500 a frame at 20 fps; the frames at either end grind for a part of theirs
    EXPECT_GE(earned, (grindFrames - 1) * 7500);
    for (int i = 0; i < 40 && getContact(playerRun) == 0; i++) pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_GE(playerRun.scores.totalScore, (grindFrames - 1) * 7500) << "grind points not banked on landing";
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0);
}

TEST_F(RunFall, CollectablesCountOnceAndAFiredBombRaisesAKicker)
{
    const TrackModel& track = loadedTrack;
    float x = playerRun.motion.Xobjet;
    placeObstacle(0, obstacleCollectable, x + 600.0f, flatY, 0.0f);
    placeObstacle(1, obstacleBomb, x + 1200.0f, flatY, 0.0f);
    resetCollectedBomb(playerRun, 0);
    for (int i = 0; i < 30; i++) pilotFrame(fps, keys(&PilotKeys::up));
    EXPECT_EQ(playerRun.scores.totalCollectable, 1);
    EXPECT_EQ(getCollectedBomb(playerRun), 1);
    pilotFrame(fps, keys(&PilotKeys::bomb));
    EXPECT_EQ(getCollectedBomb(playerRun), 0);
    ASSERT_GE(playerRun.phases.currentBombVertex, 0);
    EXPECT_GT(track.points[playerRun.phases.currentBombVertex][1], flatY + 500.0f) << "no kicker raised";
    // no bomb left: the key does nothing
    int raised = playerRun.phases.currentBombVertex;
    pilotFrame(fps, keys());
    pilotFrame(fps, keys(&PilotKeys::bomb));
    EXPECT_EQ(playerRun.phases.currentBombVertex, raised);
    EXPECT_EQ(getCollectedBomb(playerRun), 0);
}

TEST_F(RunFall, TwoRunsInARowStartFromTheSameState)
{
    // a dirty first run: trick points, a fall, air rotations
    placeObstacle(0, obstacleSapin, playerRun.motion.Xobjet + 800.0f, flatY, 0.0f);
    for (int i = 0; i < 60; i++) pilotFrame(fps, keys(&PilotKeys::up));
    playerRun.scores.bufferScoreJump = 777;
    playerRun.orientation.amplitudeRotationY = 5.0f;
    float firstRun[6];
    auto rideRecorded = [&](float* out) {
        pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
        pilotStart(fps);
        for (int i = 0; i < 30; i++) pilotFrame(fps, keys(&PilotKeys::up));
        float rec[6] = {playerRun.motion.Xobjet, playerRun.motion.Zobjet, playerRun.motion.vitessePrecedente, playerRun.orientation.rotSkierY, (float)playerRun.scores.totalScore, (float)playerRun.phases.chute};
        memcpy(out, rec, sizeof rec);
    };
    rideRecorded(firstRun);
    float secondRun[6];
    rideRecorded(secondRun);
    for (int i = 0; i < 6; i++) EXPECT_FLOAT_EQ(firstRun[i], secondRun[i]) << "value " << i;
    EXPECT_EQ(firstRun[5], 0.0f);
}

TEST_F(RunFall, ButtonStackKeepsItsLastSlotWhenFull)
{
    videPileBoutons(playerRun);
    for (int i = 0; i < 300; i++) empileBouton(playerRun, i % 6);
    EXPECT_EQ(playerRun.trickKeys.indexPileBouton, taillePreBuffer - 1);
    prepareBufferBoutons(playerRun);
    for (int i = 0; i < 6; i++) EXPECT_EQ(playerRun.trickKeys.bufferBoutons[i], i);
    videPileBoutons(playerRun);
    prepareBufferBoutons(playerRun);
    EXPECT_EQ(thereIsTrickButtonsPressed(playerRun), 0);
}
