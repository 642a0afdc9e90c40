// Menu and HUD pictures as the game's own loaders read them: sizes, colour keys, glyph cells, help keys.
#include "content.h"
#include "gui.h"
#include "render/graphImage.h"
#include "support/testFiles.h"

#include <allegro.h>
#include <errno.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <string>
#include <vector>

namespace {

// The pictures are made once per test process, in a directory removed when the process ends.
std::string guiDir()
{
    static TempDir scratch;
    static std::string dir;
    if (dir.empty()) {
        ensureAllegroForFiles();
        mkdir(scratch.file("gui").c_str(), 0755);
        genGuiPictures("", scratch.path());
        dir = scratch.file("gui/");
    }
    return dir;
}

std::vector<unsigned char> loadRgb(const char* name, int w, int h)
{
    std::vector<unsigned char> px((size_t)w * h * 3, 7);
    chargerImageTexPtr((guiDir() + name).c_str(), px.data(), w, h);
    return px;
}

// Alpha of the RGBA buffer at (x, y) counted from the top row of the picture.
int alphaAt(const std::vector<unsigned char>& px, int w, int h, int x, int y)
{
    return px[((size_t)(h - 1 - y) * w + x) * 4 + 3];
}

bool anyLit(const std::vector<unsigned char>& px)
{
    for (unsigned char v : px)
        if (v > 16) return true;
    return false;
}

} // namespace

TEST(ContentGuiPictures, EveryPictureLoadsAtTheSizeItsScreenExpects)
{
    struct {
        const char* name;
        int w, h;
    } files[] = {{"logo.bmp", 400, 100},      {"home.bmp", 800, 600},     {"help.bmp", 800, 600},
                 {"initials.bmp", 800, 600},  {"scores.bmp", 800, 600},   {"menus.bmp", 800, 600},
                 {"logoff.bmp", 228, 69},     {"Font.bmp", 256, 256},     {"Font2.bmp", 512, 512},
                 {"boules.bmp", 128, 128},    {"maskt.bmp", 256, 256},    {"medalSide.bmp", 64, 64},
                 {"vide.bmp", 16, 16},        {"bomb.bmp", 64, 64},       {"snow.bmp", 128, 128}};
    for (auto& f : files) {
        // A refused picture (wrong size or depth) leaves the buffer black.
        std::vector<unsigned char> px = loadRgb(f.name, f.w, f.h);
        EXPECT_TRUE(anyLit(px)) << f.name;
    }
    // The full-window pictures are scenes, not flat fills.
    for (const char* name : {"home.bmp", "menus.bmp", "help.bmp", "scores.bmp", "initials.bmp"}) {
        std::vector<unsigned char> px = loadRgb(name, 800, 600);
        std::vector<int> seen(4096, 0);
        int colours = 0;
        for (size_t i = 0; i < px.size(); i += 3) {
            int key = (px[i] >> 4) << 8 | (px[i + 1] >> 4) << 4 | px[i + 2] >> 4;
            if (!seen[key]++) colours++;
        }
        EXPECT_GT(colours, 40) << name;
    }
}

