// Placeholders the game loop links against until the rider module exists.
#include "shell/gameHooks.h"
void chargeSkierGui(const char*) {}
void deleteObjectLists() {}
