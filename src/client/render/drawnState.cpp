// Takes the run state after a tick; returns what the drawing shows of it, and the moment between
// the last two ticks that a frame is drawn at.
#include "render/drawnState.h"

#include <cmath>

#include "core/graphicLib.h"
#include "render/scene.h"
#include "run/fall.h"
#include "run/ghostRun.h"
#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTick.h"
#include "skier/ghostRider.h"
#include "skier/positionDef.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float SPRAY_BRAKE_LEVEL = 0.0f;
static const float STARS_MAX_SPEED = 500.0f;
static const float TUMBLE_TURN = 360.0f;

DrawnTicks drawnTicks;
static long sceneTicks = 0;

static float groundHalfTurn()
{
    if (!getContact(shownRun()) || shownRun().phases.changementContact) return 0.0f;
    if (shownRun().phases.changementFakieSolRight) return shownRun().phases.rotFakieSolRight;
    if (shownRun().phases.changementFakieSolLeft) return shownRun().phases.rotFakieSolLeft;
    return 0.0f;
}

static void captureRider(DrawnState& d)
{
    short air = !getContact(shownRun());
    d.pos[0] = shownRun().motion.Xobjet, d.pos[1] = shownRun().motion.Yobjet, d.pos[2] = shownRun().motion.Zobjet;
    d.yaw = shownRun().orientation.rotSkierY;
    d.halfTurn = groundHalfTurn();
    d.airPitch = air ? shownRun().orientation.rotSkierZ : 0.0f;
    d.airRoll = air ? shownRun().orientation.rotSkierX : 0.0f;
    d.tumble = shownRun().phases.chute && !shownRun().phases.replacement && fabsf(shownRun().phases.rotationChute) <= TUMBLE_TURN ? shownRun().phases.rotationChute : 0.0f;
    d.lean = shownRun().orientation.angleDePlacementEffectif;
    lirePoseCourante(shownRun().pose, d.pose);
    d.contact = !air, d.fakie = shownRun().phases.fakie, d.fallen = shownRun().phases.chute, d.replacement = (short)shownRun().phases.replacement;
    d.rescue = shownRun().phases.askForRescue;
    d.stars = shownRun().phases.chute && shownRun().phases.tempsChute < lyingTime && shownRun().motion.vitessePrecedente < STARS_MAX_SPEED;
}

static void captureCamera(const TrackModel& track, DrawnState& d)
{
    ViewTurn t;
    stepViewTurn(&t);
    d.viewHeading = t.turn ? t.heading : 0.0f;
    d.viewBank = t.bank ? t.bankAngle : 0.0f;
    chaseCameraEye(track, d.viewHeading, &d.eyeBack, &d.eyeUp);  // behind the rider as the view is turned
    d.sunAngle = -chaseCamera.sunHeading;
    // as the last tick left it: noteTickDrawn sets it, a tick behind the rocket
    d.rescueLift = shownRun().phases.askForRescue && drawnTicks.count ? drawnTicks.current.rescueLift : 0.0f;
}

static void captureShadowAndSpray(const TrackModel& track, DrawnState& d)
{
    int face = getNumeroFaceCourante(shownRun());
    d.face = face < 0 || face >= maxTrackFaces ? 0 : face;
    d.groundY = yTheoObj(track.points, track.faces, shownRun().motion.Xobjet, shownRun().motion.Zobjet, (float)maxTrackFaces);
    d.slope = shownRun().orientation.angleCourant;
    d.lateral = angleLateral(track, getNumeroFaceCourante(shownRun()));
    d.speed = shownRun().motion.vitessePrecedente;
    d.braking = shownRun().motion.freinage > SPRAY_BRAKE_LEVEL;
    d.fadeAlpha = putBackLeft(shownRun().phases.putBackTicks);
}

DrawnState captureDrawnState()
{
    const TrackModel& track = loadedTrack;
    DrawnState d;
    captureRider(d);
    captureCamera(track, d);
    captureShadowAndSpray(track, d);
    d.ghostShown = ghostRider.loaded && ghostSampleNow(shownRun(), &d.ghost);
    d.sceneSeconds = (float)(sceneTicks * runTickSeconds);
    return d;
}

