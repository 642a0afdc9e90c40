// Takes the run state; draws the run's heads-up display: bands, speed bar, logos, power gauge,
// time, title, counters, jump figure, bonus messages, score and the trick keys held.
#include <GL/gl.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "render/fallMessage.h"
#include "render/font.h"
#include "render/ghostDraw.h"
#include "render/graphImage.h"
#include "render/hudHints.h"
#include "render/lessonDraw.h"
#include "render/guistuff.h"
#include "render/viewFrame.h"
#include "run/runTicker.h"
#include "run/howManyMinutes.h"
#include "run/runFeedback.h"
#include "run/runState.h"
#include "run/trickInput.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/trackModel.h"
#include "track/trackTitle.h"

static const float BAND_H = 32, BAND_SLANT = 32;
static const float SPEED_BAND_W = 91;
static const float STOPPED_BAR = 5.0f;
static const float HUD_TEXT_SCALE = 1.5f;
static const float POWER_X = 608, POWER_Y = 80, POWER_RADIUS = 30, POWER_THRESHOLD = 10, POWER_MAX = 20;
static const int POWER_STEPS = 30;
static const int FPS_X = 10, FPS_Y = 300;
static const float BAND_MARGIN = 4, BAND_ALPHA = 0.6f, GLYPH_ADVANCE = 10;
// The message line sits in the free top middle, between the "Speed" band and the title band.
static const float GLYPH_HEIGHT = 16;
static const float MESSAGE_Y = 446, MESSAGE_GAP = 10, MESSAGE_MAX_SCALE = 1.5f;
static const float ACTION_BELOW = 26, ACTION_SCALE = 1.1f; // what to press, under a fall's reason
static const float COUNTDOWN_ABOVE_MIDDLE = 60, COUNTDOWN_SCALE = 4.0f;
static const float FINISH_BLINK_PERIOD = 1.5f, FINISH_BLINK_RESTART = 0.1f, FINISH_BLINK_ON = 0.75f;

static const int GHOST_GAP_Y = 372;  // under the score, clear of the pop-ups on the left

char timeStr[256] = "";
char scoreStr[256] = "";
char strButton[256] = "";

static unsigned int hudFont() { return texGui[texGuiFont2]; }

static void hudText(int x, int y, const char* text)
{
    glPrintScale(x, y, text, 0, hudFont(), HUD_TEXT_SCALE);
}

// Corner items are laid out in the 640 x 480 space and move to their own corner of the window.
static float atLeft(float x) { return x + currentOverlayFrame().left; }
static float atRight(float x) { return x + currentOverlayFrame().right - overlayWidth; }
static float atTop(float y) { return y + currentOverlayFrame().top - overlayHeight; }
static float atBottom(float y) { return y + currentOverlayFrame().bottom; }

static int rightAligned(const char* text) { return (int)atRight(overlayWidth - bandWidthFor(text)); }

void glPrintFinishData(double unused)
{
    (void)unused;
    static double blink = 0;
    glPrintScale(200, 300, "FINISH", 0, hudFont(), 4.0f);
    if (blink >= FINISH_BLINK_PERIOD) blink = FINISH_BLINK_RESTART;
    blink += runTicker.frameSeconds;  // the drawing's own time: it blinks as fast at any frame rate
    if (blink > 0 && blink < FINISH_BLINK_ON) glPrintScale(165, 250, "- press Return -", 0, hudFont(), 2.0f);
}

// The title as a player reads it, underscores as spaces (same length, so the band is the same).
static char shownPiste[256];

static void drawHudShapes()
{
    shownTitle(shownPiste, sizeof shownPiste, nomPiste);
    drawBande(1, atRight(overlayWidth - bandWidthFor(shownPiste)), atTop(474), bandWidthFor(shownPiste), BAND_H,
              BAND_SLANT);
    drawBande(1, atRight(overlayWidth - bandWidthFor(timeStr)), atBottom(48), bandWidthFor(timeStr), BAND_H,
              BAND_SLANT);
    drawBande(0, atLeft(0), atTop(474), SPEED_BAND_W, BAND_H, BAND_SLANT);
    float bar = skieurStop ? STOPPED_BAR
                           : getTailleMaxSpeedbar() * fabsf(vitesseMax != 0 ? vitessePrecedente / vitesseMax : 0);
    drawBandeVitesse(atLeft(0), atTop(430), bar, 16, 16);
    drawCollectableLogo(atLeft(0), atTop(405), 32, 32, texGui[texGuiBoules]);
    drawLogoBomb(atLeft(3), atTop(370), 32, 32, texGui[texGuiBomb]);
    drawPower(atRight(POWER_X), atBottom(POWER_Y), POWER_STEPS, POWER_RADIUS, bufferJump, POWER_THRESHOLD, POWER_MAX);
}

static void beginHudText()
{
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1, 1, 1, 1);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

static void endHudText()
{
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_LIGHTING);
}

