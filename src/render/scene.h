// The 3-D scene of a run frame: chase camera, sky box, sun, terrain window, obstacles, shadow.
#pragma once

#include "track/planLib.h"
#include "track/trackModel.h"

const int minViewChoice = 1;
const int maxViewChoice = 3;

extern int ombre;  // 0 projected rider shadow, 1 disc, 2 none
extern float mouvCamX;
extern float derniereRotYAvtSaut;
extern int rotSkierYAvantSautHalfPipe;
extern float lilPoints[3][3];
extern float shadowMat[4][4];

// Camera offsets of a view (back is the eye X in the rider frame, up its height).
void cameraDistances(int view, float* back, float* up);
void placeCamera();
void handleToggleView();
void handleToggleOmbre();
void drawFond();
void drawSoleil(float angle);
void drawPlan(float x, TrackPoint* pts, TrackFace* fcs, float (*normales)[3], TexData* texs, unsigned int* names);
void drawObstacles(TrackPoint* pts, TrackFace* fcs, float nbFaces);
void drawSapin(float y, int i);
void drawBomb(int i);

void makePoints(float pts[3][3], int face);
void calcNormal(float pts[3][3], float n[3]);
void ReduceToUnit(float v[3]);
void MakeShadowMatrix(float pts[3][3], float light[4], float m[4][4]);
// The shadow pass under the rider (ombre 0 or 1).
void drawShadow();

// The terrain window's strip plan, without OpenGL, for tests: calls emit(t, restartStrip) per
// triangle in drawing order.
typedef void (*TerrainEmitFn)(int triangle, short newStrip, void* ctx);
void walkTerrainWindow(int face, TexData* texs, TerrainEmitFn emit, void* ctx);
