// Takes a Picture and shape or text descriptions and paints them in place, anti-aliased.
#include "draw.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

const char* const FONT_SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const FONT_SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const FONT_MONO_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
const char* const FONT_MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
const char* const FONT_SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

static const int SUBSAMPLES = 4;

static int clampByte(float v) { return v < 0 ? 0 : v > 255 ? 255 : (int)(v + 0.5f); }

Rgb mixRgb(Rgb a, Rgb b, float t)
{
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t), clampByte(a.b + (b.b - a.b) * t)};
}

void blendPixel(Picture& pic, int x, int y, Rgb c, float alpha)
{
    if (x < 0 || y < 0 || x >= pic.width || y >= pic.height || alpha <= 0) return;
    if (alpha > 1) alpha = 1;
    unsigned char* p = &pic.rgb[((size_t)y * pic.width + x) * 3];
    p[0] = (unsigned char)clampByte(p[0] + (c.r - p[0]) * alpha);
    p[1] = (unsigned char)clampByte(p[1] + (c.g - p[1]) * alpha);
    p[2] = (unsigned char)clampByte(p[2] + (c.b - p[2]) * alpha);
}

void fillRect(Picture& pic, int x0, int y0, int x1, int y1, Rgb c)
{
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) pic.set(x, y, c.r, c.g, c.b);
}

void blendRect(Picture& pic, int x0, int y0, int x1, int y1, Rgb c, float alpha)
{
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) blendPixel(pic, x, y, c, alpha);
}

void gradientRect(Picture& pic, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom)
{
    for (int y = y0; y < y1; y++) {
        Rgb c = mixRgb(top, bottom, y1 - y0 > 1 ? (float)(y - y0) / (y1 - y0 - 1) : 0.0f);
        for (int x = x0; x < x1; x++) pic.set(x, y, c.r, c.g, c.b);
    }
}

void frameRect(Picture& pic, int x0, int y0, int x1, int y1, int t, Rgb c)
{
    fillRect(pic, x0, y0, x1, y0 + t, c);
    fillRect(pic, x0, y1 - t, x1, y1, c);
    fillRect(pic, x0, y0, x0 + t, y1, c);
    fillRect(pic, x1 - t, y0, x1, y1, c);
}

static bool insidePolygon(const std::vector<float>& xy, float px, float py)
{
    bool in = false;
    size_t n = xy.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

void fillPolygon(Picture& pic, const std::vector<float>& xy, Rgb c, float alpha)
{
    if (xy.size() < 6) return;
    float minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        minX = fminf(minX, xy[i]);
        maxX = fmaxf(maxX, xy[i]);
        minY = fminf(minY, xy[i + 1]);
        maxY = fmaxf(maxY, xy[i + 1]);
    }
    int x0 = (int)floorf(fmaxf(minX, 0)), x1 = (int)ceilf(fminf(maxX, (float)pic.width));
    int y0 = (int)floorf(fmaxf(minY, 0)), y1 = (int)ceilf(fminf(maxY, (float)pic.height));
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            int hits = 0;
            for (int sy = 0; sy < SUBSAMPLES; sy++)
                for (int sx = 0; sx < SUBSAMPLES; sx++)
                    hits += insidePolygon(xy, x + (sx + 0.5f) / SUBSAMPLES, y + (sy + 0.5f) / SUBSAMPLES);
            if (hits) blendPixel(pic, x, y, c, alpha * hits / (SUBSAMPLES * SUBSAMPLES));
        }
}

// Coverage of a pixel centre by the band [rIn, rOut] around a centre, with a one-pixel soft edge.
static float bandCoverage(float d, float rIn, float rOut)
{
    float outer = fminf(fmaxf(rOut - d + 0.5f, 0), 1);
    float inner = rIn <= 0 ? 1 : fminf(fmaxf(d - rIn + 0.5f, 0), 1);
    return outer * inner;
}

