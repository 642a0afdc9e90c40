// Frame counter of the run: frames counted in the last window of more than one second.
#include "platform/gameClock.h"
#include "render/guistuff.h"
#include "shell/keys.h"

short showFps = 0;

static int calls = 0;
static double tempsEcoul = 0;
static long tempsPrec = 0, tempsCour = 0;
static double toReturn = 0;

double framesPerSecond()
{
    calls++;
    if (tempsEcoul == 0) {
        tempsPrec = gameClockLessPauses();
        tempsCour = tempsPrec;
        // a tiny non-zero value marks the window as armed even on the arming tick
        tempsEcoul = 1e-9;
    } else {
        tempsCour = gameClockLessPauses();
        tempsEcoul = (tempsCour - tempsPrec) * 0.001;
        if (tempsEcoul == 0) tempsEcoul = 1e-9;
        if (tempsEcoul > 1.0) {
            toReturn = calls;
            calls = 0;
            tempsEcoul = 0;
        }
    }
    return toReturn;
}

void resetFramesPerSecond()
{
    calls = 0;
    tempsEcoul = 0;
    toReturn = 0;
}

void handleToggleShowFps()
{
    if (keyF7NoRepeat()) showFps = !showFps;
}
