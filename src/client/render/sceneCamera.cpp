// Takes the rider's place and heading, the view switches and the terrain (read only); gives the chase
// camera's eye, the view's heading and bank, and the sun's turn. The camera keeps its own creeping
// state and never writes the run's.
#include <GL/gl.h>
#include <GL/glu.h>
#include <math.h>

#include "core/graphicLib.h"
#include "render/replayCameras.h"
#include "render/scene.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/prefs.h"

static const float CAMERA_GROUND_CLEARANCE = 150.0f;
static const float LOOK_AHEAD = 2000.0f;
static const float LOOK_BELOW = -200.0f;
static const float BANK_FOLLOW_LIMIT = 60.0f;
static const float BANK_DIVISOR = 3.0f;
static const float SUN_HEADING_SHARE = 0.8333333333333334f;
static const float HALF_PIPE_SPIN = 7.0f;
static const int HALF_PIPE_CAMERA_STEP = 2;
// The line of sight runs from the rider's middle to the eye and keeps clear of the snow by a margin
// growing from nothing at the rider to most of the eye's own clearance; a blocked line pulls the eye in.
static const float RIDER_MIDDLE = 100.0f;
static const float SIGHT_CLEARANCE = 120.0f;
static const int SIGHT_SAMPLES = 24;
static const float CLOSEST_SHARE = 0.2f;        // the eye comes no nearer than this share of its distance
static const float EYE_LEAST_CLEARANCE = 60.0f; // above the snow right under a pulled-in eye

ChaseCameraState chaseCamera = {0, 0, 0, 0, 0};

void resetChaseCamera()
{
    chaseCamera = ChaseCameraState{0, shownRun().phases.rotSkierYAvantSautHalfPipe, shownRun().phases.rotSkierYAvantSautHalfPipe, shownRun().phases.inHalfPipe,
                                   (short)getContact(shownRun())};
}

void cameraDistances(int view, float* back, float* up)
{
    switch (view) {
    case 2: *back = -1200, *up = 1000; break;
    case 3: *back = -1500, *up = 1400; break;
    default: *back = -700, *up = 500; break;
    }
}

static float groundAt(const TrackPoint* pts, const TrackFace* fcs, float x, float z)
{
    return yTheoObj(pts, fcs, x, z, (float)maxTrackFaces);
}

// The eye's place in the world for an eye (back, up) of the rider frame turned by the view's heading.
static void eyeInWorld(const float pos[3], float headingDeg, float back, float up, float out[3])
{
    double h = headingDeg * DEG_TO_RAD_GAME;
    out[0] = pos[0] + back * (float)cos(h);
    out[1] = pos[1] + up;
    out[2] = pos[2] + back * (float)sin(h);
}

float clearShareOfSight(const TrackPoint* pts, const TrackFace* fcs, const float from[3], const float to[3])
{
    for (int k = 1; k <= SIGHT_SAMPLES; k++) {
        float s = (float)k / SIGHT_SAMPLES, p[3];
        for (int i = 0; i < 3; i++) p[i] = from[i] + s * (to[i] - from[i]);
        if (p[1] < groundAt(pts, fcs, p[0], p[2]) + SIGHT_CLEARANCE * s) return (float)(k - 1) / SIGHT_SAMPLES;
    }
    return 1.0f;
}

void chaseEyeOver(const TrackPoint* pts, const TrackFace* fcs, const float pos[3], float groundY, float headingDeg,
                  int view, float* back, float* up)
{
    cameraDistances(view, back, up);
    float eye[3];
    eyeInWorld(pos, headingDeg, *back, *up, eye);
    // the eye's height is counted from the ground under the rider, as in the air he is followed from it
    float lowest = groundAt(pts, fcs, eye[0], eye[2]) + CAMERA_GROUND_CLEARANCE;
    if (lowest >= groundY + *up) *up = lowest - groundY;
    eyeInWorld(pos, headingDeg, *back, *up, eye);
    const float middle[3] = {pos[0], pos[1] + RIDER_MIDDLE, pos[2]};
    float share = clearShareOfSight(pts, fcs, middle, eye);
    if (share >= 1.0f) return;
    if (share < CLOSEST_SHARE) share = CLOSEST_SHARE;
    *back *= share;
    *up = RIDER_MIDDLE + share * (*up - RIDER_MIDDLE);
    eyeInWorld(pos, headingDeg, *back, *up, eye);
    float least = groundAt(pts, fcs, eye[0], eye[2]) + EYE_LEAST_CLEARANCE;
    if (eye[1] < least) *up += least - eye[1];
}

