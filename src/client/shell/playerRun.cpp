// Holds the player's run; hands the drawing a const view of it.
#include "shell/playerRun.h"

RunState playerRun;

const RunState& shownRun() { return playerRun; }

// Between ticks the simulation's context rests on the player's run: the client still reads the ground
// contact, the trick keys and the score through the simulation's own accessors. A tick's entry points
// it at the run being stepped and gives it back after.
static const bool contextOnPlayerRun = (tickRun = &playerRun, tickPose = &playerRun.pose, true);
