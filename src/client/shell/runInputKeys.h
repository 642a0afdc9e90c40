// Takes the keyboard through the rider's key map, the run clock and the frame counter; returns a run's input record.
#pragma once

#include "run/runInput.h"

// Fills `in` for the frame about to be simulated; counts this frame for the frame rate.
void readRunInput(RunInput& in);
