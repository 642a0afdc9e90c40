// Home menu, help and credits: the logic of one frame each.
#include "screens/menuScreens.h"

#include "render/screenshot.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

static const int CHOICE_PLAY = 0, CHOICE_HELP = 1, CHOICE_CREDITS = 2, CHOICE_OPTIONS = 3;

static int selectedChoice = CHOICE_PLAY;


static void selectSound() { wrpPlaySound(gameSounds.selectItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch); }

// ENTER leaves for the highlighted item's screen.
static const ScreenEvent ITEM_ENTERED[] = {ScreenEvent::enterPlay, ScreenEvent::enterHelp, ScreenEvent::enterCredits,
                                           ScreenEvent::enterOptions};

int homeHighlight() { return selectedChoice; }

ScreenEvent choixHome()
{
    ScreenEvent happened = ScreenEvent::none;
    if (keyDownNoRepeat() || keyRightNoRepeat()) {
        if (selectedChoice < CHOICE_OPTIONS) selectedChoice++;
        selectSound();
    } else if (keyUpNoRepeat() || keyLeftNoRepeat()) {
        if (selectedChoice > CHOICE_PLAY) selectedChoice--;
        selectSound();
    } else if (!userPrefs.lessonDone && keyLNoRepeat()) {
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
        happened = ScreenEvent::lessonAsked;
    } else if (keyEnterNoRepeat()) {
        happened = ITEM_ENTERED[selectedChoice];
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    }
    displayChoixHome((short)redrawAllMenu);
    if (redrawAllMenu < 2) redrawAllMenu++;
    handleScreenShot();
    return happened;
}

void ecranHelp()
{
    displayHelp();
    handleScreenShot();
}

void ecranCredits()
{
    displayCredits();
    handleScreenShot();
}
