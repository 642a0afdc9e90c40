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

void setChute(short fall)
{
    if (fall) {
        tickRun->phases.chute = 1;
        tickRun->motion.freinage = fallBrake;
        tickRun->phases.rotationChute = 0.0f;
        tickRun->phases.tempsChute = 0.0f;
    } else {
        tickRun->phases.chute = 0;
    }
}

void placeSkierAtStart(RunState& run, long nowMs)
{
    RunContext in(run);
    const TrackModel& track = loadedTrack;
    setXobjet_inc(track.depart);
    tickRun->motion.Xobjet = track.depart;
    tickRun->motion.Xprec = getXobjet_inc() - 1.0f;
    setAncienContact(1);
    setContact(1);
    tickRun->timing.tempsDepart = (int)nowMs;
    startRunTicker(runTicker, nowMs);
    tickRun->orientation.angleCourant = tickRun->orientation.angleDePlacementEffectif =
        placeObjetAndGetAngle(track.points, track.faces, tickRun->motion.Xobjet, tickRun->motion.Zobjet, (float)maxTrackFaces, tickRun->orientation.rotSkierY, tickRun->orientation.faceUpVector);
    tickRun->motion.Yobjet = getYobjetCour();
    // The first crest is measured from the start's own slope, not from the last track's triangle.
    tickRun->phases.numFaceCour = getNumeroFaceCourante();
    tickRun->phases.angleFaceCour = tickRun->orientation.angleCourant;
    reinitCollisionSweep(tickRun->motion.Xobjet, tickRun->motion.Yobjet, tickRun->motion.Zobjet);
    changePosition(builtInPoses.reposPosition);
}

// Both vectors live on the stack: nothing to release.
void computeSkierVectors()
{
    float up[3], front[3];
    getVectorBassinSkier(up);
    getVectorFrontSkier(front);
    ThreeDPoint n(up), f(front);
    applyRotationToPoint(&n, tickRun->orientation.rotSkierX, 0, 0);
    applyRotationToPoint(&n, 0, 0, -tickRun->orientation.rotSkierZ);
    applyRotationToPoint(&n, 0, -tickRun->orientation.rotSkierY, 0);
    applyRotationToPoint(&f, tickRun->orientation.rotSkierX, 0, 0);
    applyRotationToPoint(&f, 0, 0, -tickRun->orientation.rotSkierZ);
    applyRotationToPoint(&f, 0, -tickRun->orientation.rotSkierY, 0);
    n.toVec(tickRun->orientation.skierNormaleVector);
    f.toVec(tickRun->orientation.skierFrontVector);
}

static void skinRider()
{
    majRotationsBones(riddenModel());
    transformSkier(riddenModel(), tickRun->orientation.angleDePlacementEffectif, tickRun->orientation.rotSkierY);
}

static void startWhenJumpPressed()
{
    if (!tickRun->timing.LETSGO && !tickRun->timing.DEPART && runHeld(RB_JUMP)) {
        tickRun->timing.LETSGO = 1;
        tickRun->timing.tempsDepart = (int)runClock();
    }
}

static void countdownPoses(double t)
{
    const float q = countdownQuarter;
    if (t < q) animPositionActu(builtInPoses.okPosition1, (float)(t / q * 100));
    else if (t > q && t < 2 * q) animPositionActu(builtInPoses.okPosition2, (float)((t - q) / q * 100));
    else if (t > 2 * q && t < 3 * q) animPositionActu(builtInPoses.reposPosition, (float)((t - 2 * q) / q * 100));
    else if (t > 3 * q && t < countdownSeconds) animPositionActu(builtInPoses.normalPosition, (float)((t - 3 * q) / q * 100));
}

static void countdown()
{
    if (tickRun->timing.LETSGO != 1) return;
    countdownPoses(tickRun->timing.diffTemps);
    if (tickRun->timing.diffTemps > countdownSeconds) tickRun->timing.animDepartFini = 1;
    if (!tickRun->timing.animDepartFini) {
        tickRun->timing.tempsCourant = (int)runClock();
        tickRun->timing.diffTemps = (tickRun->timing.tempsCourant - tickRun->timing.tempsDepart) * 0.001;
    } else {
        tickRun->timing.LETSGO = 0;
        tickRun->timing.DEPART = 1;
        tickRun->timing.tempsDepart = (int)runClock();
        tickRun->timing.firstTemps = (float)runClock();
    }
}

static void finishLine()
{
    const TrackModel& track = loadedTrack;
    if (tickRun->motion.Xobjet > track.arrivee && !tickRun->motion.skieurArrive) {
        tickRun->motion.skieurArrive = 1;
        tickRun->scores.vuScores = 0;
        tickRun->motion.flightOverLine = getContact() == 0;
    }
}

