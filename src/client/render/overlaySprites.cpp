// Overlay sprites of the "boules" atlas and the spinning medal: takes atlas entries, places and
// textures, draws them in the 640 x 480 overlay or the caller's space.
#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/gameClock.h"
#include "render/guistuff.h"
#include "render/viewFrame.h"

static const int ATLAS_COLLECTABLE = 6, ATLAS_POINTER = 7;
static const float MEDAL_RADIUS = 40, MEDAL_THICKNESS = 10, MEDAL_PUSH = -5;
static const float SHINE_RADIUS = 41, SHINE_THICKNESS = 11, SHINE_PUSH = -0.5f;
static const int MEDAL_SLICES = 40, MEDAL_STACKS = 10, MEDAL_LOOPS = 2;
static const float MEDAL_TURN_STEP = 2.0f;
static const double MEDAL_TURN_SECONDS = 0.001;

// Cell bounds of the 3 x 3 atlas (0.33 and 0.66, as the picture is laid out).
static const float atlasCuts[4] = {0.0f, 0.33f, 0.66f, 1.0f};

float atlasCoord(int k, int corner, int axis)
{
    int column = k % 3, rowFromTop = k / 3;
    float s0 = atlasCuts[column], s1 = atlasCuts[column + 1];
    float t0 = atlasCuts[2 - rowFromTop], t1 = atlasCuts[3 - rowFromTop];
    // bottom-left, bottom-right, top-right, top-left
    static const int useHighS[4] = {0, 1, 1, 0}, useHighT[4] = {0, 0, 1, 1};
    if (axis == 0) return useHighS[corner] ? s1 : s0;
    return useHighT[corner] ? t1 : t0;
}

void beginOverlay()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadOverlayOrtho();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void endOverlay()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glBlendFunc(GL_ONE, GL_ZERO);
}

void drawBoule(int k, float x, float y, float w, float h, unsigned int texture)
{
    if (k < 0 || k >= 9) return;
    const float corners[4][2] = {{x, y - h}, {x + w, y - h}, {x + w, y}, {x, y}};
    beginOverlay();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    for (int c = 0; c < 4; c++) {
        glTexCoord2f(atlasCoord(k, c, 0), atlasCoord(k, c, 1));
        glVertex2f(corners[c][0], corners[c][1]);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    endOverlay();
}

void drawCollectableLogo(float x, float y, float w, float h, unsigned int texture)
{
    drawBoule(ATLAS_COLLECTABLE, x, y, w, h, texture);
}

void drawPointerLetter(float x, float y, float w, float h, unsigned int texture)
{
    drawBoule(ATLAS_POINTER, x, y, w, h, texture);
}

static GLUquadric* medalQuadric()
{
    static GLUquadric* q = 0;
    if (!q) {
        q = gluNewQuadric();
        gluQuadricNormals(q, GLU_SMOOTH);
        gluQuadricTexture(q, GL_TRUE);
        gluQuadricDrawStyle(q, GLU_FILL);
    }
    return q;
}

// A coin of the given radius and thickness: rim, front face, back face.
static void coin(GLUquadric* q, float radius, float thickness, unsigned int rim, unsigned int face)
{
    glBindTexture(GL_TEXTURE_2D, rim);
    gluCylinder(q, radius, radius, thickness, MEDAL_SLICES, MEDAL_STACKS);
    glBindTexture(GL_TEXTURE_2D, face);
    gluDisk(q, 0, radius, MEDAL_SLICES, MEDAL_LOOPS);
    glPushMatrix();
    glRotatef(180, 0, 1, 0);
    glTranslatef(0, 0, -thickness);
    gluDisk(q, 0, radius, MEDAL_SLICES, MEDAL_LOOPS);
    glPopMatrix();
}

static const float medalColours[4][4] = {
    {1, 1, 1, 1}, {0.8f, 0.8f, 0, 1}, {0.3f, 0.3f, 0.3f, 1}, {0.24f, 0.12f, 0, 1}};

static float medalAngle = 0;
static long medalTimer = 0;  // 0: not armed

static void turnMedal()
{
    if (medalAngle > 360) medalAngle = 0;
    long now = gameClockLessPauses();
    if (medalTimer == 0) {
        medalTimer = now ? now : 1;
    } else if ((now - medalTimer) * 0.001 > MEDAL_TURN_SECONDS) {
        medalAngle += MEDAL_TURN_STEP;
        medalTimer = 0;
    }
}

void drawMedal(int kind, unsigned int rimTexture, unsigned int faceTexture, unsigned int shineTexture)
{
    if (kind < 0 || kind > 3) kind = 0;
    turnMedal();
    GLUquadric* q = medalQuadric();
    glPushMatrix();
    glRotatef(medalAngle, 0, 1, 0);
    glTranslatef(0, 0, MEDAL_PUSH);
    glEnable(GL_TEXTURE_2D);
    glColor4fv(medalColours[kind]);
    coin(q, MEDAL_RADIUS, MEDAL_THICKNESS, rimTexture, faceTexture);
    glColor4f(1, 1, 1, 0.2f);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTranslatef(0, 0, SHINE_PUSH);
    coin(q, SHINE_RADIUS, SHINE_THICKNESS, shineTexture, shineTexture);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
}
