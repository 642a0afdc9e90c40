// The options screen: the difficulty level, and G for the ghost of the best run.
#include "screens/choixPiste.h"

#include "fileio/screenshot.h"
#include "screens/keySetup.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

static const int MAX_LEVEL = 3;
static int selectedOption = 0; // one option row

// Return opens the key set-up screen; the game loop runs it instead of this one while it is open.
static void openKeySetup()
{
    keySetupReset();
    keySetupOpen = 1;
    wrpPlaySound(chooseItemSnd, volGui, panoGui, wrpNormalPitch);
    redrawAllMenu = 0;
}

void ecranOptions()
{
    short enter = keyEnterNoRepeat();
    if (enter) {
        openKeySetup();
    } else if (keyDownNoRepeat() || keyUpNoRepeat()) {
        selectedOption = 0;
        wrpPlaySound(selectItemSnd, volGui, panoGui, wrpNormalPitch);
        redrawAllMenu = 0;
    } else if (keyRightNoRepeat()) {
        if (level < MAX_LEVEL) level++;
        wrpPlaySound(chooseItemSnd, volGui, panoGui, wrpNormalPitch);
        redrawAllMenu = 0;
    } else if (keyLeftNoRepeat()) {
        if (level >= 1) level--;
        wrpPlaySound(chooseItemSnd, volGui, panoGui, wrpNormalPitch);
        redrawAllMenu = 0;
    } else if (keyGNoRepeat()) {
        ghostShown = !ghostShown;
        wrpPlaySound(chooseItemSnd, volGui, panoGui, wrpNormalPitch);
        redrawAllMenu = 0;
    }
    applyLevelTolerances(level);
    displayEcranOptions(level, (short)redrawAllMenu);
    if (redrawAllMenu < 2) redrawAllMenu++;
    handleScreenShot();
}
