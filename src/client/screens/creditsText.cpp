// The credits page's words and their layout: takes nothing, gives where each line is drawn.
#include "screens/creditsText.h"

#include "screens/screenSteps.h"

static const float COLUMN_TITLE_SCALE = 1.1f, HEADING_SCALE = 0.8f, LINE_SCALE = 0.62f;
static const float COLUMN_TITLE_GAP = 30, HEADING_GAP = 18, LINE_GAP = 14, SECTION_GAP = 10;
static const float LINE_INDENT = 8;

const char CREDITS_TITLE[] = "Credits";

static const CreditSection gameSections[] = {
    {"Design and code", {"the Kestrune crew:", "game loop and screens,", "run, physics and tricks,",
                         "riders, poses, scene and snow", nullptr}},
    {"Pictures and models", {"menus, fonts, skies, snow,", "trees and riders, all drawn", "by the content tool from",
                             "recipes kept with the code", nullptr}},
    {"Tracks", {"slopes, kickers, rails and", "the world around them,", "built from track recipes", nullptr}},
    {"Sound and music", {"clicks, hiss, wind and tunes", "from our own synthesiser", nullptr}},
};

static const CreditSection toolSections[] = {
    {"Libraries", {"Allegro 4 and AllegroGL", "OpenGL 1.1 and GLU (Mesa)", "libsndfile and zlib",
                   "FreeType (content tool)", nullptr}},
    {"Tools", {"GCC, CMake and GoogleTest", "Xvfb, xdotool, ImageMagick", "ffmpeg (films of best runs)", nullptr}},
    {"Thanks", {"to everyone who rode", "the first slopes and", "sent their scores", nullptr}},
};

const CreditColumn creditColumns[CREDIT_COLUMNS] = {
    {"The game", gameSections, (int)(sizeof gameSections / sizeof gameSections[0])},
    {"Made with", toolSections, (int)(sizeof toolSections / sizeof toolSections[0])},
};

// A text starting `indent` into column c, shrunk to the room left of the column.
static void place(CreditPlace* out, int max, int* n, int c, float indent, float y, float scale, bool large,
                  const char* text)
{
    if (*n >= max) return;
    float x = CREDIT_COLUMN_X[c] + indent;
    out[(*n)++] = {x, y, fittedScale(text, CREDIT_COLUMN_WIDTH - indent, scale), large, text};
}

int layoutCredits(CreditPlace* out, int max)
{
    int n = 0;
    for (int c = 0; c < CREDIT_COLUMNS; c++) {
        const CreditColumn& col = creditColumns[c];
        float y = CREDIT_PAGE_TOP;
        place(out, max, &n, c, 0, y, COLUMN_TITLE_SCALE, true, col.title);
        y -= COLUMN_TITLE_GAP;
        for (int s = 0; s < col.count; s++) {
            const CreditSection& sec = col.sections[s];
            place(out, max, &n, c, 0, y, HEADING_SCALE, true, sec.heading);
            y -= HEADING_GAP;
            for (int i = 0; i < CREDIT_LINES_PER_SECTION && sec.lines[i]; i++) {
                place(out, max, &n, c, LINE_INDENT, y, LINE_SCALE, false, sec.lines[i]);
                y -= LINE_GAP;
            }
            y -= SECTION_GAP;
        }
    }
    return n;
}