TEST(ContentGuiPictures, ColourKeysHoldWhereTransparencyIsMeant)
{
    guiDir();
    std::vector<unsigned char> bomb(64 * 64 * 4);
    chargerImageTexPtrTransColor((guiDir() + "bomb.bmp").c_str(), bomb.data(), 64, 64, 0, 255, 0);
    EXPECT_EQ(0, alphaAt(bomb, 64, 64, 1, 1));
    EXPECT_EQ(0, alphaAt(bomb, 64, 64, 62, 62));
    EXPECT_EQ(255, alphaAt(bomb, 64, 64, 30, 38));

    // The thumbnail frame: see-through in the middle, solid at the border.
    std::vector<unsigned char> mask(256 * 256 * 4);
    chargerImageTexPtrTransWhite((guiDir() + "maskt.bmp").c_str(), mask.data(), 256, 256);
    EXPECT_EQ(0, alphaAt(mask, 256, 256, 128, 128));
    EXPECT_EQ(0, alphaAt(mask, 256, 256, 40, 200));
    EXPECT_EQ(255, alphaAt(mask, 256, 256, 3, 128));
    EXPECT_EQ(255, alphaAt(mask, 256, 256, 128, 252));

    std::vector<unsigned char> snow(128 * 128 * 4);
    chargerImageTexPtrTrans((guiDir() + "snow.bmp").c_str(), snow.data(), 128, 128);
    EXPECT_EQ(0, alphaAt(snow, 128, 128, 0, 0));
    EXPECT_EQ(255, alphaAt(snow, 128, 128, 64, 64));
    // The spray sprite is a round soft puff: nothing lit on the square's border or in its corners,
    // brightest at the centre and falling off the same way in every direction.
    auto red = [&](int x, int y) { return (int)snow[((size_t)y * 128 + x) * 4]; };
    for (int i = 0; i < 128; i++) {
        EXPECT_EQ(0, red(i, 0) + red(i, 127) + red(0, i) + red(127, i)) << "border lit at " << i;
        EXPECT_EQ(0, red(i / 8, i / 8) + red(127 - i / 8, i / 8)) << "corner lit at " << i;
    }
    EXPECT_GT(red(64, 64), 200);
    EXPECT_NEAR(red(64, 34), red(34, 64), 2);
    EXPECT_NEAR(red(64, 34), red(43, 43), 12);
    EXPECT_GT(red(64, 34), red(64, 14));
    EXPECT_GT(red(64, 14), 0) << "the puff fills most of the square";
}

TEST(ContentGuiPictures, AtlasEntriesSitInTheirCellsOnBlack)
{
    std::vector<unsigned char> px(128 * 128 * 4);
    chargerImageTexPtrTrans((guiDir() + "boules.bmp").c_str(), px.data(), 128, 128);
    static const float cut[4] = {0.0f, 0.33f, 0.66f, 1.0f};
    std::vector<int> colours;
    for (int k = 0; k < 9; k++) {
        int col = k % 3, row = k / 3;
        int x0 = (int)(cut[col] * 128), x1 = (int)(cut[col + 1] * 128);
        int y0 = (int)((1 - cut[3 - row]) * 128), y1 = (int)((1 - cut[2 - row]) * 128);
        int opaque = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) opaque += alphaAt(px, 128, 128, x, y) == 255;
        // Corners of every cell stay clear so neighbouring sprites never show.
        EXPECT_EQ(0, alphaAt(px, 128, 128, x0 + 1, y0 + 1)) << k;
        if (k == 8) {
            EXPECT_EQ(0, opaque);
            continue;
        }
        EXPECT_GT(opaque, 150) << "entry " << k;
        if (k < 6) {
            // A point of the ball below its figure, where only the ball's own colour is.
            int x = (x0 + x1) / 2 + 10, y = (y0 + y1) / 2 + 12;
            const unsigned char* p = &px[((size_t)(127 - y) * 128 + x) * 4];
            colours.push_back(p[0] << 16 | p[1] << 8 | p[2]);
        }
    }
    for (size_t i = 0; i < colours.size(); i++)
        for (size_t j = i + 1; j < colours.size(); j++) EXPECT_NE(colours[i], colours[j]) << i << " " << j;
}

namespace {

// Lit pixels of cell c of a font picture, and the rightmost lit column inside the cell.
int cellInk(const std::vector<unsigned char>& px, int size, int c, int* rightmost)
{
    int cell = size / 16, x0 = (c % 16) * cell, y0 = (c / 16) * cell, ink = 0;
    *rightmost = -1;
    for (int y = y0; y < y0 + cell; y++)
        for (int x = x0; x < x0 + cell; x++)
            if (px[((size_t)(size - 1 - y) * size + x) * 3] > 96) {
                ink++;
                if (x - x0 > *rightmost) *rightmost = x - x0;
            }
    return ink;
}

} // namespace

