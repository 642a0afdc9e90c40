// Degree-indexed sine and cosine tables and small vector helpers.
#pragma once

#include "core/ThreeDPoint.h"

// radians = degrees x this factor (1 / 57.29), used throughout the game
const double DEG_TO_RAD_GAME = 0.017455053237912375;

extern float cosTable[720];

void preCalculateTrigoTables();
float pcos(float degrees);
float psin(float degrees);

float computeDistance(float x1, float y1, float z1, float x2, float y2, float z2);
void applyRotationToPoint(ThreeDPoint* p, float ax, float ay, float az);
void normalize(float v[3]);
// From a toward b by the fraction f, the short way round (angles in degrees, whole turns apart are
// the same angle): from 170 to -170 goes through 180.
float lerpDegrees(float a, float b, float f);
// From a toward b by the fraction f, in a straight line.
float lerp(float a, float b, float f);
float max37(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8,
            float a9, float a10, float a11, float a12, float a13, float a14, float a15, float a16,
            float a17, float a18, float a19, float a20, float a21, float a22, float a23, float a24,
            float a25, float a26, float a27, float a28, float a29, float a30, float a31, float a32,
            float a33, float a34, float a35, float a36);
