// Takes F7-F10 once a frame; switches the camera, the shadow and the frame-rate display, takes a shot.
#include "shell/runSwitches.h"

#include "fileio/screenshot.h"
#include "render/guistuff.h"
#include "render/scene.h"
#include "shell/keys.h"
#include "shell/prefs.h"

void handleToggleView()
{
    if (!keyF8NoRepeat()) return;
    viewChoice = viewChoice >= maxViewChoice || viewChoice < minViewChoice ? minViewChoice : viewChoice + 1;
}

void handleToggleOmbre()
{
    if (keyF9NoRepeat()) ombre = (ombre + 1) % 3;
}

void handleToggleShowFps()
{
    if (keyF7NoRepeat()) showFps = !showFps;
}

// The shot is of the picture just flipped.
void handleRunSwitches()
{
    handleScreenShot();
    handleToggleOmbre();
    handleToggleView();
    handleToggleShowFps();
}
