// Takes the run's phase and time, the key map and the key-hint setting; draws the start line, the
// jump disc's caption and the fading band of the main keys.
#include "render/hudHints.h"

#include <cstdio>

#include "render/guistuff.h"
#include "render/viewFrame.h"
#include "run/lesson.h"
#include "run/runState.h"
#include "shell/keymap.h"
#include "shell/prefs.h"

static const float KEYS_FULL_SECONDS = 6.0f, KEYS_FADE_SECONDS = 2.0f; // of riding, after the start
static const float START_SCALE = 2.0f, START_ABOVE_MIDDLE = 60;
static const float KEYS_SCALE = 0.9f, KEYS_TOP = 376, KEYS_PITCH = 22; // under the sky strip, over the slope
static const float DISC_SCALE = 0.8f, DISC_RIGHT = 568, DISC_Y = 74;

static char letter(int slot) { return keyLetterOf(currentKeymap[slot]); }

// Full while waiting and through the first seconds of riding, then fading out.
static float keysAlphaAt(float runSeconds)
{
    if (!DEPART || runSeconds <= KEYS_FULL_SECONDS) return 1.0f;
    float a = 1.0f - (runSeconds - KEYS_FULL_SECONDS) / KEYS_FADE_SECONDS;
    return a > 0 ? a : 0.0f;
}

void runHints(RunHints& out, short keyBandWanted)
{
    short waiting = !LETSGO && !DEPART;
    snprintf(out.start, HINT_CHARS, "%s", waiting ? "Press SPACE to start" : "");
    snprintf(out.keys[0], HINT_CHARS, "%c %c or arrows: steer  %c: push  %c: brake", letter(KM_LEFT),
             letter(KM_RIGHT), letter(KM_UP), letter(KM_DOWN));
    snprintf(out.keys[1], HINT_CHARS, "SPACE: hold to crouch, let go to jump");
    snprintf(out.jumpDisc, HINT_CHARS, "J: jump power, fills while SPACE is held");
    out.keysAlpha = keyBandWanted && !skieurArrive ? keysAlphaAt(totalTime) : 0.0f;
    // The disc is explained before the start in any case, and with the key band while it shows.
    out.jumpDiscAlpha = !DEPART ? 1.0f : out.keysAlpha;
}

static float centredX(const char* text, float scale)
{
    const OverlayFrame& f = currentOverlayFrame();
    return (f.left + f.right - hudTextWidth(text, scale)) / 2;
}

void drawRunHints()
{
    RunHints h;
    runHints(h, keyHintsShown && !lesson.active);
    const OverlayFrame& f = currentOverlayFrame();
    if (h.start[0])
        hudBandedText(centredX(h.start, START_SCALE), (f.bottom + f.top) / 2 + START_ABOVE_MIDDLE, h.start, START_SCALE);
    if (h.keysAlpha > 0)
        for (int i = 0; i < 2; i++)
            hudBandedText(centredX(h.keys[i], KEYS_SCALE), f.top - overlayHeight + KEYS_TOP - i * KEYS_PITCH, h.keys[i],
                          KEYS_SCALE, h.keysAlpha);
    if (h.jumpDiscAlpha > 0) {
        float x = f.right - overlayWidth + DISC_RIGHT - hudTextWidth(h.jumpDisc, DISC_SCALE);
        hudBandedText(x, f.bottom + DISC_Y, h.jumpDisc, DISC_SCALE, h.jumpDiscAlpha);
    }
}
