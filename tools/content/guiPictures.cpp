// Takes the data directory and writes every menu and HUD picture of data/gui, laid out for the screens over them.
#include "draw.h"
#include "gui.h"
#include "screens/helpKeys.h"

#include <cctype>
#include <cmath>
#include <cstdio>

static const int SCREEN_W = 800, SCREEN_H = 600;
static const Rgb WHITE = {255, 255, 255}, BLACK = {0, 0, 0};
static const Rgb ICE = {150, 200, 255}, ORANGE = {242, 100, 28}, NIGHT = {10, 18, 48};
static const Rgb PANEL_EDGE = {120, 170, 235};
static const float PI = 3.14159265f;
// Home menu column: its left edge, and the row where the dimmed backdrop turns to full black.
static const int HOME_COLUMN_X = 500, HOME_COLUMN_FADE_Y = 235;
// Rider, track and options screens: the text panel (header behind the two hint lines), and the stand
// panel, whose edge stays clear of a 20-character card line printed from x 262.
static const int MENU_PANEL_TOP = 162, MENU_HEADER_BOTTOM = 232, MENU_PANEL_BOTTOM = 488, MENU_PANEL_RIGHT = 512;
static const int MENU_STAND_LEFT = 518;

// Ridge height of one mountain layer at column x, in pixels from the top.
static float ridge(float x, float base, float amplitude, int seed)
{
    float y = base;
    float freq = 0.004f, amp = amplitude;
    for (int octave = 0; octave < 4; octave++) {
        float phase = hashNoise(octave, 0, seed) * 6.28f;
        y -= amp * (0.5f + 0.5f * sinf(x * freq + phase)) * (0.6f + 0.4f * sinf(x * freq * 2.7f + phase * 1.3f));
        freq *= 2.3f;
        amp *= 0.42f;
    }
    return y;
}

// A snowy mountain layer: lit faces white-blue, shaded faces in the layer's shadow colour.
static void mountainLayer(Picture& pic, float base, float amplitude, int seed, Rgb lit, Rgb shade, float haze)
{
    for (int x = 0; x < pic.width; x++) {
        float top = ridge((float)x, base, amplitude, seed);
        float slope = (ridge(x + 30.0f, base, amplitude, seed) - ridge(x - 30.0f, base, amplitude, seed)) / 60;
        float light = fminf(fmaxf(0.55f - slope * 1.2f, 0), 1);
        for (int y = (int)floorf(top); y < pic.height; y++) {
            float depth = (y - top) / (pic.height - top + 1);
            Rgb c = mixRgb(mixRgb(shade, lit, light), shade, fminf(depth * 1.6f, 1) * 0.6f);
            c = mixRgb(c, ICE, haze);
            float cover = y == (int)floorf(top) ? 1 - (top - floorf(top)) : 1;
            blendPixel(pic, x, y, c, cover);
        }
    }
}

static void sky(Picture& pic, Rgb top, Rgb horizon, int horizonY)
{
    gradientRect(pic, 0, 0, pic.width, horizonY, top, horizon);
    fillRect(pic, 0, horizonY, pic.width, pic.height, horizon);
    for (int i = 0; i < 90; i++) {
        float x = hashNoise(i, 1, 7) * pic.width, y = hashNoise(i, 2, 7) * horizonY * 0.7f;
        blendPixel(pic, (int)x, (int)y, WHITE, 0.3f + 0.5f * hashNoise(i, 3, 7));
    }
}

// The shared backdrop of the full-window pictures: night-blue sky over three snowy ridges.
static void backdrop(Picture& pic, int seed, float dim)
{
    sky(pic, {8, 14, 40}, {70, 110, 170}, 360);
    glow(pic, 660, 90, 160, {255, 230, 180}, 0.35f);
    mountainLayer(pic, 330, 150, seed, {160, 185, 225}, {50, 70, 120}, 0.35f);
    mountainLayer(pic, 420, 120, seed + 1, {215, 230, 250}, {70, 90, 140}, 0.15f);
    mountainLayer(pic, 540, 80, seed + 2, {250, 252, 255}, {120, 140, 185}, 0.0f);
    if (dim > 0) blendRect(pic, 0, 0, pic.width, pic.height, NIGHT, dim);
}

