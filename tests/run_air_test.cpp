#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "render/fallMessage.h"
#include "run/fall.h"
#include "run/physics.h"
#include "run/runFeedback.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTick.h"
#include "run/trickInput.h"
#include "screens/choixPiste.h"
#include "skier/positionDef.h"
#include "support/autopilot.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const int fps = 20;
static const float flatY = 100.0f;

static void setRowHeight(int row, float y)
{
    TrackModel& track = loadedTrack;
    for (int j = 0; j <= largeurPisteEnFaces; j++) track.points[row * (largeurPisteEnFaces + 1) + j][1] = y;
}

class RunAir : public ::testing::Test {
protected:
    SkiPosition saved[nbPositionsMax];
    void SetUp() override
    {
        memcpy(saved, getPositionsDispo(), sizeof saved);
        for (int i = 0; i < nbPositionsMax; i++)
            for (int& b : getPositionsDispo()[i].boutons) b = -2;
        SkiPosition& grab = getPositionsDispo()[0];
        grab.score = 1000;
        strcpy(grab.name, "Mute_Grab");
        int buttons[6] = {0, -1, -1, -1, -1, -1};
        memcpy(grab.boutons, buttons, sizeof buttons);
        memcpy(grab.position, builtInPoses.oneGrabPosition, sizeof grab.position);
        pilotInstallKeys();
        applyLevelTolerances(0);
    }
    void TearDown() override
    {
        memcpy(getPositionsDispo(), saved, sizeof saved);
        applyLevelTolerances(0);
        pilotReleaseKeys();
        runTickSeconds = 1.0 / runTicksPerSecond;
    }
    static PilotKeys keys(bool PilotKeys::*k = nullptr)
    {
        PilotKeys p;
        if (k) p.*k = true;
        return p;
    }
    // Charges the jump fully on a flat track and leaves the ground at a speed that gives a long flight.
    void longJump()
    {
        pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
        pilotStart(fps);
        for (int i = 0; i < 12; i++) pilotFrame(fps, keys(&PilotKeys::space));
        ASSERT_FLOAT_EQ(playerRun.motion.bufferJump, 20.0f);
        playerRun.motion.vitessePrecedente = 5900.0f;
        pilotFrame(fps, keys());
        ASSERT_EQ(getContact(playerRun), 0);
        ASSERT_EQ(playerRun.phases.rotYSautAccepte, 0);
    }
    // Rides with the given keys until touch-down, calling inAir before each airborne frame.
    int rideToLanding(const PilotKeys& held, void (*inAir)() = nullptr)
    {
        int n = 0;
        for (; n < 400 && getContact(playerRun) == 0; n++) {
            if (inAir) inAir();
            pilotFrame(fps, held);
        }
        return n;
    }
};

TEST_F(RunAir, KickerLaunchesWithoutTheJumpKey)
{
    const TrackModel& track = loadedTrack;
    pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
    // a 30-degree ramp, then the same drop: the lip of a kicker
    setRowHeight(11, flatY + 972.0f);
    pilotStart(fps);
    int launched = -1;
    for (int i = 0; i < 200 && launched < 0; i++) {
        pilotFrame(fps, keys(&PilotKeys::up));
        if (getContact(playerRun) == 0) launched = i;
    }
    ASSERT_GE(launched, 0) << "no take-off, rider at X " << playerRun.motion.Xobjet;
    EXPECT_EQ(playerRun.phases.decollageAutomatique, 1);
    EXPECT_GT(playerRun.motion.Xobjet, 11 * longueurFace);
    pilotFrame(fps, keys());
    EXPECT_GT(playerRun.motion.Yobjet, yTheoObj(track.points, track.faces, playerRun.motion.Xobjet, playerRun.motion.Zobjet, maxTrackFaces) + 10.0f) << "the rider is not flying";
}

