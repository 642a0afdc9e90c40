// The run the simulation tests step.
#pragma once

#include "run/runState.h"

inline RunState simRun;
