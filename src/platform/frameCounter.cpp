// Takes one call a frame and the game clock; returns the frames counted in the last window of more than a second.
#include "platform/frameCounter.h"

#include "platform/gameClock.h"

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
