// Takes the rider's place and heading and the view switches; gives the chase camera, the view's
// heading and bank.
#include <GL/gl.h>
#include <GL/glu.h>
#include <math.h>

#include "render/graphicLib.h"
#include "render/scene.h"
#include "run/runState.h"
#include "shell/prefs.h"

static const float CAMERA_GROUND_CLEARANCE = 150.0f;
static const float LOOK_AHEAD = 2000.0f;
static const float LOOK_BELOW = -200.0f;
static const float BANK_FOLLOW_LIMIT = 60.0f;
static const float BANK_DIVISOR = 3.0f;
static const float SUN_HEADING_SHARE = 0.8333333333333334f;
static const float HALF_PIPE_SPIN = 7.0f;
static const int HALF_PIPE_CAMERA_STEP = 2;

int ombre = 0;
float mouvCamX = 0.0f;

void cameraDistances(int view, float* back, float* up)
{
    switch (view) {
    case 2: *back = -1200, *up = 1000; break;
    case 3: *back = -1500, *up = 1400; break;
    default: *back = -700, *up = 500; break;
    }
}

void chaseCameraEye(float* back, float* up)
{
    cameraDistances(viewChoice, back, up);
    float groundUnderRider = getYobjetCour();
    float eyeY = groundUnderRider + *up;
    double heading = rotSkierY * DEG_TO_RAD_GAME;
    float dist = fabsf(*back);
    float eyeX = Xobjet - dist * (float)cos(heading);
    float eyeZ = Zobjet - dist * (float)sin(heading);
    float lowest = yTheoObj(points, faces, eyeX, eyeZ, (float)maxTrackFaces) + CAMERA_GROUND_CLEARANCE;
    if (lowest >= eyeY) *up = lowest - groundUnderRider;
}

void placeCameraAt(float back, float up)
{
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(back, up, 0, LOOK_AHEAD, LOOK_BELOW, 0, 0, 1, 0);
}

void placeCamera()
{
    float back, up;
    chaseCameraEye(&back, &up);
    placeCameraAt(back, up);
}

static short inOpenHalfPipe() { return inHalfPipe && !inInterieurHalfPipe; }

// The half-pipe camera heading creeps 2 degrees a frame toward the rider's.
static float halfPipeHeadingOnGround()
{
    int r = rotSkierYAvantSautHalfPipe;
    if (r < rotSkierY && rotSkierYAvantSaut == HALF_PIPE_SPIN) r += HALF_PIPE_CAMERA_STEP;
    else if (r > rotSkierY && rotSkierYAvantSaut == -HALF_PIPE_SPIN) r -= HALF_PIPE_CAMERA_STEP;
    rotSkierYAvantSautHalfPipe = r;
    return (float)r;
}

static float halfPipeHeadingInAir()
{
    int r = rotSkierYAvantSautHalfPipe;
    if (rotSkierYAvantSaut < r && rotSkierYAvantSaut == -HALF_PIPE_SPIN) r -= HALF_PIPE_CAMERA_STEP;
    else if (rotSkierYAvantSaut > r && rotSkierYAvantSaut == HALF_PIPE_SPIN) r += HALF_PIPE_CAMERA_STEP;
    rotSkierYAvantSautHalfPipe = r;
    return (float)r;
}

void stepViewTurn(ViewTurn* t)
{
    t->turn = 0, t->heading = 0, t->bank = 0, t->bankAngle = 0;
    if (getContact()) {
        derniereRotYAvtSaut = rotSkierY * SUN_HEADING_SHARE;
        t->turn = 1;
        t->heading = (inOpenHalfPipe() && changementContact) ? halfPipeHeadingOnGround() : rotSkierY;
        // past 60 degrees the bank of the last frame stays
        if (fabsf(rotSkierY) <= BANK_FOLLOW_LIMIT) mouvCamX = -rotSkierY / BANK_DIVISOR;
        t->bank = 1;
        t->bankAngle = mouvCamX;
        return;
    }
    // in the air the view keeps the take-off heading: spins and flips do not turn it
    if (changementFakieSolRight || changementFakieSolLeft) return;
    t->turn = 1;
    t->heading = inOpenHalfPipe() ? halfPipeHeadingInAir() : rotSkierYAvantSaut;
}

void applyViewTurn()
{
    ViewTurn t;
    stepViewTurn(&t);
    if (t.turn) glRotatef(t.heading, 0, 1, 0);
    if (t.bank) glRotatef(t.bankAngle, 1, 0, 0);
}