TEST_F(RunAir, JumpChargeSetsTheTakeOffSpeed)
{
    // a long 10-degree ramp: a full charge leaves it at 25000
    pilotPlaneRun(true, 20 * longueurFace, 150 * longueurFace);
    for (int r = 0; r <= 60; r++) setRowHeight(r, flatY + r * 297.0f);
    placeSkierAtStart(playerRun, loadedTrack, pilotClock());
    pilotStart(fps);
    for (int i = 0; i < 12; i++) pilotFrame(fps, keys(&PilotKeys::space));
    pilotFrame(fps, keys());
    ASSERT_EQ(getContact(playerRun), 0);
    EXPECT_NEAR(playerRun.motion.velocity + std::fabs(6000.0f - playerRun.motion.vitessePrecedente), 25000.0f, 1.0f);

    // on flat snow a full charge gives 10000
    pilotInstallKeys();
    pilotPlaneRun(true, 20 * longueurFace, 150 * longueurFace);
    pilotStart(fps);
    for (int i = 0; i < 12; i++) pilotFrame(fps, keys(&PilotKeys::space));
    pilotFrame(fps, keys());
    ASSERT_EQ(getContact(playerRun), 0);
    EXPECT_NEAR(playerRun.motion.velocity + std::fabs(6000.0f - playerRun.motion.vitessePrecedente), 10000.0f, 1.0f);

    // an empty charge hops: back on the snow in the frame it left it
    for (int i = 0; i < 40 && getContact(playerRun) == 0; i++) pilotFrame(fps, keys());
    for (int i = 0; i < 30; i++) pilotFrame(fps, keys());
    playerRun.motion.bufferJump = 9.0f;
    pilotFrame(fps, keys(&PilotKeys::space));
    ASSERT_FLOAT_EQ(playerRun.motion.bufferJump, 10.0f);
    pilotFrame(fps, keys());
    EXPECT_EQ(getContact(playerRun), 1);
    EXPECT_EQ(playerRun.phases.changementContact, 1) << "the hop did not leave the ground";
}

// A landing empties the charge; it refills a third past empty (where every jump after a landing
// started at 60 frames a second) and a held key charges on from there, at any tick length.
TEST_F(RunAir, ALandedChargeRefillsAThirdPastEmptyAtEveryTickLength)
{
    for (int ticksPerSecond : {runTicksPerSecond, 2 * runTicksPerSecond}) {
        runTickSeconds = 1.0 / ticksPerSecond;
        pilotPlaneRun(true, 20 * longueurFace, 150 * longueurFace);
        pilotStart(fps);
        for (int i = 0; i < 20; i++) pilotFrame(fps, keys());
        EXPECT_FLOAT_EQ(playerRun.motion.bufferJump, 10.0f) << "a run starts on an empty charge, not a refilled one";
        playerRun.motion.bufferJump = 0.0f;  // as touch-down leaves it
        for (int i = 0; i < 20; i++) pilotFrame(fps, keys());
        EXPECT_FLOAT_EQ(playerRun.motion.bufferJump, 10.0f + 1.0f / 3) << ticksPerSecond;
        for (int i = 0; i < 8; i++) pilotFrame(fps, keys(&PilotKeys::space));
        EXPECT_NEAR(playerRun.motion.bufferJump, 18.0f + 1.0f / 3, 1e-3f) << ticksPerSecond;
        for (int i = 0; i < 8; i++) pilotFrame(fps, keys(&PilotKeys::space));
        EXPECT_FLOAT_EQ(playerRun.motion.bufferJump, 20.0f) << ticksPerSecond;
    }
}

TEST_F(RunAir, TrickHeldHalfASecondBanksItsPointsOnACleanLanding)
{
    longJump();
    for (int i = 0; i < 10; i++) pilotFrame(fps, keys());
    PilotKeys grab;
    grab.trick[0] = true;
    for (int i = 0; i < 10; i++) pilotFrame(fps, grab);
    ASSERT_EQ(getContact(playerRun), 0);
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 500);
    EXPECT_EQ(playerRun.scores.totalScore, 0) << "points banked before landing";
    char line[64];
    runFeedbackLine(playerRun, line, sizeof line);
    EXPECT_STREQ(line, "Mute Grab"); // the pose held, named as its file names it
    rideToLanding(keys());
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.scores.totalScore, 500);
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0);
    runFeedbackLine(playerRun, line, sizeof line);
    EXPECT_STREQ(line, "Landed +500");
    for (int i = 0; i < 50; i++) pilotFrame(fps, keys()); // two and a half seconds on
    runFeedbackLine(playerRun, line, sizeof line);
    EXPECT_STREQ(line, "");
}

