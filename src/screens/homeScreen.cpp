// Home menu, help and credits: the logic of one frame each.
#include "screens/menuScreens.h"

#include "fileio/screenshot.h"
#include "platform/gameClock.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

static const int CHOICE_PLAY = 0, CHOICE_HELP = 1, CHOICE_CREDITS = 2, CHOICE_OPTIONS = 3;
static const int CREDITS_START_X = -200;
static const int CREDITS_PAUSE_X = 130;
static const int CREDITS_STEP_X = 10;
static const int CREDITS_END_X = 640;
static const double CREDITS_STEP_SECONDS = 0.01;
static const double CREDITS_PAUSE_SECONDS = 3.0;

static int selectedChoice = CHOICE_PLAY;

int xArrDep = CREDITS_START_X;
int creditsPage = 0;
static double tempsArr = 0.0;
static double diffT = 0.0;
static long lastCreditsClock = -1;

static void selectSound() { wrpPlaySound(selectItemSnd, volGui, panoGui, wrpNormalPitch); }

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
        wrpPlaySound(chooseItemSnd, volGui, panoGui, wrpNormalPitch);
        requestLesson();
    } else if (keyEnterNoRepeat()) {
        entered = 1;
        homeDone = 1;
        if (selectedChoice == CHOICE_HELP) helpDone = 0;
        if (selectedChoice == CHOICE_CREDITS) { creditsDone = 0; departCredits = 1; }
        if (selectedChoice == CHOICE_OPTIONS) optionsDone = 0;
        wrpPlaySound(chooseItemSnd, volGui, panoGui, wrpNormalPitch);
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

void stepCredits()
{
    long now = gameClock();
    if (departCredits) {
        xArrDep = CREDITS_START_X;
        creditsPage = 0;
        tempsArr = 0.0;
        departCredits = 0;
        lastCreditsClock = now;
    }
    if (lastCreditsClock < 0) lastCreditsClock = now;
    diffT += (now - lastCreditsClock) * 0.001;
    if (diffT > CREDITS_STEP_SECONDS) {
        if (xArrDep == CREDITS_PAUSE_X && tempsArr < CREDITS_PAUSE_SECONDS) {
            // Whole-second boundaries of the clock passed since the previous frame.
            tempsArr += now / 1000 - lastCreditsClock / 1000;
        } else {
            tempsArr = 0.0;
            xArrDep += CREDITS_STEP_X;
        }
        diffT = 0.0;
    }
    lastCreditsClock = now;
    if (xArrDep > CREDITS_END_X) {
        xArrDep = CREDITS_START_X;
        creditsPage += CREDIT_LINES_PER_PAGE;
        if (creditsPage >= NB_CREDIT_LINES - 1) creditsPage = 0;
    }
}