void fillRing(Picture& pic, float cx, float cy, float rIn, float rOut, Rgb c, float alpha)
{
    int x0 = (int)floorf(cx - rOut - 1), x1 = (int)ceilf(cx + rOut + 1);
    int y0 = (int)floorf(cy - rOut - 1), y1 = (int)ceilf(cy + rOut + 1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float d = hypotf(x + 0.5f - cx, y + 0.5f - cy);
            float cov = bandCoverage(d, rIn, rOut);
            if (cov > 0) blendPixel(pic, x, y, c, alpha * cov);
        }
}

void fillDisc(Picture& pic, float cx, float cy, float r, Rgb c, float alpha) { fillRing(pic, cx, cy, 0, r, c, alpha); }

void glow(Picture& pic, float cx, float cy, float r, Rgb c, float strength)
{
    for (int y = (int)(cy - r); y <= (int)(cy + r); y++)
        for (int x = (int)(cx - r); x <= (int)(cx + r); x++) {
            float d = hypotf(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d < 1) blendPixel(pic, x, y, c, strength * (1 - d) * (1 - d));
        }
}

void thickLine(Picture& pic, float x0, float y0, float x1, float y1, float width, Rgb c, float alpha)
{
    float dx = x1 - x0, dy = y1 - y0, len = hypotf(dx, dy);
    if (len <= 0) return;
    float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    fillPolygon(pic, {x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny}, c, alpha);
}

static FT_Library library()
{
    static FT_Library lib = nullptr;
    if (!lib && FT_Init_FreeType(&lib)) {
        fprintf(stderr, "FreeType cannot start\n");
        exit(1);
    }
    return lib;
}

// Faces stay open for the whole run of the tool.
static FT_Face face(const char* font, int pixels)
{
    static std::map<std::string, FT_Face> faces;
    FT_Face& f = faces[font];
    if (!f && FT_New_Face(library(), font, 0, &f)) {
        fprintf(stderr, "Can't open %s\n", font);
        exit(1);
    }
    FT_Set_Pixel_Sizes(f, 0, pixels);
    return f;
}

static int renderGlyph(Picture* pic, FT_Face f, int x, int baseline, unsigned code, Rgb c)
{
    if (FT_Load_Char(f, code, FT_LOAD_RENDER)) return 0;
    FT_GlyphSlot g = f->glyph;
    if (pic)
        for (unsigned row = 0; row < g->bitmap.rows; row++)
            for (unsigned col = 0; col < g->bitmap.width; col++) {
                unsigned char v = g->bitmap.buffer[row * g->bitmap.pitch + col];
                if (v) blendPixel(*pic, x + g->bitmap_left + (int)col, baseline - g->bitmap_top + (int)row, c, v / 255.0f);
            }
    return (int)(g->advance.x >> 6);
}

int drawText(Picture& pic, const char* font, int pixels, int x, int baseline, const std::string& text, Rgb c)
{
    FT_Face f = face(font, pixels);
    int pen = x;
    for (unsigned char ch : text) pen += renderGlyph(&pic, f, pen, baseline, ch, c);
    return pen - x;
}

int textWidth(const char* font, int pixels, const std::string& text)
{
    FT_Face f = face(font, pixels);
    int w = 0;
    for (unsigned char ch : text) w += renderGlyph(nullptr, f, 0, 0, ch, {0, 0, 0});
    return w;
}

void drawTextCentred(Picture& pic, const char* font, int pixels, int cx, int baseline, const std::string& text, Rgb c)
{
    drawText(pic, font, pixels, cx - textWidth(font, pixels, text) / 2, baseline, text, c);
}

void drawTextShadowed(Picture& pic, const char* font, int pixels, int x, int baseline, const std::string& text, Rgb c)
{
    int off = pixels / 16 + 1;
    drawText(pic, font, pixels, x + off, baseline + off, text, {0, 0, 0});
    drawText(pic, font, pixels, x, baseline, text, c);
}

void drawGlyph(Picture& pic, const char* font, int pixels, int x, int baseline, unsigned code, Rgb c)
{
    renderGlyph(&pic, face(font, pixels), x, baseline, code, c);
}

float hashNoise(int x, int y, int seed)
{
    unsigned h = (unsigned)x * 374761393u + (unsigned)y * 668265263u + (unsigned)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / 16777216.0f;
}
