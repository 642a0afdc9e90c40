// Terrain queries: takes the grid arrays and a position, returns the triangle, height, slope or normal there.
#include "track/planLib.h"

#include <cmath>
#include <utility>

#include "core/graphicLib.h"
#include "run/runState.h"
#include "track/surfaceTextures.h"
#include "track/trackModel.h"

static const float radPerDeg = 0.017455053237912375f;
// Positions are clamped just inside the grid so every query lands on a real triangle.
static const float gridMinX = 1.0f;
static const float gridMaxX = (float)(longueurPisteEnFaces * longueurFace) - 1.0f;
static const float gridHalfWidth = (float)(largeurPisteEnFaces / 2 * largeurFace) - 1.0f;

static int nbTrackTextures = 0;

// The rider's ground contact lives in the run state; these read and write it.
int getNumeroFaceCourante(const RunState& run) { return run.rider.ground.numeroFaceCourante; }
void setNumeroFaceCourante(RunState& run, int f) { run.rider.ground.numeroFaceCourante = f; }
float getYobjetCour(const RunState& run) { return run.rider.ground.YobjetCour; }
void setYobjetCour(RunState& run, float y) { run.rider.ground.YobjetCour = y; }
float getXobjet_inc(const RunState& run) { return run.rider.ground.Xobjet_inc; }
void setXobjet_inc(RunState& run, float x) { run.rider.ground.Xobjet_inc = x; }
int getContact(const RunState& run) { return run.rider.ground.contact; }
void setContact(RunState& run, int c) { run.rider.ground.contact = c; }
int getAncienContact(const RunState& run) { return run.rider.ground.ancienContact; }
void setAncienContact(RunState& run, int c) { run.rider.ground.ancienContact = c; }
int getNbTrackTextures() { return nbTrackTextures; }
void setNbTrackTextures(int n) { nbTrackTextures = n; }

static float clampf(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

int findCurrentFace(const TrackPoint*, const TrackFace*, float x, float z, float)
{
    if (std::isnan(x)) x = gridMinX;
    if (std::isnan(z)) z = 0;
    x = clampf(x, gridMinX, gridMaxX);
    z = clampf(z, -gridHalfWidth, gridHalfWidth);
    const int L = largeurPisteEnFaces, W = largeurFace, D = longueurFace;
    int base;
    if (z > 0) {
        int k = (int)std::floor(z / W);
        base = ((int)z % W != 0) ? L - 2 * k - 2 : L - 2 * k;
    } else {
        int k = std::abs((int)std::ceil(z / W));
        base = ((int)z % W != 0) ? L + 2 * k : L + 2 * k - 2;
    }
    int r = (int)std::floor(x / D);
    int row = ((int)x % D != 0) ? r : r - 1;
    if (row < 0) row = 0;
    if (row > longueurPisteEnFaces - 1) row = longueurPisteEnFaces - 1;
    if (base < 0) base = 0;
    if (base > 2 * L - 2) base = 2 * L - 2;
    return base + row * L * 2;
}

float yPlan(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2,
            float x, float z)
{
    float ax = x1 - x0, ay = y1 - y0, az = z1 - z0;
    float bx = x2 - x0, by = y2 - y0, bz = z2 - z0;
    float dx = x - x0, dz = z - z0;
    return y0 + ((ay * bz - az * by) * dx + (ax * by - ay * bx) * dz) / (ax * bz - az * bx);
}

static float yOnFace(const TrackPoint* pts, const TrackFace* fcs, int f, float x, float z)
{
    const float* p0 = pts[fcs[f][0]];
    const float* p1 = pts[fcs[f][1]];
    const float* p2 = pts[fcs[f][2]];
    return yPlan(p0[0], p0[1], p0[2], p1[0], p1[1], p1[2], p2[0], p2[1], p2[2], x, z);
}

// The cell's first triangle, or its second when (x, z) lies beyond the diagonal.
static int chooseTriangle(const TrackPoint* pts, const TrackFace* fcs, float x, float z, float nbFaces)
{
    int f = findCurrentFace(pts, fcs, x, z, nbFaces);
    const float* p0 = pts[fcs[f][0]];
    const float* p1 = pts[fcs[f][1]];
    const float* p2 = pts[fcs[f][2]];
    float t = (p1[0] - x) / (p1[0] - p0[0]);
    if ((p0[2] - z) > (p0[2] - p2[2]) * t && f < nbFaces - 1 && f < maxTrackFaces - 1) f = f + 1;
    return f;
}

static void clampOnGrid(float& x, float& z)
{
    if (std::isnan(x)) x = gridMinX;
    if (std::isnan(z)) z = 0;
    x = clampf(x, gridMinX, gridMaxX);
    z = clampf(z, -gridHalfWidth, gridHalfWidth);
}

float yTheoObjSettingFaceNumber(GroundContact& ground, const TrackPoint* pts, const TrackFace* fcs, float x, float z,
                                float nbFaces, short setFace)
{
    clampOnGrid(x, z);
    int f = chooseTriangle(pts, fcs, x, z, nbFaces);
    if (setFace) ground.numeroFaceCourante = f;
    return yOnFace(pts, fcs, f, x, z);
}

float yTheoObj(const TrackPoint* pts, const TrackFace* fcs, float x, float z, float nbFaces)
{
    clampOnGrid(x, z);
    return yOnFace(pts, fcs, chooseTriangle(pts, fcs, x, z, nbFaces), x, z);
}

static void crossInto(const float* a, const float* b, float* out)
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
    normalize(out);
}

