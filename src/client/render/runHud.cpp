// Takes the run state; draws the run's heads-up display at the places the HUD layout gives it: bands,
// speed bar and its number, logos and counters, power gauge, time, title, score, the jump under way,
// the lines of the middle and the trick keys held.
#include <GL/gl.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "render/fallMessage.h"
#include "render/font.h"
#include "render/ghostDraw.h"
#include "render/graphImage.h"
#include "render/guistuff.h"
#include "render/hudHints.h"
#include "render/hudLayout.h"
#include "render/lessonDraw.h"
#include "render/viewFrame.h"
#include "run/howManyMinutes.h"
#include "run/lesson.h"
#include "run/runFeedback.h"
#include "run/runScore.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "shell/prefs.h"
#include "skier/positionDef.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"
#include "track/trackTitle.h"

static const float BAND_SLANT = 32, SPEED_BAR_SLANT = 16;
static const float STOPPED_BAR = 5.0f;
static const float POWER_THRESHOLD = 10, POWER_MAX = 20;
static const int POWER_STEPS = 30;
static const float BAND_MARGIN = 4, BAND_ALPHA = 0.6f;
static const float FINISH_BLINK_PERIOD = 1.5f, FINISH_BLINK_RESTART = 0.1f, FINISH_BLINK_ON = 0.75f;
static const char FINISH_TEXT[] = "FINISH", PRESS_RETURN_TEXT[] = "- press Return -";

static char timeStr[256] = "";
static char scoreStr[256] = "";

static unsigned int hudFont() { return gameTextures.texGui[texGuiFont2]; }

static void printAt(const HudPlace& p, const char* text)
{
    if (p.shown && text[0]) glPrintScale((int)p.textX, (int)p.textY, text, 0, hudFont(), p.scale);
}

void glPrintFinishData(const HudLayout& l)
{
    static double blink = 0;
    printAt(l.item[hudFinish], FINISH_TEXT);
    if (blink >= FINISH_BLINK_PERIOD) blink = FINISH_BLINK_RESTART;
    blink += runTicker.frameSeconds;  // the drawing's own time: it blinks as fast at any frame rate
    if (blink > 0 && blink < FINISH_BLINK_ON) printAt(l.item[hudPressReturn], PRESS_RETURN_TEXT);
}

// The title as a player reads it, underscores as spaces (same length, so the band is the same).
static char shownPiste[256];

// The pose held in the air, named as the trick list names it ("" when none is held).
static void heldTrickName(char* out, int size)
{
    out[0] = '\0';
    if (shownRun().told.trickHeld >= 0 && shownRun().told.trickHeld < nbPositionsMax && getContact(shownRun()) == 0 && !shownRun().phases.chute && thereIsTrickButtonsPressed(shownRun()))
        shownTitle(out, size, getPositionsDispo()[shownRun().told.trickHeld].name);
}

static void timeText()
{
    if (shownRun().motion.skieurArrive) return;  // the time of the finish stays
    char* t = howManyMinutes(shownRun().timing.totalTime);
    snprintf(timeStr, sizeof timeStr, "Time: %s", t ? t : "");
    free(t);
}

static void cornerTexts(const TrackModel& track, HudTexts& t)
{
    char text[hudTextChars];
    shownTitle(shownPiste, sizeof shownPiste, track.nomPiste);
    setHudText(t, hudTitle, shownPiste);
    timeText();
    setHudText(t, hudTime, timeStr);
    setHudText(t, hudSpeedBand, "Speed");
    snprintf(text, sizeof text, "%i km/h", shownRun().motion.skieurStop ? 0 : speedKmh(shownRun().motion.vitessePrecedente));
    setHudText(t, hudSpeedBar, text);
    snprintf(text, sizeof text, " x %i", shownRun().scores.totalCollectable);
    setHudText(t, hudCollectables, text);
    snprintf(text, sizeof text, " x %i", getCollectedBomb(shownRun()));
    setHudText(t, hudBombs, text);
    setHudText(t, hudPower, "J");
    snprintf(scoreStr, sizeof scoreStr, "Score: %i", runScoreSoFar(shownRun()));
    setHudText(t, hudScore, scoreStr);
    if (ghostGapText(text)) setHudText(t, hudGhostGap, text);
    if (hudState.showFps) {
        snprintf(text, sizeof text, "fps: %2.1f ticks: %2.1f", shownRun().timing.frameps, runTicker.ticksPerSecondSeen);
        setHudText(t, hudFps, text);
    }
    t.trickKeys = combiLength(shownRun().trickKeys.bufferBoutons);
}

