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
void rescueRequest()
{
    short pressed = runPressed(RB_ENTER);
    if (!tickRun->motion.skieurArrive && tickRun->motion.skieurStop && pressed && tickRun->phases.chute == 1 && !tickRun->phases.askForRescue) {
        tickRun->phases.askForRescue = 1;
        tickRun->phases.endOfRescue = 0;
    }
}

static void endFall()
{
    tickRun->phases.chute = 0;
    tickRun->phases.decollageAutomatique = 0;
    tickRun->motion.vitessePrecedente = 0.0f;
}

void fallStep()
{
    if (tickRun->phases.replacement) {
        endFall();
        return;
    }
    videPileBoutons();
    tickRun->phases.rotationChute -= frameScale() * tumblePerK * tickRun->phases.sensRotationChute;
    if (fabsf(tickRun->phases.rotationChute) <= tumbleTurn) {
        changePosition(builtInPoses.bouleChutePosition);
    } else {
        changePosition(builtInPoses.chutePosition);
        tickRun->phases.tempsChute += (float)tickRun->timing.diffTemps;
    }
    if (tickRun->phases.tempsChute > lyingTime) endFall();
}

void rescueProgress()
{
    hideRescueFlight();
    if (!tickRun->phases.askForRescue) return;
    if (!tickRun->phases.endOfRescue) {
        tickRun->motion.vitessePrecedente = 0.0f;
        tickRun->phases.endOfRescue = stepRescueFlight(frameScale());
    } else {
        tickRun->phases.askForRescue = 0;
        tickRun->phases.endOfRescue = 1;
        replaceSkierOperation();
    }
}

void replacementFade()
{
    if (tickRun->phases.replacement != 1) return;
    if (tickRun->phases.putBackTicks == 0) emitRunEvent(RUN_EV_REPLACED);
    tickRun->phases.putBackTicks++;
    if (putBackLeft(tickRun->phases.putBackTicks) <= 0) {
        tickRun->phases.replacement = 0;
        tickRun->phases.putBackTicks = 0;
    }
}

float putBackLeft(int ticks)
{
    float left = 1.0f;
    for (int i = 0; i < ticks; i++) left -= frameScale() * fadePerK;
    return left;
}
