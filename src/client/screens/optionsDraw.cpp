// Takes the level, the sound settings, the key hints, the ghost and the row chosen; draws the options
// screen: its rows with their values, the chosen one on a bar, the level's name with its arrows.
#include <GL/gl.h>

#include <cstdio>

#include "platform/gameClock.h"
#include "screens/choixPiste.h"
#include "screens/menuDraw.h"
#include "screens/options.h"
#include "shell/gameLoop.h"
#include "shell/prefs.h"
#include "sound/SndWrapper.h"

static const int LEVEL_NOTE_X = 40, LEVEL_NOTE_Y = 130, LEVEL_NOTE_PITCH = 20;
static const float OPTION_ARROW_Y = -24, OPTION_RIGHT_X = 79, OPTION_LEFT_X = 39;
static const int ROW_X = 110, VALUE_X = 300, ROW_TOP = 280, ROW_STEP = 17;
static const float ROW_SCALE = 1.0f, ROW_HEIGHT = 16;
static const int LEVEL_ROW_Y = 170;
static const float LEVEL_SCALE = 1.5f;
static const float BAR_LEFT = 100, BAR_RIGHT = 400;
static const float BAR_COLOUR[3] = {0.15f, 0.25f, 0.55f};

static ArrowPulse optionsPulse = ARROW_PULSE_START;

static const char* onOff(short on) { return on ? "on" : "off"; }

static int rowY(int row) { return ROW_TOP - row * ROW_STEP; }

// The text of a row above the difficulty: its label at ROW_X and its value at VALUE_X.
static void rowTexts(int row, const char** label, char* value, int size)
{
    switch (row) {
    case OPT_MUSIC: *label = "Music volume"; snprintf(value, size, "%i%%", soundSettings.musicPercent); break;
    case OPT_EFFECTS: *label = "Effects volume"; snprintf(value, size, "%i%%", soundSettings.effectsPercent); break;
    case OPT_MUTE: *label = "Mute [m]"; snprintf(value, size, "%s", onOff(soundSettings.muted)); break;
    case OPT_HINTS: *label = "Key hints"; snprintf(value, size, "%s", onOff(userPrefs.keyHintsShown)); break;
    case OPT_LESSON: *label = "Learn to ride"; snprintf(value, size, "%s", "[return]"); break;
    default: *label = "Ghost [g]"; snprintf(value, size, "%s", onOff(userPrefs.ghostShown)); break;
    }
}

static void chosenRowBar()
{
    float y = selectedOption == OPT_LEVEL ? LEVEL_ROW_Y : rowY(selectedOption);
    float h = selectedOption == OPT_LEVEL ? ROW_HEIGHT * LEVEL_SCALE : ROW_HEIGHT * ROW_SCALE;
    overlayBar(BAR_LEFT, y - 3, BAR_RIGHT, y + h + 1, BAR_COLOUR[0], BAR_COLOUR[1], BAR_COLOUR[2]);
}

static void drawRows()
{
    for (int row = 0; row < OPT_LEVEL; row++) {
        const char* label = "";
        char value[16];
        rowTexts(row, &label, value, sizeof value);
        largeText(ROW_X, rowY(row), label, ROW_SCALE);
        largeText(VALUE_X, rowY(row), value, ROW_SCALE);
    }
}

// What the level asks of a landing, under "Difficulty Level".
static void drawLevelMeaning(int level)
{
    int t[3];
    if (!getLevelTolerances(level, t)) return;
    char line[120];
    smallText(LEVEL_NOTE_X, LEVEL_NOTE_Y, "A landing may be off the slope by", 1.0f);
    snprintf(line, sizeof line, "spin %i, flip %i, tilt %i degrees", t[0], t[1], t[2]);
    smallText(LEVEL_NOTE_X, LEVEL_NOTE_Y - LEVEL_NOTE_PITCH, line, 1.0f);
}

void displayEcranOptions(int level, short redraw)
{
    stepArrowPulse(&optionsPulse, gameClock());
    menuCentredProjection();
    if (redraw < 2) drawWindowPicture(menuPictures.menusImg);
    glDisable(GL_LIGHTING);
    wipeRect(30, -29, 39, -19, -10);
    wipeRect(79, -29, 87, -19, -10);
    drawArrowPair(OPTION_RIGHT_X, OPTION_LEFT_X, OPTION_ARROW_Y, optionsPulse.sca, level, NB_LEVELS);
    if (redraw < 2) {
        char name[16] = "";
        getLevelNameForInt(name, level);
        chosenRowBar();
        beginMenuText();
        smallText(10, 332, "[return]: set the rider keys", 1.0f);
        smallText(10, 316, "[left]/[right]: change option", 1.0f);
        smallText(10, 300, "[esc]: go back to menu", 1.0f);
        smallText(250, 300, "[up]/[down]: choose", 0.8f);
        drawRows();
        largeText(ROW_X, LEVEL_ROW_Y, "Difficulty Level", LEVEL_SCALE);
        largeText(470, 160, name, 2.5f);
        drawLevelMeaning(level);
        endMenuText();
    }
    menuFlip();
}