void chaseCameraEye(const TrackModel& track, float headingDeg, float* back, float* up)
{
    const float pos[3] = {shownRun().motion.Xobjet, shownRun().motion.Yobjet, shownRun().motion.Zobjet};
    chaseEyeOver(track.points, track.faces, pos, getYobjetCour(shownRun()), headingDeg, viewChoice, back, up);
}

void placeCameraAt(float back, float up)
{
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(back, up, 0, LOOK_AHEAD, LOOK_BELOW, 0, 0, 1, 0);
}

void placeWorldCamera(const WorldView& v)
{
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 0, 0, v.target[0] - v.eye[0], v.target[1] - v.eye[1], v.target[2] - v.eye[2], 0, 1, 0);
}

static short inOpenHalfPipe() { return shownRun().phases.inHalfPipe && !shownRun().phases.inInterieurHalfPipe; }

// The run sets the half-pipe heading when the rider rides onto a wall; from there the camera creeps
// its own copy of it.
static void followRunHalfPipeHeading()
{
    ChaseCameraState& c = chaseCamera;
    short tookOff = c.seenContact && !getContact(shownRun());
    if (shownRun().phases.rotSkierYAvantSautHalfPipe != c.seenRunHalfPipe || (shownRun().phases.inHalfPipe && !c.seenInHalfPipe) || tookOff)
        c.halfPipeHeading = shownRun().phases.rotSkierYAvantSautHalfPipe;
    c.seenRunHalfPipe = shownRun().phases.rotSkierYAvantSautHalfPipe;
    c.seenInHalfPipe = shownRun().phases.inHalfPipe;
    c.seenContact = (short)getContact(shownRun());
}

// The half-pipe camera heading creeps 2 degrees a tick toward the rider's.
static float halfPipeHeadingOnGround()
{
    int& r = chaseCamera.halfPipeHeading;
    if (r < shownRun().orientation.rotSkierY && shownRun().orientation.rotSkierYAvantSaut == HALF_PIPE_SPIN) r += HALF_PIPE_CAMERA_STEP;
    else if (r > shownRun().orientation.rotSkierY && shownRun().orientation.rotSkierYAvantSaut == -HALF_PIPE_SPIN) r -= HALF_PIPE_CAMERA_STEP;
    return (float)r;
}

static float halfPipeHeadingInAir()
{
    int& r = chaseCamera.halfPipeHeading;
    if (shownRun().orientation.rotSkierYAvantSaut < r && shownRun().orientation.rotSkierYAvantSaut == -HALF_PIPE_SPIN) r -= HALF_PIPE_CAMERA_STEP;
    else if (shownRun().orientation.rotSkierYAvantSaut > r && shownRun().orientation.rotSkierYAvantSaut == HALF_PIPE_SPIN) r += HALF_PIPE_CAMERA_STEP;
    return (float)r;
}

static float limitedTilt(float degrees)
{
    if (degrees > cameraMaxTilt) return cameraMaxTilt;
    if (degrees < -cameraMaxTilt) return -cameraMaxTilt;
    return degrees;
}

void stepViewTurn(ViewTurn* t)
{
    followRunHalfPipeHeading();
    t->turn = 0, t->heading = 0, t->bank = 0, t->bankAngle = 0;
    if (getContact(shownRun())) {
        chaseCamera.sunHeading = shownRun().orientation.rotSkierY * SUN_HEADING_SHARE;
        t->turn = 1;
        t->heading = (inOpenHalfPipe() && shownRun().phases.changementContact) ? halfPipeHeadingOnGround() : shownRun().orientation.rotSkierY;
        // the view leans into a turn by a few degrees at most: the horizon stays level on side slopes;
        // past 60 degrees the bank of the last tick stays
        if (fabsf(shownRun().orientation.rotSkierY) <= BANK_FOLLOW_LIMIT) chaseCamera.mouvCamX = limitedTilt(-shownRun().orientation.rotSkierY / BANK_DIVISOR);
        t->bank = 1;
        t->bankAngle = chaseCamera.mouvCamX;
        return;
    }
    // in the air the view keeps the take-off heading: spins and flips do not turn it
    if (shownRun().phases.changementFakieSolRight || shownRun().phases.changementFakieSolLeft) return;
    t->turn = 1;
    t->heading = inOpenHalfPipe() ? halfPipeHeadingInAir() : shownRun().orientation.rotSkierYAvantSaut;
}
