// The length of one tick of the run, and the helpers that turn amounts stated per second (or per
// 1/60 s, the pace the run was tuned at) into amounts per tick.
#pragma once

// The run advances in ticks of this many a second, whatever the frame rate it is drawn at.
const int runTicksPerSecond = 60;
// The length of a tick in seconds: 1 / runTicksPerSecond. A test may set another to show that
// nothing a player sees depends on it.
extern double runTickSeconds;

// The rate the run's step amounts were tuned at: one step every 1/60 s.
const float tunedStepsPerSecond = 60.0f;

// Ticks of the current length in that many seconds (rounded to the nearest tick, at least 1).
long ticksIn(double seconds);
// An amount given per tuned step (1/60 s), for one tick.
float perTunedStep(float perStep);
// A factor applied every tuned step (1/60 s), compounded over one tick.
float compoundPerTick(float factorPerStep);

// The tuned steps (1/60 s) that begin within tick `tick` of the run (counted from 0): one a tick at
// 60 ticks a second, one every other tick at 120, two at 30. What the run was tuned to give once a
// step at its start, whole (a push, a booster's kick), is given on these, so that the rider covers
// the ground as the tuned steps had him cover it.
int tunedStepsBeginning(long tick);
