// Takes F7-F10 and M once a frame; switches the camera, the shadow and the frame-rate display, takes a
// shot, mutes.
#include "shell/runSwitches.h"

#include <allegro.h>

#include "render/screenshot.h"
#include "render/guistuff.h"
#include "render/scene.h"
#include "shell/keymap.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "sound/gameSounds.h"

void handleToggleView()
{
    if (!keyF8NoRepeat()) return;
    viewChoice = viewChoice >= maxViewChoice || viewChoice < minViewChoice ? minViewChoice : viewChoice + 1;
}

void handleToggleOmbre()
{
    if (keyF9NoRepeat()) shadowState.ombre = (shadowState.ombre + 1) % 3;
}

void handleToggleShowFps()
{
    if (keyF7NoRepeat()) hudState.showFps = !hudState.showFps;
}

// M mutes in a run too, unless an old key map gave M to one of the rider's actions.
void handleToggleMute()
{
    if (!keyMNoRepeat()) return;
    for (int slot = 0; slot < KM_SLOTS; slot++)
        if (currentKeymap[slot] == KEY_M) return;
    toggleMute();
}

// The shot is of the picture just flipped.
void handleRunSwitches()
{
    handleScreenShot();
    handleToggleOmbre();
    handleToggleView();
    handleToggleShowFps();
    handleToggleMute();
}