TEST_F(RunAir, TrickKeysHeldAtTouchDownFallAndLoseThePoints)
{
    longJump();
    PilotKeys grab;
    grab.trick[0] = true;
    rideToLanding(grab);
    EXPECT_EQ(playerRun.phases.chute, 1);
    EXPECT_EQ(playerRun.scores.totalScore, 0);
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0);
    char line[64];
    runFeedbackLine(playerRun, line, sizeof line);
    EXPECT_STREQ(line, ("Crashed: " + std::to_string(playerRun.told.runFeedback.points) + " lost").c_str());
    EXPECT_GT(playerRun.told.runFeedback.points, 0);
    FallMessage m;
    ASSERT_EQ(fallMessage(m), 1); // the band says why instead
    EXPECT_STREQ(m.reason, "Still holding a trick at touch-down");
    EXPECT_STREQ(m.action, (std::to_string(playerRun.told.runFeedback.points) + " points lost").c_str());
}

TEST_F(RunAir, UnknownCombinationGivesTheGrabAtTenPointsASecond)
{
    longJump();
    PilotKeys combo;
    combo.trick[1] = combo.trick[3] = true;
    pilotFrame(fps, combo);
    EXPECT_EQ(playerRun.trickKeys.bufferBoutons[0], 1);
    EXPECT_EQ(playerRun.trickKeys.bufferBoutons[1], 3);
    EXPECT_EQ(playerRun.trickKeys.bufferBoutons[2], -1);
    EXPECT_EQ(playerRun.scores.figScore, 10);
    EXPECT_EQ(recherchePosition(playerRun), -1);
    int buttons[6] = {1, 3, -1, -1, -1, -1};
    memcpy(getPositionsDispo()[5].boutons, buttons, sizeof buttons);
    memcpy(getPositionsDispo()[9].boutons, buttons, sizeof buttons);
    EXPECT_EQ(recherchePosition(playerRun), 5) << "the lower slot wins";
}

static void leanSideways() { playerRun.orientation.rotSkierX = 30.0f; }
static void faceBackwards() { playerRun.orientation.rotSkierY = 180.0f; }

TEST_F(RunAir, SidewaysLandingFallsOnHiAndLandsOnWiz)
{
    applyLevelTolerances(3);
    longJump();
    rideToLanding(keys(), leanSideways);
    EXPECT_EQ(playerRun.phases.chute, 1) << "a 30-degree side lean passed the 20-degree tolerance";
    EXPECT_EQ(playerRun.told.fallCause.reason, fallBadLanding);
    EXPECT_GE(playerRun.told.fallCause.degreesOff, 28);
    EXPECT_LE(playerRun.told.fallCause.degreesOff, 32);
    FallMessage m;
    ASSERT_EQ(fallMessage(m), 1);
    EXPECT_EQ(std::string(m.reason), "Bad landing: " + std::to_string(playerRun.told.fallCause.degreesOff) + "\x7f off");

    pilotInstallKeys();
    applyLevelTolerances(0);
    longJump();
    rideToLanding(keys(), leanSideways);
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.orientation.rotSkierX, 0.0f);
}

TEST_F(RunAir, LandingBackwardsSwitchesFakie)
{
    longJump();
    ASSERT_EQ(playerRun.phases.fakie, 0);
    rideToLanding(keys(), faceBackwards);
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.phases.fakie, 1);
    EXPECT_LE(std::fabs(playerRun.orientation.rotSkierY), 90.0f);
}

