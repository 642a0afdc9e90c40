// Takes the drawn rider's place, the recorded path, the terrain (read only) and the free camera's
// keys; gives the far, trackside and free cameras' eyes and aims, kept inside the world.
#include "render/replayCameras.h"

#include <cmath>

#include "track/planLib.h"

const char* const replayCameraNames[replayCameraCount] = {"chase", "far view", "trackside", "free camera"};

static const float RIDER_MIDDLE = 100.0f;  // the aim: the rider's middle, not his boots
static const float FAR_BACK = 3800.0f, FAR_UP = 2600.0f, FAR_SIDE = 2600.0f;
static const float TRACKSIDE_SIDE = 2200.0f;  // beside the line, toward the middle of the track
static const float TRACKSIDE_HEIGHT = 350.0f;
static const float GRID_MARGIN = 1.0f * largeurFace;  // the eye keeps a cell inside the grid's edge
static const int ROWS_BEHIND = 2, ROWS_AHEAD = 11;    // of the terrain a view needs, as the chase's window
static const double DEG = M_PI / 180.0;

static float groundAt(const TrackPoint* pts, const TrackFace* fcs, float x, float z)
{
    return yTheoObj(pts, fcs, x, z, (float)maxTrackFaces);
}

static void aimAtRider(const float riderPos[3], WorldView* out)
{
    out->target[0] = riderPos[0];
    out->target[1] = riderPos[1] + RIDER_MIDDLE;
    out->target[2] = riderPos[2];
}

static float clampf(float v, float lo, float hi) { return v < lo ? lo : v > hi ? hi : v; }

void keepEyeInWorld(const TrackPoint* pts, const TrackFace* fcs, float eye[3])
{
    const float lastX = (float)longueurPisteEnFaces * longueurFace, halfZ = (float)(largeurPisteEnFaces / 2) * largeurFace;
    if (!std::isfinite(eye[0])) eye[0] = GRID_MARGIN;
    if (!std::isfinite(eye[2])) eye[2] = 0;
    eye[0] = clampf(eye[0], GRID_MARGIN, lastX - GRID_MARGIN);
    eye[2] = clampf(eye[2], -halfZ + GRID_MARGIN, halfZ - GRID_MARGIN);
    float ground = groundAt(pts, fcs, eye[0], eye[2]);
    if (!std::isfinite(eye[1])) eye[1] = ground + worldEyeClearance;
    eye[1] = clampf(eye[1], ground + worldEyeClearance, ground + worldEyeHighest);
}

void chaseWorldView(const float pos[3], float headingDeg, float back, float up, WorldView* out)
{
    // the chase looks from (back, up) of the rider frame turned by the view's heading (as OpenGL turns
    // it) at a point ahead of and below him
    const float LOOK_AHEAD = 2000.0f, LOOK_BELOW = -200.0f;
    double h = headingDeg * DEG;
    float c = (float)cos(h), s = (float)sin(h);
    out->eye[0] = pos[0] + back * c, out->eye[1] = pos[1] + up, out->eye[2] = pos[2] + back * s;
    out->target[0] = pos[0] + LOOK_AHEAD * c, out->target[1] = pos[1] + LOOK_BELOW;
    out->target[2] = pos[2] + LOOK_AHEAD * s;
}

void farView(const TrackPoint* pts, const TrackFace* fcs, const float riderPos[3], WorldView* out)
{
    out->eye[0] = riderPos[0] - FAR_BACK;
    out->eye[2] = riderPos[2] + FAR_SIDE;
    out->eye[1] = riderPos[1] + FAR_UP;
    keepEyeInWorld(pts, fcs, out->eye);
    aimAtRider(riderPos, out);
}

int tracksideStation(float riderX) { return (int)std::floor((riderX - tracksidePassBy) / tracksideSpacing - 0.5) + 1; }

float tracksideStationX(int station) { return (station + 0.5f) * tracksideSpacing; }

