// Takes masses, slope angles, speeds and times; returns accelerations, speeds, positions and the tick and frame scales.
#include "run/newton.h"

#include <cmath>

#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"

static const float slopeGravity = -9.8f;
static const float degToRad = 0.017455053237912375f;
// Rates at or below this are not a measurement (program start, or a window not yet closed).
static const float minMeasuredRate = 1.0f;

float giveAccel(float m, float a) { return m * slopeGravity * sinf(a * degToRad); }

float giveTrueAccel(float m, float a) { return giveAccel(m, a) * cosf(a * degToRad); }

float giveNewSpeed(float v, float acc, float t) { return v + acc * t; }

float giveNewXposition(float acc, float v, float x, float t) { return acc * t * t + v * t + x; }

float frameScale() { return (float)(referenceFrameRate * runTickSeconds); }

float drawnFrameScale(RunState& run) {
    float& lastRate = run.input.lastMeasuredRate;
    if (run.timing.frameps > minMeasuredRate && std::isfinite(run.timing.frameps)) lastRate = run.timing.frameps;
    return referenceFrameRate / lastRate;
}