// A black panel with a thin light edge: the screens wipe and redraw inside such areas with black.
static void panel(Picture& pic, int x0, int y0, int x1, int y1)
{
    fillRect(pic, x0 - 4, y0 - 4, x1 + 4, y1 + 4, PANEL_EDGE);
    fillRect(pic, x0 - 2, y0 - 2, x1 + 2, y1 + 2, {30, 50, 90});
    fillRect(pic, x0, y0, x1, y1, BLACK);
}

static void title(Picture& pic, int x, int baseline, int pixels, const char* text)
{
    drawText(pic, FONT_SANS_BOLD, pixels, x + pixels / 14 + 1, baseline + pixels / 14 + 1, text, {20, 40, 90});
    drawText(pic, FONT_SANS_BOLD, pixels, x, baseline, text, WHITE);
}

// A rider in the air with crossed skis, drawn as a dark silhouette centred on (cx, cy).
static void riderSilhouette(Picture& pic, float cx, float cy, float s, Rgb c)
{
    thickLine(pic, cx - 60 * s, cy + 40 * s, cx + 55 * s, cy + 10 * s, 6 * s, c);
    thickLine(pic, cx - 50 * s, cy + 5 * s, cx + 60 * s, cy + 45 * s, 6 * s, c);
    thickLine(pic, cx - 5 * s, cy + 25 * s, cx - 12 * s, cy - 5 * s, 11 * s, c);
    thickLine(pic, cx + 8 * s, cy + 25 * s, cx + 2 * s, cy - 5 * s, 11 * s, c);
    fillPolygon(pic, {cx - 16 * s, cy - 2 * s, cx + 10 * s, cy - 4 * s, cx + 14 * s, cy - 40 * s, cx - 10 * s, cy - 44 * s},
                c);
    fillDisc(pic, cx + 4 * s, cy - 54 * s, 10 * s, c);
    thickLine(pic, cx - 8 * s, cy - 36 * s, cx - 38 * s, cy - 58 * s, 7 * s, c);
    thickLine(pic, cx + 12 * s, cy - 34 * s, cx + 42 * s, cy - 50 * s, 7 * s, c);
    thickLine(pic, cx - 38 * s, cy - 58 * s, cx - 30 * s, cy + 8 * s, 2 * s, c);
    thickLine(pic, cx + 42 * s, cy - 50 * s, cx + 50 * s, cy + 12 * s, 2 * s, c);
}

static void snowSpray(Picture& pic, float cx, float cy, float spread, int count, int seed)
{
    for (int i = 0; i < count; i++) {
        float a = hashNoise(i, 0, seed) * PI, d = hashNoise(i, 1, seed) * spread;
        fillDisc(pic, cx + cosf(a) * d * 1.4f, cy + sinf(a) * d * 0.5f, 1 + 2.5f * hashNoise(i, 2, seed), WHITE,
                 0.4f + 0.5f * hashNoise(i, 3, seed));
    }
}

static void wordmark(Picture& pic, int x, int baseline, int pixels)
{
    drawText(pic, FONT_SANS_BOLD, pixels, x + 3, baseline + 3, "KESTRUNE", {10, 30, 80});
    Picture mask(pic.width, pic.height);
    drawText(mask, FONT_SANS_BOLD, pixels, x, baseline, "KESTRUNE", WHITE);
    for (int y = 0; y < pic.height; y++) {
        float t = fminf(fmaxf((y - (baseline - pixels * 0.75f)) / (pixels * 0.8f), 0), 1);
        Rgb c = mixRgb({255, 255, 255}, {120, 190, 255}, t);
        for (int x2 = 0; x2 < pic.width; x2++) blendPixel(pic, x2, y, c, mask.rgb[((size_t)y * pic.width + x2) * 3] / 255.0f);
    }
}

