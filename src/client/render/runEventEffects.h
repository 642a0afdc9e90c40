// The snow and traces of a run frame's events, applied after the frame and before its drawing.
#pragma once

#include "run/runEvents.h"

// Bursts, cuts and clears the skis' and the bomb's snow, restarts the ski traces, and follows the
// run's spray drift (the sideways pull while turning).
void applyRunEventEffects(const RunEventList& events);

// Ticks since the last bomb went off, while its blast is still seen; -1 when none is.
extern long bombBlastTicks;
