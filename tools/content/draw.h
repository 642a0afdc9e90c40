// Drawing helpers of the content tool: anti-aliased shapes, gradients and FreeType text on a Picture.
#pragma once

#include "content.h"

#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

// DejaVu faces of the Debian font package.
extern const char* const FONT_SANS_BOLD;
extern const char* const FONT_SANS;
extern const char* const FONT_MONO_BOLD;
extern const char* const FONT_MONO;
extern const char* const FONT_SERIF_BOLD;

Rgb mixRgb(Rgb a, Rgb b, float t);
void blendPixel(Picture& pic, int x, int y, Rgb c, float alpha);
void fillRect(Picture& pic, int x0, int y0, int x1, int y1, Rgb c);
void blendRect(Picture& pic, int x0, int y0, int x1, int y1, Rgb c, float alpha);
void gradientRect(Picture& pic, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
void frameRect(Picture& pic, int x0, int y0, int x1, int y1, int thickness, Rgb c);
// Polygon given as x0, y0, x1, y1 ...; coverage from 4 x 4 samples a pixel.
void fillPolygon(Picture& pic, const std::vector<float>& xy, Rgb c, float alpha = 1.0f);
void fillDisc(Picture& pic, float cx, float cy, float r, Rgb c, float alpha = 1.0f);
void fillRing(Picture& pic, float cx, float cy, float rIn, float rOut, Rgb c, float alpha = 1.0f);
// Soft radial light fading to nothing at radius r.
void glow(Picture& pic, float cx, float cy, float r, Rgb c, float strength);
void thickLine(Picture& pic, float x0, float y0, float x1, float y1, float width, Rgb c, float alpha = 1.0f);

// Text at a baseline; returns the pen advance in pixels.
int drawText(Picture& pic, const char* font, int pixels, int x, int baseline, const std::string& text, Rgb c);
int textWidth(const char* font, int pixels, const std::string& text);
void drawTextCentred(Picture& pic, const char* font, int pixels, int cx, int baseline, const std::string& text, Rgb c);
// Text with a dark drop shadow for titles over pictures.
void drawTextShadowed(Picture& pic, const char* font, int pixels, int x, int baseline, const std::string& text, Rgb c);
// One glyph placed with its pen at (x, baseline), drawn at full coverage as white-on-black.
void drawGlyph(Picture& pic, const char* font, int pixels, int x, int baseline, unsigned code, Rgb c);

// Deterministic value noise in [0, 1) for textures and scattering.
float hashNoise(int x, int y, int seed);
