// Takes an icon size and writes the game's desktop icon: a rider jumping over a snowy peak, on a rounded tile.
#include "content.h"
#include "draw.h"

#include <sys/stat.h>

#include <cmath>

static const float CORNER = 0.19f; // corner radius of the tile, as a fraction of its side
static const Rgb SKY_TOP = {22, 70, 150}, SKY_LOW = {140, 196, 238};
static const Rgb SUN = {255, 214, 110}, SNOW = {246, 249, 255}, SNOW_SHADE = {176, 198, 230};
static const Rgb JACKET = {214, 40, 44}, HELMET = {30, 34, 52}, SKI = {250, 190, 40};

// Share of the pixel (x, y) inside the rounded tile, from 4 x 4 samples.
static float tileCoverage(int x, int y, int size)
{
    float r = CORNER * size, inside = 0;
    for (int sy = 0; sy < 4; sy++)
        for (int sx = 0; sx < 4; sx++) {
            float px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
            float dx = std::fmax(0.0f, std::fmax(r - px, px - (size - r)));
            float dy = std::fmax(0.0f, std::fmax(r - py, py - (size - r)));
            if (dx * dx + dy * dy <= r * r) inside += 1;
        }
    return inside / 16;
}

static void drawIcon(Picture& pic)
{
    float s = (float)pic.width;
    gradientRect(pic, 0, 0, pic.width, pic.height, SKY_TOP, SKY_LOW);
    glow(pic, 0.76f * s, 0.24f * s, 0.22f * s, SUN, 0.6f);
    fillDisc(pic, 0.76f * s, 0.24f * s, 0.08f * s, SUN);
    fillPolygon(pic, {0, 0.80f * s, 0.34f * s, 0.40f * s, 0.58f * s, 0.62f * s, 0.74f * s, 0.50f * s, s, 0.76f * s, s, s, 0, s}, SNOW);
    fillPolygon(pic, {0.34f * s, 0.40f * s, 0.58f * s, 0.62f * s, 0.46f * s, s, 0.40f * s, s}, SNOW_SHADE);
    fillPolygon(pic, {0.74f * s, 0.50f * s, s, 0.76f * s, s, 0.84f * s}, SNOW_SHADE);
    // The rider in the air, skis crossed under him.
    float w = 0.055f * s;
    thickLine(pic, 0.22f * s, 0.66f * s, 0.56f * s, 0.52f * s, 0.028f * s, SKI);
    thickLine(pic, 0.26f * s, 0.50f * s, 0.58f * s, 0.64f * s, 0.028f * s, SKI);
    thickLine(pic, 0.41f * s, 0.58f * s, 0.46f * s, 0.45f * s, w, JACKET);
    thickLine(pic, 0.46f * s, 0.45f * s, 0.55f * s, 0.37f * s, w * 0.9f, JACKET);
    thickLine(pic, 0.50f * s, 0.41f * s, 0.64f * s, 0.44f * s, w * 0.55f, JACKET);
    thickLine(pic, 0.52f * s, 0.39f * s, 0.42f * s, 0.31f * s, w * 0.55f, JACKET);
    fillDisc(pic, 0.585f * s, 0.31f * s, 0.045f * s, HELMET);
}

int writeIcon(const std::string& path, int size)
{
    Picture pic(size, size);
    drawIcon(pic);
    std::vector<unsigned char> rgba((size_t)size * size * 4);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            size_t at = (size_t)y * size + x;
            for (int c = 0; c < 3; c++) rgba[at * 4 + c] = pic.rgb[at * 3 + c];
            rgba[at * 4 + 3] = (unsigned char)std::lround(255 * tileCoverage(x, y, size));
        }
    return writePng(path, size, size, rgba);
}

void genIcons(const std::string& dir)
{
    for (int size : ICON_SIZES) {
        std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size);
        mkdir(dir.c_str(), 0755);
        mkdir(folder.c_str(), 0755);
        writeIcon(folder + "/kestrune.png", size);
    }
}
