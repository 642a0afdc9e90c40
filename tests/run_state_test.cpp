#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "run/runState.h"
#include "screens/nameEntry.h"
#include "support/planeTrack.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

// Leaves a run in the state of a finished, crashed, rescued run with tricks under way.
static void dirtyRun() {
    LETSGO = 1; DEPART = 1; animDepartFini = 1; totalTime = 42.0f; firstTemps = 900.0f;
    Xobjet = 70000.0f; Zobjet = -300.0f; vitessePrecedente = -1200.0f; bufferJump = 20.0f;
    freinage = 250.0f; skieurStop = 1; skieurArrive = 1; rotSkierY = 89.0f; rotSkierX = 30.0f;
    rotSkierZ = -40.0f; rotSkierYAvantSaut = 7.0f; amplitudeRotationY = 12.0f; amplitudeRotationZ = 9.0f;
    changementContact = 1; reception = 1; phaseUnReceptionTermine = 1; decollageAutomatique = 1;
    sautDroite = sautGauche = sautDevant = sautDerriere = 1; fakie = 1; wasFakieBeforeJump = 1;
    changementFakieSolRight = changementFakieSolLeft = 1; inHalfPipe = inInterieurHalfPipe = 1;
    rotSkierYAvantSautHalfPipe = 7; angleFaceCour = 12.0f; chute = 1; rotationChute = 270.0f;
    tempsChute = 2.0f; sensRotationChute = -1.0f; askForRescue = 1; endOfRescue = 0; replacement = 1;
    animationFigureFinie = animationFigureFinieSJ = 0; deroulementFigure = deroulementFigureSJ = 1;
    figureEnCours = 1; deroulementFreinage = 1; derniereRotYAvtSaut = 5.0f; Ytemp = 3.0f;
    totalCollectable = 4; totalScore = 12345; bufferScoreJump = 500; finalScore = 999; figScore = 3000;
    vuScores = 0; rank = 3;
}

TEST(RunState, ResetLeavesNothingOfThePreviousRun) {
    dirtyRun();
    reinitGameVar();
    EXPECT_EQ(0, LETSGO + DEPART + animDepartFini);
    EXPECT_FLOAT_EQ(0.0f, totalTime + firstTemps);
    EXPECT_FLOAT_EQ(500.0f, Xobjet);
    EXPECT_FLOAT_EQ(0.0f, Zobjet);
    EXPECT_FLOAT_EQ(Yobjet + 100.0f, YavantSaut);
    EXPECT_FLOAT_EQ(0.0f, vitessePrecedente);
    EXPECT_FLOAT_EQ(5000.0f, vitesseMax);
    EXPECT_FLOAT_EQ(10.0f, bufferJump);
    EXPECT_FLOAT_EQ(0.0f, freinage);
    EXPECT_EQ(0, skieurStop + skieurArrive);
    EXPECT_FLOAT_EQ(0.0f, rotSkierY);
    EXPECT_FLOAT_EQ(0.0f, rotSkierX);
    EXPECT_FLOAT_EQ(0.0f, rotSkierZ);
    EXPECT_FLOAT_EQ(0.0f, rotSkierYAvantSaut);
    EXPECT_FLOAT_EQ(0.0f, amplitudeRotationY + amplitudeRotationZ);
    EXPECT_EQ(0, changementContact + reception + phaseUnReceptionTermine + decollageAutomatique);
    EXPECT_EQ(0, sautDroite + sautGauche + sautDevant + sautDerriere);
    EXPECT_EQ(0, fakie + wasFakieBeforeJump + changementFakieSolRight + changementFakieSolLeft);
    EXPECT_EQ(0, inHalfPipe + inInterieurHalfPipe + rotSkierYAvantSautHalfPipe);
    EXPECT_EQ(0, chute);
    EXPECT_FLOAT_EQ(0.0f, rotationChute + tempsChute + angleFaceCour);
    EXPECT_FLOAT_EQ(1.0f, sensRotationChute);
    EXPECT_EQ(0, askForRescue + replacement);
    EXPECT_EQ(1, endOfRescue);
    EXPECT_EQ(1, animationFigureFinie);
    EXPECT_EQ(1, animationFigureFinieSJ);
    EXPECT_EQ(0, deroulementFigure + deroulementFigureSJ + figureEnCours + deroulementFreinage);
    EXPECT_FLOAT_EQ(0.0f, derniereRotYAvtSaut + Ytemp);
    EXPECT_EQ(0, totalCollectable + totalScore + bufferScoreJump + finalScore);
    EXPECT_EQ(1000, figScore);
    EXPECT_EQ(1, vuScores);
    EXPECT_EQ(-1, rank);
}