TEST_F(RunAir, SpinsAreLockedToTheirFirstDirectionAndCapped)
{
    longJump();
    for (int i = 0; i < 5; i++) pilotFrame(fps, keys(&PilotKeys::right));
    float spin = playerRun.orientation.amplitudeRotationY;
    EXPECT_GT(spin, 0.0f);
    EXPECT_EQ(playerRun.phases.sautDroite, 1);
    pilotFrame(fps, keys(&PilotKeys::left));
    EXPECT_EQ(playerRun.orientation.amplitudeRotationY, 0.0f) << "releasing right stops the spin";
    pilotFrame(fps, keys(&PilotKeys::left));
    EXPECT_EQ(playerRun.orientation.amplitudeRotationY, 0.0f) << "the opposite direction is locked";
    // flips forward, then the rate is capped at 540 / frameps
    pilotFrame(fps, keys(&PilotKeys::up));
    EXPECT_LT(playerRun.orientation.amplitudeRotationZ, 0.0f);
    EXPECT_EQ(playerRun.phases.sautDevant, 1);
    for (int i = 0; i < 5 && getContact(playerRun) == 0; i++) {
        playerRun.orientation.amplitudeRotationZ = -26.9f;
        pilotFrame(fps, keys(&PilotKeys::up));
        EXPECT_GT(playerRun.orientation.amplitudeRotationZ, -27.0f);
    }
    ASSERT_EQ(getContact(playerRun), 0);
    pilotFrame(fps, keys(&PilotKeys::down));
    pilotFrame(fps, keys(&PilotKeys::down));
    EXPECT_EQ(playerRun.orientation.amplitudeRotationZ, 0.0f) << "a backflip after a front flip in the same jump";
}

TEST_F(RunAir, RotationPointsGrowWithTheSpinRate)
{
    longJump();
    playerRun.orientation.amplitudeRotationY = 2.0f;
    int before = playerRun.scores.bufferScoreJump;
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.scores.bufferScoreJump - before, 500);
    playerRun.orientation.amplitudeRotationY = 0.0f;
    playerRun.orientation.amplitudeRotationX = 2.0f;
    before = playerRun.scores.bufferScoreJump;
    pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.scores.bufferScoreJump - before, 1000) << "side flips count double";
    // a stalled clock gives a huge frame: the points saturate instead of wrapping
    addJumpPoints(playerRun, 1e12);
    EXPECT_EQ(playerRun.scores.bufferScoreJump, INT_MAX);
}

// Steering at touch-down cuts the landing poses short; the clean landing's points still count.
TEST_F(RunAir, SteeredCleanLandingBanksItsPoints)
{
    PilotKeys grab;
    grab.trick[0] = true;
    longJump();
    for (int i = 0; i < 10; i++) pilotFrame(fps, grab);
    int flight = rideToLanding(keys());
    // The same jump again (the pilot's clock makes it frame for frame the same), steering only on
    // the frame that touches down.
    pilotInstallKeys();
    longJump();
    for (int i = 0; i < 10; i++) pilotFrame(fps, grab);
    ASSERT_EQ(playerRun.scores.bufferScoreJump, 500);
    for (int i = 0; i < flight - 1; i++) pilotFrame(fps, keys());
    ASSERT_EQ(getContact(playerRun), 0);
    pilotFrame(fps, keys(&PilotKeys::right));
    ASSERT_EQ(getContact(playerRun), 1);
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.phases.changementContact, 0) << "the steered landing was not cut short";
    EXPECT_GE(playerRun.scores.totalScore, 500); // with the last frame's spin points
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0);
}

