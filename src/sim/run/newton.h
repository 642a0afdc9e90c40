// Motion formulas of the rider on the slope, and the per-frame scale.
#pragma once

struct RunState;

float giveAccel(float m, float a);
float giveTrueAccel(float m, float a);
float giveNewSpeed(float v, float acc, float t);
float giveNewXposition(float acc, float v, float x, float t);

// The run's amounts tuned at 20 steps a second, for one tick: 20 x the tick's length in seconds.
float frameScale();
// The same for one drawn frame (20 / frameps, the last measured rate, 20 before any): for what the
// drawing animates on its own, never for the run.
float drawnFrameScale(RunState& run);