// The largest wordmark size up to maxPixels that is at most width pixels wide.
static int wordmarkPixels(int width, int maxPixels)
{
    int pixels = maxPixels;
    while (pixels > 8 && textWidth(FONT_SANS_BOLD, pixels, "KESTRUNE") > width) pixels--;
    return pixels;
}

// The wordmark at the largest size that leaves a margin on both sides, centred.
static void wordmarkFitted(Picture& pic, int baseline, int maxPixels, int margin)
{
    int pixels = wordmarkPixels(pic.width - 2 * margin, maxPixels);
    wordmark(pic, (pic.width - textWidth(FONT_SANS_BOLD, pixels, "KESTRUNE")) / 2, baseline, pixels);
}

// A six-branched flake centred on (cx, cy) with arms of radius r; drawn through a mask so that
// overlapping strokes blend once.
static void snowflake(Picture& pic, float cx, float cy, float r, Rgb c, float alpha)
{
    Picture mask(pic.width, pic.height);
    for (int i = 0; i < 6; i++) {
        float a = i * PI / 3, ca = cosf(a), sa = sinf(a);
        thickLine(mask, cx, cy, cx + ca * r, cy + sa * r, r * 0.135f, WHITE);
        for (float t : {0.46f, 0.73f})
            for (int side = -1; side <= 1; side += 2) {
                float b = a + side * PI / 4;
                thickLine(mask, cx + ca * r * t, cy + sa * r * t, cx + ca * r * t + cosf(b) * r * 0.27f,
                          cy + sa * r * t + sinf(b) * r * 0.27f, r * 0.1f, WHITE);
            }
    }
    fillDisc(mask, cx, cy, r * 0.19f, WHITE);
    for (int y = (int)(cy - r - 2); y <= (int)(cy + r + 2); y++)
        for (int x = (int)(cx - r - 2); x <= (int)(cx + r + 2); x++)
            if (x >= 0 && y >= 0 && x < pic.width && y < pic.height)
                blendPixel(pic, x, y, c, alpha * mask.rgb[((size_t)y * pic.width + x) * 3] / 255.0f);
}

// The home menu column: the screen wipes and redraws the items, the arrow, the version and the exit
// hint with black from x 510 to the window's right edge, so the column is flush with that edge over
// the whole height, black where the screen draws, the backdrop dimmed above.
static void homeColumn(Picture& pic)
{
    for (int y = 0; y < SCREEN_H; y++) {
        float fade = fminf(fmaxf((y - HOME_COLUMN_FADE_Y) / 20.0f, 0), 1);
        blendRect(pic, HOME_COLUMN_X, y, SCREEN_W, y + 1, BLACK, 0.72f + 0.28f * fade);
    }
    for (int i = 0; i < 14; i++) blendRect(pic, HOME_COLUMN_X - i - 1, 0, HOME_COLUMN_X - i, SCREEN_H, BLACK, 0.3f * (1 - i / 14.0f));
    fillRect(pic, HOME_COLUMN_X, 0, HOME_COLUMN_X + 2, SCREEN_H, PANEL_EDGE);
    fillRect(pic, HOME_COLUMN_X + 2, 0, HOME_COLUMN_X + 4, SCREEN_H, {30, 50, 90});
    glow(pic, 650, 118, 110, {120, 170, 255}, 0.25f);
    snowflake(pic, 650, 118, 70, ICE, 0.55f);
    drawText(pic, FONT_SANS_BOLD, 18, 512, 292, "MAIN MENU", ICE);
    fillRect(pic, 512, 300, 788, 302, {40, 70, 120});
    fillRect(pic, 512, 586, 788, 588, {40, 70, 120});
}

static Picture homePicture()
{
    Picture pic(SCREEN_W, SCREEN_H);
    backdrop(pic, 11, 0);
    wordmark(pic, 34, 124, wordmarkPixels(HOME_COLUMN_X - 60, 96));
    drawText(pic, FONT_SERIF_BOLD, 26, 44, 170, "freestyle on the high slopes", {230, 240, 255});
    riderSilhouette(pic, 250, 360, 1.3f, {15, 25, 55});
    snowSpray(pic, 150, 470, 90, 70, 3);
    homeColumn(pic);
    return pic;
}

