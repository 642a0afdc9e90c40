// Whether the run's heads-up display shows the frame rate (F7 switches it, in the shell).
#include "render/guistuff.h"

short showFps = 0;
