// Takes the frame's input record and the track; runs one frame of the run in frame order.
#include "run/runFrame.h"
#include "run/runFeedback.h"

#include <cmath>

#include "core/ThreeDPoint.h"
#include "core/graphicLib.h"
#include "run/controls.h"
#include "run/fall.h"
#include "run/ghostRun.h"
#include "run/landing.h"
#include "run/newton.h"
#include "run/physics.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float countdownSeconds = 1.0f;
static const float countdownQuarter = 0.25f;
static const float pitchFollowPerSecond = 240.0f;  // the displayed pitch follows the slope at most so fast
static const float afterFinishBrake = 200.0f;
static const float fallBrake = 250.0f;

void setChute(RunState& run, short fall)
{
    if (fall) {
        run.phases.chute = 1;
        run.motion.freinage = fallBrake;
        run.phases.rotationChute = 0.0f;
        run.phases.tempsChute = 0.0f;
    } else {
        run.phases.chute = 0;
    }
}

void placeSkierAtStart(RunState& run, const TrackModel& track, long nowMs)
{
    setXobjet_inc(run, track.depart);
    run.motion.Xobjet = track.depart;
    run.motion.Xprec = getXobjet_inc(run) - 1.0f;
    setAncienContact(run, 1);
    setContact(run, 1);
    run.timing.tempsDepart = (int)nowMs;
    startRunTicker(runTicker, nowMs);
    run.orientation.angleCourant = run.orientation.angleDePlacementEffectif =
        placeObjetAndGetAngle(run.rider.ground, track.points, track.faces, run.motion.Xobjet, run.motion.Zobjet, (float)maxTrackFaces, run.orientation.rotSkierY, run.orientation.faceUpVector);
    run.motion.Yobjet = getYobjetCour(run);
    // The first crest is measured from the start's own slope, not from the last track's triangle.
    run.phases.numFaceCour = getNumeroFaceCourante(run);
    run.phases.angleFaceCour = run.orientation.angleCourant;
    reinitCollisionSweep(run, run.motion.Xobjet, run.motion.Yobjet, run.motion.Zobjet);
    changePosition(run.pose, builtInPoses.reposPosition);
}

// Both vectors live on the stack: nothing to release.
void computeSkierVectors(RunState& run)
{
    float up[3], front[3];
    getVectorBassinSkier(up);
    getVectorFrontSkier(front);
    ThreeDPoint n(up), f(front);
    applyRotationToPoint(&n, run.orientation.rotSkierX, 0, 0);
    applyRotationToPoint(&n, 0, 0, -run.orientation.rotSkierZ);
    applyRotationToPoint(&n, 0, -run.orientation.rotSkierY, 0);
    applyRotationToPoint(&f, run.orientation.rotSkierX, 0, 0);
    applyRotationToPoint(&f, 0, 0, -run.orientation.rotSkierZ);
    applyRotationToPoint(&f, 0, -run.orientation.rotSkierY, 0);
    n.toVec(run.orientation.skierNormaleVector);
    f.toVec(run.orientation.skierFrontVector);
}

static void skinRider(RunState& run)
{
    majRotationsBones(run.pose, riddenModel());
    transformSkier(run, riddenModel(), run.orientation.angleDePlacementEffectif, run.orientation.rotSkierY);
}

static void startWhenJumpPressed(RunState& run)
{
    if (!run.timing.LETSGO && !run.timing.DEPART && runHeld(run, RB_JUMP)) {
        run.timing.LETSGO = 1;
        run.timing.tempsDepart = (int)runClock(run);
    }
}

static void countdownPoses(RiderPose& pose, double t)
{
    const float q = countdownQuarter;
    if (t < q) animPositionActu(pose, builtInPoses.okPosition1, (float)(t / q * 100));
    else if (t > q && t < 2 * q) animPositionActu(pose, builtInPoses.okPosition2, (float)((t - q) / q * 100));
    else if (t > 2 * q && t < 3 * q) animPositionActu(pose, builtInPoses.reposPosition, (float)((t - 2 * q) / q * 100));
    else if (t > 3 * q && t < countdownSeconds) animPositionActu(pose, builtInPoses.normalPosition, (float)((t - 3 * q) / q * 100));
}

static void countdown(RunState& run)
{
    if (run.timing.LETSGO != 1) return;
    countdownPoses(run.pose, run.timing.diffTemps);
    if (run.timing.diffTemps > countdownSeconds) run.timing.animDepartFini = 1;
    if (!run.timing.animDepartFini) {
        run.timing.tempsCourant = (int)runClock(run);
        run.timing.diffTemps = (run.timing.tempsCourant - run.timing.tempsDepart) * 0.001;
    } else {
        run.timing.LETSGO = 0;
        run.timing.DEPART = 1;
        run.timing.tempsDepart = (int)runClock(run);
        run.timing.firstTemps = (float)runClock(run);
    }
}

