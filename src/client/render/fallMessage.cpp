// Takes why the rider fell or that he stands still, the rescue flags and the key map; gives the two
// lines of the feedback band: the reason, and what to do about it.
#include "render/fallMessage.h"

#include <cstdio>

#include "run/runFeedback.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/keymap.h"

// Standing still this long, up and riding, is a stop worth a word (a rider slowing to turn is not).
static const double STOP_SAID_AFTER_SECONDS = 1.0;

static void reasonText(char* out, int size)
{
    switch (shownRun().told.fallCause.reason) {
    case fallBadLanding:
        if (shownRun().told.fallCause.degreesOff > 0) snprintf(out, size, "Bad landing: %i%c off", shownRun().told.fallCause.degreesOff, DEGREE_SIGN);
        else snprintf(out, size, "Bad landing");
        break;
    case fallTrickHeld: snprintf(out, size, "Still holding a trick at touch-down"); break;
    case fallHitTree: snprintf(out, size, "Hit a tree"); break;
    case fallHitRail: snprintf(out, size, "Hit a rail"); break;
    default: snprintf(out, size, "Stopped"); break;
    }
}

static void pushText(char* out, int size)
{
    snprintf(out, size, "Hold %c (or up) to push off", keyLetterOf(currentKeymap[KM_UP]));
}

// Down: the rescue once he has slowed enough for it; sliding on, what the fall cost.
static void fallenAction(char* out, int size)
{
    out[0] = '\0';
    if (shownRun().phases.askForRescue) return;
    if (shownRun().motion.skieurStop && !shownRun().motion.skieurArrive) snprintf(out, size, "ENTER: back on the track");
    else if (shownRun().told.fallCause.pointsLost > 0) snprintf(out, size, "%i points lost", shownRun().told.fallCause.pointsLost);
}

int fallMessage(FallMessage& out)
{
    out.reason[0] = out.action[0] = '\0';
    if (shownRun().timing.DEPART != 1 || shownRun().motion.skieurArrive) return 0;
    short fallen = shownRun().phases.chute == 1;
    short upAfterFall = !fallen && shownRun().told.fallCause.reason != fallNone;
    short stopped = !fallen && shownRun().told.stoppedSeconds > STOP_SAID_AFTER_SECONDS;
    if (!fallen && !upAfterFall && !stopped) return 0;
    reasonText(out.reason, FALL_MESSAGE_CHARS);
    if (fallen) fallenAction(out.action, FALL_MESSAGE_CHARS);
    else if (!shownRun().phases.askForRescue) pushText(out.action, FALL_MESSAGE_CHARS); // the rescue flies: nothing to press
    return 1;
}
