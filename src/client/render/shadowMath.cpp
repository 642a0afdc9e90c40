// Planar shadow projection: flattens geometry onto a triangle's plane from a point light.
#include <math.h>

#include "render/scene.h"

void ReduceToUnit(float v[3])
{
    float len = sqrtf(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len == 0.0f) len = 1.0f;
    v[0] /= len, v[1] /= len, v[2] /= len;
}

void calcNormal(float pts[3][3], float n[3])
{
    float a[3], b[3];
    for (int c = 0; c < 3; c++) a[c] = pts[0][c] - pts[1][c], b[c] = pts[1][c] - pts[2][c];
    n[0] = a[1] * b[2] - a[2] * b[1];
    n[1] = a[2] * b[0] - a[0] * b[2];
    n[2] = a[0] * b[1] - a[1] * b[0];
    ReduceToUnit(n);
}

void MakeShadowMatrix(float pts[3][3], float light[4], float m[4][4])
{
    float n[3];
    calcNormal(pts, n);
    float plane[4] = {n[0], n[1], n[2], -(n[0] * pts[0][0] + n[1] * pts[0][1] + n[2] * pts[0][2])};
    float dot = plane[0] * light[0] + plane[1] * light[1] + plane[2] * light[2] + plane[3] * light[3];
    // Keep the light on the positive side of the plane: with the other winding every flattened
    // vertex gets a negative w and OpenGL clips the whole shadow away.
    if (dot < 0) {
        for (float& c : plane) c = -c;
        dot = -dot;
    }
    for (int c = 0; c < 4; c++)
        for (int r = 0; r < 4; r++) m[c][r] = (r == c ? dot : 0.0f) - light[r] * plane[c];
}
