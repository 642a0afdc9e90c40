// The 3-D scene of a run frame: chase camera, sky box, sun, terrain window, obstacles, shadow.
#pragma once

#include "track/planLib.h"
#include "track/trackModel.h"

#include "shell/prefs.h"  // viewChoice and its bounds

struct RiderPose;

// The rider's shadow: how it is drawn (F9 switches it, in the shell) and the ground plane under the
// rider it is flattened on, in the rider frame.
struct ShadowState {
    int ombre = 0;  // 0 projected rider shadow, 1 disc, 2 none
    float lilPoints[3][3] = {};
    float shadowMat[4][4] = {};
};
extern ShadowState shadowState;

// Camera offsets of a view (back is the eye X in the rider frame, up its height).
void cameraDistances(int view, float* back, float* up);
// The eye of the chase camera in the rider frame (back along the view's heading, up), for a rider at
// pos standing over ground groundY: lifted 150 above the terrain behind him, then pulled in along the
// line of sight when the terrain (a bank, a kicker, a half-pipe wall) stands between it and him, and
// kept above the snow under it.
void chaseEyeOver(const TrackPoint* pts, const TrackFace* fcs, const float pos[3], float groundY, float headingDeg,
                  int view, float* back, float* up);
// The same for the run's rider and view.
void chaseCameraEye(const TrackModel& track, float headingDeg, float* back, float* up);
// Share of the way from one point to another that is clear of the terrain by the eye's margin (1: all).
float clearShareOfSight(const TrackPoint* pts, const TrackFace* fcs, const float from[3], const float to[3]);
// The chase view for an eye given in the rider frame.
void placeCameraAt(float back, float up);
// A camera standing in the world (replayCameras.h): turned toward its aim, the eye at the origin
// (the sky is drawn round it; the world is then moved by -eye).
struct WorldView;
void placeWorldCamera(const WorldView& v);
// Most the view leans into a turn, degrees.
const float cameraMaxTilt = 3.0f;
// The camera's own state, stepped once a tick: the half-pipe heading it creeps from the run's, the
// sun's turn, and what it saw of the run last tick.
struct ChaseCameraState {
    float sunHeading;
    int halfPipeHeading, seenRunHalfPipe;
    short seenInHalfPipe, seenContact;
    float mouvCamX;  // the bank the view leans by on the ground, degrees
};
extern ChaseCameraState chaseCamera;
// A new run: no bank, the camera's heading state taken from the run's.
void resetChaseCamera();
// The view's heading (about Y) and bank (about X) for this tick; steps the camera's own state.
struct ViewTurn {
    short turn;
    float heading;
    short bank;
    float bankAngle;
};
void stepViewTurn(ViewTurn* t);
void drawFond();
void drawSoleil(float angle);
void drawPlan(float x, const TrackPoint* pts, const TrackFace* fcs, const float (*normales)[3], const TexData* texs,
              unsigned int* names);
void drawObstacles(const TrackModel& track);
void drawSapin(float y, int i);
void drawBomb(int i);
// How far ahead of the rider the obstacles are drawn.
const float obstacleViewAhead = 12.0f * longueurFace;
// Whether an obstacle record is drawn this frame (in the window ahead, not taken).
short obstacleInView(const ObstacleRecord& o, short taken, float riderX);
// Texture name of a terrain texture index; 0 (untextured) outside the loaded table.
unsigned int terrainTextureName(int texIndex, unsigned int* names);

void makePoints(const TrackModel& track, float pts[3][3], int face);
void calcNormal(float pts[3][3], float n[3]);
void ReduceToUnit(float v[3]);
void MakeShadowMatrix(float pts[3][3], float light[4], float m[4][4]);
// lilPoints and shadowMat for the horizontal ground plane under the rider, in the rider frame: the
// plane of the triangle face flattened at groundY, for a rider at (riderX, riderY).
void shadowPlaneUnderRider(const TrackModel& track, int face, float riderX, float riderY, float groundY);
// The shadow pass under the rider (ombre 0 or 1), the rider as the drawn state shows him, seen by the
// chase camera or, when given, a camera standing in the world.
struct DrawnState;
void drawShadow(const TrackModel& track, const RiderPose& pose, const DrawnState& d, const WorldView* view = nullptr);
// The last bomb's blast round where it went off, while it lasts.
void drawBombBlast(const float* at);
// obstacles in view of a rider at riderX
void drawObstaclesAt(const TrackModel& track, float riderX);
// The same in two passes: the solid ones (trees, bombs, rails), then the see-through ones
// (collectables, the bomb's burst) once the sky is behind them.
enum ObstaclePass { allObstacles, solidObstacles, seeThroughObstacles };
void drawObstaclesOfPass(const TrackModel& track, float riderX, ObstaclePass pass);

// The terrain window's strip plan, without OpenGL, for tests: calls emit(t, restartStrip) per
// triangle in drawing order.
// emit gets the first and second vertices too when newStrip is set.
typedef void (*TerrainEmitFn)(int triangle, short newStrip, void* ctx);
const int terrainRowsBehind = 2;
const int terrainRowsAhead = 11;
const int terrainHalfWidth = 24;
const int terrainLastFace = 28797;
void walkTerrainWindow(int face, const TexData* texs, TerrainEmitFn emit, void* ctx);