static void blendRider(DrawnState& d, const DrawnState& a, const DrawnState& b, float f)
{
    for (int k = 0; k < 3; k++) d.pos[k] = lerp(a.pos[k], b.pos[k], f);
    d.yaw = lerpDegrees(a.yaw, b.yaw, f);
    d.halfTurn = lerpDegrees(a.halfTurn, b.halfTurn, f);
    d.airPitch = lerpDegrees(a.airPitch, b.airPitch, f);
    d.airRoll = lerpDegrees(a.airRoll, b.airRoll, f);
    d.tumble = lerpDegrees(a.tumble, b.tumble, f);
    d.lean = lerpDegrees(a.lean, b.lean, f);
    for (int k = 0; k < poseAngles; k++) d.pose[k] = lerpDegrees(a.pose[k], b.pose[k], f);
}

static void blendCameraAndShadow(DrawnState& d, const DrawnState& a, const DrawnState& b, float f)
{
    d.eyeBack = lerp(a.eyeBack, b.eyeBack, f);
    d.eyeUp = lerp(a.eyeUp, b.eyeUp, f);
    d.viewHeading = lerpDegrees(a.viewHeading, b.viewHeading, f);
    d.viewBank = lerpDegrees(a.viewBank, b.viewBank, f);
    d.sunAngle = lerpDegrees(a.sunAngle, b.sunAngle, f);
    d.rescueLift = lerp(a.rescueLift, b.rescueLift, f);
    d.groundY = lerp(a.groundY, b.groundY, f);
    d.slope = lerpDegrees(a.slope, b.slope, f);
    d.lateral = lerpDegrees(a.lateral, b.lateral, f);
    d.speed = lerp(a.speed, b.speed, f);
    d.fadeAlpha = lerp(a.fadeAlpha, b.fadeAlpha, f);
    d.sceneSeconds = lerp(a.sceneSeconds, b.sceneSeconds, f);
}

DrawnState interpolateDrawn(const DrawnState& a, const DrawnState& b, float f)
{
    if (!(f > 0)) return a;
    if (f >= 1) return b;
    DrawnState d = f < 0.5f ? a : b;
    blendRider(d, a, b, f);
    blendCameraAndShadow(d, a, b, f);
    // the ghost appears and goes at a tick: between two ticks it is blended only while it is there
    if (a.ghostShown && b.ghostShown) d.ghost = blendSamples(a.ghost, b.ghost, f);
    return d;
}

void poseRiderForDrawing(const DrawnState& d, RiderPose& drawn)
{
    drawn = shownRun().pose;
    changePosition(drawn, d.pose);
    majRotationsBones(drawn, riddenModel());
    transformSkierEtat(drawn, riddenModel(), d.lean, d.yaw, d.fakie, d.contact);
}

void restoreRiderPose() { majRotationsBones(shownRun().pose, riddenModel()); }

void resetDrawnTicks(DrawnTicks* t)
{
    t->count = 0;
    t->rocketClimb = 0.0f;
    sceneTicks = 0;
    resetChaseCamera();
}

void noteTickDrawn(DrawnTicks* t, short teleported)
{
    sceneTicks++;
    DrawnState now = captureDrawnState();
    now.rescueLift = now.rescue ? t->rocketClimb : 0.0f;  // the camera follows the rocket a tick behind
    t->rocketClimb = shownRun().rescueFlight.cameraLift;
    t->previous = teleported || t->count == 0 ? now : t->current;
    t->current = now;
    t->count = 1;
}

short tickTeleported()
{
    const RunEventList& e = runEvents(shownRun());
    for (int i = 0; i < e.count; i++)
        if (e.items[i].kind == RUN_EV_PUT_BACK) return 1;
    return 0;
}

DrawnState drawnMoment(const DrawnTicks& t, float fraction)
{
    if (t.count == 0) return captureDrawnState();
    return interpolateDrawn(t.previous, t.current, fraction);
}
