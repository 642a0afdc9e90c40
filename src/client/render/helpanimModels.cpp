// Takes the frame scale and the effects texture; draws the spinning collectable and the star
// sphere over a fallen rider.
#include <GL/gl.h>
#include <GL/glu.h>

#include "render/graphImage.h"
#include "render/helpanim.h"
#include "run/newton.h"
#include "shell/playerRun.h"

GLUquadric* sharedQuadric();

static const float COLLECTABLE_DEGREES_PER_STEP = 5.0f;
static const float COLLECTABLE_STEP_SHARE = 0.75f;  // the spin counts 15 / frameps steps, not 20
static const float STAR_SPHERE_SPIN = 4.0f;
static const float STAR_SPHERE_RADIUS = 100.0f;
static const int STAR_SPHERE_SLICES = 10;

static const float collectablePoints[9][3] = {{0, 3, 0},   {1, 1, 0},   {3, 0, 0},  {1, -1, 0}, {0, -3, 0},
                                              {-1, -1, 0}, {-3, 0, 0}, {-1, 1, 0}, {0, 0, -1}};

static float rotBC = 0;
static float starSphereSpin = 0;
short effectSpinsHeld = 0;

float nextCollectableAngle(float angle, float k)
{
    angle += k * COLLECTABLE_STEP_SHARE * COLLECTABLE_DEGREES_PER_STEP;
    if (!(angle < 360)) angle = 0;
    return angle;
}

void drawHalfBigCollectable(float size)
{
    glScalef(size, size, size);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 8; i++) {
        const int corner[3] = {i, 8, (i + 1) % 8};
        for (int c = 0; c < 3; c++) {
            if (c == 1) glColor4f(1, 1, 1, 0.7f);
            else glColor4f(1, 0, 0, 0.7f);
            glNormal3fv(collectablePoints[corner[c]]);
            glVertex3fv(collectablePoints[corner[c]]);
        }
    }
    glEnd();
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_LIGHTING);
    glColor4f(1, 1, 1, 1);
}

void drawBigCollectable(float size, float angleOffset)
{
    if (!effectSpinsHeld) rotBC = nextCollectableAngle(rotBC, drawnFrameScale(playerRun));
    glRotatef(angleOffset + rotBC, 0, 1, 0);
    glPushMatrix();
    drawHalfBigCollectable(size);
    glPopMatrix();
    glRotatef(180, 1, 0, 0);
    drawHalfBigCollectable(size);
}

void drawStars(float y, float angle)
{
    (void)y;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    if (!effectSpinsHeld) starSphereSpin += STAR_SPHERE_SPIN;
    glPushMatrix();
    glRotatef(starSphereSpin, 0, 1, 0);
    glColor4f(1, 1, 1, 0.8f);
    glRotatef(angle, 1, 0, 0);
    glRotatef(angle, 0, 1, 0);
    glRotatef(angle, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gameTextures.texTrackStuff[texStuffCylinder]);
    GLUquadric* q = sharedQuadric();
    gluQuadricNormals(q, GLU_SMOOTH);
    gluQuadricDrawStyle(q, GLU_FILL);
    gluQuadricTexture(q, GL_TRUE);
    gluSphere(q, STAR_SPHERE_RADIUS, STAR_SPHERE_SLICES, STAR_SPHERE_SLICES);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}