// The jump under way and the pose held; a fall, a stop or how the last jump ended; the pickups.
static void runTexts(HudTexts& t)
{
    char held[hudTextChars] = "", line[hudTextChars];
    if (!shownRun().motion.skieurArrive) {  // past the line the landing's "Landed +N" tells what the flight banked
        heldTrickName(held, sizeof held);
        setHudText(t, hudPoseName, held);
        snprintf(line, sizeof line, "%i", shownRun().scores.bufferScoreJump);
        if (shownRun().scores.bufferScoreJump != 0) setHudText(t, hudJumpPoints, line);
    }
    FallMessage fall;
    if (fallMessage(fall)) {
        setHudText(t, hudFeedback, fall.reason);
        setHudText(t, hudFeedbackAction, fall.action);
    } else if (!held[0]) {
        runFeedbackLine(shownRun(), line, sizeof line);
        setHudText(t, hudFeedback, line);
    }
    if (bonusMessageShown(hudState.collectableMessage)) setHudText(t, hudBonus, "BONUS!");
    if (bonusMessageShown(hudState.bombMessage)) setHudText(t, hudExplosive, "Explosive!");
    countdownLine(shownRun(), line, sizeof line);
    setHudText(t, hudCountdown, line);
    if (shownRun().motion.skieurArrive) {
        setHudText(t, hudFinish, FINISH_TEXT);
        setHudText(t, hudPressReturn, PRESS_RETURN_TEXT);
    }
}

static void hintTexts(HudTexts& t, const RunHints& h, short lessonShown, const LessonLines& l)
{
    setHudText(t, hudStart, h.start);
    if (h.keysAlpha > 0) setHudText(t, hudKeys1, h.keys[0]), setHudText(t, hudKeys2, h.keys[1]);
    if (h.jumpDiscAlpha > 0) setHudText(t, hudJumpDisc, h.jumpDisc);
    if (!lessonShown) return;
    setHudText(t, hudLessonCount, l.count);
    setHudText(t, hudLessonText, l.instruction);
    setHudText(t, hudLessonDetail, l.detail);
}