// A run left in the air must not hand its flight to the next one (a recorded run rides again the same
// only from the same start); the measured frame rate is the display's and outlives it.
TEST(RunState, FrameRateOutlivesTheResetAndALeftFlightDoesNot) {
    frameps = 37.0f;
    amplitudeRotationX = 6.0f;
    sautLincolnLoopDroite = 1;
    rotYSautAccepte = 0;
    rotFakieSolRight = 90.0f;
    reinitGameVar();
    EXPECT_FLOAT_EQ(37.0f, frameps);
    EXPECT_FLOAT_EQ(0.0f, amplitudeRotationX);
    EXPECT_EQ(0, sautLincolnLoopDroite);
    EXPECT_EQ(1, rotYSautAccepte);
    EXPECT_FLOAT_EQ(0.0f, rotFakieSolRight);
    frameps = 1.0f;
}

TEST(RunState, ResetClearsTheTrackSideOfTheRunAndStandsOnThePreviousTrack) {
    // before the first run the track is all zero: the rider stands at height 0
    memset(points, 0, sizeof points);
    memset(faces, 0, sizeof faces);
    reinitGameVar();
    EXPECT_FLOAT_EQ(0.0f, Yobjet);
    EXPECT_FLOAT_EQ(100.0f, YavantSaut);

    buildPlaneTrack(false);
    depart = 3000.0f;
    arrivee = 90000.0f;
    riderState.collision.indiceDernierCollectable = riderState.collision.indiceDerniereBombe = 7;
    riderState.collision.usingYRail = riderState.collision.lastUsingYRail = 1;
    riderState.collision.xPrecCol = riderState.collision.yPrecCol = riderState.collision.zPrecCol = 12345.0f;
    setContact(0);
    acceleration = 800.0f;
    diffTemps = 3.0;
    reinitGameVar();
    EXPECT_FLOAT_EQ(0.0f, depart + arrivee);
    EXPECT_EQ(-1, riderState.collision.indiceDernierCollectable);
    EXPECT_EQ(-1, riderState.collision.indiceDerniereBombe);
    EXPECT_EQ(0, riderState.collision.usingYRail + riderState.collision.lastUsingYRail);
    EXPECT_EQ(1, getContact());
    EXPECT_FLOAT_EQ(500.0f, getXobjet_inc());
    EXPECT_NEAR(planeTrackHeight(500.0f, 0.0f), Yobjet, 0.5f);
    ASSERT_GE(numFaceCour, 0);
    ASSERT_LT(numFaceCour, maxTrackFaces);
    const float* p0 = points[faces[numFaceCour][0]];
    const float* p1 = points[faces[numFaceCour][1]];
    const float* p2 = points[faces[numFaceCour][2]];
    EXPECT_LE(std::fmin(p0[0], std::fmin(p1[0], p2[0])), 500.0f) << "numFaceCour is not under (500, 0)";
    EXPECT_GE(std::fmax(p0[0], std::fmax(p1[0], p2[0])), 500.0f) << "numFaceCour is not under (500, 0)";
    EXPECT_FLOAT_EQ(Xobjet, riderState.collision.xPrecCol);
    EXPECT_FLOAT_EQ(Yobjet, riderState.collision.yPrecCol);
    EXPECT_FLOAT_EQ(Zobjet, riderState.collision.zPrecCol);
    // a standing rider of the next run does not inherit the slope, nor a stale countdown frame
    EXPECT_FLOAT_EQ(0.0f, acceleration);
    EXPECT_DOUBLE_EQ(0.0, diffTemps);
}
