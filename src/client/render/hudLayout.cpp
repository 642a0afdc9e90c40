// Takes the overlay frame and this frame's HUD texts; gives each item's box, text place and size. The
// corner items keep their places in the 640 x 480 layout, moved to their own corner of the window;
// the lines in the middle are centred and shrunk to the room the corner items leave them.
#include "render/hudLayout.h"

#include <cstdio>
#include <cstring>

#include "render/guistuff.h"

static const float GLYPH_W = 10, GLYPH_H = 16;  // one glyph at scale 1
static const float TEXT_SCALE = 1.5f;           // the corner texts
static const float BANDED_MARGIN = 4;           // the dark band round a line of the middle
static const float SIDE_GAP = 10;               // between a line of the middle and the corner items
static const float EDGE = 4;                    // texts end this far inside the window
// top left: "Speed", the bar and its number, the counters, then the jump under way
static const float BAND_H = 32, BAND_SLANT = 32, TOP_BAND_BELOW = 6, TOP_TEXT_BELOW = 30;
static const float SPEED_BAND_W = 91, SPEED_TEXT_X = 14;
static const float SPEED_BAR_BELOW = 50, SPEED_BAR_H = 16, SPEED_BAR_FULL = 200, SPEED_BAR_SLANT = 16;
static const float SPEED_NUMBER_SCALE = 0.9f, SPEED_NUMBER_INSET = 3;
static const float LOGO = 32, COUNTER_TEXT_X = 28, BOMB_LOGO_X = 3;
static const float COLLECT_LOGO_BELOW = 75, COLLECT_TEXT_BELOW = 100;
static const float BOMB_LOGO_BELOW = 110, BOMB_TEXT_BELOW = 140;
static const float JUMP_X = 10, JUMP_ROOM = 220;  // left of the rider, who rides in the middle
static const float JUMP_POINTS_BELOW = 198, JUMP_POINTS_SCALE = 2.0f;
static const float POSE_BELOW = 222, POSE_SCALE = 1.0f;
// top right: the title band, the score, the gap to the ghost
static const float TITLE_MAX_SHARE = 0.39f;  // of the window's width: the title never crowds the middle
static const float SCORE_BELOW = 70, GHOST_BELOW = 108;
// bottom: the time band, the power gauge and its caption, the trick keys, the frame rate
static const float TIME_BAND_ABOVE = 48, TIME_TEXT_ABOVE = 24;
static const float POWER_FROM_RIGHT = 32, POWER_ABOVE = 80, POWER_LETTER_X = 45, POWER_LETTER_ABOVE = 67;
static const float DISC_FROM_RIGHT = 72, DISC_ABOVE = 74, DISC_SCALE = 0.8f;
static const float KEYS_X = 20, KEYS_ABOVE = 48;
static const float FPS_X = 10, FPS_ABOVE = 60, FPS_SCALE = 0.9f;
// the replay's items, from the bottom up
static const float REPLAY_HELP_SCALE = 0.65f, REPLAY_HELP_MARGIN = 2;  // under the time band and the trick keys
static const float TIMELINE_ABOVE = 50, TIMELINE_H = 12, TIMELINE_SHARE = 0.8f;
static const float REPLAY_LABEL_ABOVE = 66, REPLAY_LABEL_SCALE = 1.2f;
static const float KEYS_LIST_BELOW = 76, KEYS_LIST_ABOVE = 95, KEYS_LIST_SCALE = 0.8f;
static const float KEYS_LIST_SKY_LEAST = 0.6f;  // smaller, and the list goes over the label if it is larger there
static const float KEYS_COLUMN_GAP = 24, KEYS_ROW_GAP = 3;

// A line of the middle: its item, its height (from the frame's top, or from its middle) and largest size.
struct CentreLine {
    int item;
    short fromMiddle;
    float offset;  // below the top, or above the middle
    float maxScale;
};
static const CentreLine CENTRE_LINES[] = {
    {hudFeedback, 0, 34, 1.5f},   {hudFeedbackAction, 0, 60, 1.1f}, {hudKeys1, 0, 104, 0.9f},
    {hudKeys2, 0, 127, 0.9f},     {hudLessonCount, 0, 96, 1.0f},    {hudLessonText, 0, 128, 1.5f},
    {hudLessonDetail, 0, 154, 1.0f}, {hudStart, 1, 30, 2.0f},       {hudCountdown, 1, 38, 4.0f},
    {hudBonus, 1, -90, 2.5f},     {hudExplosive, 1, -40, 2.5f},     {hudFinish, 1, 96, 4.0f},
    {hudPressReturn, 1, 56, 2.0f},
};

