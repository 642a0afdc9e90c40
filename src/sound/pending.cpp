// Placeholders until the run state (speed, height) is declared: the rules are in rideSounds.cpp.
#include "shell/gameHooks.h"
void handleWindLoopSnd() {}
void handleSkiSndLoop() {}
