// Takes the run state after the frame's simulation; draws the frame (scene, rider, spray, traces,
// rescue, fade, HUD), and flips it.
#include <allegro.h>
#include <alleggl.h>
#include <GL/gl.h>
#include <math.h>

#include "render/SnowParticleEngine.h"
#include "render/gameFrameDraw.h"
#include "render/ghostDraw.h"
#include "render/graphImage.h"
#include "render/guistuff.h"
#include "render/helpanim.h"
#include "render/renderSettings.h"
#include "render/scene.h"
#include "render/skiTraces.h"
#include "render/viewFrame.h"
#include "run/fall.h"
#include "run/runState.h"
#include "skier/skierLib.h"

static const float SPRAY_MIN_SPEED = 300.0f;
static const float TUMBLE_TURN = 360.0f;
static const float STARS_MAX_SPEED = 500.0f;
static const float RESCUE_X = 200.0f;

// Shown up to the rescue's last frame: the run puts the rider back in the frame after it.
static short rescueRunning() { return askForRescue; }

static void placeWorldAroundRider()
{
    if (rescueRunning()) glTranslatef(0, -yRescueCamera, 0);
    glTranslatef(0, -Yobjet, 0);
    glTranslatef(-Xobjet, 0, 0);
    glTranslatef(0, 0, -Zobjet);
}

static void drawGround()
{
    const GLfloat snow[4] = {rgbNeigeR, rgbNeigeG, rgbNeigeB, 0};
    const GLfloat none[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, snow);
    drawPlan(Xobjet, points, faces, normalesPiste, textures, texName);
    drawTraces();
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
}

static void riderTurns()
{
    glRotatef(-rotSkierY, 0, 1, 0);
    if (getContact()) {
        if (changementContact) return;
        if (changementFakieSolRight) glRotatef(-rotFakieSolRight, 0, 1, 0);
        else if (changementFakieSolLeft) glRotatef(-rotFakieSolLeft, 0, 1, 0);
        return;
    }
    if (rotSkierZ != 0) glRotatef(rotSkierZ, 0, 0, 1);
    if (rotSkierX != 0) glRotatef(rotSkierX, 1, 0, 0);
}

static void drawSpray()
{
    if (!particleEngineSkier) return;
    if (!(getContact() == 1 && vitessePrecedente > SPRAY_MIN_SPEED)) {
        particleEngineSkier->initParticlesProps();
        return;
    }
    short braking = freinage > 0;
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    if (braking) glRotatef(180, 0, 1, 0);
    if (fakie) glRotatef(180, 0, 1, 0);
    float speed = vitesseMax != 0 ? fabsf(vitessePrecedente / vitesseMax) : 0;
    particleEngineSkier->draw(mouvCamY + (braking ? 180 : 0), speed, braking);
    glPopMatrix();
}

static void drawRider()
{
    glTranslatef(Xobjet, Yobjet, Zobjet);
    glPushMatrix();
    riderTurns();
    glPushMatrix();
    if (fakie) glRotatef(180, 0, 1, 0);
    if (chute && !replacement && fabsf(rotationChute) <= TUMBLE_TURN) glRotatef(rotationChute, 0, 0, 1);
    if (ombre < 2) drawShadow();
    glColor4f(1, 1, 1, 1);
    drawSkierAfterTransform(1, angleDePlacementEffectif);
    drawSpray();
    glPopMatrix();
    glPopMatrix();
}

static void drawRescueAndStars()
{
    if (rescueRunning()) drawRescueFlight(RESCUE_X, 0, 0, texGui[texGuiFont2], texTrackStuff[texStuffCylinder]);
    if (chute && tempsChute < lyingTime && vitessePrecedente < STARS_MAX_SPEED) drawStars(Yobjet, 0);
}

// The simulation steps the fade; this only darkens the whole window by it.
static void drawReplacementFade()
{
    const OverlayFrame& f = currentOverlayFrame();
    if (replacement) drawFondFondu(f.left, f.top, f.right - f.left, f.top - f.bottom, alphaFond);
}

void drawRunScene()
{
    glPushMatrix();
    placeCamera();
    glPushMatrix();
    applyViewTurn();
    glPushMatrix();
    drawFond();
    glPopMatrix();
    drawSoleil(-derniereRotYAvtSaut);
    placeWorldAroundRider();
    beginDistanceHaze();
    drawGround();
    placeLumiere();
    drawObstacles(points, faces, (float)maxTrackFaces);
    glPushMatrix();
    drawRider();
    drawRescueAndStars();
    glPopMatrix();
    drawGhost();  // see-through: after everything it may stand in front of
    endDistanceHaze();
    glPopMatrix();
    drawReplacementFade();
    glPopMatrix();
}

void drawGameFrame()
{
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    drawRunScene();
    drawRunHud();
    glFlush();
    if (gfx_driver) allegro_gl_flip();
}
