// The 3-D scene of a run frame: chase camera, sky box, sun, terrain window, obstacles, shadow.
#pragma once

#include "track/planLib.h"
#include "track/trackModel.h"

#include "shell/prefs.h"  // viewChoice and its bounds

extern int ombre;  // 0 projected rider shadow, 1 disc, 2 none
extern float mouvCamX;
extern float derniereRotYAvtSaut;
extern int rotSkierYAvantSautHalfPipe;
extern float lilPoints[3][3];
extern float shadowMat[4][4];

// Camera offsets of a view (back is the eye X in the rider frame, up its height).
void cameraDistances(int view, float* back, float* up);
// Eye of the chase camera in the rider frame for the current view, lifted to stay 150 above the
// terrain behind the rider.
void chaseCameraEye(float* back, float* up);
void placeCamera();
// The chase view for an eye given in the rider frame.
void placeCameraAt(float back, float up);
// The view's heading (about Y) and bank (about X) for this frame; updates the camera heading state.
struct ViewTurn {
    short turn;
    float heading;
    short bank;
    float bankAngle;
};
void stepViewTurn(ViewTurn* t);
void applyViewTurn();
void drawFond();
void drawSoleil(float angle);
void drawPlan(float x, TrackPoint* pts, TrackFace* fcs, float (*normales)[3], TexData* texs, unsigned int* names);
void drawObstacles(TrackPoint* pts, TrackFace* fcs, float nbFaces);
void drawSapin(float y, int i);
void drawBomb(int i);
// Whether an obstacle record is drawn this frame (in the window ahead, not taken).
short obstacleInView(const ObstacleRecord& o, float riderX);
// Texture name of a terrain texture index; 0 (untextured) outside the loaded table.
unsigned int terrainTextureName(int texIndex, unsigned int* names);

void makePoints(float pts[3][3], int face);
void calcNormal(float pts[3][3], float n[3]);
void ReduceToUnit(float v[3]);
void MakeShadowMatrix(float pts[3][3], float light[4], float m[4][4]);
// lilPoints and shadowMat for the horizontal ground plane under the rider, in the rider frame: the
// plane of the triangle face flattened at groundY, for a rider at (riderX, riderY).
void shadowPlaneUnderRider(int face, float riderX, float riderY, float groundY);
// The shadow pass under the rider (ombre 0 or 1), the rider as the drawn state shows him.
struct DrawnState;
void drawShadow(const DrawnState& d);
// obstacles in view of a rider at riderX
void drawObstaclesAt(TrackPoint* pts, float riderX);

// The terrain window's strip plan, without OpenGL, for tests: calls emit(t, restartStrip) per
// triangle in drawing order.
// emit gets the first and second vertices too when newStrip is set.
typedef void (*TerrainEmitFn)(int triangle, short newStrip, void* ctx);
const int terrainRowsBehind = 2;
const int terrainRowsAhead = 11;
const int terrainHalfWidth = 24;
const int terrainLastFace = 28797;
void walkTerrainWindow(int face, TexData* texs, TerrainEmitFn emit, void* ctx);