TEST(ContentGuiFonts, GlyphsSitInTheCellOfTheirCodeAndFitTheAdvanceInBothSets)
{
    for (int size : {256, 512}) {
        std::vector<unsigned char> px = loadRgb(size == 256 ? "Font.bmp" : "Font2.bmp", size, size);
        int cell = size / 16, right = 0;
        for (int set = 0; set < 2; set++) {
            EXPECT_EQ(0, cellInk(px, size, fontCell(' ', set), &right)) << size;
            int inkI = cellInk(px, size, fontCell('I', set), &right);
            int inkW = cellInk(px, size, fontCell('W', set), &right);
            int inkDot = cellInk(px, size, fontCell('.', set), &right);
            EXPECT_GT(inkI, 0);
            EXPECT_GT(inkW, inkI) << "a W holds more ink than an I";
            EXPECT_GT(inkI, inkDot);
            // 127 holds the degree sign of "Bad landing: 70\x7f off"; it is smaller than an I.
            for (int code = 33; code <= 127; code++) {
                EXPECT_GT(cellInk(px, size, fontCell(code, set), &right), 0) << code;
                // The pen moves 10 of the cell's 16 units: ink beyond that would touch the next glyph.
                EXPECT_LT(right, cell * 10 / 16 + 1) << "code " << code << " set " << set;
            }
        }
    }
    // Codes of set 0 live in the upper half, set 1 in the lower.
    EXPECT_EQ(33, fontCell('A', 0));
    EXPECT_EQ(161, fontCell('A', 1));
}

// Linear filtering at a glyph quad's edge reads one texel across it: every cell's outer rows and
// columns are black in both fonts, so no piece of a neighbouring glyph (the underscore above the "o")
// shows at any size. The descenders and ascenders still fit inside.
TEST(ContentGuiFonts, EveryCellHasEmptyMarginsAndItsGlyphKeepsItsTails)
{
    for (int size : {256, 512}) {
        std::vector<unsigned char> px = loadRgb(size == 256 ? "Font.bmp" : "Font2.bmp", size, size);
        int cell = size / 16;
        auto lit = [&](int x, int y) { return px[((size_t)(size - 1 - y) * size + x) * 3] > 0; };
        for (int c = 0; c < 256; c++) {
            int x0 = (c % 16) * cell, y0 = (c / 16) * cell, edgeInk = 0;
            for (int i = 0; i < cell; i++)
                edgeInk += lit(x0 + i, y0) + lit(x0 + i, y0 + cell - 1) + lit(x0, y0 + i) + lit(x0 + cell - 1, y0 + i);
            EXPECT_EQ(0, edgeInk) << "cell " << c << " of the " << size << " font";
        }
        // a "g" reaches lower than an "o", an "l" higher: tails are drawn, not cut at the margin
        auto inkRows = [&](int code, int* top, int* bottom) {
            int c = fontCell(code, 0), x0 = (c % 16) * cell, y0 = (c / 16) * cell;
            *top = cell, *bottom = -1;
            for (int y = 0; y < cell; y++)
                for (int x = 0; x < cell; x++)
                    if (px[((size_t)(size - 1 - (y0 + y)) * size + x0 + x) * 3] > 96) {
                        if (y < *top) *top = y;
                        if (y > *bottom) *bottom = y;
                    }
        };
        int oTop, oBottom, gTop, gBottom, lTop, lBottom;
        inkRows('o', &oTop, &oBottom);
        inkRows('g', &gTop, &gBottom);
        inkRows('l', &lTop, &lBottom);
        EXPECT_GT(gBottom, oBottom + cell / 8) << size;
        EXPECT_LT(lTop, oTop) << size;
    }
}
