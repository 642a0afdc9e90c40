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
        chute = 1;
        freinage = fallBrake;
        rotationChute = 0.0f;
        tempsChute = 0.0f;
    } else {
        chute = 0;
    }
}

void placeSkierAtStart(long nowMs)
{
    setXobjet_inc(depart);
    Xobjet = depart;
    Xprec = getXobjet_inc() - 1.0f;
    setAncienContact(1);
    setContact(1);
    tempsDepart = (int)nowMs;
    startRunTicker(runTicker, nowMs);
    angleCourant = angleDePlacementEffectif =
        placeObjetAndGetAngle(points, faces, Xobjet, Zobjet, (float)maxTrackFaces, rotSkierY, faceUpVector);
    Yobjet = getYobjetCour();
    // The first crest is measured from the start's own slope, not from the last track's triangle.
    numFaceCour = getNumeroFaceCourante();
    angleFaceCour = angleCourant;
    reinitCollisionSweep(Xobjet, Yobjet, Zobjet);
    changePosition(reposPosition);
}

// Both vectors live on the stack: nothing to release.
void computeSkierVectors()
{
    float up[3], front[3];
    getVectorBassinSkier(up);
    getVectorFrontSkier(front);
    ThreeDPoint n(up), f(front);
    applyRotationToPoint(&n, rotSkierX, 0, 0);
    applyRotationToPoint(&n, 0, 0, -rotSkierZ);
    applyRotationToPoint(&n, 0, -rotSkierY, 0);
    applyRotationToPoint(&f, rotSkierX, 0, 0);
    applyRotationToPoint(&f, 0, 0, -rotSkierZ);
    applyRotationToPoint(&f, 0, -rotSkierY, 0);
    n.toVec(skierNormaleVector);
    f.toVec(skierFrontVector);
}

static void skinRider()
{
    majRotationsBones();
    transformSkier(angleDePlacementEffectif, rotSkierY);
}

static void startWhenJumpPressed()
{
    if (!LETSGO && !DEPART && runHeld(RB_JUMP)) {
        LETSGO = 1;
        tempsDepart = (int)runClock();
    }
}

static void countdownPoses(double t)
{
    const float q = countdownQuarter;
    if (t < q) animPositionActu(okPosition1, (float)(t / q * 100));
    else if (t > q && t < 2 * q) animPositionActu(okPosition2, (float)((t - q) / q * 100));
    else if (t > 2 * q && t < 3 * q) animPositionActu(reposPosition, (float)((t - 2 * q) / q * 100));
    else if (t > 3 * q && t < countdownSeconds) animPositionActu(normalPosition, (float)((t - 3 * q) / q * 100));
}

static void countdown()
{
    if (LETSGO != 1) return;
    countdownPoses(diffTemps);
    if (diffTemps > countdownSeconds) animDepartFini = 1;
    if (!animDepartFini) {
        tempsCourant = (int)runClock();
        diffTemps = (tempsCourant - tempsDepart) * 0.001;
    } else {
        LETSGO = 0;
        DEPART = 1;
        tempsDepart = (int)runClock();
        firstTemps = (float)runClock();
    }
}

static void finishLine()
{
    if (Xobjet > arrivee && !skieurArrive) {
        skieurArrive = 1;
        vuScores = 0;
        flightOverLine = getContact() == 0;
    }
}

// A rider who crosses the line in the air keeps the air controls until touch-down, so that a trick
// let go after the line is seen and the jump lands (and banks) as anywhere else. A flight that starts
// after the line (a crest, a kicker beyond it) is not steered.
static void controlsOrStandBy()
{
    short racing = !skieurArrive || (getContact() == 0 && flightOverLine);
    if (DEPART == 1 && racing && !chute) {
        runControls();
    } else if (skieurArrive && getContact() == 1) {
        freinage = afterFinishBrake;
    } else if (chute) {
        riderState.collision.xPrecCol = Xobjet;
        riderState.collision.yPrecCol = Yobjet;
        riderState.collision.zPrecCol = Zobjet;
    }
}

// Every tick of a started run is one tick long: the run's time is counted in ticks, never read off a clock.
static void timeStep()
{
    tempsCourant = (int)runClock();
    diffTemps = runTickSeconds;
    tempsDepart = tempsCourant;
}

// The body pitch trails the slope; the take-off's speed reads it (physics), the drawing shows it.
static void followBodyPitch()
{
    const float pitchFollowStep = (float)(pitchFollowPerSecond * runTickSeconds);
    if (reception == 1) {
        angleDePlacementEffectif = angleCourant;
    } else if (angleDePlacementEffectif < angleCourant) {
        angleDePlacementEffectif += pitchFollowStep;
        if (angleDePlacementEffectif > angleCourant) angleDePlacementEffectif = angleCourant;
    } else if (angleDePlacementEffectif > angleCourant) {
        angleDePlacementEffectif -= pitchFollowStep;
        if (angleDePlacementEffectif < angleCourant) angleDePlacementEffectif = angleCourant;
    }
}

static float wholeDegrees(float a) { return fmodf(truncf(a), 360.0f); }

static void riderOrientation()
{
    angleCourant = wholeDegrees(angleCourant);
    angleDePlacementEffectif = wholeDegrees(angleDePlacementEffectif);
    sensRotationChute = fakie ? -1.0f : 1.0f;
}

static void runningTime()
{
    if (skieurArrive) return;
    totalTime = DEPART == 1 ? (float)(runTicks * runTickSeconds) : 0.0f;
    if (DEPART == 1) runTicks++;
}

void simulateGameFrame(const RunInput& in)
{
    setRunInput(in);
    frameps = in.frameps;
    noteAirRates();
    startWhenJumpPressed();
    countdown();
    finishLine();
    skieurStop = fabsf(vitessePrecedente) < stoppedSpeed;
    controlsOrStandBy();
    if (DEPART == 1) {
        rescueRequest();
        timeStep();
        ageRunFeedback(diffTemps);
        groundPhysics();
        Xobjet = getXobjet_inc();
        Yobjet = getYobjetCour();
        if (!chute && getContact() == 1) handleDecollage(getNumeroFaceCourante(), angleCourant);
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
    if (!chute) skinRider();
    riderOrientation();
    if (chute) {
        fallStep();
        skinRider();
    }
    rescueProgress();
    replacementFade();
    runningTime();
    recordRiderFrame();
}