// Rider, track and options screens: texts on the left, the rider stand or thumbnail on the right.
static Picture menusPicture()
{
    Picture pic(SCREEN_W, SCREEN_H);
    backdrop(pic, 23, 0.35f);
    // The text panel is black below its header: the screens wipe the arrow squares with black and
    // print the counter, the card or the description additively there.
    gradientRect(pic, 0, MENU_PANEL_TOP, MENU_PANEL_RIGHT, MENU_HEADER_BOTTOM, {22, 40, 84}, {6, 12, 30});
    fillRect(pic, 0, MENU_HEADER_BOTTOM, MENU_PANEL_RIGHT, MENU_PANEL_BOTTOM, BLACK);
    fillRect(pic, 0, MENU_HEADER_BOTTOM, MENU_PANEL_RIGHT, MENU_HEADER_BOTTOM + 2, {40, 70, 120});
    fillRect(pic, 0, MENU_PANEL_TOP - 2, MENU_PANEL_RIGHT, MENU_PANEL_TOP, PANEL_EDGE);
    fillRect(pic, 0, MENU_PANEL_BOTTOM, MENU_PANEL_RIGHT, MENU_PANEL_BOTTOM + 2, PANEL_EDGE);
    wordmark(pic, 30, 105, 80);
    drawText(pic, FONT_SERIF_BOLD, 24, 36, 145, "pick your rider, your slope, your style", {230, 240, 255});
    panel(pic, MENU_STAND_LEFT, 260, 762, 470);
    // A snowy stand under the turning rider.
    fillPolygon(pic, {MENU_STAND_LEFT + 20, 474, 742, 474, 762, 500, MENU_STAND_LEFT, 500}, {235, 242, 255});
    fillPolygon(pic, {MENU_STAND_LEFT, 500, 762, 500, 762, 512, MENU_STAND_LEFT, 512}, {110, 140, 190});
    return pic;
}

static Picture scoresPicture()
{
    Picture pic(SCREEN_W, SCREEN_H);
    backdrop(pic, 37, 0.45f);
    drawText(pic, FONT_SANS_BOLD, 34, 40, 50, "HIGH SCORES", WHITE);
    fillRect(pic, 40, 60, 760, 62, PANEL_EDGE);
    // Track title, hint, the ten entries and the rank line, then the medal on the right.
    panel(pic, 110, 80, 640, 540);
    // Faint bands under every other entry line, dark enough for the additive text over them.
    for (int line = 0; line < 10; line += 2) fillRect(pic, 112, 228 + 25 * line, 638, 253 + 25 * line, {0, 8, 30});
    fillDisc(pic, 688, 246, 70, PANEL_EDGE);
    fillDisc(pic, 688, 246, 66, BLACK);
    drawTextCentred(pic, FONT_SANS_BOLD, 16, 688, 340, "YOUR MEDAL", ICE);
    return pic;
}

static Picture initialsPicture()
{
    Picture pic(SCREEN_W, SCREEN_H);
    backdrop(pic, 41, 0.45f);
    drawText(pic, FONT_SANS_BOLD, 34, 40, 50, "FINISH! ENTER YOUR INITIALS", WHITE);
    fillRect(pic, 40, 60, 760, 62, PANEL_EDGE);
    panel(pic, 300, 130, 450, 190);
    panel(pic, 225, 212, 585, 400);
    drawText(pic, FONT_SANS, 15, 230, 425, "arrows: move    [return]: pick    <: back    #: done", ICE);
    panel(pic, 40, 440, 640, 580);
    drawText(pic, FONT_SANS_BOLD, 14, 160, 460, "RUN SUMMARY", ICE);
    return pic;
}

