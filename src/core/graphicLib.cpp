#include "core/graphicLib.h"

#include <cmath>

float cosTable[720];
static float sinTable[720];

void preCalculateTrigoTables()
{
    for (int i = 0; i < 720; i++) {
        double r = (i - 359) * DEG_TO_RAD_GAME;
        cosTable[i] = (float)cos(r);
        sinTable[i] = (float)sin(r);
    }
}

// Angles are rounded up to a whole degree; the remainder keeps the dividend's sign.
static int tableIndex(float degrees)
{
    return 359 + ((int)ceilf(degrees)) % 360;
}

float pcos(float degrees) { return cosTable[tableIndex(degrees)]; }
float psin(float degrees) { return sinTable[tableIndex(degrees)]; }

float computeDistance(float x1, float y1, float z1, float x2, float y2, float z2)
{
    float dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    return sqrtf(dx * dx + dy * dy + dz * dz);
}

static void sinCosOf(float angle, float* s, float* c)
{
    float r = (float)(angle * 3.14159 * 0.0055555557);
    *s = sinf(r);
    *c = cosf(r);
}

// Turns the pair (u, v) by degrees in its own plane: u towards v.
static void turnPair(float* u, float* v, float degrees)
{
    float s, c;
    sinCosOf(degrees, &s, &c);
    float turnedU = *u * c - *v * s;
    float turnedV = *u * s + *v * c;
    *u = turnedU;
    *v = turnedV;
}

void applyRotationToPoint(ThreeDPoint* p, float ax, float ay, float az)
{
    if (ax != 0) turnPair(&p->y, &p->z, ax);
    if (ay != 0) turnPair(&p->z, &p->x, ay);
    if (az != 0) turnPair(&p->y, &p->x, az);
}

void normalize(float v[3])
{
    float len = sqrtf(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len == 0.0f) return;
    v[0] /= len;
    v[1] /= len;
    v[2] /= len;
}

float lerpDegrees(float a, float b, float f)
{
    float d = fmodf(b - a, 360.0f);
    if (d > 180.0f) d -= 360.0f;
    if (d < -180.0f) d += 360.0f;
    return a + d * f;
}

float lerp(float a, float b, float f) { return a + (b - a) * f; }

static float max2(float a, float b) { return b > a ? b : a; }

float max37(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8,
            float a9, float a10, float a11, float a12, float a13, float a14, float a15, float a16,
            float a17, float a18, float a19, float a20, float a21, float a22, float a23, float a24,
            float a25, float a26, float a27, float a28, float a29, float a30, float a31, float a32,
            float a33, float a34, float a35, float a36)
{
    const float all[37] = {a0,  a1,  a2,  a3,  a4,  a5,  a6,  a7,  a8,  a9,  a10, a11, a12,
                           a13, a14, a15, a16, a17, a18, a19, a20, a21, a22, a23, a24, a25,
                           a26, a27, a28, a29, a30, a31, a32, a33, a34, a35, a36};
    float best = all[0];
    for (int i = 1; i < 37; i++) best = max2(best, all[i]);
    return best;
}
