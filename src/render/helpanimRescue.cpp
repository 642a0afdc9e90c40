// Takes the frame scale and the effect textures; runs the rescue: the red rocket climbing from the
// fallen rider, then the flashing firework with "Rescue me!".
#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/gameClock.h"
#include "render/font.h"
#include "render/guistuff.h"
#include "render/helpanim.h"
#include "run/newton.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

GLUquadric* sharedQuadric();

static const float BODY_RADIUS = 5, BODY_LENGTH = 50;
static const int BODY_SIDES = 3;
static const float FLAME_RADIUS = 4, FLAME_TIP = 0.5f, FLAME_LENGTH = 20, FLAME_OUTER_LENGTH = 25;
static const float MESSAGE_MAX_SCALE = 5.0f, MESSAGE_SCALE_STEP = 0.5f;
static const float STAR_SPIN_STEP = 25.0f;
static const double FLASH_SECONDS = 0.025;
static const float STAR_SPACE = 200.0f;

static RocketState rocket = {0, 5.0f, 0, 0, 0, 0};

static void drawRocket(float x, float y, float z)
{
    GLUquadric* q = sharedQuadric();
    gluQuadricTexture(q, GL_FALSE);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(90, 1, 0, 0);
    glDisable(GL_BLEND);
    glColor3f(1, 0, 0);
    gluCylinder(q, BODY_RADIUS, BODY_RADIUS, BODY_LENGTH, BODY_SIDES, BODY_SIDES);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushAttrib(GL_LIGHTING_BIT);
    glTranslatef(0, -BODY_LENGTH, 0);
    glRotatef(90, 1, 0, 0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_EMISSION);
    glColor4f(1, 0.5f, 0, 0.4f);
    gluCylinder(q, FLAME_RADIUS, 0, rocket.fireMov + FLAME_LENGTH, BODY_SIDES, BODY_SIDES);
    glColor4f(1, 0, 0, 0.4f);
    gluCylinder(q, FLAME_RADIUS, FLAME_TIP, rocket.fireMov + FLAME_OUTER_LENGTH, BODY_SIDES, BODY_SIDES);
    glPopAttrib();
    glPopMatrix();
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
}

short animRescueArrow(float x, float y, float z, float* cameraLift)
{
    if (rocket.deb == 0) wrpPlaySound(rocketLaunchSnd, volGui, panoGui, wrpNormalPitch);
    short done = stepRocket(&rocket, y, frameScale(), cameraLift);
    drawRocket(x, rocket.yArrow, z);
    return done;
}

static FireworkState firework = {0, 0, 1.0f, 0, 0, 0, 0};

short stepFirework(FireworkState* f, float k, float* messageScale)
{
    short starting = f->deb == 0;
    if (starting) {
        f->deb = 1;
        f->sizeStar = 1.0f;
    }
    short done = 0;
    if (f->sizeMsg < MESSAGE_MAX_SCALE) {
        f->sizeMsg += k * MESSAGE_SCALE_STEP;
    } else {
        f->deb = 0;
        f->sizeMsg = 0;
        done = 1;
    }
    f->rot += k * STAR_SPIN_STEP;
    f->sizeStar = 2 * k * f->sizeStar;
    *messageScale = f->sizeMsg;
    return done;
}

static void stepFlash(FireworkState* f)
{
    long now = gameClock();
    if (!f->flashArmed) {
        f->flashStart = now;
        f->flashArmed = 1;
    } else if ((now - f->flashStart) * 0.001 > FLASH_SECONDS) {
        f->flashArmed = 0;
        f->drawExplodeNoTrans = !f->drawExplodeNoTrans;
    }
}

static void drawFlash(short full)
{
    beginOverlay();
    glColor4f(1, 1, 1, full ? 1.0f : 0.5f);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(overlayWidth, 0);
    glVertex2f(overlayWidth, overlayHeight);
    glVertex2f(0, overlayHeight);
    glEnd();
    glColor4f(1, 1, 1, 1);
    endOverlay();
}

static void drawFireworkStars(unsigned int starTexture)
{
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDepthFunc(GL_ALWAYS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-STAR_SPACE, STAR_SPACE, -STAR_SPACE, STAR_SPACE, -STAR_SPACE, STAR_SPACE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushMatrix();
    drawLilStar(0, 0, 0, firework.rot, firework.sizeStar, starTexture);
    glPopMatrix();
    drawLilStar(0, 0, 0, -firework.rot, firework.sizeStar, starTexture);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDepthFunc(GL_LESS);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_LIGHTING);
}

static void drawRescueMessage(float scale, unsigned int fontTexture)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPrintScale((int)(320 - 48 * scale), 240, "Rescue me!", 0, fontTexture, scale);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_LIGHTING);
}

short animExplode(float x, float y, float z, unsigned int fontTexture, unsigned int starTexture)
{
    (void)x, (void)y, (void)z;  // the firework fills the screen wherever it goes off
    if (firework.deb == 0) wrpPlaySound(rocketExplodeSnd, volGui, panoGui, wrpNormalPitch);
    float scale;
    short done = stepFirework(&firework, frameScale(), &scale);
    stepFlash(&firework);
    drawFlash(firework.drawExplodeNoTrans);
    drawFireworkStars(starTexture);
    drawRescueMessage(scale, fontTexture);
    return done;
}

static short retRescueArrow = 0, retExplode = 0;

short animRescueSequence(float x, float y, float z, unsigned int fontTexture, unsigned int starTexture,
                         float* cameraLift)
{
    if (retRescueArrow == 0) {
        retRescueArrow = animRescueArrow(x, y, z, cameraLift);
        if (retRescueArrow == 0) return 0;
    }
    if (retExplode == 0) retExplode = animExplode(x, y, z, fontTexture, starTexture);
    if (retRescueArrow == 1 && retExplode == 1) {
        retRescueArrow = retExplode = 0;
        return 1;
    }
    return 0;
}