// One key cap with its label centred on it.
static void keyCap(Picture& pic, int x, int y, int w, const char* label)
{
    fillRect(pic, x, y, x + w, y + 30, {200, 215, 240});
    fillRect(pic, x + 2, y + 2, x + w - 2, y + 26, {250, 252, 255});
    drawTextCentred(pic, FONT_SANS_BOLD, 16, x + w / 2, y + 20, label, {20, 30, 60});
}

struct HelpRow {
    std::string keys[3];
    const char* what;
};

static void helpRows(Picture& pic, int x, int y, const char* heading, const HelpRow* rows, int count)
{
    drawText(pic, FONT_SANS_BOLD, 22, x, y, heading, ICE);
    y += 14;
    for (int i = 0; i < count; i++, y += 40) {
        int kx = x;
        for (const std::string& k : rows[i].keys) {
            if (k.empty()) continue;
            int w = k.size() > 1 ? 20 + textWidth(FONT_SANS_BOLD, 16, k) : 32;
            keyCap(pic, kx, y, w, k.c_str());
            kx += w + 6;
        }
        drawText(pic, FONT_SANS, 16, kx > x + 124 ? kx + 6 : x + 130, y + 21, rows[i].what, WHITE);
    }
}

// The rider's keys change with the key map: their caps stay blank for the game to fill in.
static void blankRiderCaps(Picture& pic)
{
    for (const HelpKeyRow& r : helpKeyRows)
        for (int i = 0; i < r.count; i++) keyCap(pic, helpCapLeft(r.column, i), helpCapTop(r.row), HELP_CAP_W, "");
}

static Picture helpPicture()
{
    Picture pic(SCREEN_W, SCREEN_H);
    backdrop(pic, 53, 0.7f);
    drawText(pic, FONT_SANS_BOLD, 34, 40, 50, "HOW TO RIDE", WHITE);
    drawText(pic, FONT_SANS, 16, 530, 48, "[esc]: back to the menu", ICE);
    fillRect(pic, 40, 60, 760, 62, PANEL_EDGE);
    HelpRow ride[] = {
        {{}, "steer left / right"},
        {{}, "push to speed up"},
        {{}, "brake"},
        {{"SPACE"}, "hold, then let go: jump"},
        {{}, "brake and steer: turn round"},
    };
    HelpRow air[] = {
        {{}, "spin left / right"},
        {{}, "front flip / back flip"},
        {{}, "side flips"},
        {{}, "trick keys 1 to 3"},
        {{}, "trick keys 4 to 6"},
    };
    helpRows(pic, HELP_COLUMN_X[0], HELP_HEADING_Y, "On the snow", ride, 5);
    helpRows(pic, HELP_COLUMN_X[1], HELP_HEADING_Y, "In the air", air, 5);
    blankRiderCaps(pic);
    HelpRow other[] = {
        {{"B"}, "bomb: raises a kicker"},
        {{"F7", "F8"}, "frame rate / camera"},
        {{"F9", "F10"}, "shadows / screenshot"},
        {{"ENTER"}, "fallen: rescue / finish: go on"},
        {{"ESC"}, "leave the run"},
        {{"P"}, "pause, and go on"},
    };
    helpRows(pic, 30, 340, "Run", other, 6);
    drawText(pic, FONT_SANS_BOLD, 22, 420, 340, "Tips", ICE);
    const char* tips[] = {"Hold trick keys together in the air:",
                          "each combination is its own pose,",
                          "scored for every second you hold it.",
                          "Land with skis straight down the hill.",
                          "Stars are worth 50000 points.",
                          "Jump onto rails to grind them.",
                          "Time costs points: keep moving!"};
    for (int i = 0; i < 7; i++) drawText(pic, FONT_SANS, 16, 420, 374 + i * 27, tips[i], WHITE);
    return pic;
}

static Picture logoPicture()
{
    Picture pic(400, 100);
    gradientRect(pic, 0, 0, 400, 100, {5, 10, 30}, {40, 70, 130});
    mountainLayer(pic, 100, 45, 5, {200, 220, 250}, {50, 70, 120}, 0.2f);
    wordmarkFitted(pic, 70, 64, 24);
    return pic;
}

