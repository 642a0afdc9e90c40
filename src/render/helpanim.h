// Effects and small models built in code: rescue rocket and firework, star sphere,
// collectable, snow-flake, menu arrows, flat disc.
#pragma once

short animRescueSequence(float x, float y, float z, unsigned int fontTexture, unsigned int starTexture,
                         float* cameraLift);
short animRescueArrow(float x, float y, float z, float* cameraLift);
short animExplode(float x, float y, float z, unsigned int fontTexture, unsigned int starTexture);
void drawLilStar(float x, float y, float z, float angle, float size, unsigned int texture);
void drawStars(float y, float angle);
void drawBigCollectable(float size, float angleOffset);
void drawHalfBigCollectable(float size);
void drawFlocon();
void drawPaleFlocon();
void drawRightArrow();
void drawLeftArrow();
void drawOneDisc(float x, float y, float z, int n, float radius);

// Rocket climb without drawing, for tests: one frame at 20 / frameps; returns 1 when done.
struct RocketState {
    int deb;
    float fireMov;
    int fireRand;
    float yInit, yArrow;
    float accel;
};
short stepRocket(RocketState* s, float y, float k, float* cameraLift);
// Firework phase without drawing: one frame at scale k; *messageScale gets the "Rescue me!" scale.
struct FireworkState {
    int deb;
    float sizeMsg, sizeStar, rot;
    long flashStart;
    short flashArmed;
    short drawExplodeNoTrans;
};
short stepFirework(FireworkState* f, float k, float* messageScale);
// The collectable's spin after one frame at scale k (20 / frameps), back to 0 once it reaches 360.
float nextCollectableAngle(float angle, float k);
// Releases the shared GLU quadric (at exit).
void freeEffectQuadrics();