float placeObjetAndGetAngle(GroundContact& ground, const TrackPoint* pts, const TrackFace* fcs, float x, float z, float nbFaces,
                            float headingDeg, float* normalOut)
{
    clampOnGrid(x, z);
    int f = chooseTriangle(pts, fcs, x, z, nbFaces);
    ground.numeroFaceCourante = f;
    float y = yOnFace(pts, fcs, f, x, z);
    const float* p0 = pts[fcs[f][0]];
    const float* p1 = pts[fcs[f][1]];
    const float* p2 = pts[fcs[f][2]];
    float a[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    float b[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
    normalize(a);
    normalize(b);
    if (normalOut) crossInto(a, b, normalOut);
    float x2 = x + 1;
    float z2 = z + std::tan(headingDeg * radPerDeg) * (x2 - x);
    float y2 = yOnFace(pts, fcs, f, x2, z2);
    float slope = std::atan(y2 - y) * convRad;
    ground.ancienContact = ground.contact;
    ground.contact = 1;
    ground.YobjetCour = y;
    return slope;
}

void computeNormalForFace(int face, const TrackPoint* pts, const TrackFace* fcs, float* out)
{
    if (face < 0 || face >= maxTrackFaces) face = 0;
    const float* p0 = pts[fcs[face][0]];
    const float* p1 = pts[fcs[face][1]];
    const float* p2 = pts[fcs[face][2]];
    float a[3] = {p0[0] - p1[0], p0[1] - p1[1], p0[2] - p1[2]};
    float b[3] = {p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]};
    crossInto(a, b, out);
}

static int rowsAheadForAngle(float a)
{
    if (a < 11) return 4;
    if (a < 33) return 3;
    if (a < 56) return 2;
    if (a < 78) return 1;
    if (a <= 90) return 0;
    return 4;
}

// The raised cell (both triangles of g's cell) shows the bomb ramp's picture when the track has one.
static void markBombRamp(TexData* textures, int g)
{
    if (nbTrackTextures <= texBombRamp) return;
    textures[g].texIndex = texBombRamp;
    textures[g ^ 1].texIndex = texBombRamp;
}

int addJumpTwdIntrack(const GroundContact& ground, TrackModel& groundRaisedByBomb, float angleDeg)
{
    TrackPoint* pts = groundRaisedByBomb.points;
    const TrackFace* fcs = groundRaisedByBomb.faces;
    int f = ground.numeroFaceCourante;
    int k = rowsAheadForAngle(std::fabs(angleDeg));
    int s = angleDeg > 0 ? -1 : 1;
    int g = f + k * facesParRangee + 2 * s * (4 - k);
    if ((unsigned int)g > (unsigned int)(maxTrackFaces - 1)) return -1;
    for (int v = 0; v < 3; v++)
        if (fcs[g][v] >= (unsigned int)maxTrackVertices) return -1;
    pts[fcs[g][0]][1] += 1000;
    pts[fcs[g][1]][1] += 500;
    pts[fcs[g][2]][1] += 1000;
    markBombRamp(groundRaisedByBomb.textures, g);
    return (int)fcs[g][0];
}

// Rise across the track along the triangle's edge that runs across it (both ends at the same X),
// from its +Z end to its -Z end. Taking a fixed pair of corners instead gives 90 degrees on the
// second triangle of a cell, whose corners 1 and 2 lie along X: the shadow then stood on its edge.
float angleLateral(const TrackModel& track, int face)
{
    if (face < 0 || face >= maxTrackFaces) return 0.0f;
    const float* p[3] = {track.points[track.faces[face][0]], track.points[track.faces[face][1]],
                         track.points[track.faces[face][2]]};
    static const int pairs[3][2] = {{0, 2}, {1, 2}, {0, 1}};
    for (const auto& pr : pairs) {
        const float* a = p[pr[0]];
        const float* b = p[pr[1]];
        if (a[0] != b[0] || a[2] == b[2]) continue;
        if (a[2] < b[2]) std::swap(a, b);
        return atan2f(b[1] - a[1], a[2] - b[2]) * convRad;
    }
    return 0.0f;
}
