// Effects built in code: the rescue rocket, small models for menus and obstacles, the disc shadow.
#include <GL/gl.h>
#include <GL/glu.h>
#include <math.h>

#include "core/graphicLib.h"
#include "render/helpanim.h"

// One quadric for every effect: created on first use, freed at exit, never per frame.
static GLUquadric* effectQuadric = nullptr;

GLUquadric* sharedQuadric()
{
    if (!effectQuadric) effectQuadric = gluNewQuadric();
    return effectQuadric;
}

void freeEffectQuadrics()
{
    if (effectQuadric) gluDeleteQuadric(effectQuadric);
    effectQuadric = nullptr;
}

void drawOneDisc(float x, float y, float z, int n, float radius)
{
    float prevZ = z, prevY = y;
    int step = 360 / n;
    glBegin(GL_TRIANGLES);
    for (int a = 0; a < 361; a += step) {
        double r = a * DEG_TO_RAD_GAME;
        float nz = z + radius * (float)sin(r), ny = y + radius * (float)cos(r);
        glVertex3f(x, z, y);
        glVertex3f(x, prevZ, prevY);
        glVertex3f(x, nz, ny);
        prevZ = nz, prevY = ny;
    }
    glEnd();
}

void drawRightArrow()
{
    glBegin(GL_TRIANGLES);
    glColor4f(1, 1, 1, 1);
    glVertex3f(0, 1, 0);
    glColor4f(0.95f, 0.39f, 0.11f, 1);
    glVertex3f(0, -1, 0);
    glColor4f(1, 1, 1, 1);
    glVertex3f(2, 0, 0);
    glEnd();
}

void drawLeftArrow()
{
    glRotatef(180, 0, 0, 1);
    drawRightArrow();
}

static const float floconA[12][2] = {{1.5f, -1}, {1.5f, 1}, {7, 1},   {7, -1}, {8, -3}, {10, -3},
                                     {9, -1},    {11, -1},  {11, 1}, {9, 1},  {10, 3}, {8, 3}};
static const float floconB[12][2] = {{1.5f, 1}, {0, 2},    {3.5f, 7}, {5, 6},  {7, 6},  {8.5f, 8},
                                     {6.5f, 8}, {8, 10},   {6.5f, 11}, {5, 9}, {4, 10.5f}, {3, 7.5f}};
static const int floconTris[10][3] = {{0, 1, 2}, {2, 3, 0}, {2, 9, 3}, {3, 9, 6},  {4, 3, 6},
                                      {5, 4, 6}, {6, 9, 8}, {7, 6, 8}, {9, 2, 11}, {9, 11, 10}};
// branch, sign of Y, sign of Z, in drawing order
static const struct { const float (*pts)[2]; float sy, sz; } floconBranches[6] = {
    {floconA, 1, 1}, {floconB, 1, 1}, {floconB, -1, 1}, {floconA, -1, 1}, {floconB, -1, -1}, {floconB, 1, -1}};

void drawPaleFlocon()
{
    glColor4f(1, 1, 1, 1);
    for (int t = 0; t < 10; t++) {
        for (int b = 0; b < 6; b++) {
            glBegin(GL_TRIANGLES);
            for (int c = 0; c < 3; c++) {
                const float* p = floconBranches[b].pts[floconTris[t][c]];
                if (c == 1)
                    glColor4f(0.2f, 0.2f, 0.7f, 1);
                else
                    glColor4f(1, 1, 1, 1);
                glVertex3f(0, p[0] * floconBranches[b].sy, p[1] * floconBranches[b].sz);
            }
            glEnd();
        }
    }
}

void drawFlocon()
{
    glScalef(2, 2, 2);
    for (int i = 0; i < 6; i++) {
        drawPaleFlocon();
        glRotatef(60, 1, 0, 0);
    }
}

void drawLilStar(float x, float y, float z, float angle, float size, unsigned int texture)
{
    glRotatef(angle, 0, 0, 1);
    glTranslatef(-size / 2, size / 2, 0);
    glColor4f(1, 1, 1, 1);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_POLYGON);
    glTexCoord2f(0.04f, 0.03f);
    glVertex3f(x, y, z);
    glTexCoord2f(0.115f, 0.03f);
    glVertex3f(x + size, y, z);
    glTexCoord2f(0.115f, 0.1f);
    glVertex3f(x + size, y - size, z);
    glTexCoord2f(0.04f, 0.1f);
    glVertex3f(x, y - size, z);
    glEnd();
}
