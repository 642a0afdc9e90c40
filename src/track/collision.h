// Sweeping the rider's movement against the obstacles of the track.
#pragma once

struct coord {
    float x, y, z;
};

const int maxPointsToTest = 100;
const float riderCollisionRadius = 90.0f;

extern coord pointsToTest[maxPointsToTest];
extern float xPrecCol, yPrecCol, zPrecCol;  // rider position at the end of the previous sweep
extern short usingYRail;                    // grinding in this sweep
extern short lastUsingYRail;                // grinding in the previous sweep
extern float yRail;                         // height of the rail being ground
extern int indiceDernierCollectable;
extern int indiceDerniereBombe;
extern short boomF;  // a collectable was picked up in this sweep
extern short bombF;  // a bomb was picked up in this sweep

// Start of a run: nothing picked up, no grind, the sweep starting at (x, y, z).
void reinitCollisionSweep(float x, float y, float z);
// The obstacle type of the last hit that makes the rider fall (obstacleSapin, obstacleRail), -1 before any.
extern int lastHitObstacleType;
// Non-zero when the rider hits something that makes him fall.
int detectCollision();
// Sample points of a movement; at most maxPointsToTest (the last ones of a longer movement).
int initPointsToCollideTest(coord from, coord to, coord* out, float radius, float distance);
int testSphereCollision(float r1, float x1, float y1, float z1, float x2, float y2, float z2, float r2);
int isCollisionSapin(float radius, float x, float y, float z, int obstacle);
int isCollisionCollectable(float radius, float x, float y, float z, int obstacle);
int isCollisionBomb(float radius, float x, float y, float z, int obstacle);
int isCollisionRail(float radius, float x, float y, float z, int obstacle, short descending);
