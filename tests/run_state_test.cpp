#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "run/runState.h"
#include "shell/playerRun.h"
#include "screens/nameEntry.h"
#include "support/planeTrack.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

// Leaves a run in the state of a finished, crashed, rescued run with tricks under way.
static void dirtyRun() {
    playerRun.timing.LETSGO = 1; playerRun.timing.DEPART = 1; playerRun.timing.animDepartFini = 1; playerRun.timing.totalTime = 42.0f; playerRun.timing.firstTemps = 900.0f;
    playerRun.motion.Xobjet = 70000.0f; playerRun.motion.Zobjet = -300.0f; playerRun.motion.vitessePrecedente = -1200.0f; playerRun.motion.bufferJump = 20.0f;
    playerRun.motion.freinage = 250.0f; playerRun.motion.skieurStop = 1; playerRun.motion.skieurArrive = 1; playerRun.orientation.rotSkierY = 89.0f; playerRun.orientation.rotSkierX = 30.0f;
    playerRun.orientation.rotSkierZ = -40.0f; playerRun.orientation.rotSkierYAvantSaut = 7.0f; playerRun.orientation.amplitudeRotationY = 12.0f; playerRun.orientation.amplitudeRotationZ = 9.0f;
    playerRun.phases.changementContact = 1; playerRun.phases.reception = 1; playerRun.phases.phaseUnReceptionTermine = 1; playerRun.phases.decollageAutomatique = 1;
    playerRun.phases.sautDroite = playerRun.phases.sautGauche = playerRun.phases.sautDevant = playerRun.phases.sautDerriere = 1; playerRun.phases.fakie = 1; playerRun.phases.wasFakieBeforeJump = 1;
    playerRun.phases.changementFakieSolRight = playerRun.phases.changementFakieSolLeft = 1; playerRun.phases.inHalfPipe = playerRun.phases.inInterieurHalfPipe = 1;
    playerRun.phases.rotSkierYAvantSautHalfPipe = 7; playerRun.phases.angleFaceCour = 12.0f; playerRun.phases.chute = 1; playerRun.phases.rotationChute = 270.0f;
    playerRun.phases.tempsChute = 2.0f; playerRun.phases.sensRotationChute = -1.0f; playerRun.phases.askForRescue = 1; playerRun.phases.endOfRescue = 0; playerRun.phases.replacement = 1;
    playerRun.tricks.animationFigureFinie = playerRun.tricks.animationFigureFinieSJ = 0; playerRun.tricks.deroulementFigure = playerRun.tricks.deroulementFigureSJ = 1;
    playerRun.tricks.figureEnCours = 1; playerRun.tricks.deroulementFreinage = 1; playerRun.tricks.derniereRotYAvtSaut = 5.0f; playerRun.tricks.Ytemp = 3.0f;
    playerRun.scores.totalCollectable = 4; playerRun.scores.totalScore = 12345; playerRun.scores.bufferScoreJump = 500; playerRun.scores.finalScore = 999; playerRun.scores.figScore = 3000;
    playerRun.scores.vuScores = 0; playerRun.scores.rank = 3;
}

TEST(RunState, ResetLeavesNothingOfThePreviousRun) {
    dirtyRun();
    reinitGameVar(playerRun, loadedTrack);
    EXPECT_EQ(0, playerRun.timing.LETSGO + playerRun.timing.DEPART + playerRun.timing.animDepartFini);
    EXPECT_FLOAT_EQ(0.0f, playerRun.timing.totalTime + playerRun.timing.firstTemps);
    EXPECT_FLOAT_EQ(500.0f, playerRun.motion.Xobjet);
    EXPECT_FLOAT_EQ(0.0f, playerRun.motion.Zobjet);
    EXPECT_FLOAT_EQ(playerRun.motion.Yobjet + 100.0f, playerRun.motion.YavantSaut);
    EXPECT_FLOAT_EQ(0.0f, playerRun.motion.vitessePrecedente);
    EXPECT_FLOAT_EQ(5000.0f, playerRun.motion.vitesseMax);
    EXPECT_FLOAT_EQ(10.0f, playerRun.motion.bufferJump);
    EXPECT_FLOAT_EQ(0.0f, playerRun.motion.freinage);
    EXPECT_EQ(0, playerRun.motion.skieurStop + playerRun.motion.skieurArrive);
    EXPECT_FLOAT_EQ(0.0f, playerRun.orientation.rotSkierY);
    EXPECT_FLOAT_EQ(0.0f, playerRun.orientation.rotSkierX);
    EXPECT_FLOAT_EQ(0.0f, playerRun.orientation.rotSkierZ);
    EXPECT_FLOAT_EQ(0.0f, playerRun.orientation.rotSkierYAvantSaut);
    EXPECT_FLOAT_EQ(0.0f, playerRun.orientation.amplitudeRotationY + playerRun.orientation.amplitudeRotationZ);
    EXPECT_EQ(0, playerRun.phases.changementContact + playerRun.phases.reception + playerRun.phases.phaseUnReceptionTermine + playerRun.phases.decollageAutomatique);
    EXPECT_EQ(0, playerRun.phases.sautDroite + playerRun.phases.sautGauche + playerRun.phases.sautDevant + playerRun.phases.sautDerriere);
    EXPECT_EQ(0, playerRun.phases.fakie + playerRun.phases.wasFakieBeforeJump + playerRun.phases.changementFakieSolRight + playerRun.phases.changementFakieSolLeft);
    EXPECT_EQ(0, playerRun.phases.inHalfPipe + playerRun.phases.inInterieurHalfPipe + playerRun.phases.rotSkierYAvantSautHalfPipe);
    EXPECT_EQ(0, playerRun.phases.chute);
    EXPECT_FLOAT_EQ(0.0f, playerRun.phases.rotationChute + playerRun.phases.tempsChute + playerRun.phases.angleFaceCour);
    EXPECT_FLOAT_EQ(1.0f, playerRun.phases.sensRotationChute);
    EXPECT_EQ(0, playerRun.phases.askForRescue + playerRun.phases.replacement);
    EXPECT_EQ(1, playerRun.phases.endOfRescue);
    EXPECT_EQ(1, playerRun.tricks.animationFigureFinie);
    EXPECT_EQ(1, playerRun.tricks.animationFigureFinieSJ);
    EXPECT_EQ(0, playerRun.tricks.deroulementFigure + playerRun.tricks.deroulementFigureSJ + playerRun.tricks.figureEnCours + playerRun.tricks.deroulementFreinage);
    EXPECT_FLOAT_EQ(0.0f, playerRun.tricks.derniereRotYAvtSaut + playerRun.tricks.Ytemp);
    EXPECT_EQ(0, playerRun.scores.totalCollectable + playerRun.scores.totalScore + playerRun.scores.bufferScoreJump + playerRun.scores.finalScore);
    EXPECT_EQ(1000, playerRun.scores.figScore);
    EXPECT_EQ(1, playerRun.scores.vuScores);
    EXPECT_EQ(-1, playerRun.scores.rank);
}

