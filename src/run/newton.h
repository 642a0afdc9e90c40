// Motion formulas of the rider on the slope, and the per-frame scale.
#pragma once

float giveAccel(float m, float a);
float giveTrueAccel(float m, float a);
float giveNewSpeed(float v, float acc, float t);
float giveNewXposition(float acc, float v, float x, float t);

// 20 / frameps, using the last measured rate (20 before any) while frameps holds no measurement.
float frameScale();
