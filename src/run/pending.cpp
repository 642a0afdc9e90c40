// Placeholders the game loop links against until the run exists.
#include "shell/gameHooks.h"
void displayGame() {}
void reinitGameVar() {}
void videPileBoutons() {}
int DEPART = 0;
short skieurArrive = 0;
