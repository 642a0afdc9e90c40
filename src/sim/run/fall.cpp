// Takes the fall and rescue flags with the frame time; tumbles, lays and raises the rider, hands over to the rescue.
#include "run/fall.h"

#include <cmath>

#include "run/newton.h"
#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "track/rescue.h"

static const float tumblePerK = 45.0f;
static const float tumbleTurn = 360.0f;
static const float fadePerK = 0.025f;

// One rescue for one new press of ENTER; a press while the rescue flies does not start it again.
void rescueRequest(RunState& run)
{
    short pressed = runPressed(run, RB_ENTER);
    if (!run.motion.skieurArrive && run.motion.skieurStop && pressed && run.phases.chute == 1 && !run.phases.askForRescue) {
        run.phases.askForRescue = 1;
        run.phases.endOfRescue = 0;
    }
}

static void endFall(RunState& run)
{
    run.phases.chute = 0;
    run.phases.decollageAutomatique = 0;
    run.motion.vitessePrecedente = 0.0f;
}

void fallStep(RunState& run)
{
    if (run.phases.replacement) {
        endFall(run);
        return;
    }
    videPileBoutons(run);
    run.phases.rotationChute -= frameScale() * tumblePerK * run.phases.sensRotationChute;
    if (fabsf(run.phases.rotationChute) <= tumbleTurn) {
        changePosition(run.pose, builtInPoses.bouleChutePosition);
    } else {
        changePosition(run.pose, builtInPoses.chutePosition);
        run.phases.tempsChute += (float)run.timing.diffTemps;
    }
    if (run.phases.tempsChute > lyingTime) endFall(run);
}

void rescueProgress(RunState& run, const TrackModel& track)
{
    hideRescueFlight(run);
    if (!run.phases.askForRescue) return;
    if (!run.phases.endOfRescue) {
        run.motion.vitessePrecedente = 0.0f;
        run.phases.endOfRescue = stepRescueFlight(run, frameScale());
    } else {
        run.phases.askForRescue = 0;
        run.phases.endOfRescue = 1;
        replaceSkierOperation(run, track);
    }
}

void replacementFade(RunState& run)
{
    if (run.phases.replacement != 1) return;
    if (run.phases.putBackTicks == 0) emitRunEvent(run, RUN_EV_REPLACED);
    run.phases.putBackTicks++;
    if (putBackLeft(run.phases.putBackTicks) <= 0) {
        run.phases.replacement = 0;
        run.phases.putBackTicks = 0;
    }
}

float putBackLeft(int ticks)
{
    float left = 1.0f;
    for (int i = 0; i < ticks; i++) left -= frameScale() * fadePerK;
    return left;
}
