// Takes F7; switches the frame rate shown on the run's heads-up display.
#include "render/guistuff.h"
#include "shell/keys.h"

short showFps = 0;

void handleToggleShowFps()
{
    if (keyF7NoRepeat()) showFps = !showFps;
}
