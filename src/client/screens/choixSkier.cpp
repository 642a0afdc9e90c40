// The rider selection screen: moving the highlight loads that rider at once.
#include "screens/choixSkier.h"

#include <cstring>

#include "render/screenshot.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "shell/gameLoop.h"
#include "shell/playerRun.h"
#include "shell/keys.h"
#include "shell/systemPortUtils.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

char nomFicSkier[256] = "";
static int selectedSkier = 0;

int getSelectedSkier() { return selectedSkier; }

// The rider loaded at start-up is shown under its own name: the highlight starts on it when listed.
void highlightRider(const char* dir)
{
    for (int i = 0; i < gameLists.nbTotalSkiers; i++)
        if (strncmp(gameLists.listeSkiers[i], dir, sizeof gameLists.listeSkiers[i]) == 0) {
            selectedSkier = i;
            strncpy(nomFicSkier, dir, sizeof nomFicSkier - 1);
            return;
        }
}

static void loadHighlighted()
{
    strncpy(nomFicSkier, gameLists.listeSkiers[selectedSkier], sizeof nomFicSkier - 1);
    chargeSkierGui(nomFicSkier);
    wrpPlaySound(gameSounds.selectItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    redrawAllMenu = 0;
}

ScreenEvent choixSkier()
{
    ScreenEvent happened = ScreenEvent::none;
    if (keyRightNoRepeat()) {
        if (selectedSkier < gameLists.nbTotalSkiers - 1) selectedSkier++;
        if (gameLists.nbTotalSkiers > 0) loadHighlighted();
    } else if (keyLeftNoRepeat()) {
        if (selectedSkier > 0) selectedSkier--;
        if (gameLists.nbTotalSkiers > 0) loadHighlighted();
    } else if (keyEnterNoRepeat()) {
        happened = ScreenEvent::riderChosen;
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    }
    changePosition(playerRun.pose, builtInPoses.reposPosition); // the rider stands in its rest pose on the stand
    majRotationsBones(playerRun.pose, playerRider);
    displayChoixSkier(gameLists.listeSkiers, gameLists.nbTotalSkiers, selectedSkier, (short)redrawAllMenu);
    if (redrawAllMenu < 2) redrawAllMenu++;
    handleScreenShot();
    return happened;
}
