// The player's run: the one run the game steps, and the read-only view the drawing, HUD and sounds take of it.
#pragma once

#include "run/runState.h"

// The run the shell loads, steps and scores (the screens after the finish read and clear its flags).
extern RunState playerRun;

// The run as the drawing, HUD and sounds see it: they never step it.
const RunState& shownRun();
