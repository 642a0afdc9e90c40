// Takes the tick length; returns per-tick amounts and factors of amounts stated per second or per tuned
// step, and the tuned steps that begin in a tick.
#include "run/runTick.h"

#include <cmath>

double runTickSeconds = 1.0 / runTicksPerSecond;

static double stepsPerTick() { return runTickSeconds * tunedStepsPerSecond; }

long ticksIn(double seconds)
{
    long n = lround(seconds / runTickSeconds);
    return n < 1 ? 1 : n;
}

float perTunedStep(float perStep) { return (float)(perStep * stepsPerTick()); }

float compoundPerTick(float factorPerStep) { return (float)pow((double)factorPerStep, stepsPerTick()); }

int tunedStepsBeginning(long tick)
{
    const double slack = 1e-6;
    double start = tick * stepsPerTick(), end = start + stepsPerTick();
    return (int)(ceil(end - slack) - ceil(start - slack));
}
