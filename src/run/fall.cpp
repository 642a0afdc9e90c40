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
    if (!skieurArrive && skieurStop && pressed && chute == 1 && !askForRescue) {
        askForRescue = 1;
        endOfRescue = 0;
    }
}

static void endFall()
{
    chute = 0;
    decollageAutomatique = 0;
    vitessePrecedente = 0.0f;
}

void fallStep()
{
    if (replacement) {
        endFall();
        return;
    }
    videPileBoutons();
    rotationChute -= frameScale() * tumblePerK * sensRotationChute;
    if (fabsf(rotationChute) <= tumbleTurn) {
        changePosition(bouleChutePosition);
    } else {
        changePosition(chutePosition);
        tempsChute += (float)diffTemps;
    }
    if (tempsChute > lyingTime) endFall();
}

void rescueProgress()
{
    hideRescueFlight();
    if (!askForRescue) return;
    if (!endOfRescue) {
        vitessePrecedente = 0.0f;
        endOfRescue = stepRescueFlight(frameScale());
    } else {
        askForRescue = 0;
        endOfRescue = 1;
        replaceSkierOperation();
    }
}

void replacementFade()
{
    if (replacement != 1) return;
    if (putBackTicks == 0) emitRunEvent(RUN_EV_REPLACED);
    putBackTicks++;
    if (putBackLeft(putBackTicks) <= 0) {
        replacement = 0;
        putBackTicks = 0;
    }
}

float putBackLeft(int ticks)
{
    float left = 1.0f;
    for (int i = 0; i < ticks; i++) left -= frameScale() * fadePerK;
    return left;
}
