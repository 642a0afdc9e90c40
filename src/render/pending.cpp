// Placeholder until the run frame's drawing exists: the simulation runs, nothing is drawn.
#include "render/gameFrameDraw.h"
__attribute__((weak)) void drawGameFrame() {}
