// Sweeping the rider's movement against the obstacles of the track.
#pragma once

struct RunState;
struct TrackModel;

struct coord {
    float x, y, z;
};

const int maxPointsToTest = 100;
const float riderCollisionRadius = 90.0f;

// The sweep's state is the rider's: riderState.collision (run/runState.h).

// Start of a run: nothing picked up, no grind, the sweep starting at (x, y, z).
void reinitCollisionSweep(RunState& run, float x, float y, float z);
// Non-zero when the rider hits something that makes him fall.
int detectCollision(RunState& run, const TrackModel& track);
// Sample points of a movement; at most maxPointsToTest (the last ones of a longer movement).
int initPointsToCollideTest(coord from, coord to, coord* out, float radius, float distance);
int testSphereCollision(float r1, float x1, float y1, float z1, float x2, float y2, float z2, float r2);
int isCollisionSapin(const TrackModel& track, float radius, float x, float y, float z, int obstacle);
int isCollisionCollectable(const TrackModel& track, float radius, float x, float y, float z, int obstacle);
int isCollisionBomb(const TrackModel& track, float radius, float x, float y, float z, int obstacle);
int isCollisionRail(RunState& run, const TrackModel& track, float radius, float x, float y, float z, int obstacle, short descending);