void clearHudTexts(HudTexts& t)
{
    for (int i = 0; i < hudItemCount; i++) t.text[i][0] = '\0';
    t.trickKeys = 0;
}

void setHudText(HudTexts& t, int item, const char* text)
{
    snprintf(t.text[item], hudTextChars, "%s", text ? text : "");
}

short hudBoxesOverlap(const HudBox& a, const HudBox& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

int speedKmh(float unitsPerSecond)
{
    const float KMH_PER_UNIT_PER_SECOND = 0.036f;
    float v = unitsPerSecond < 0 ? -unitsPerSecond : unitsPerSecond;
    return (int)(v * KMH_PER_UNIT_PER_SECOND + 0.5f);
}

float speedBarLength(float speed, float maxSpeed, float fullBar)
{
    if (!(maxSpeed > 0)) return 0;
    float share = (speed < 0 ? -speed : speed) / maxSpeed;
    if (!(share < 1)) share = 1;  // a booster drives him past the top speed: the bar stays in its frame
    return fullBar * share;
}

static float widthOf(const char* text, float scale) { return GLYPH_W * scale * (float)strlen(text); }

static HudBox box(float x, float y, float w, float h) { return HudBox{x, y, w, h}; }

static void place(HudPlace& p, HudBox b, float textX, float textY, float scale)
{
    p.shown = 1, p.box = b, p.shape = b, p.textX = textX, p.textY = textY, p.scale = scale;
}

// The largest size up to maxScale at which text fits in room.
static float fittedScale(const char* text, float maxScale, float room)
{
    float w = widthOf(text, maxScale);
    if (w <= room || w <= 0) return maxScale;
    return room > 0 ? maxScale * room / w : 0;
}

// A text of the top or bottom right, ending inside the window.
static void placeRightText(HudPlace& p, const OverlayFrame& f, const char* text, float y)
{
    float w = widthOf(text, TEXT_SCALE), from = bandWidthFor(text);
    float x = f.right - (from > w + EDGE ? from : w + EDGE);
    place(p, box(x, y, w, GLYPH_H * TEXT_SCALE), x, y, TEXT_SCALE);
}

// A dark-banded text of the left side, shrunk to its room.
static void placeLeftLine(HudPlace& p, const OverlayFrame& f, const char* text, float y, float maxScale,
                          float room)
{
    float s = fittedScale(text, maxScale, room), m = BANDED_MARGIN;
    float x = f.left + JUMP_X;
    place(p, box(x - m, y - m, widthOf(text, s) + 2 * m, GLYPH_H * s + 2 * m), x, y, s);
}

static void layoutTopLeft(const OverlayFrame& f, const HudTexts& t, HudLayout& out)
{
    const float L = f.left, T = f.top;
    HudPlace* it = out.item;
    place(it[hudSpeedBand], box(L, T - TOP_BAND_BELOW - BAND_H, SPEED_BAND_W + BAND_SLANT, BAND_H), L + SPEED_TEXT_X,
          T - TOP_TEXT_BELOW, TEXT_SCALE);
    // the number sits at the right end of the bar's frame
    const char* kmh = t.text[hudSpeedBar];
    float barY = T - SPEED_BAR_BELOW - SPEED_BAR_H, frameW = SPEED_BAR_FULL + SPEED_BAR_SLANT;
    float ns = fittedScale(kmh, SPEED_NUMBER_SCALE, frameW - 2 * SPEED_NUMBER_INSET);
    place(it[hudSpeedBar], box(L, barY, frameW, SPEED_BAR_H), L + frameW - SPEED_NUMBER_INSET - widthOf(kmh, ns),
          barY + (SPEED_BAR_H - GLYPH_H * ns) / 2, ns);
    const char* c = t.text[hudCollectables];
    float cw = COUNTER_TEXT_X + widthOf(c, TEXT_SCALE);
    place(it[hudCollectables], box(L, T - COLLECT_LOGO_BELOW - LOGO, cw > LOGO ? cw : LOGO, LOGO), L + COUNTER_TEXT_X,
          T - COLLECT_TEXT_BELOW, TEXT_SCALE);
    it[hudCollectables].shape.w = LOGO;
    const char* b = t.text[hudBombs];
    float bw = COUNTER_TEXT_X + widthOf(b, TEXT_SCALE);
    place(it[hudBombs], box(L, T - BOMB_LOGO_BELOW - LOGO, bw > LOGO + BOMB_LOGO_X ? bw : LOGO + BOMB_LOGO_X, LOGO),
          L + COUNTER_TEXT_X, T - BOMB_TEXT_BELOW, TEXT_SCALE);
    it[hudBombs].shape = box(L + BOMB_LOGO_X, T - BOMB_LOGO_BELOW - LOGO, LOGO, LOGO);
    if (t.text[hudJumpPoints][0])
        placeLeftLine(it[hudJumpPoints], f, t.text[hudJumpPoints], T - JUMP_POINTS_BELOW, JUMP_POINTS_SCALE, JUMP_ROOM);
    if (t.text[hudPoseName][0])
        placeLeftLine(it[hudPoseName], f, t.text[hudPoseName], T - POSE_BELOW, POSE_SCALE, JUMP_ROOM);
}

static void layoutTopRight(const OverlayFrame& f, const HudTexts& t, HudLayout& out)
{
    const float R = f.right, T = f.top;
    HudPlace* it = out.item;
    const char* title = t.text[hudTitle];
    float most = TITLE_MAX_SHARE * (f.right - f.left), w = bandWidthFor(title);
    if (w > most) w = most;
    float s = fittedScale(title, TEXT_SCALE, w - EDGE);
    place(it[hudTitle], box(R - w - BAND_SLANT, T - TOP_BAND_BELOW - BAND_H, w + BAND_SLANT, BAND_H), R - w,
          T - TOP_TEXT_BELOW, s);
    placeRightText(it[hudScore], f, t.text[hudScore], T - SCORE_BELOW);
    if (t.text[hudGhostGap][0]) placeRightText(it[hudGhostGap], f, t.text[hudGhostGap], T - GHOST_BELOW);
}

static void layoutBottom(const OverlayFrame& f, const HudTexts& t, HudLayout& out)
{
    const float L = f.left, R = f.right, B = f.bottom;
    HudPlace* it = out.item;
    const char* time = t.text[hudTime];
    float tw = bandWidthFor(time), tws = widthOf(time, TEXT_SCALE) + EDGE;
    if (tws > tw) tw = tws;
    place(it[hudTime], box(R - tw - BAND_SLANT, B + TIME_BAND_ABOVE - BAND_H, tw + BAND_SLANT, BAND_H), R - tw,
          B + TIME_TEXT_ABOVE, TEXT_SCALE);
    float r = hudPowerRadius + 1;  // the shade ring
    place(it[hudPower], box(R - POWER_FROM_RIGHT - r, B + POWER_ABOVE - r, 2 * r, 2 * r), R - POWER_LETTER_X,
          B + POWER_LETTER_ABOVE, TEXT_SCALE);
    if (t.text[hudJumpDisc][0]) {
        const char* d = t.text[hudJumpDisc];
        float x = R - DISC_FROM_RIGHT - widthOf(d, DISC_SCALE), m = BANDED_MARGIN;
        place(it[hudJumpDisc], box(x - m, B + DISC_ABOVE - m, widthOf(d, DISC_SCALE) + 2 * m, GLYPH_H * DISC_SCALE + 2 * m),
              x, B + DISC_ABOVE, DISC_SCALE);
    }
    if (t.trickKeys > 0)
        place(it[hudTrickKeys],
              box(L + KEYS_X, B + KEYS_ABOVE - hudTrickKeySize,
                  t.trickKeys * (hudTrickKeySize + hudTrickKeyGap) - hudTrickKeyGap, hudTrickKeySize),
              L + KEYS_X, B + KEYS_ABOVE, 1);
    if (t.text[hudFps][0]) {
        float m = BANDED_MARGIN, x = L + FPS_X;
        place(it[hudFps], box(x - m, B + FPS_ABOVE - m, widthOf(t.text[hudFps], FPS_SCALE) + 2 * m, GLYPH_H * FPS_SCALE + 2 * m),
              x, B + FPS_ABOVE, FPS_SCALE);
    }
}

static short isLeftItem(int i) { return i <= hudTrickKeys; }

// The room across the window that the corner items leave at heights y0 to y1.
static void roomAt(const HudLayout& l, const OverlayFrame& f, float y0, float y1, float* left, float* right)
{
    *left = f.left + EDGE, *right = f.right - EDGE;
    for (int i = 0; i < hudFeedback; i++) {
        const HudPlace& p = l.item[i];
        if (!p.shown || p.box.y >= y1 || p.box.y + p.box.h <= y0) continue;
        if (isLeftItem(i) && p.box.x + p.box.w + SIDE_GAP > *left) *left = p.box.x + p.box.w + SIDE_GAP;
        if (!isLeftItem(i) && p.box.x - SIDE_GAP < *right) *right = p.box.x - SIDE_GAP;
    }
}

// Centred on the window, moved aside and shrunk where the corner items leave less room.
static void placeCentreLine(const CentreLine& c, const OverlayFrame& f, const HudTexts& t, HudLayout& out)
{
    const char* text = t.text[c.item];
    if (!text[0]) return;
    const float m = BANDED_MARGIN;
    float y = c.fromMiddle ? (f.bottom + f.top) / 2 + c.offset : f.top - c.offset;
    float left, right;
    roomAt(out, f, y - m, y + GLYPH_H * c.maxScale + m, &left, &right);
    float s = fittedScale(text, c.maxScale, right - left - 2 * m), w = widthOf(text, s);
    float x = (f.left + f.right - w) / 2;
    if (x - m < left) x = left + m;
    if (x + w + m > right) x = right - m - w;
    place(out.item[c.item], box(x - m, y - m, w + 2 * m, GLYPH_H * s + 2 * m), x, y, s);
}

void layoutRunHud(const OverlayFrame& f, const HudTexts& t, HudLayout& out)
{
    for (int i = 0; i < hudItemCount; i++) out.item[i] = HudPlace{0, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 1};
    layoutTopLeft(f, t, out);
    layoutTopRight(f, t, out);
    layoutBottom(f, t, out);
    for (const CentreLine& c : CENTRE_LINES) placeCentreLine(c, f, t, out);
}

// A replay line centred in the room at height y (text above y, its band round it), shrunk to fit.
static void placeReplayLine(HudPlace& p, const OverlayFrame& f, const HudLayout& run, const char* text, float y,
                            float maxScale, float margin)
{
    float left, right;
    roomAt(run, f, y - margin, y + GLYPH_H * maxScale + margin, &left, &right);
    float s = fittedScale(text, maxScale, right - left - 2 * margin), w = widthOf(text, s);
    float x = (f.left + f.right - w) / 2;
    if (x - margin < left) x = left + margin;
    if (x + w + margin > right) x = right - margin - w;
    place(p, box(x - margin, y - margin, w + 2 * margin, GLYPH_H * s + 2 * margin), x, y, s);
}

static void placeTimeline(HudPlace& p, const OverlayFrame& f, const HudLayout& run)
{
    float y = f.bottom + TIMELINE_ABOVE, left, right;
    roomAt(run, f, y, y + TIMELINE_H, &left, &right);
    float w = TIMELINE_SHARE * (f.right - f.left);
    if (w > right - left) w = right - left;
    float x = (f.left + f.right - w) / 2;
    if (x < left) x = left;
    if (x + w > right) x = right - w;
    place(p, box(x, y, w, TIMELINE_H), x, y, 1);
}

// The highest top of the run's shown items under y that reach into the room between left and right.
static float floorUnder(const HudLayout& run, float y, float lowest, float left, float right)
{
    float floor = lowest;
    for (int i = 0; i < hudItemCount; i++) {
        const HudBox& b = run.item[i].box;
        if (run.item[i].shown && b.y + b.h <= y && b.y + b.h > floor && b.x < right && b.x + b.w > left)
            floor = b.y + b.h;
    }
    return floor;
}

// The lowest bottom of the run's shown items over y that reach into the room between left and right.
static float ceilingOver(const HudLayout& run, float y, float highest, float left, float right)
{
    float ceiling = highest;
    for (int i = 0; i < hudItemCount; i++) {
        const HudBox& b = run.item[i].box;
        if (run.item[i].shown && b.y >= y && b.y < ceiling && b.x < right && b.x + b.w > left) ceiling = b.y;
    }
    return ceiling;
}

// Room for the list: its band's top and bottom, the room across, and the size it gets there.
struct KeyListRoom {
    float top, floor, left, right, scale;
};

static void fitKeyList(KeyListRoom& r, const ReplayHudTexts& t)
{
    const float m = BANDED_MARGIN, cell = widthOf(t.widestKey, 1), rows = (float)t.keyRows;
    float byWidth = (r.right - r.left - 2 * m - KEYS_COLUMN_GAP) / (2 * cell);
    float byHeight = (r.top - r.floor - 2 * m - (rows - 1) * KEYS_ROW_GAP) / (rows * GLYPH_H);
    r.scale = KEYS_LIST_SCALE;
    if (byWidth < r.scale) r.scale = byWidth;
    if (byHeight < r.scale) r.scale = byHeight;
}

// In the sky: under the lines of the top and the score, over whatever of the HUD is shown under them (the countdown).
static KeyListRoom skyRoom(const OverlayFrame& f, const HudLayout& run, const ReplayHudTexts& t)
{
    KeyListRoom r;
    r.top = f.top - KEYS_LIST_BELOW;
    float lowest = (f.bottom + f.top) / 2;
    roomAt(run, f, lowest, r.top, &r.left, &r.right);
    r.floor = floorUnder(run, r.top, lowest, r.left, r.right);
    fitKeyList(r, t);
    return r;
}

// Over the replay's label, under whatever of the HUD is shown over it (the pickups' messages).
static KeyListRoom groundRoom(const OverlayFrame& f, const HudLayout& run, const ReplayHudTexts& t)
{
    KeyListRoom r;
    r.floor = f.bottom + KEYS_LIST_ABOVE;
    float highest = (f.bottom + f.top) / 2;
    roomAt(run, f, r.floor, highest, &r.left, &r.right);
    r.top = ceilingOver(run, r.floor, highest, r.left, r.right);
    fitKeyList(r, t);
    return r;
}

// Two columns of rows, in the sky over the rider unless the HUD leaves more room over the label.
static void placeKeyList(ReplayHudLayout& out, const OverlayFrame& f, const HudLayout& run, const ReplayHudTexts& t)
{
    KeyListRoom r = skyRoom(f, run, t);
    if (r.scale < KEYS_LIST_SKY_LEAST) {
        KeyListRoom g = groundRoom(f, run, t);
        if (g.scale > r.scale) r = g;
    }
    const float m = BANDED_MARGIN, s = r.scale, rows = (float)t.keyRows, cell = widthOf(t.widestKey, s);
    if (!(s > 0)) return;
    float w = 2 * cell + KEYS_COLUMN_GAP, h = rows * GLYPH_H * s + (rows - 1) * KEYS_ROW_GAP;
    float x = (f.left + f.right - w) / 2;
    if (x + w + m > r.right) x = r.right - m - w;
    if (x - m < r.left) x = r.left + m;
    place(out.item[replayHudKeys], box(x - m, r.top - h - 2 * m, w + 2 * m, h + 2 * m), x, r.top - m - GLYPH_H * s, s);
    out.keyColumnX[0] = x, out.keyColumnX[1] = x + cell + KEYS_COLUMN_GAP;
    out.keyRowStep = GLYPH_H * s + KEYS_ROW_GAP;
}

void layoutReplayHud(const OverlayFrame& f, const HudLayout& run, const ReplayHudTexts& t, ReplayHudLayout& out)
{
    for (int i = 0; i < replayHudItemCount; i++) out.item[i] = HudPlace{0, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 1};
    out.keyColumnX[0] = out.keyColumnX[1] = out.keyRowStep = 0;
    placeReplayLine(out.item[replayHudHelp], f, run, t.help, f.bottom + REPLAY_HELP_MARGIN, REPLAY_HELP_SCALE,
                    REPLAY_HELP_MARGIN);
    placeTimeline(out.item[replayHudTimeline], f, run);
    placeReplayLine(out.item[replayHudLabel], f, run, t.label, f.bottom + REPLAY_LABEL_ABOVE + BANDED_MARGIN,
                    REPLAY_LABEL_SCALE, BANDED_MARGIN);
    if (t.keyRows > 0 && t.widestKey && t.widestKey[0]) placeKeyList(out, f, run, t);
}
