#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "run/physics.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runFeedback.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "support/autopilot.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const int fps = 20;

class RunSurface : public ::testing::Test {
protected:
    void SetUp() override
    {
        pilotInstallKeys();
        pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
        pilotStart(fps);
    }
    void TearDown() override
    {
        TrackModel& track = loadedTrack;
        memset(track.textures, 0, sizeof(track.textures));
        pilotReleaseKeys();
    }
    static void paint(int surface)
    {
        for (TexData& t : loadedTrack.textures) t.surface = surface;
    }
    static PilotKeys keys(bool PilotKeys::*k = nullptr)
    {
        PilotKeys p;
        if (k) p.*k = true;
        return p;
    }
};

TEST_F(RunSurface, BoosterMultipliesEveryFrameAndRepellingSendsBack)
{
    const int tickRate = 60;  // one tick a frame
    const float drag = 10.0f / 3;
    playerRun.motion.vitessePrecedente = 2000.0f;
    paint(surfaceBooster);
    pilotFrame(tickRate, keys());
    float first = playerRun.motion.vitessePrecedente;
    pilotFrame(tickRate, keys());
    // each tick: the booster's 10 %, then the drag
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, first * 1.1f - drag, 1.0f);
    paint(surfaceRepousse);
    float x = playerRun.motion.Xobjet;
    pilotFrame(tickRate, keys());
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, -1000.0f + drag, 0.01f) << "-1000, then the tick's drag";
    paint(surfaceNeige);
    for (int i = 0; i < 3; i++) pilotFrame(fps, keys());
    EXPECT_LT(playerRun.motion.Xobjet, x) << "the rider does not slide back up";
}

TEST_F(RunSurface, ABoosterSoundsOnEntryAndAgainWhenTheNextRunStartsOnOne)
{
    TrackModel& track = loadedTrack;
    paint(surfaceBooster);
    clearRunEvents(playerRun);
    for (int i = 0; i < 3; i++) pilotFrame(fps, keys());
    EXPECT_EQ(pilotEventCount(RUN_EV_BOOST), 1) << "once on entry, not every frame on it";
    float start = track.depart, finish = track.arrivee;
    pilotNewRun();
    track.depart = start, track.arrivee = finish;
    placeSkierAtStart(playerRun, loadedTrack, pilotClock());
    pilotStart(fps);
    EXPECT_EQ(pilotEventCount(RUN_EV_BOOST), 1) << "the new run's own entry";
    clearRunEvents(playerRun);
}

TEST_F(RunSurface, HalfPipeWallsMarkTheTakeOffHeadingAndTheFloorClearsIt)
{
    paint(surfaceHalfPipeDroite);
    playerRun.orientation.rotSkierY = 12.5f;
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.inHalfPipe, 1);
    EXPECT_EQ(playerRun.phases.inInterieurHalfPipe, 0);
    EXPECT_EQ(playerRun.orientation.rotSkierYAvantSaut, 7.0f);
    EXPECT_EQ(playerRun.phases.rotSkierYAvantSautHalfPipe, 12);
    paint(surfaceHalfPipeGauche);
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.orientation.rotSkierYAvantSaut, -7.0f);
    paint(surfaceHalfPipeFond);
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.inHalfPipe, 1);
    EXPECT_EQ(playerRun.phases.inInterieurHalfPipe, 1);
    paint(surfaceNeige);
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.inHalfPipe, 0);
}

TEST_F(RunSurface, OutOfBoundsPutsTheRiderBackOnARescuePoint)
{
    TrackModel& track = loadedTrack;
    track.replaceSkier[0][0] = 2 * longueurFace;
    track.replaceSkier[0][1] = 100.0f;
    track.replaceSkier[0][2] = 0.0f;
    playerRun.motion.Zobjet = 20000.0f;
    playerRun.motion.vitessePrecedente = 2000.0f;
    paint(surfaceHorsPiste);
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.motion.Xobjet, 2 * longueurFace);
    EXPECT_EQ(playerRun.motion.Zobjet, 0.0f);
    EXPECT_EQ(playerRun.phases.replacement, 1);
    char line[64];
    runFeedbackLine(playerRun, line, sizeof line);
    EXPECT_STREQ(line, "Out of the course: put back on the track");
}

TEST_F(RunSurface, ZStaysOnTheTrackWidth)
{
    for (int i = 0; i < 600; i++) {
        playerRun.motion.vitessePrecedente = 3500.0f;
        playerRun.orientation.rotSkierY = 80.0f;
        pilotFrame(fps, keys());
    }
    EXPECT_FLOAT_EQ(playerRun.motion.Zobjet, 36.0f * largeurFace);
}

TEST_F(RunSurface, GroundHalfTurnSwitchesFakieBothWays)
{
    playerRun.motion.vitessePrecedente = 2000.0f;
    PilotKeys turn;
    turn.down = turn.right = true;
    pilotFrame(fps, turn);
    EXPECT_EQ(playerRun.phases.changementFakieSolRight, 1);
    pilotFrame(fps, turn);
    EXPECT_EQ(playerRun.motion.freinage, 0.0f) << "a half-turn under way does not brake";
    for (int i = 0; i < 10 && playerRun.phases.changementFakieSolRight; i++) pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.fakie, 1);
    EXPECT_EQ(playerRun.phases.rotFakieSolRight, 0.0f);
    turn.right = false;
    turn.left = true;
    pilotFrame(fps, turn);
    EXPECT_EQ(playerRun.phases.changementFakieSolLeft, 1);
    for (int i = 0; i < 10 && playerRun.phases.changementFakieSolLeft; i++) pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.phases.fakie, 0);
    EXPECT_EQ(playerRun.phases.sensRotationChute, 1.0f);
}

TEST_F(RunSurface, SkierVectorsFollowTheRotations)
{
    playerRun.orientation.rotSkierY = 30.0f;
    playerRun.orientation.rotSkierX = playerRun.orientation.rotSkierZ = 0.0f;
    computeSkierVectors(playerRun);
    EXPECT_NEAR(playerRun.orientation.skierFrontVector[0], std::cos(30 * 0.0174550532f), 0.01f);
    EXPECT_NEAR(playerRun.orientation.skierFrontVector[2], 0.5f, 0.01f);
    EXPECT_NEAR(playerRun.orientation.skierNormaleVector[1], 1.0f, 0.001f);
    playerRun.orientation.rotSkierY = 0.0f;
    playerRun.orientation.rotSkierX = 30.0f;
    computeSkierVectors(playerRun);
    EXPECT_NEAR(playerRun.orientation.skierNormaleVector[1], std::cos(30 * 0.0174550532f), 0.01f);
    EXPECT_NEAR(std::fabs(playerRun.orientation.skierNormaleVector[2]), 0.5f, 0.01f);
    EXPECT_NEAR(playerRun.orientation.skierFrontVector[0], 1.0f, 0.001f);
    playerRun.orientation.rotSkierX = 0.0f;
}
