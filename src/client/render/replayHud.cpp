// Takes the replay's state and texts and the run HUD's layout; draws the replay's label, timeline,
// help line and key list where the layout leaves them room.
#include "render/replayHud.h"

#include <GL/gl.h>

#include <cstring>

#include "render/guistuff.h"
#include "render/hudLayout.h"
#include "render/viewFrame.h"

static const float TIMELINE_BAND_ALPHA = 0.55f, TIMELINE_BAR_H = 4;
static const float MARK_H = 10, MARK_W = 2, NOW_W = 3;
static const float RIDDEN_GREY = 0.85f, AHEAD_GREY = 0.45f;
// jump, trick landed, fall
static const float MARK_COLOURS[replayMarkKindCount][3] = {{0.45f, 0.75f, 1.0f}, {1.0f, 0.85f, 0.2f}, {1.0f, 0.3f, 0.25f}};

float timelineShare(long tick, long lastTick)
{
    if (lastTick <= 0) return 1.0f;
    float s = (float)tick / (float)lastTick;
    return s < 0 ? 0.0f : s > 1 ? 1.0f : s;
}

static void quad(float x, float y, float w, float h)
{
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
}

static void drawTimeline(const HudBox& b, const ReplayHudView& v)
{
    drawFondFondu(b.x - 2, b.y + b.h + 2, b.w + 4, b.h + 4, TIMELINE_BAND_ALPHA);
    float mid = b.y + b.h / 2, now = b.x + b.w * timelineShare(v.tick, v.lastTick);
    beginOverlay();
    glBegin(GL_QUADS);
    glColor4f(RIDDEN_GREY, RIDDEN_GREY, RIDDEN_GREY, 1);
    quad(b.x, mid - TIMELINE_BAR_H / 2, now - b.x, TIMELINE_BAR_H);
    glColor4f(AHEAD_GREY, AHEAD_GREY, AHEAD_GREY, 1);
    quad(now, mid - TIMELINE_BAR_H / 2, b.x + b.w - now, TIMELINE_BAR_H);
    for (int k = 0; k < v.markCount; k++) {
        const float* c = MARK_COLOURS[v.marks[k].kind];
        glColor4f(c[0], c[1], c[2], 1);
        float x = b.x + b.w * timelineShare(v.marks[k].tick, v.lastTick);
        quad(x - MARK_W / 2, mid - MARK_H / 2, MARK_W, MARK_H);
    }
    glColor4f(1, 1, 1, 1);
    quad(now - NOW_W / 2, b.y, NOW_W, b.h);
    glEnd();
    endOverlay();
}

static void drawKeyList(const ReplayHudLayout& l, const ReplayHudView& v)
{
    const HudPlace& p = l.item[replayHudKeys];
    if (!p.shown) return;
    drawFondFondu(p.box.x, p.box.y + p.box.h, p.box.w, p.box.h, 0.6f * v.keysAlpha);
    for (int row = 0; row < v.keyRows; row++)
        for (int col = 0; col < 2; col++)
            hudPlainText(l.keyColumnX[col], p.textY - row * l.keyRowStep, v.keys[row][col], p.scale, v.keysAlpha);
}

// The widest cell of the list, by its length: the font is fixed-width.
static const char* widestKey(const ReplayHudView& v)
{
    const char* w = "";
    for (int row = 0; row < v.keyRows; row++)
        for (int col = 0; col < 2; col++)
            if (strlen(v.keys[row][col]) > strlen(w)) w = v.keys[row][col];
    return w;
}

void drawReplayHud(const ReplayHudView& v)
{
    ReplayHudTexts t{v.help, v.label, v.keysAlpha > 0 ? v.keyRows : 0, widestKey(v)};
    ReplayHudLayout l;
    layoutReplayHud(currentOverlayFrame(), drawnRunHudLayout(), t, l);
    hudBandedLine(l.item[replayHudHelp], v.help);
    drawTimeline(l.item[replayHudTimeline].box, v);
    hudBandedLine(l.item[replayHudLabel], v.label);
    drawKeyList(l, v);
}