float pathZAt(const RunRecording& path, float x, float fallbackZ)
{
    if (path.samples.empty()) return fallbackZ;
    for (const RunSample& s : path.samples)
        if (s.pos[0] >= x) return s.pos[2];
    return path.samples.back().pos[2];
}

void tracksideView(const TrackPoint* pts, const TrackFace* fcs, const RunRecording& path, const float riderPos[3],
                   WorldView* out)
{
    float x = tracksideStationX(tracksideStation(riderPos[0]));
    float lineZ = pathZAt(path, x, riderPos[2]);
    out->eye[0] = x;
    out->eye[2] = lineZ + (lineZ > 0 ? -TRACKSIDE_SIDE : TRACKSIDE_SIDE);
    out->eye[1] = groundAt(pts, fcs, out->eye[0], out->eye[2]) + TRACKSIDE_HEIGHT;
    keepEyeInWorld(pts, fcs, out->eye);
    aimAtRider(riderPos, out);
}

void freeCameraFrom(const WorldView& v, FreeCamera* c)
{
    float d[3] = {v.target[0] - v.eye[0], v.target[1] - v.eye[1], v.target[2] - v.eye[2]};
    float across = sqrtf(d[0] * d[0] + d[2] * d[2]);
    for (int k = 0; k < 3; k++) c->eye[k] = v.eye[k];
    c->yaw = across > 0 ? (float)(atan2(d[2], d[0]) / DEG) : 0.0f;
    c->pitch = clampf((float)(atan2(d[1], across) / DEG), -freeCameraMaxPitch, freeCameraMaxPitch);
}

static void lookDirection(const FreeCamera& c, float out[3])
{
    double y = c.yaw * DEG, p = c.pitch * DEG;
    out[0] = (float)(cos(y) * cos(p));
    out[1] = (float)sin(p);
    out[2] = (float)(sin(y) * cos(p));
}

void moveFreeCamera(const TrackPoint* pts, const TrackFace* fcs, FreeCamera* c, const FreeCameraMove& m,
                    double seconds)
{
    if (!(seconds > 0)) return;
    c->yaw = (float)fmod(c->yaw + m.turn * freeCameraTurnSpeed * seconds, 360.0);
    c->pitch = clampf((float)(c->pitch + m.tilt * freeCameraTurnSpeed * seconds), -freeCameraMaxPitch, freeCameraMaxPitch);
    float ahead[3];
    lookDirection(*c, ahead);
    double y = c->yaw * DEG;
    // the right of a view turned by yaw about the vertical: ahead (cos, sin) turned a quarter
    const float right[3] = {(float)-sin(y), 0.0f, (float)cos(y)};
    float step = (float)(freeCameraSpeed * seconds);
    for (int k = 0; k < 3; k++) c->eye[k] += step * (m.forward * ahead[k] + m.right * right[k]);
    c->eye[1] += step * m.up;
    keepEyeInWorld(pts, fcs, c->eye);
}

void freeCameraView(const FreeCamera& c, WorldView* out)
{
    float ahead[3];
    lookDirection(c, ahead);
    const float REACH = 1000.0f;
    for (int k = 0; k < 3; k++) {
        out->eye[k] = c.eye[k];
        out->target[k] = c.eye[k] + REACH * ahead[k];
    }
}

static int rowOf(float x)
{
    int r = (int)std::floor(x / longueurFace);
    return r < 0 ? 0 : r >= longueurPisteEnFaces ? longueurPisteEnFaces - 1 : r;
}

void viewRows(const WorldView& v, int* firstRow, int* lastRow)
{
    int a = rowOf(v.eye[0]), b = rowOf(v.target[0]);
    int lo = a < b ? a : b, hi = a < b ? b : a;
    short downTrack = v.target[0] >= v.eye[0];
    *firstRow = lo - (downTrack ? ROWS_BEHIND : ROWS_AHEAD);
    *lastRow = hi + (downTrack ? ROWS_AHEAD : ROWS_BEHIND);
    if (*firstRow < 0) *firstRow = 0;
    if (*lastRow > longueurPisteEnFaces - 1) *lastRow = longueurPisteEnFaces - 1;
}