// A rider who crosses the line in the air keeps the air controls until touch-down, so that a trick
// let go after the line is seen and the jump lands (and banks) as anywhere else. A flight that starts
// after the line (a crest, a kicker beyond it) is not steered.
static void controlsOrStandBy()
{
    short racing = !tickRun->motion.skieurArrive || (getContact() == 0 && tickRun->motion.flightOverLine);
    if (tickRun->timing.DEPART == 1 && racing && !tickRun->phases.chute) {
        runControls();
    } else if (tickRun->motion.skieurArrive && getContact() == 1) {
        tickRun->motion.freinage = afterFinishBrake;
    } else if (tickRun->phases.chute) {
        tickRun->rider.collision.xPrecCol = tickRun->motion.Xobjet;
        tickRun->rider.collision.yPrecCol = tickRun->motion.Yobjet;
        tickRun->rider.collision.zPrecCol = tickRun->motion.Zobjet;
    }
}

// Every tick of a started run is one tick long: the run's time is counted in ticks, never read off a clock.
static void timeStep()
{
    tickRun->timing.tempsCourant = (int)runClock();
    tickRun->timing.diffTemps = runTickSeconds;
    tickRun->timing.tempsDepart = tickRun->timing.tempsCourant;
}

// The body pitch trails the slope; the take-off's speed reads it (physics), the drawing shows it.
static void followBodyPitch()
{
    const float pitchFollowStep = (float)(pitchFollowPerSecond * runTickSeconds);
    if (tickRun->phases.reception == 1) {
        tickRun->orientation.angleDePlacementEffectif = tickRun->orientation.angleCourant;
    } else if (tickRun->orientation.angleDePlacementEffectif < tickRun->orientation.angleCourant) {
        tickRun->orientation.angleDePlacementEffectif += pitchFollowStep;
        if (tickRun->orientation.angleDePlacementEffectif > tickRun->orientation.angleCourant) tickRun->orientation.angleDePlacementEffectif = tickRun->orientation.angleCourant;
    } else if (tickRun->orientation.angleDePlacementEffectif > tickRun->orientation.angleCourant) {
        tickRun->orientation.angleDePlacementEffectif -= pitchFollowStep;
        if (tickRun->orientation.angleDePlacementEffectif < tickRun->orientation.angleCourant) tickRun->orientation.angleDePlacementEffectif = tickRun->orientation.angleCourant;
    }
}

static float wholeDegrees(float a) { return fmodf(truncf(a), 360.0f); }

static void riderOrientation()
{
    tickRun->orientation.angleCourant = wholeDegrees(tickRun->orientation.angleCourant);
    tickRun->orientation.angleDePlacementEffectif = wholeDegrees(tickRun->orientation.angleDePlacementEffectif);
    tickRun->phases.sensRotationChute = tickRun->phases.fakie ? -1.0f : 1.0f;
}

static void runningTime()
{
    if (tickRun->motion.skieurArrive) return;
    tickRun->timing.totalTime = tickRun->timing.DEPART == 1 ? (float)(tickRun->timing.runTicks * runTickSeconds) : 0.0f;
    if (tickRun->timing.DEPART == 1) tickRun->timing.runTicks++;
}

void simulateGameFrame(RunState& run, const RunInput& in)
{
    RunContext stepped(run);
    setRunInput(in);
    tickRun->timing.frameps = in.frameps;
    noteAirRates();
    startWhenJumpPressed();
    countdown();
    finishLine();
    tickRun->motion.skieurStop = fabsf(tickRun->motion.vitessePrecedente) < stoppedSpeed;
    controlsOrStandBy();
    if (tickRun->timing.DEPART == 1) {
        rescueRequest();
        timeStep();
        ageRunFeedback(tickRun->timing.diffTemps);
        groundPhysics();
        tickRun->motion.Xobjet = getXobjet_inc();
        tickRun->motion.Yobjet = getYobjetCour();
        if (!tickRun->phases.chute && getContact() == 1) handleDecollage(getNumeroFaceCourante(), tickRun->orientation.angleCourant);
        computeSkierVectors();
        manualTakeOff();
        airPoseSteps();
        airPhase();
        landingSequence();
        bankJumpPoints();
        groundAnimations();
    }
    followBodyPitch();
    // A fallen rider is skinned once, in the fall pose of this frame.
    if (!tickRun->phases.chute) skinRider();
    riderOrientation();
    if (tickRun->phases.chute) {
        fallStep();
        skinRider();
    }
    rescueProgress();
    replacementFade();
    runningTime();
    recordRiderFrame();
}
