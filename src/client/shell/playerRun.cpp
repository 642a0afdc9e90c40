// Holds the player's run; hands the drawing a const view of it.
#include "shell/playerRun.h"

RunState playerRun;

const RunState& shownRun() { return playerRun; }