static void finishLine(RunState& run, const TrackModel& track)
{
    if (run.motion.Xobjet > track.arrivee && !run.motion.skieurArrive) {
        run.motion.skieurArrive = 1;
        run.scores.vuScores = 0;
        run.motion.flightOverLine = getContact(run) == 0;
    }
}

// A rider who crosses the line in the air keeps the air controls until touch-down, so that a trick
// let go after the line is seen and the jump lands (and banks) as anywhere else. A flight that starts
// after the line (a crest, a kicker beyond it) is not steered.
static void controlsOrStandBy(RunState& run, TrackModel& groundRaisedByBomb)
{
    short racing = !run.motion.skieurArrive || (getContact(run) == 0 && run.motion.flightOverLine);
    if (run.timing.DEPART == 1 && racing && !run.phases.chute) {
        runControls(run, groundRaisedByBomb);
    } else if (run.motion.skieurArrive && getContact(run) == 1) {
        run.motion.freinage = afterFinishBrake;
    } else if (run.phases.chute) {
        run.rider.collision.xPrecCol = run.motion.Xobjet;
        run.rider.collision.yPrecCol = run.motion.Yobjet;
        run.rider.collision.zPrecCol = run.motion.Zobjet;
    }
}

// Every tick of a started run is one tick long: the run's time is counted in ticks, never read off a clock.
static void timeStep(RunState& run)
{
    run.timing.tempsCourant = (int)runClock(run);
    run.timing.diffTemps = runTickSeconds;
    run.timing.tempsDepart = run.timing.tempsCourant;
}

// The body pitch trails the slope; the take-off's speed reads it (physics), the drawing shows it.
static void followBodyPitch(RunState& run)
{
    const float pitchFollowStep = (float)(pitchFollowPerSecond * runTickSeconds);
    if (run.phases.reception == 1) {
        run.orientation.angleDePlacementEffectif = run.orientation.angleCourant;
    } else if (run.orientation.angleDePlacementEffectif < run.orientation.angleCourant) {
        run.orientation.angleDePlacementEffectif += pitchFollowStep;
        if (run.orientation.angleDePlacementEffectif > run.orientation.angleCourant) run.orientation.angleDePlacementEffectif = run.orientation.angleCourant;
    } else if (run.orientation.angleDePlacementEffectif > run.orientation.angleCourant) {
        run.orientation.angleDePlacementEffectif -= pitchFollowStep;
        if (run.orientation.angleDePlacementEffectif < run.orientation.angleCourant) run.orientation.angleDePlacementEffectif = run.orientation.angleCourant;
    }
}

static float wholeDegrees(float a) { return fmodf(truncf(a), 360.0f); }

static void riderOrientation(RunState& run)
{
    run.orientation.angleCourant = wholeDegrees(run.orientation.angleCourant);
    run.orientation.angleDePlacementEffectif = wholeDegrees(run.orientation.angleDePlacementEffectif);
    run.phases.sensRotationChute = run.phases.fakie ? -1.0f : 1.0f;
}

static void runningTime(RunState& run)
{
    if (run.motion.skieurArrive) return;
    run.timing.totalTime = run.timing.DEPART == 1 ? (float)(run.timing.runTicks * runTickSeconds) : 0.0f;
    if (run.timing.DEPART == 1) run.timing.runTicks++;
}

void simulateGameFrame(RunState& run, TrackModel& groundRaisedByBomb, const RunInput& in)
{
    const TrackModel& track = groundRaisedByBomb;
    setRunInput(run, in);
    run.timing.frameps = in.frameps;
    noteAirRates(run);
    startWhenJumpPressed(run);
    countdown(run);
    finishLine(run, track);
    run.motion.skieurStop = fabsf(run.motion.vitessePrecedente) < stoppedSpeed;
    controlsOrStandBy(run, groundRaisedByBomb);
    if (run.timing.DEPART == 1) {
        rescueRequest(run);
        timeStep(run);
        ageRunFeedback(run, run.timing.diffTemps);
        groundPhysics(run, track);
        run.motion.Xobjet = getXobjet_inc(run);
        run.motion.Yobjet = getYobjetCour(run);
        if (!run.phases.chute && getContact(run) == 1) handleDecollage(run, getNumeroFaceCourante(run), run.orientation.angleCourant);
        computeSkierVectors(run);
        manualTakeOff(run);
        airPoseSteps(run);
        airPhase(run, track);
        landingSequence(run);
        bankJumpPoints(run);
        groundAnimations(run);
    }
    followBodyPitch(run);
    // A fallen rider is skinned once, in the fall pose of this frame.
    if (!run.phases.chute) skinRider(run);
    riderOrientation(run);
    if (run.phases.chute) {
        fallStep(run);
        skinRider(run);
    }
    rescueProgress(run, track);
    replacementFade(run);
    runningTime(run);
    recordRiderFrame(run);
}
