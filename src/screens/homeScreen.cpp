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

void choixHome()
{
    short entered = 0;
    if (keyDownNoRepeat() || keyRightNoRepeat()) {
        if (selectedChoice < CHOICE_OPTIONS) selectedChoice++;
        selectSound();
    } else if (keyUpNoRepeat() || keyLeftNoRepeat()) {
        if (selectedChoice > CHOICE_PLAY) selectedChoice--;
        selectSound();
    } else if (!lessonDone && keyLNoRepeat()) {
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
        requestLesson();
    } else if (keyEnterNoRepeat()) {
        entered = 1;
        homeDone = 1;
        if (selectedChoice == CHOICE_HELP) helpDone = 0;
        if (selectedChoice == CHOICE_CREDITS) { creditsDone = 0; departCredits = 1; }
        if (selectedChoice == CHOICE_OPTIONS) optionsDone = 0;
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
        redrawAllMenu = 0;
    }
    play = selectedChoice == CHOICE_PLAY;
    help = selectedChoice == CHOICE_HELP;
    credits = selectedChoice == CHOICE_CREDITS;
    options = selectedChoice == CHOICE_OPTIONS;
    displayChoixHome((short)redrawAllMenu);
    if (!entered && redrawAllMenu < 2) redrawAllMenu++;
    handleScreenShot();
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
