// The options screen: up and down choose a row, left and right change it (difficulty, music and effects
// volumes, mute, the run's key hints, the ghost); Return opens the key set-up, or on "Learn to ride"
// starts the lesson; G and M work on any row.
#include "screens/options.h"

#include "render/screenshot.h"
#include "screens/choixPiste.h"
#include "screens/keySetup.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

static const int MAX_LEVEL = 3;
static const int VOLUME_STEP = 10; // percent

// Opens on the difficulty, the row the screen always had: left and right change the level at once.
int selectedOption = OPT_LEVEL;

// Return opens the key set-up screen; the game loop runs it instead of this one while it is open.
static ScreenEvent openKeySetup()
{
    keySetupReset();
    wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    return ScreenEvent::keySetupOpened;
}

static void stepPercent(int* percent, int direction)
{
    int v = *percent + direction * VOLUME_STEP;
    *percent = v < 0 ? 0 : (v > SOUND_PERCENT_MAX ? SOUND_PERCENT_MAX : v);
    applySoundSettings();
}

static void changeRow(int row, int direction)
{
    switch (row) {
    case OPT_LEVEL:
        if (direction > 0 && userPrefs.level < MAX_LEVEL) userPrefs.level++;
        if (direction < 0 && userPrefs.level >= 1) userPrefs.level--;
        break;
    case OPT_MUSIC: stepPercent(&soundSettings.musicPercent, direction); break;
    case OPT_EFFECTS: stepPercent(&soundSettings.effectsPercent, direction); break;
    case OPT_MUTE: toggleMute(); break;
    case OPT_HINTS: userPrefs.keyHintsShown = !userPrefs.keyHintsShown; break;
    case OPT_GHOST: userPrefs.ghostShown = !userPrefs.ghostShown; break;
    default: break;
    }
}

int optionsStep(const OptionKeys& in)
{
    int changed = 1;
    if (in.enter) return selectedOption == OPT_LESSON ? OPTIONS_START_LESSON : OPTIONS_OPEN_KEYS;
    if (in.up || in.down) {
        if (in.up && selectedOption > 0) selectedOption--;
        if (in.down && selectedOption < OPT_ROWS - 1) selectedOption++;
        wrpPlaySound(gameSounds.selectItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    } else if (in.right || in.left) {
        changeRow(selectedOption, in.right ? 1 : -1);
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch); // also at a row's end
    } else if (in.ghost) {
        changeRow(OPT_GHOST, 1);
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    } else if (in.mute) {
        toggleMute();
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
    } else {
        changed = 0;
    }
    return changed ? OPTIONS_CHANGED : OPTIONS_SAME;
}

ScreenEvent ecranOptions()
{
    ScreenEvent happened = ScreenEvent::none;
    OptionKeys in;
    in.enter = keyEnterNoRepeat();
    in.down = keyDownNoRepeat();
    in.up = keyUpNoRepeat();
    in.right = keyRightNoRepeat();
    in.left = keyLeftNoRepeat();
    in.ghost = keyGNoRepeat();
    in.mute = keyMNoRepeat();
    int result = optionsStep(in);
    if (result == OPTIONS_OPEN_KEYS) {
        happened = openKeySetup();
    } else if (result == OPTIONS_START_LESSON) {
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
        happened = ScreenEvent::lessonAsked;
    } else if (result == OPTIONS_CHANGED) {
        redrawAllMenu = 0;
    }
    applyLevelTolerances(userPrefs.level);
    displayEcranOptions(userPrefs.level, (short)redrawAllMenu);
    if (redrawAllMenu < 2) redrawAllMenu++;
    handleScreenShot();
    return happened;
}
