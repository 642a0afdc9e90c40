// Holds the player's run; hands the drawing a const view of it.
#include "shell/playerRun.h"

RunState playerRun;

const RunState& shownRun() { return playerRun; }

// Between ticks the pose being worked on rests on the player's run's: the drawing poses and skins through
// it. A tick's entry points it at the run being stepped and gives it back after.
static const bool poseOnPlayerRun = (tickPose = &playerRun.pose, true);
