// Takes the frame scale and the effect textures; runs the rescue: the red rocket climbing from the
// fallen rider, then the flashing firework with "Rescue me!".
#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/displaySize.h"
#include "platform/gameClock.h"
#include "render/font.h"
#include "render/graphImage.h"
#include "render/guistuff.h"
#include "render/helpanim.h"
#include "render/viewFrame.h"
#include "shell/playerRun.h"

GLUquadric* sharedQuadric();

// The rocket is drawn a few times the rider's width so that it reads at the chase camera's distance,
// with a flame and a trail of smoke puffs down to where it left the snow.
static const float BODY_RADIUS = 16, BODY_LENGTH = 140, NOSE_LENGTH = 45;
static const int BODY_SIDES = 10;
static const float FLAME_RADIUS = 14, FLAME_TIP = 2, FLAME_LENGTH = 60, FLAME_OUTER_LENGTH = 80;
static const float GLOW_SIZE = 150, PUFF_SIZE = 90, PUFF_GROWTH = 0.25f, PUFF_STEP = 70;
static const int TRAIL_PUFFS = 40;
static const double FLASH_SECONDS = 0.025;
static const float STAR_SPACE = 200.0f;

static const RocketState& rocket() { return shownRun().rescueFlight.rocket; }
static const FireworkState& firework() { return shownRun().rescueFlight.firework; }

// The flash follows the wall clock: it is the picture's own, not the run's.
struct FlashState {
    long flashStart;
    short flashArmed;
    short drawExplodeNoTrans;
};
static FlashState flash = {0, 0, 0};

// A soft sprite facing down the track (the chase camera's way), centred on (x, y, z).
static void drawPuff(float x, float y, float z, float size)
{
    float h = size / 2;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex3f(x, y - h, z - h);
    glTexCoord2f(1, 0), glVertex3f(x, y - h, z + h);
    glTexCoord2f(1, 1), glVertex3f(x, y + h, z + h);
    glTexCoord2f(0, 1), glVertex3f(x, y + h, z - h);
    glEnd();
}

// Smoke below the rocket, thinning out towards the snow it left, and the hot glow at its tail.
static void drawTrailAndGlow(float x, float y, float z)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gameTextures.texGui[texGuiSnow]);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    float tail = y - BODY_LENGTH;
    for (int i = TRAIL_PUFFS - 1; i >= 1; i--) {
        float py = tail - i * PUFF_STEP;
        if (py < rocket().yInit) continue;
        float fade = 1 - (float)i / TRAIL_PUFFS;
        glColor4f(0.75f, 0.72f, 0.7f, 0.8f * fade);
        drawPuff(x, py, z, PUFF_SIZE * (1 + PUFF_GROWTH * i));
    }
    glColor4f(1, 0.6f, 0.2f, 1);
    drawPuff(x, tail - FLAME_LENGTH / 2, z, GLOW_SIZE + 2 * rocket().fireMov);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
}

static void drawRocketBody(GLUquadric* q, float x, float y, float z)
{
    glDisable(GL_BLEND);
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(-90, 1, 0, 0);
    glColor3f(1, 0.9f, 0.3f);
    gluCylinder(q, BODY_RADIUS, 0, NOSE_LENGTH, BODY_SIDES, 1);
    glRotatef(180, 1, 0, 0);
    glColor3f(0.9f, 0.08f, 0.05f);
    gluCylinder(q, BODY_RADIUS, BODY_RADIUS, BODY_LENGTH, BODY_SIDES, 2);
    glPopMatrix();
}

static void drawRocket(float x, float y, float z)
{
    GLUquadric* q = sharedQuadric();
    gluQuadricTexture(q, GL_FALSE);
    glDisable(GL_LIGHTING);
    drawTrailAndGlow(x, y, z);
    drawRocketBody(q, x, y, z);
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(90, 1, 0, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushAttrib(GL_LIGHTING_BIT);
    glTranslatef(0, 0, BODY_LENGTH);
    glColorMaterial(GL_FRONT_AND_BACK, GL_EMISSION);
    glColor4f(1, 0.5f, 0, 0.6f);
    gluCylinder(q, FLAME_RADIUS, 0, rocket().fireMov + FLAME_LENGTH, BODY_SIDES, 1);
    glColor4f(1, 0.9f, 0.3f, 0.5f);
    gluCylinder(q, FLAME_RADIUS, FLAME_TIP, rocket().fireMov + FLAME_OUTER_LENGTH, BODY_SIDES, 1);
    glPopAttrib();
    glPopMatrix();
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
}

static void stepFlash(FlashState* f)
{
    long now = gameClockLessPauses();
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
    const OverlayFrame& f = currentOverlayFrame();
    glBegin(GL_QUADS);
    glVertex2f(f.left, f.bottom);
    glVertex2f(f.right, f.bottom);
    glVertex2f(f.right, f.top);
    glVertex2f(f.left, f.top);
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
    // as wide as the 3-D view, so the stars keep their shape in a wider window
    const DisplayDesc& d = displayDesc();
    double wide = STAR_SPACE * projectionAspectFor(d.width, d.height);
    glOrtho(-wide, wide, -STAR_SPACE, STAR_SPACE, -STAR_SPACE, STAR_SPACE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushMatrix();
    drawLilStar(0, 0, 0, firework().rot, firework().sizeStar, starTexture);
    glPopMatrix();
    drawLilStar(0, 0, 0, -firework().rot, firework().sizeStar, starTexture);
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

void drawRescueFlight(float x, float y, float z, unsigned int fontTexture, unsigned int starTexture)
{
    if (shownRun().rescueFlight.rocketShown) drawRocket(x, rocket().yArrow, z);
    if (!shownRun().rescueFlight.fireworkShown) return;
    stepFlash(&flash);
    drawFlash(flash.drawExplodeNoTrans);
    drawFireworkStars(starTexture);
    drawRescueMessage(shownRun().rescueFlight.messageScale, fontTexture);
}
