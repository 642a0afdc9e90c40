// Takes the run state; draws the run's heads-up display: bands, speed bar, logos, power gauge,
// time, title, counters, jump figure, bonus messages, score and the trick keys held.
#include <GL/gl.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "render/font.h"
#include "render/graphImage.h"
#include "render/guistuff.h"
#include "run/howManyMinutes.h"
#include "run/runState.h"
#include "run/trickInput.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/trackModel.h"

static const float BAND_H = 32, BAND_SLANT = 32;
static const float SPEED_BAND_W = 91;
static const float STOPPED_BAR = 5.0f;
static const float HUD_TEXT_SCALE = 1.5f;
static const float POWER_X = 608, POWER_Y = 80, POWER_RADIUS = 30, POWER_THRESHOLD = 10, POWER_MAX = 20;
static const int POWER_STEPS = 30;
static const float FINISH_BLINK_PERIOD = 1.5f, FINISH_BLINK_RESTART = 0.1f, FINISH_BLINK_ON = 0.75f;

char timeStr[256] = "";
char scoreStr[256] = "";
char strButton[256] = "";

static unsigned int hudFont() { return texGui[texGuiFont2]; }

static void hudText(int x, int y, const char* text)
{
    glPrintScale(x, y, text, 0, hudFont(), HUD_TEXT_SCALE);
}

static int rightAligned(const char* text) { return (int)(overlayWidth - bandWidthFor(text)); }

void glPrintFinishData(double unused)
{
    (void)unused;
    static double blink = 0;
    glPrintScale(200, 300, "FINISH", 0, hudFont(), 4.0f);
    if (blink >= FINISH_BLINK_PERIOD) blink = FINISH_BLINK_RESTART;
    blink += diffTemps;
    if (blink > 0 && blink < FINISH_BLINK_ON) glPrintScale(165, 250, "- press Return -", 0, hudFont(), 2.0f);
}

static void drawHudShapes()
{
    drawBande(1, overlayWidth - bandWidthFor(nomPiste), 474, bandWidthFor(nomPiste), BAND_H, BAND_SLANT);
    drawBande(1, overlayWidth - bandWidthFor(timeStr), 48, bandWidthFor(timeStr), BAND_H, BAND_SLANT);
    drawBande(0, 0, 474, SPEED_BAND_W, BAND_H, BAND_SLANT);
    float bar = skieurStop ? STOPPED_BAR
                           : getTailleMaxSpeedbar() * fabsf(vitesseMax != 0 ? vitessePrecedente / vitesseMax : 0);
    drawBandeVitesse(0, 430, bar, 16, 16);
    drawCollectableLogo(0, 405, 32, 32, texGui[texGuiBoules]);
    drawLogoBomb(3, 370, 32, 32, texGui[texGuiBomb]);
    drawPower(POWER_X, POWER_Y, POWER_STEPS, POWER_RADIUS, bufferJump, POWER_THRESHOLD, POWER_MAX);
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
    hudText(rightAligned(timeStr), 24, timeStr);
    hudText(rightAligned(nomPiste), 450, nomPiste);
    hudText(14, 450, "Speed");
    snprintf(text, sizeof text, " x %i", totalCollectable);
    hudText(28, 380, text);
    snprintf(text, sizeof text, " x %i", getCollectedBomb());
    hudText(28, 340, text);
    drawFigScore(scoreStr, bufferScoreJump, hudFont());
    if (drawBoomCollectable(boomF, hudFont(), "BONUS!"))
        wrpPlaySound(bonusSnd, volCollectable, panoCollectable, wrpNormalPitch);
    if (drawBoomBomb(bombF, hudFont(), "Explosive!"))
        wrpPlaySound(bonusSnd, volCollectable, panoCollectable, wrpNormalPitch);
    snprintf(scoreStr, sizeof scoreStr, "Score: %i", totalScore);
    hudText(rightAligned(scoreStr), 410, scoreStr);
    hudText(595, 67, "J");
    frameps = (float)framesPerSecond();
    if (showFps) {
        snprintf(text, sizeof text, "fps: %2.1f", frameps);
        glPrint(10, 300, text, 1, hudFont());
    }
}

void drawRunHud()
{
    drawHudShapes();
    beginHudText();
    drawHudTexts();
    endHudText();
    drawCombi(20, 48, 32, 32, 10, texGui[texGuiBoules], bufferBoutons);
}
