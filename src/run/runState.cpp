// A run state in, started afresh for a run out.
#include "run/runState.h"

#include "run/runFeedback.h"

#include <cmath>

#include "run/ghostRun.h"
#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runInput.h"
#include "run/trickInput.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float startX = 500.0f;
static const float startZ = 0.0f;
static const float emptyJumpCharge = 10.0f;
static const float airHeightAboveGround = 100.0f;

RunState* tickRun = nullptr;

static void resetTimingAndMotion() {
    tickRun->timing.LETSGO = 0;
    tickRun->timing.DEPART = 0;
    tickRun->timing.animDepartFini = 0;
    tickRun->timing.tempsCourant = 0;
    tickRun->timing.firstTemps = 0.0f;
    tickRun->timing.totalTime = 0.0f;
    tickRun->timing.runTicks = 0;
    tickRun->motion.Xobjet = startX;
    tickRun->motion.Zobjet = startZ;
    tickRun->motion.distanceX_Parcourue = 0.0f;
    tickRun->motion.vitessePrecedente = 0.0f;
    // Carried over, these made a run differ from the one before it: a standing rider slid off with
    // the last run's slope, the first crest launched with whatever vertical speed was left (none at
    // all in the first run), the countdown began with the last frame's duration. Every run now starts
    // as after a landing.
    tickRun->motion.acceleration = 0.0f;
    tickRun->motion.velocity = 12000.0f;
    tickRun->timing.diffTemps = 0.0;
    tickRun->motion.vitesseMax = 5000.0f;
    tickRun->motion.bufferJump = emptyJumpCharge;
    tickRun->motion.freinage = 0.0f;
    tickRun->motion.skieurStop = 0;
    tickRun->motion.skieurArrive = 0;
    tickRun->motion.flightOverLine = 0;
}

// A run left in the air (ESC after a jump, a finish before touch-down) must not hand its flight to the
// next one: a recorded run re-rides the same only if every run starts from the same state.
static void resetFlightCarryOver() {
    tickRun->orientation.amplitudeRotationX = 0.0f;
    tickRun->phases.sautLincolnLoopDroite = tickRun->phases.sautLincolnLoopGauche = 0;
    tickRun->phases.rotYSautAccepte = 1;
    tickRun->phases.rotFakieSolRight = tickRun->phases.rotFakieSolLeft = 0.0f;
    tickRun->orientation.frontVectorBeforeJump[0] = 1.0f, tickRun->orientation.frontVectorBeforeJump[1] = tickRun->orientation.frontVectorBeforeJump[2] = 0.0f;
}

static void resetOrientation() {
    tickRun->orientation.rotSkierY = tickRun->orientation.rotSkierX = tickRun->orientation.rotSkierZ = 0.0f;
    tickRun->orientation.rotSkierYAvantSaut = 0.0f;
    tickRun->orientation.amplitudeRotationY = tickRun->orientation.amplitudeRotationZ = 0.0f;
    resetFlightCarryOver();
}

static void resetPhases() {
    tickRun->phases.changementContact = 0;
    tickRun->phases.reception = tickRun->phases.phaseUnReceptionTermine = 0;
    tickRun->phases.decollageAutomatique = 0;
    tickRun->phases.sautDroite = tickRun->phases.sautGauche = tickRun->phases.sautDevant = tickRun->phases.sautDerriere = 0;
    tickRun->phases.fakie = 0;
    tickRun->phases.wasFakieBeforeJump = 0;
    tickRun->phases.changementFakieSolRight = tickRun->phases.changementFakieSolLeft = 0;
    tickRun->phases.inHalfPipe = tickRun->phases.inInterieurHalfPipe = 0;
    tickRun->phases.rotSkierYAvantSautHalfPipe = 0;
    tickRun->phases.angleFaceCour = 0.0f;
    tickRun->phases.chute = 0;
    tickRun->phases.rotationChute = tickRun->phases.tempsChute = 0.0f;
    tickRun->phases.sensRotationChute = 1.0f;
    tickRun->phases.askForRescue = 0;
    tickRun->phases.endOfRescue = 1;
    tickRun->phases.replacement = 0;
    tickRun->phases.putBackTicks = 0;  // a run left during the fade must not shorten the next one's
}

static void resetTricksAndScores() {
    tickRun->tricks.animationFigureFinie = tickRun->tricks.animationFigureFinieSJ = 1;
    tickRun->tricks.deroulementFigure = tickRun->tricks.deroulementFigureSJ = tickRun->tricks.figureEnCours = 0;
    tickRun->tricks.deroulementFreinage = 0;
    tickRun->tricks.derniereRotYAvtSaut = tickRun->tricks.Ytemp = 0.0f;
    tickRun->scores.totalCollectable = 0;
    tickRun->scores.totalScore = 0;
    tickRun->scores.bufferScoreJump = 0;
    tickRun->scores.finalScore = 0;
    tickRun->scores.figScore = 1000;
    resetAirPoses();
    tickRun->scores.vuScores = 1;
    tickRun->scores.rank = -1;
    tickRun->phases.sprayDrift = 0.0f;
    resetRescueFlight();
    clearRunEvents();
    emitRunEvent(RUN_EV_SPRAY_STOP);
}

static void resetTrackPlacement() {
    depart = arrivee = 0.0f;
    setXobjet_inc(startX);
    setContact(1);
    // Still the previous track (all zero before the first run): placeSkierAtStart places the rider properly.
    tickRun->motion.Yobjet = yTheoObjSettingFaceNumber(points, faces, startX, startZ, (float)maxTrackFaces, 1);
    // The empty track of the first run is flat at height 0, not a plane through three equal points.
    if (!std::isfinite(tickRun->motion.Yobjet)) tickRun->motion.Yobjet = 0.0f;
    tickRun->phases.numFaceCour = getNumeroFaceCourante();
    tickRun->motion.YavantSaut = tickRun->motion.Yobjet + airHeightAboveGround;
    reinitCollisionSweep(tickRun->motion.Xobjet, tickRun->motion.Yobjet, tickRun->motion.Zobjet);
}

void reinitGameVar(RunState& run) {
    RunContext in(run);
    // Nothing of the last run's contact, jump, landing, poles or sweeps is carried into this one.
    run.rider = RiderState{};
    resetTimingAndMotion();
    resetOrientation();
    resetPhases();
    resetTricksAndScores();
    resetRunFeedback();
    resetTrackPlacement();
    clearRecording(&tickRun->recording);
    resetRunInput();
}
