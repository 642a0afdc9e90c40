// Takes the key set-up state and the key map; draws the list of rider keys over the menu picture.
#include <GL/gl.h>

#include <cstdio>

#include "screens/keySetup.h"
#include "screens/menuDraw.h"
#include "shell/gameLoop.h"

static const int LIST_TOP = 272, LINE_STEP = 16, LABEL_X = 14, KEY_X = 270;
static const float LIST_SCALE = 0.8f;
static const int HINT_X = 420, HINT_TOP = 258;

// The arrows keep steering beside the letters; the screen shows both (slot order left, right, down, up).
static const char* const ARROW_NAMES[RIDER_ARROW_SLOTS] = {"[left]", "[right]", "[down]", "[up]"};


static void highlight(const KeySetupState& s)
{
    int y = LIST_TOP - s.line * LINE_STEP;
    if (s.waiting) overlayBar(8, y - 3, 400, y + LINE_STEP - 3, 0.55f, 0.35f, 0.05f);
    else overlayBar(8, y - 3, 400, y + LINE_STEP - 3, 0.15f, 0.25f, 0.55f);
}

static void list(const KeySetupState& s, const int map[KM_SLOTS])
{
    for (int i = 0; i < KEY_SETUP_LINES; i++) {
        int y = LIST_TOP - i * LINE_STEP;
        char key[24];
        char letter = s.waiting && i == s.line ? '?' : keyLetterOf(map[i]);
        if (i < RIDER_ARROW_SLOTS) snprintf(key, sizeof key, "%c or %s", letter, ARROW_NAMES[i]);
        else snprintf(key, sizeof key, "%c", letter);
        smallText(LABEL_X, y, keySetupLabels[i], LIST_SCALE);
        smallText(KEY_X, y, key, LIST_SCALE);
    }
}

static void hints()
{
    static const char* const lines[] = {"[up]/[down]:", "  choose a line", "", "[return]:", "  set its key", "",
                                        "[esc]: save and", "  go back", "", "B (bomb), SPACE", "(jump) and the", "arrows stay as", "they are"};
    int y = HINT_TOP;
    for (const char* line : lines) {
        if (*line) smallText(HINT_X, y, line, LIST_SCALE);
        y -= *line ? 15 : 7;
    }
}

void displayEcranTouches(const KeySetupState& s, const int map[KM_SLOTS])
{
    menuWindowProjection();
    drawWindowPicture(menuPictures.menusImg);
    highlight(s);
    beginMenuText();
    largeText(10, 322, "Rider keys", 1.2f);
    if (s.message) smallText(10, 300, s.message, 0.8f);
    list(s, map);
    hints();
    endMenuText();
    menuFlip();
}
