// Takes the run's events (banked or lost jumps, put-backs, the trick held) and the run clock; gives the
// message line and the countdown the HUD shows.
#include "run/runFeedback.h"

#include <cstdio>

#include "run/runState.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "track/planLib.h"
#include "track/trackTitle.h"

static const double MESSAGE_SECONDS = 2.0;
static const double COUNTDOWN_STEP = 0.25;   // the start second in quarters: 3, 2, 1, Go
static const double GO_AFTER_START = 0.5;


static void note(RunState& run, int kind, int points)
{
    run.told.runFeedback.kind = kind;
    run.told.runFeedback.points = points;
    run.told.runFeedback.secondsLeft = MESSAGE_SECONDS;
}

// A hop or a landing worth nothing is not worth a message.
void feedbackLanded(RunState& run, int points)
{
    if (points > 0) note(run, messageLanded, points);
}

void feedbackCrashed(RunState& run, int lost)
{
    if (run.phases.chute && lost > 0) run.told.fallCause.pointsLost = lost;
    if (lost > 0) note(run, messageCrashed, lost);
}

void feedbackFall(RunState& run, int reason, int degreesOff)
{
    run.told.fallCause = {reason, degreesOff, 0};
}

static void followStillness(RunState& run, double seconds)
{
    // Riding on, or put back on the track by the rescue, ends what the fall had to say.
    if (run.told.fallCause.reason != fallNone && ((!run.phases.chute && !run.motion.skieurStop) || run.phases.replacement)) run.told.fallCause = {fallNone, 0, 0};
    // The slow first moments after the start are no stop: only a rider who has ridden stops.
    short& ridden = run.rider.riddenSinceStart;
    if (!run.motion.skieurStop) ridden = 1;
    short standing = run.timing.DEPART == 1 && !run.motion.skieurArrive && !run.phases.chute && run.motion.skieurStop && getContact(run) == 1 && ridden;
    run.told.stoppedSeconds = standing ? run.told.stoppedSeconds + seconds : 0.0;
}

void feedbackOutOfBounds(RunState& run) { note(run, messageOutOfBounds, 0); }

void ageRunFeedback(RunState& run, double seconds)
{
    followStillness(run, seconds);
    if (run.told.runFeedback.kind == messageNone) return;
    run.told.runFeedback.secondsLeft -= seconds;
    if (run.told.runFeedback.secondsLeft <= 0) run.told.runFeedback = {messageNone, 0, 0.0};
}

void resetRunFeedback(RunState& run)
{
    run.told.runFeedback = {messageNone, 0, 0.0};
    run.told.trickHeld = -1;
    run.told.fallCause = {fallNone, 0, 0};
    run.told.stoppedSeconds = 0.0;
}

static int holdingATrick(const RunState& run)
{
    return run.told.trickHeld >= 0 && run.told.trickHeld < nbPositionsMax && getContact(run) == 0 && !run.phases.chute &&
           thereIsTrickButtonsPressed(run);
}

void runFeedbackLine(const RunState& run, char* out, int size)
{
    out[0] = '\0';
    if (holdingATrick(run)) {
        shownTitle(out, size, getPositionsDispo()[run.told.trickHeld].name);
        return;
    }
    switch (run.told.runFeedback.kind) {
    case messageLanded: snprintf(out, size, "Landed +%i", run.told.runFeedback.points); break;
    case messageCrashed: snprintf(out, size, "Crashed: %i lost", run.told.runFeedback.points); break;
    case messageOutOfBounds: snprintf(out, size, "Out of the course: put back on the track"); break;
    default: break;
    }
}

void countdownLine(const RunState& run, char* out, int size)
{
    out[0] = '\0';
    if (run.timing.LETSGO == 1 && !run.timing.DEPART) {
        int quarter = (int)(run.timing.diffTemps / COUNTDOWN_STEP);
        if (quarter < 3) snprintf(out, size, "%i", 3 - quarter);
        else snprintf(out, size, "Go");
    } else if (run.timing.DEPART == 1 && !run.motion.skieurArrive && run.timing.totalTime < GO_AFTER_START) {
        snprintf(out, size, "Go");
    }
}
