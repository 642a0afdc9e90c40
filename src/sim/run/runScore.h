// The score a run has banked so far: its collectables and the points of its landed jumps.
#pragma once

#include "run/runState.h"

const int COLLECTABLE_POINTS = 50000;

inline int runScoreSoFar(const RunState& run) { return run.scores.totalCollectable * COLLECTABLE_POINTS + run.scores.totalScore; }
