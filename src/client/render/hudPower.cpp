// Takes the jump charge with its threshold and maximum; draws the round power gauge: two rings
// and a filled disc, orange up to the threshold and blue beyond it.
#include <GL/gl.h>

#include "core/graphicLib.h"
#include "render/guistuff.h"

static const float ringColour[4] = {1, 1, 1, 0.5f};
static const float ringShade[4] = {0, 0, 0, 0.5f};
static const float centreColour[4] = {0, 0, 0.7f, 0.1f};
static const float rimOrange[4] = {0.95f, 0.39f, 0.11f, 0.5f};
static const float rimBlue[4] = {0, 0, 1.0f, 0.5f};

struct Pt {
    float x, y;
};

static Pt rimPoint(float x, float y, int a, float r) { return {x + psin((float)a) * r, y + pcos((float)a) * r}; }

static int angleStep(int n) { return n > 0 && n <= 360 ? 360 / n : 360; }

// Segments round a circle from prev; returns the last point.
static Pt circle(float x, float y, int n, float r, const float colour[4], Pt prev)
{
    glColor4fv(colour);
    glBegin(GL_LINES);
    for (int a = 0; a < 361; a += angleStep(n)) {
        Pt p = rimPoint(x, y, a, r);
        glVertex2f(prev.x, prev.y);
        glVertex2f(p.x, p.y);
        prev = p;
    }
    glEnd();
    return prev;
}

static Pt fan(float x, float y, int n, float r, const float rim[4], Pt prev)
{
    glBegin(GL_TRIANGLE_FAN);
    for (int a = 0; a < 361; a += angleStep(n)) {
        Pt p = rimPoint(x, y, a, r);
        glColor4fv(centreColour);
        glVertex2f(x, y);
        glColor4fv(rim);
        glVertex2f(prev.x, prev.y);
        glVertex2f(p.x, p.y);
        prev = p;
    }
    glEnd();
    return prev;
}

void drawOnePowerDisc(float x, float y, int n, float radius, float value, float threshold, float max)
{
    if (max == 0) return;
    float rv = (radius - 1) * value / max;
    Pt centre = {x, y};
    if (value <= threshold + 1) {
        fan(x, y, n, rv, rimOrange, centre);
    } else {
        Pt last = fan(x, y, n, rv, rimBlue, centre);
        fan(x, y, n, (radius - 1) * threshold / max, rimOrange, last);
    }
}

void drawPower(float x, float y, int n, float radius, float value, float threshold, float max)
{
    if (max == 0) return;
    beginOverlay();
    float rt = radius * threshold / max;
    Pt last = circle(x, y, n, radius, ringColour, rimPoint(x, y, 0, radius));
    circle(x, y, n, radius + 1, ringShade, last);
    last = circle(x, y, n, rt, ringColour, rimPoint(x, y, 0, rt));
    circle(x, y, n, rt + 1, ringShade, last);
    drawOnePowerDisc(x, y, n, radius, value, threshold, max);
    glColor4f(1, 1, 1, 1);
    endOverlay();
}
