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


static void resetTimingAndMotion(RunState& r) {
    r.timing.LETSGO = 0;
    r.timing.DEPART = 0;
    r.timing.animDepartFini = 0;
    r.timing.tempsCourant = 0;
    r.timing.firstTemps = 0.0f;
    r.timing.totalTime = 0.0f;
    r.timing.runTicks = 0;
    r.motion.Xobjet = startX;
    r.motion.Zobjet = startZ;
    r.motion.distanceX_Parcourue = 0.0f;
    r.motion.vitessePrecedente = 0.0f;
    // Carried over, these made a run differ from the one before it: a standing rider slid off with
    // the last run's slope, the first crest launched with whatever vertical speed was left (none at
    // all in the first run), the countdown began with the last frame's duration. Every run now starts
    // as after a landing.
    r.motion.acceleration = 0.0f;
    r.motion.velocity = 12000.0f;
    r.timing.diffTemps = 0.0;
    r.motion.vitesseMax = 5000.0f;
    r.motion.bufferJump = emptyJumpCharge;
    r.motion.freinage = 0.0f;
    r.motion.skieurStop = 0;
    r.motion.skieurArrive = 0;
    r.motion.flightOverLine = 0;
}

// A run left in the air (ESC after a jump, a finish before touch-down) must not hand its flight to the
// next one: a recorded run re-rides the same only if every run starts from the same state.
static void resetFlightCarryOver(RunState& r) {
    r.orientation.amplitudeRotationX = 0.0f;
    r.phases.sautLincolnLoopDroite = r.phases.sautLincolnLoopGauche = 0;
    r.phases.rotYSautAccepte = 1;
    r.phases.rotFakieSolRight = r.phases.rotFakieSolLeft = 0.0f;
    r.orientation.frontVectorBeforeJump[0] = 1.0f, r.orientation.frontVectorBeforeJump[1] = r.orientation.frontVectorBeforeJump[2] = 0.0f;
}

static void resetOrientation(RunState& r) {
    r.orientation.rotSkierY = r.orientation.rotSkierX = r.orientation.rotSkierZ = 0.0f;
    r.orientation.rotSkierYAvantSaut = 0.0f;
    r.orientation.amplitudeRotationY = r.orientation.amplitudeRotationZ = 0.0f;
    resetFlightCarryOver(r);
}

static void resetPhases(RunState& r) {
    r.phases.changementContact = 0;
    r.phases.reception = r.phases.phaseUnReceptionTermine = 0;
    r.phases.decollageAutomatique = 0;
    r.phases.sautDroite = r.phases.sautGauche = r.phases.sautDevant = r.phases.sautDerriere = 0;
    r.phases.fakie = 0;
    r.phases.wasFakieBeforeJump = 0;
    r.phases.changementFakieSolRight = r.phases.changementFakieSolLeft = 0;
    r.phases.inHalfPipe = r.phases.inInterieurHalfPipe = 0;
    r.phases.rotSkierYAvantSautHalfPipe = 0;
    r.phases.angleFaceCour = 0.0f;
    r.phases.chute = 0;
    r.phases.rotationChute = r.phases.tempsChute = 0.0f;
    r.phases.sensRotationChute = 1.0f;
    r.phases.askForRescue = 0;
    r.phases.endOfRescue = 1;
    r.phases.replacement = 0;
    r.phases.putBackTicks = 0;  // a run left during the fade must not shorten the next one's
}

static void resetTricksAndScores(RunState& r) {
    r.tricks.animationFigureFinie = r.tricks.animationFigureFinieSJ = 1;
    r.tricks.deroulementFigure = r.tricks.deroulementFigureSJ = r.tricks.figureEnCours = 0;
    r.tricks.deroulementFreinage = 0;
    r.tricks.derniereRotYAvtSaut = r.tricks.Ytemp = 0.0f;
    r.scores.totalCollectable = 0;
    r.scores.totalScore = 0;
    r.scores.bufferScoreJump = 0;
    r.scores.finalScore = 0;
    r.scores.figScore = 1000;
    resetAirPoses(r);
    r.scores.vuScores = 1;
    r.scores.rank = -1;
    r.phases.sprayDrift = 0.0f;
    resetRescueFlight(r);
    clearRunEvents(r);
    emitRunEvent(r, RUN_EV_SPRAY_STOP);
}

static void resetTrackPlacement(RunState& r, TrackModel& lineClearedByReset) {
    // No line until a track is placed (the track's own start and finish come back with its next load).
    lineClearedByReset.depart = lineClearedByReset.arrivee = 0.0f;
    const TrackModel& track = lineClearedByReset;
    setXobjet_inc(r, startX);
    setContact(r, 1);
    // Still the previous track (all zero before the first run): placeSkierAtStart places the rider properly.
    r.motion.Yobjet = yTheoObjSettingFaceNumber(r.rider.ground, track.points, track.faces, startX, startZ, (float)maxTrackFaces, 1);
    // The empty track of the first run is flat at height 0, not a plane through three equal points.
    if (!std::isfinite(r.motion.Yobjet)) r.motion.Yobjet = 0.0f;
    r.phases.numFaceCour = getNumeroFaceCourante(r);
    r.motion.YavantSaut = r.motion.Yobjet + airHeightAboveGround;
    reinitCollisionSweep(r, r.motion.Xobjet, r.motion.Yobjet, r.motion.Zobjet);
}

void reinitGameVar(RunState& run, TrackModel& lineClearedByReset) {
    // Nothing of the last run's contact, jump, landing, poles or sweeps is carried into this one.
    run.rider = RiderState{};
    resetTimingAndMotion(run);
    resetOrientation(run);
    resetPhases(run);
    resetTricksAndScores(run);
    resetRunFeedback(run);
    resetTrackPlacement(run, lineClearedByReset);
    clearRecording(&run.recording);
    resetRunInput(run);
}
