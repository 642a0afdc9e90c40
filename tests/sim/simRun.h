// The run the simulation tests step, with the simulation pointed at it between their ticks.
#pragma once

#include "run/runState.h"

inline RunState simRun;
inline const bool simRunPosed = (tickPose = &simRun.pose, true);