// A run left in the air must not hand its flight to the next one (a recorded run rides again the same
// only from the same start); the measured frame rate is the display's and outlives it.
TEST(RunState, FrameRateOutlivesTheResetAndALeftFlightDoesNot) {
    playerRun.timing.frameps = 37.0f;
    playerRun.orientation.amplitudeRotationX = 6.0f;
    playerRun.phases.sautLincolnLoopDroite = 1;
    playerRun.phases.rotYSautAccepte = 0;
    playerRun.phases.rotFakieSolRight = 90.0f;
    reinitGameVar(playerRun, loadedTrack);
    EXPECT_FLOAT_EQ(37.0f, playerRun.timing.frameps);
    EXPECT_FLOAT_EQ(0.0f, playerRun.orientation.amplitudeRotationX);
    EXPECT_EQ(0, playerRun.phases.sautLincolnLoopDroite);
    EXPECT_EQ(1, playerRun.phases.rotYSautAccepte);
    EXPECT_FLOAT_EQ(0.0f, playerRun.phases.rotFakieSolRight);
    playerRun.timing.frameps = 1.0f;
}

TEST(RunState, ResetClearsTheTrackSideOfTheRunAndStandsOnThePreviousTrack) {
    TrackModel& track = loadedTrack;
    // before the first run the track is all zero: the rider stands at height 0
    memset(track.points, 0, sizeof track.points);
    memset(track.faces, 0, sizeof track.faces);
    reinitGameVar(playerRun, loadedTrack);
    EXPECT_FLOAT_EQ(0.0f, playerRun.motion.Yobjet);
    EXPECT_FLOAT_EQ(100.0f, playerRun.motion.YavantSaut);

    buildPlaneTrack(false);
    track.depart = 3000.0f;
    track.arrivee = 90000.0f;
    playerRun.rider.collision.indiceDernierCollectable = playerRun.rider.collision.indiceDerniereBombe = 7;
    playerRun.rider.collision.usingYRail = playerRun.rider.collision.lastUsingYRail = 1;
    playerRun.rider.collision.xPrecCol = playerRun.rider.collision.yPrecCol = playerRun.rider.collision.zPrecCol = 12345.0f;
    setContact(playerRun, 0);
    playerRun.motion.acceleration = 800.0f;
    playerRun.timing.diffTemps = 3.0;
    reinitGameVar(playerRun, loadedTrack);
    EXPECT_FLOAT_EQ(0.0f, track.depart + track.arrivee);
    EXPECT_EQ(-1, playerRun.rider.collision.indiceDernierCollectable);
    EXPECT_EQ(-1, playerRun.rider.collision.indiceDerniereBombe);
    EXPECT_EQ(0, playerRun.rider.collision.usingYRail + playerRun.rider.collision.lastUsingYRail);
    EXPECT_EQ(1, getContact(playerRun));
    EXPECT_FLOAT_EQ(500.0f, getXobjet_inc(playerRun));
    EXPECT_NEAR(planeTrackHeight(500.0f, 0.0f), playerRun.motion.Yobjet, 0.5f);
    ASSERT_GE(playerRun.phases.numFaceCour, 0);
    ASSERT_LT(playerRun.phases.numFaceCour, maxTrackFaces);
    const float* p0 = track.points[track.faces[playerRun.phases.numFaceCour][0]];
    const float* p1 = track.points[track.faces[playerRun.phases.numFaceCour][1]];
    const float* p2 = track.points[track.faces[playerRun.phases.numFaceCour][2]];
    EXPECT_LE(std::fmin(p0[0], std::fmin(p1[0], p2[0])), 500.0f) << "numFaceCour is not under (500, 0)";
    EXPECT_GE(std::fmax(p0[0], std::fmax(p1[0], p2[0])), 500.0f) << "numFaceCour is not under (500, 0)";
    EXPECT_FLOAT_EQ(playerRun.motion.Xobjet, playerRun.rider.collision.xPrecCol);
    EXPECT_FLOAT_EQ(playerRun.motion.Yobjet, playerRun.rider.collision.yPrecCol);
    EXPECT_FLOAT_EQ(playerRun.motion.Zobjet, playerRun.rider.collision.zPrecCol);
    // a standing rider of the next run does not inherit the slope, nor a stale countdown frame
    EXPECT_FLOAT_EQ(0.0f, playerRun.motion.acceleration);
    EXPECT_DOUBLE_EQ(0.0, playerRun.timing.diffTemps);
}
