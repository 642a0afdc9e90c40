// Takes P and ESC during a pause; holds the run clock and the sounds, shows the PAUSED panel.
#include "shell/pause.h"

#include <cstdlib>

#include "render/screenshot.h"
#include "platform/gameClock.h"
#include "platform/processSignals.h"
#include "screens/menuScreens.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "sound/SndWrapper.h"

void beginPause()
{
    gameClockPauseRun();
    wrpPauseAll(1);
    rememberHeldTrickKeys();
}

void endPause()
{
    ignoreTrickKeysPressedSince();
    wrpPauseAll(0);
    gameClockResumeRun();
}

int pauseRun()
{
    beginPause();
    unsigned char* frame = grabShownFrame();
    int end = PAUSE_RESUMED;
    for (;;) {
        displayPause(frame);
        handleScreenShot();
        waitForNextFrame();
        if (keyPauseNoRepeat()) break;
        if (quitSignalReceived()) {
            end = PAUSE_ABANDONED;
            break;
        }
        if (keyEscNoRepeat()) {
            end = PAUSE_ABANDONED;
            break;
        }
    }
    free(frame);
    endPause();
    return end;
}
