// Effects and small models built in code: rescue rocket and firework, star sphere,
// collectable, snow-flake, menu arrows, flat disc.
#pragma once

#include "run/rescueFlight.h"

// The rescue where the run's count has it (rocket, then firework with its flash and message).
void drawRescueFlight(float x, float y, float z, unsigned int fontTexture, unsigned int starTexture);
void drawLilStar(float x, float y, float z, float angle, float size, unsigned int texture);
void drawStars(float y, float angle);
void drawBigCollectable(float size, float angleOffset);
// Set while a replay is paused: the track's bonuses and the stars of a fall stop turning.
extern short effectSpinsHeld;
void drawHalfBigCollectable(float size);
void drawFlocon();
void drawPaleFlocon();
void drawRightArrow();
void drawLeftArrow();
void drawOneDisc(float x, float y, float z, int n, float radius);

// The collectable's spin after one frame at scale k (20 / frameps), back to 0 once it reaches 360.
float nextCollectableAngle(float angle, float k);
// Releases the shared GLU quadric (at exit).
void freeEffectQuadrics();