static void drawHudShapes(const HudLayout& l)
{
    const HudPlace* it = l.item;
    const HudBox &title = it[hudTitle].shape, &time = it[hudTime].shape, &speed = it[hudSpeedBand].shape;
    drawBande(1, title.x + BAND_SLANT, title.y + title.h, title.w - BAND_SLANT, title.h, BAND_SLANT);
    drawBande(1, time.x + BAND_SLANT, time.y + time.h, time.w - BAND_SLANT, time.h, BAND_SLANT);
    drawBande(0, speed.x, speed.y + speed.h, speed.w - BAND_SLANT, speed.h, BAND_SLANT);
    const HudBox& bar = it[hudSpeedBar].shape;
    float full = getTailleMaxSpeedbar();
    float length = shownRun().motion.skieurStop ? STOPPED_BAR : speedBarLength(shownRun().motion.vitessePrecedente, shownRun().motion.vitesseMax, full);
    drawBandeVitesse(bar.x, bar.y + bar.h, length, bar.h, SPEED_BAR_SLANT);
    drawSpeedBarFrame(bar.x, bar.y + bar.h, full, bar.h, SPEED_BAR_SLANT);
    const HudBox &collect = it[hudCollectables].shape, &bomb = it[hudBombs].shape, &power = it[hudPower].shape;
    drawCollectableLogo(collect.x, collect.y + collect.h, collect.w, collect.h, gameTextures.texGui[texGuiBoules]);
    drawLogoBomb(bomb.x, bomb.y + bomb.h, bomb.w, bomb.h, gameTextures.texGui[texGuiBomb]);
    drawPower(power.x + power.w / 2, power.y + power.h / 2, POWER_STEPS, hudPowerRadius, shownRun().motion.bufferJump, POWER_THRESHOLD,
              POWER_MAX);
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

static void drawCornerTexts(const HudLayout& l, const HudTexts& t)
{
    beginHudText();
    for (int item : {hudTitle, hudTime, hudSpeedBand, hudCollectables, hudBombs, hudScore, hudGhostGap, hudPower})
        printAt(l.item[item], t.text[item]);
    if (shownRun().motion.skieurArrive) glPrintFinishData(l);
    endHudText();
}

// Text on a dark band of its own: the sky and the snow behind the HUD are nearly white.
void hudBandedText(float x, float y, const char* text, float scale, float alpha, int set)
{
    float w = hudTextWidth(text, scale), h = fontCellSize * scale;
    drawFondFondu(x - BAND_MARGIN, y + h + BAND_MARGIN, w + 2 * BAND_MARGIN, h + 2 * BAND_MARGIN, BAND_ALPHA * alpha);
    beginHudText();
    glColor4f(1, 1, 1, alpha);
    glPrintScale((int)x, (int)y, text, set, hudFont(), scale);
    glColor4f(1, 1, 1, 1);
    endHudText();
}

void hudPlainText(float x, float y, const char* text, float scale, float alpha)
{
    beginHudText();
    glColor4f(1, 1, 1, alpha);
    glPrintScale((int)x, (int)y, text, 0, hudFont(), scale);
    glColor4f(1, 1, 1, 1);
    endHudText();
}

float hudTextWidth(const char* text, float scale) { return fontAdvance * scale * strlen(text); }

void hudBandedLine(const HudPlace& p, const char* text, float alpha, int set)
{
    if (p.shown && text[0] && alpha > 0) hudBandedText(p.textX, p.textY, text, p.scale, alpha, set);
}

static HudLayout drawnLayout;

const HudLayout& drawnRunHudLayout() { return drawnLayout; }

void drawRunHud()
{
    const TrackModel& track = loadedTrack;
    HudTexts t;
    RunHints hints;
    LessonLines lessonText;
    clearHudTexts(t);
    cornerTexts(track, t);
    runTexts(t);
    runHints(hints, userPrefs.keyHintsShown && !lesson.active);
    short lessonShown = lessonBandShown(lessonText);
    hintTexts(t, hints, lessonShown, lessonText);
    HudLayout l;
    layoutRunHud(currentOverlayFrame(), t, l);
    drawnLayout = l;

    drawHudShapes(l);
    drawCornerTexts(l, t);
    hudBandedLine(l.item[hudSpeedBar], t.text[hudSpeedBar]);
    for (int item : {hudJumpPoints, hudPoseName, hudFeedback, hudFeedbackAction, hudBonus, hudExplosive, hudCountdown})
        hudBandedLine(l.item[item], t.text[item]);
    drawRunHints(l, hints);
    if (lessonShown) drawLessonBand(l, lessonText);
    hudBandedLine(l.item[hudFps], t.text[hudFps], 1.0f, 1);
    const HudBox& keys = l.item[hudTrickKeys].box;
    if (l.item[hudTrickKeys].shown)
        drawCombi(keys.x, keys.y + keys.h, hudTrickKeySize, hudTrickKeySize, hudTrickKeyGap, gameTextures.texGui[texGuiBoules],
                  shownRun().trickKeys.bufferBoutons);
    ageBonusMessage(&hudState.collectableMessage, (float)runTicker.frameSeconds);
    ageBonusMessage(&hudState.bombMessage, (float)runTicker.frameSeconds);
}
