// Takes the run's phase and time, the key map and the key-hint setting; gives and draws at their
// places the start line, the jump disc's caption and the fading band of the main keys.
#include "render/hudHints.h"

#include <cstdio>

#include "render/guistuff.h"
#include "render/hudLayout.h"
#include "run/lesson.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/keymap.h"
#include "shell/prefs.h"

static const float KEYS_FULL_SECONDS = 6.0f, KEYS_FADE_SECONDS = 2.0f; // of riding, after the start

static char letter(int slot) { return keyLetterOf(currentKeymap[slot]); }

// Full while waiting and through the first seconds of riding, then fading out.
static float keysAlphaAt(float runSeconds)
{
    if (!shownRun().timing.DEPART || runSeconds <= KEYS_FULL_SECONDS) return 1.0f;
    float a = 1.0f - (runSeconds - KEYS_FULL_SECONDS) / KEYS_FADE_SECONDS;
    return a > 0 ? a : 0.0f;
}

short runHintsHidden = 0;

void runHints(RunHints& out, short keyBandWanted)
{
    short waiting = !shownRun().timing.LETSGO && !shownRun().timing.DEPART;
    snprintf(out.start, HINT_CHARS, "%s", waiting ? "Press SPACE to start" : "");
    snprintf(out.keys[0], HINT_CHARS, "%c %c or arrows: steer  %c: push  %c: brake", letter(KM_LEFT),
             letter(KM_RIGHT), letter(KM_UP), letter(KM_DOWN));
    snprintf(out.keys[1], HINT_CHARS, "SPACE: hold to crouch, let go to jump");
    snprintf(out.jumpDisc, HINT_CHARS, "J: jump power, fills while SPACE is held");
    out.keysAlpha = keyBandWanted && !shownRun().motion.skieurArrive ? keysAlphaAt(shownRun().timing.totalTime) : 0.0f;
    // The disc is explained before the start in any case, and with the key band while it shows.
    out.jumpDiscAlpha = !shownRun().timing.DEPART ? 1.0f : out.keysAlpha;
    if (runHintsHidden) {
        out.start[0] = '\0';
        out.keysAlpha = out.jumpDiscAlpha = 0.0f;
    }
}

void drawRunHints(const HudLayout& l, const RunHints& h)
{
    hudBandedLine(l.item[hudStart], h.start);
    hudBandedLine(l.item[hudKeys1], h.keys[0], h.keysAlpha);
    hudBandedLine(l.item[hudKeys2], h.keys[1], h.keysAlpha);
    hudBandedLine(l.item[hudJumpDisc], h.jumpDisc, h.jumpDiscAlpha);
}
