// Takes a cell size and writes a 16 x 16 glyph grid: codes 32-159 of set 0 on the upper half, set 1 on the lower.
#include "draw.h"
#include "gui.h"

static const int GRID = 16;
static const int FIRST_CODE = 32;
static const int LAST_DRAWN_CODE = 126;
// The game prints code 127 (no character of its own) for the degree sign of "70\x7f off".
static const int DEGREE_CODE = 127;
static const unsigned DEGREE_SIGN = 0xB0;
// The game advances 10 units of a 16-unit cell: the glyph's pen advance must stay inside that. Ascenders
// and descenders fit between the cell's empty top and bottom rows.
static const float GLYPH_PIXELS_PER_CELL = 14.0f / 16.0f;
static const float BASELINE_PER_CELL = 23.0f / 32.0f;

static const char* const SET_FONT[2] = {FONT_MONO_BOLD, FONT_MONO_BOLD};

int fontCell(int code, int set) { return code - FIRST_CODE + 128 * set; }

// A glyph is drawn into its own cell first so descenders never reach the cell below.
static void drawCell(Picture& atlas, int cellPixels, int code, int set)
{
    unsigned glyph = code == DEGREE_CODE ? DEGREE_SIGN : (unsigned)code;
    Picture cell(cellPixels, cellPixels);
    int pixels = (int)(cellPixels * GLYPH_PIXELS_PER_CELL);
    int baseline = (int)(cellPixels * BASELINE_PER_CELL);
    drawGlyph(cell, SET_FONT[set], pixels, cellPixels / 32, baseline, glyph, {255, 255, 255});
    int c = fontCell(code, set);
    int x0 = (c % GRID) * cellPixels, y0 = (c / GRID) * cellPixels;
    // The cell's outer rows and columns stay black: linear filtering at a glyph's edge then blends in
    // black, never a piece of the next glyph (an underscore over the "o" below it).
    for (int y = 1; y < cellPixels - 1; y++)
        for (int x = 1; x < cellPixels - 1; x++) {
            const unsigned char* p = &cell.rgb[((size_t)y * cellPixels + x) * 3];
            atlas.set(x0 + x, y0 + y, p[0], p[1], p[2]);
        }
}

Picture makeFontAtlas(int cellPixels)
{
    Picture atlas(cellPixels * GRID, cellPixels * GRID);
    for (int set = 0; set < 2; set++)
        for (int code = FIRST_CODE + 1; code <= DEGREE_CODE; code++) drawCell(atlas, cellPixels, code, set);
    return atlas;
}
