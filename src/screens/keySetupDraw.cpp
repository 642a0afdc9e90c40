// Takes the key set-up state and the key map; draws the list of rider keys over the menu picture.
#include <GL/gl.h>

#include <cstdio>

#include "screens/keySetup.h"
#include "screens/menuDraw.h"
#include "shell/gameLoop.h"

static const float PIXELS_PER_UNIT = 1.25f; // window pixels per overlay unit
static const int LIST_TOP = 272, LINE_STEP = 16, LABEL_X = 14, KEY_X = 330;
static const float LIST_SCALE = 0.8f;
static const int HINT_X = 420, HINT_TOP = 258;

static char upperLetter(int code) { return code >= 1 && code <= 26 ? (char)('A' + code - 1) : '?'; }

// A flat rectangle given in overlay units, drawn under the text.
static void bar(float x0, float y0, float x1, float y1, float r, float g, float b)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(r, g, b, 1);
    glBegin(GL_QUADS);
    glVertex2f(x0 * PIXELS_PER_UNIT, y0 * PIXELS_PER_UNIT);
    glVertex2f(x1 * PIXELS_PER_UNIT, y0 * PIXELS_PER_UNIT);
    glVertex2f(x1 * PIXELS_PER_UNIT, y1 * PIXELS_PER_UNIT);
    glVertex2f(x0 * PIXELS_PER_UNIT, y1 * PIXELS_PER_UNIT);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
}

static void highlight(const KeySetupState& s)
{
    int y = LIST_TOP - s.line * LINE_STEP;
    if (s.waiting) bar(8, y - 3, 400, y + LINE_STEP - 3, 0.55f, 0.35f, 0.05f);
    else bar(8, y - 3, 400, y + LINE_STEP - 3, 0.15f, 0.25f, 0.55f);
}

static void list(const KeySetupState& s, const int map[KM_SLOTS])
{
    for (int i = 0; i < KEY_SETUP_LINES; i++) {
        int y = LIST_TOP - i * LINE_STEP;
        char key[8];
        snprintf(key, sizeof key, "%c", s.waiting && i == s.line ? '?' : upperLetter(map[i]));
        smallText(LABEL_X, y, keySetupLabels[i], LIST_SCALE);
        smallText(KEY_X, y, key, LIST_SCALE);
    }
}

static void hints()
{
    static const char* const lines[] = {"[up]/[down]:", "  choose a line", "", "[return]:", "  set its key", "",
                                        "[esc]: save and", "  go back", "", "B (bomb) and", "SPACE (jump)",
                                        "stay as they are"};
    int y = HINT_TOP;
    for (const char* line : lines) {
        if (*line) smallText(HINT_X, y, line, LIST_SCALE);
        y -= *line ? 15 : 7;
    }
}

void displayEcranTouches(const KeySetupState& s, const int map[KM_SLOTS])
{
    menuWindowProjection();
    drawWindowPicture(menusImg);
    highlight(s);
    beginMenuText();
    largeText(10, 322, "Rider keys", 1.2f);
    if (s.message) smallText(10, 300, s.message, 0.8f);
    list(s, map);
    hints();
    endMenuText();
    menuFlip();
}