static void timeOrFinish()
{
    if (skieurArrive) {
        glPrintFinishData(diffTemps);
        return;
    }
    char* t = howManyMinutes(totalTime);
    snprintf(timeStr, sizeof timeStr, "Time: %s", t ? t : "");
    free(t);
}

static void drawHudTexts()
{
    char text[64];
    timeOrFinish();
    hudText(rightAligned(timeStr), (int)atBottom(24), timeStr);
    hudText(rightAligned(shownPiste), (int)atTop(450), shownPiste);
    hudText((int)atLeft(14), (int)atTop(450), "Speed");
    snprintf(text, sizeof text, " x %i", totalCollectable);
    hudText((int)atLeft(28), (int)atTop(380), text);
    snprintf(text, sizeof text, " x %i", getCollectedBomb());
    hudText((int)atLeft(28), (int)atTop(340), text);
    drawFigScore(scoreStr, bufferScoreJump, hudFont());
    // their bonus sound comes from the pickup's run event
    drawBoomCollectable(boomF, hudFont(), "BONUS!");
    drawBoomBomb(bombF, hudFont(), "Explosive!");
    snprintf(scoreStr, sizeof scoreStr, "Score: %i", totalScore);
    hudText(rightAligned(scoreStr), (int)atTop(410), scoreStr);
    if (ghostGapText(text)) hudText(rightAligned(text), (int)atTop(GHOST_GAP_Y), text);
    hudText((int)atRight(595), (int)atBottom(67), "J");
}

// Text on a dark band of its own: the sky and the snow behind the HUD are nearly white.
void hudBandedText(float x, float y, const char* text, float scale, float alpha, int set)
{
    float w = GLYPH_ADVANCE * scale * strlen(text), h = GLYPH_HEIGHT * scale;
    drawFondFondu(x - BAND_MARGIN, y + h + BAND_MARGIN, w + 2 * BAND_MARGIN, h + 2 * BAND_MARGIN, BAND_ALPHA * alpha);
    beginHudText();
    glColor4f(1, 1, 1, alpha);
    glPrintScale((int)x, (int)y, text, set, hudFont(), scale);
    glColor4f(1, 1, 1, 1);
    endHudText();
}

float hudTextWidth(const char* text, float scale) { return GLYPH_ADVANCE * scale * strlen(text); }

static void bandedText(float x, float y, const char* text, float scale, int set = 0)
{
    hudBandedText(x, y, text, scale, 1.0f, set);
}

static void drawFpsText()
{
    if (!showFps) return;
    char text[64];
    snprintf(text, sizeof text, "fps: %2.1f ticks: %2.1f", frameps, runTicker.ticksPerSecondSeen);
    bandedText(atLeft(FPS_X), FPS_Y, text, 1.0f, 1);
}

// One line of the feedback band, centred between the speed and title bands, shrunk to the room it has.
static void feedbackBandLine(const char* line, float y, float maxScale)
{
    float left = atLeft(SPEED_BAND_W + BAND_SLANT) + MESSAGE_GAP;
    float right = atRight(overlayWidth - bandWidthFor(shownPiste) - BAND_SLANT) - MESSAGE_GAP;
    float width = GLYPH_ADVANCE * maxScale * strlen(line);
    float scale = width > right - left ? maxScale * (right - left) / width : maxScale;
    float x = (left + right - GLYPH_ADVANCE * scale * strlen(line)) / 2;
    bandedText(x, atTop(y), line, scale);
}

// A fall or a stop: why, and under it what to press. Otherwise the trick held, "Landed +N",
// "Crashed: N lost" or "Out of the course...".
static void drawMessageLine()
{
    FallMessage fall;
    if (fallMessage(fall)) {
        feedbackBandLine(fall.reason, MESSAGE_Y, MESSAGE_MAX_SCALE);
        if (fall.action[0]) feedbackBandLine(fall.action, MESSAGE_Y - ACTION_BELOW, ACTION_SCALE);
        return;
    }
    char line[128];
    runFeedbackLine(line, sizeof line);
    if (line[0]) feedbackBandLine(line, MESSAGE_Y, MESSAGE_MAX_SCALE);
}

// 3, 2, 1, Go over the middle of the slope, where nothing else is drawn before the start.
static void drawCountdown()
{
    char text[8];
    countdownLine(text, sizeof text);
    if (!text[0]) return;
    const OverlayFrame& f = currentOverlayFrame();
    float x = (f.left + f.right - GLYPH_ADVANCE * COUNTDOWN_SCALE * strlen(text)) / 2;
    bandedText(x, (f.bottom + f.top) / 2 + COUNTDOWN_ABOVE_MIDDLE, text, COUNTDOWN_SCALE);
}

void drawRunHud()
{
    drawHudShapes();
    beginHudText();
    drawHudTexts();
    endHudText();
    drawMessageLine();
    drawCountdown();
    drawRunHints();
    drawLessonBand();
    drawFpsText();
    drawCombi(atLeft(20), atBottom(48), 32, 32, 10, texGui[texGuiBoules], bufferBoutons);
}
