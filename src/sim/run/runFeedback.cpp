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


static void note(int kind, int points)
{
    tickRun->told.runFeedback.kind = kind;
    tickRun->told.runFeedback.points = points;
    tickRun->told.runFeedback.secondsLeft = MESSAGE_SECONDS;
}

// A hop or a landing worth nothing is not worth a message.
void feedbackLanded(int points)
{
    if (points > 0) note(messageLanded, points);
}

void feedbackCrashed(int lost)
{
    if (tickRun->phases.chute && lost > 0) tickRun->told.fallCause.pointsLost = lost;
    if (lost > 0) note(messageCrashed, lost);
}

void feedbackFall(int reason, int degreesOff)
{
    tickRun->told.fallCause = {reason, degreesOff, 0};
}

static void followStillness(double seconds)
{
    // Riding on, or put back on the track by the rescue, ends what the fall had to say.
    if (tickRun->told.fallCause.reason != fallNone && ((!tickRun->phases.chute && !tickRun->motion.skieurStop) || tickRun->phases.replacement)) tickRun->told.fallCause = {fallNone, 0, 0};
    // The slow first moments after the start are no stop: only a rider who has ridden stops.
    short& ridden = tickRun->rider.riddenSinceStart;
    if (!tickRun->motion.skieurStop) ridden = 1;
    short standing = tickRun->timing.DEPART == 1 && !tickRun->motion.skieurArrive && !tickRun->phases.chute && tickRun->motion.skieurStop && getContact() == 1 && ridden;
    tickRun->told.stoppedSeconds = standing ? tickRun->told.stoppedSeconds + seconds : 0.0;
}

void feedbackOutOfBounds() { note(messageOutOfBounds, 0); }

void ageRunFeedback(double seconds)
{
    followStillness(seconds);
    if (tickRun->told.runFeedback.kind == messageNone) return;
    tickRun->told.runFeedback.secondsLeft -= seconds;
    if (tickRun->told.runFeedback.secondsLeft <= 0) tickRun->told.runFeedback = {messageNone, 0, 0.0};
}

void resetRunFeedback()
{
    tickRun->told.runFeedback = {messageNone, 0, 0.0};
    tickRun->told.trickHeld = -1;
    tickRun->told.fallCause = {fallNone, 0, 0};
    tickRun->told.stoppedSeconds = 0.0;
}

static int holdingATrick()
{
    return tickRun->told.trickHeld >= 0 && tickRun->told.trickHeld < nbPositionsMax && getContact() == 0 && !tickRun->phases.chute &&
           thereIsTrickButtonsPressed();
}

void runFeedbackLine(char* out, int size)
{
    out[0] = '\0';
    if (holdingATrick()) {
        shownTitle(out, size, getPositionsDispo()[tickRun->told.trickHeld].name);
        return;
    }
    switch (tickRun->told.runFeedback.kind) {
    case messageLanded: snprintf(out, size, "Landed +%i", tickRun->told.runFeedback.points); break;
    case messageCrashed: snprintf(out, size, "Crashed: %i lost", tickRun->told.runFeedback.points); break;
    case messageOutOfBounds: snprintf(out, size, "Out of the course: put back on the track"); break;
    default: break;
    }
}

void countdownLine(char* out, int size)
{
    out[0] = '\0';
    if (tickRun->timing.LETSGO == 1 && !tickRun->timing.DEPART) {
        int quarter = (int)(tickRun->timing.diffTemps / COUNTDOWN_STEP);
        if (quarter < 3) snprintf(out, size, "%i", 3 - quarter);
        else snprintf(out, size, "Go");
    } else if (tickRun->timing.DEPART == 1 && !tickRun->motion.skieurArrive && tickRun->timing.totalTime < GO_AFTER_START) {
        snprintf(out, size, "Go");
    }
}
