// Placeholders the game loop links against until the rider module exists.
#include "shell/gameHooks.h"
#include "skier/Generic3dObject.h"
void chargeSkierGui(const char*) {}
void deleteObjectLists() {}
__attribute__((weak)) void Generic3DObject::initDraw() {}  // temporary, until the object drawing exists