// A jump over the finish line with the trick held across it: the rider lets go after the line, comes
// down and lands as anywhere else, and the jump's points are banked before the score is final.
TEST_F(RunAir, FinishCrossedInTheAirLandsAndBanksAfterTheLine)
{
    TrackModel& track = loadedTrack;
    longJump();
    track.arrivee = playerRun.motion.Xobjet + 2 * longueurFace;
    PilotKeys grab;
    grab.trick[0] = true;
    for (int i = 0; i < 30 && !playerRun.motion.skieurArrive; i++) pilotFrame(fps, grab);
    ASSERT_EQ(playerRun.motion.skieurArrive, 1);
    ASSERT_EQ(getContact(playerRun), 0) << "the line was not crossed in the air";
    pilotFrame(fps, grab);
    int held = playerRun.scores.bufferScoreJump;
    int frames = rideToLanding(keys());
    EXPECT_LT(frames, 400) << "the rider never came down";
    EXPECT_EQ(playerRun.phases.chute, 0) << "letting go after the line was not seen";
    EXPECT_EQ(playerRun.scores.totalScore, held);
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0);
}

// A jump that starts after the line scores nothing: a crest beyond it throws the rider, the trick key
// and the steering keys held in the air do nothing, the landing banks nothing and the time stays at the line.
TEST_F(RunAir, AJumpAfterTheFinishLineScoresNothing)
{
    TrackModel& track = loadedTrack;
    pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
    for (int r = 12; r <= 60; r++) setRowHeight(r, flatY - (r - 11) * 1800.0f); // a 47-degree crest at row 11
    track.arrivee = 9 * longueurFace;
    pilotStart(fps);
    for (int i = 0; i < 400 && !playerRun.motion.skieurArrive; i++) pilotFrame(fps, keys(&PilotKeys::up));
    ASSERT_EQ(playerRun.motion.skieurArrive, 1);
    ASSERT_EQ(getContact(playerRun), 1) << "the line was crossed in the air";
    float timeAtLine = playerRun.timing.totalTime;
    int scoreAtLine = playerRun.scores.totalScore;
    playerRun.motion.vitessePrecedente = 5900.0f; // fast enough over the line to reach the crest while braking
    PilotKeys trickAndSpin;
    trickAndSpin.trick[0] = true;
    trickAndSpin.left = true;
    int launched = -1;
    for (int i = 0; i < 200 && launched < 0; i++) {
        pilotFrame(fps, keys());
        if (getContact(playerRun) == 0) launched = i;
    }
    ASSERT_GE(launched, 0) << "the crest after the line threw nobody, rider at X " << playerRun.motion.Xobjet;
    float headingInAir = playerRun.orientation.rotSkierY;
    for (int i = 0; i < 3; i++) pilotFrame(fps, trickAndSpin);
    ASSERT_EQ(getContact(playerRun), 0) << "the flight after the line was too short to test";
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0) << "points gathered in a flight after the line";
    EXPECT_EQ(playerRun.orientation.rotSkierY, headingInAir) << "the rider was spun after the line";
    EXPECT_LT(rideToLanding(keys()), 400) << "the rider never came down";
    for (int i = 0; i < 10; i++) pilotFrame(fps, keys());
    EXPECT_EQ(playerRun.scores.totalScore, scoreAtLine);
    EXPECT_EQ(playerRun.scores.bufferScoreJump, 0);
    EXPECT_EQ(playerRun.timing.totalTime, timeAtLine);
}

// 3, 2, 1 through the start second, then Go, then nothing.
TEST_F(RunAir, CountdownShowsThreeTwoOneGo)
{
    pilotPlaneRun(true, 4 * longueurFace, 150 * longueurFace);
    char text[8];
    countdownLine(playerRun, text, sizeof text);
    EXPECT_STREQ(text, "") << "before the jump key";
    std::string seen;
    pilotFrame(fps, keys(&PilotKeys::space));
    for (int i = 0; i < 40; i++) {
        countdownLine(playerRun, text, sizeof text);
        if (text[0] && (seen.empty() || seen.back() != text[0])) seen += text[0];
        pilotFrame(fps, keys());
    }
    EXPECT_EQ(seen, "321G");
    EXPECT_EQ(playerRun.timing.DEPART, 1);
    countdownLine(playerRun, text, sizeof text);
    EXPECT_STREQ(text, "");
}