static Picture logoffPicture()
{
    Picture pic(228, 69);
    mountainLayer(pic, 69, 30, 9, {120, 150, 200}, {20, 30, 60}, 0.0f);
    wordmarkFitted(pic, 44, 42, 8);
    drawTextCentred(pic, FONT_SANS, 12, 114, 62, "made by its own tools", ICE);
    return pic;
}

// The atlas cell k of the 3 x 3 grid cut at 0, 0.33, 0.66 and 1.0, in pixels from the top left.
static void atlasCell(int k, int size, float* x0, float* y0, float* x1, float* y1)
{
    static const float cut[4] = {0.0f, 0.33f, 0.66f, 1.0f};
    int col = k % 3, row = k / 3;
    *x0 = cut[col] * size;
    *x1 = cut[col + 1] * size;
    *y0 = (1 - cut[3 - row]) * size;
    *y1 = (1 - cut[2 - row]) * size;
}

static void star(Picture& pic, float cx, float cy, float rOut, float rIn, int points, float turn, Rgb c)
{
    std::vector<float> xy;
    for (int i = 0; i < points * 2; i++) {
        float a = turn + i * PI / points, r = i % 2 ? rIn : rOut;
        xy.push_back(cx + sinf(a) * r);
        xy.push_back(cy - cosf(a) * r);
    }
    fillPolygon(pic, xy, c);
}

static Picture boulesPicture()
{
    static const Rgb TRICK_COLOURS[6] = {{220, 40, 40}, {240, 140, 20}, {230, 210, 30},
                                         {40, 180, 70}, {40, 110, 230}, {160, 60, 210}};
    Picture pic(128, 128);
    for (int k = 0; k < 8; k++) {
        float x0, y0, x1, y1;
        atlasCell(k, 128, &x0, &y0, &x1, &y1);
        float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, r = (x1 - x0) / 2 - 3;
        if (k < 6) {
            fillDisc(pic, cx, cy, r, mixRgb(TRICK_COLOURS[k], BLACK, 0.35f));
            fillDisc(pic, cx - 1, cy - 1, r - 2, TRICK_COLOURS[k]);
            fillDisc(pic, cx - r * 0.35f, cy - r * 0.35f, r * 0.3f, WHITE, 0.45f);
            char digit[2] = {(char)('1' + k), 0};
            drawTextCentred(pic, FONT_SANS_BOLD, 22, (int)cx, (int)(cy + 8), digit, WHITE);
        } else if (k == 6) {
            star(pic, cx, cy, r + 1, r * 0.38f, 4, 0, {230, 30, 30});
            star(pic, cx, cy, r * 0.6f, r * 0.22f, 4, 0, WHITE);
        } else {
            fillRing(pic, cx, cy, r - 4, r, ORANGE);
            for (int i = 0; i < 4; i++) {
                float a = i * PI / 2;
                thickLine(pic, cx + sinf(a) * (r - 6), cy - cosf(a) * (r - 6), cx + sinf(a) * (r + 1),
                          cy - cosf(a) * (r + 1), 3, WHITE);
            }
        }
    }
    return pic;
}

// Thumbnail frame: pure white where the thumbnail shows through, a bevelled border round it.
static Picture masktPicture()
{
    Picture pic(256, 256);
    for (int y = 0; y < 256; y++)
        for (int x = 0; x < 256; x++) {
            float edge = fminf(fminf(x, 255 - x), fminf(y, 255 - y)) / 24.0f;
            Rgb c = mixRgb({40, 70, 130}, {170, 205, 250}, fminf(edge, 1));
            pic.set(x, y, c.r, c.g, c.b);
        }
    fillRect(pic, 22, 22, 234, 234, {20, 30, 60});
    fillRect(pic, 26, 26, 230, 230, WHITE);
    return pic;
}

