// Placeholders the game loop links against until the run exists.
#include "shell/gameHooks.h"
#include "run/runState.h"
void displayGame() {}
void videPileBoutons() {}