// The medal's face: bright gold, since the game multiplies it by the place colour and the light.
static Picture medalSidePicture()
{
    static const Rgb GOLD_LIGHT = {255, 236, 150}, GOLD = {250, 196, 70}, GOLD_DEEP = {190, 120, 30};
    Picture pic(64, 64);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            // Light from the upper left over a slightly domed face, with fine turned rings.
            float dx = (x - 31.5f) / 32, dy = (y - 31.5f) / 32, d = hypotf(dx, dy);
            float light = 0.55f - 0.35f * (dx + dy) * 0.7f - 0.25f * d * d + 0.04f * sinf(d * 60);
            Rgb c = light > 0.5f ? mixRgb(GOLD, GOLD_LIGHT, fminf((light - 0.5f) * 2.5f, 1))
                                 : mixRgb(GOLD_DEEP, GOLD, fmaxf(light * 2, 0));
            pic.set(x, y, c.r, c.g, c.b);
        }
    fillRing(pic, 31.5f, 31.5f, 27, 30.5f, GOLD_DEEP);
    fillRing(pic, 30.8f, 30.8f, 27.5f, 29.5f, GOLD_LIGHT);
    star(pic, 33, 34, 19, 8, 5, 0, GOLD_DEEP);
    star(pic, 31.5f, 32.5f, 18, 7.5f, 5, 0, GOLD_LIGHT);
    star(pic, 31, 32, 11, 4.5f, 5, 0, {255, 250, 225});
    return pic;
}

static Picture bombPicture()
{
    Picture pic(64, 64);
    fillRect(pic, 0, 0, 64, 64, {0, 255, 0});
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            float d = hypotf(x + 0.5f - 30, y + 0.5f - 38);
            if (d > 22) continue;
            float light = fmaxf(0, 1 - hypotf(x - 22.0f, y - 30.0f) / 26);
            Rgb c = mixRgb({25, 25, 35}, {140, 140, 160}, light * light);
            pic.set(x, y, c.r, c.g, c.b);
        }
    fillRect(pic, 36, 14, 46, 20, {60, 60, 70});
    thickLine(pic, 41, 15, 48, 7, 3, {150, 100, 50});
    fillDisc(pic, 50, 6, 5, {255, 200, 40});
    fillDisc(pic, 50, 6, 2.5f, WHITE);
    return pic;
}

// The spray sprite: a round puff of powder, bright in the middle and falling smoothly to black well
// inside the square, since the particles are added onto the picture and black is their transparent
// key: no edge or corner of the square may ever show.
static Picture snowPicture()
{
    const float RADIUS = 58, CENTRE = 64;
    Picture pic(128, 128);
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            float d = hypotf(x + 0.5f - CENTRE, y + 0.5f - CENTRE) / RADIUS;
            if (d >= 1) continue;
            float fall = (1 - d * d) * (1 - d * d);
            float light = fall * std::sqrt(fall);
            pic.set(x, y, (int)(235 * light), (int)(242 * light), (int)(255 * light));
        }
    return pic;
}

static Picture videPicture()
{
    Picture pic(16, 16);
    fillRect(pic, 0, 0, 16, 16, WHITE);
    return pic;
}

void genGuiPictures(const std::string&, const std::string& data)
{
    std::string dir = data + "/gui/";
    struct {
        const char* name;
        Picture pic;
    } pictures[] = {
        {"Font.bmp", makeFontAtlas(16)}, {"Font2.bmp", makeFontAtlas(32)}, {"logo.bmp", logoPicture()},
        {"home.bmp", homePicture()},     {"menus.bmp", menusPicture()},   {"help.bmp", helpPicture()},
        {"initials.bmp", initialsPicture()}, {"scores.bmp", scoresPicture()}, {"logoff.bmp", logoffPicture()},
        {"boules.bmp", boulesPicture()}, {"maskt.bmp", masktPicture()},   {"medalSide.bmp", medalSidePicture()},
        {"vide.bmp", videPicture()},     {"bomb.bmp", bombPicture()},     {"snow.bmp", snowPicture()},
    };
    for (auto& p : pictures) writeBmp(dir + p.name, p.pic);
}
