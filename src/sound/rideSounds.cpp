// Ski hiss and wind loops: their volume and pan follow the ride, one step per run frame.
#include "sound/gameSounds.h"

#include <cmath>

#include "run/runInput.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "sound/SndWrapper.h"
#include "track/planLib.h"

static const float TOP_SPEED_FRACTION = 0.9f;
static const float SWELL_DIVISOR = 30.0f;
static const float PAN_STEP = 0.01f;
static const float HISS_FALL = 1.0f / 6.0f;
static const float WIND_STEP = 0.1f;
static const float WIND_MIN = 0.2f;
static const float WIND_MAX = 1.0f;

float volume = 0.0f;
float panoramic = 0.0f;
float pitch = 1.0f;
float volIni = 0.15f;
int sensVol = 1;
int lastSide = 0;

static void turnHiss(float s, int side)
{
    if (lastSide != side) volume = s * volIni; // a change of side restarts the swell
    lastSide = side;
    if (volume < s) volume += s / SWELL_DIVISOR;
}

static void panTowardsCentre()
{
    if (panoramic < 0.5f - PAN_STEP) panoramic += PAN_STEP;
    else if (panoramic > 0.5f + PAN_STEP) panoramic -= PAN_STEP;
    else panoramic = 0.5f;
}

void stepSkiSndLoop(float s, int contact, int turningLeft, int turningRight)
{
    if (s > TOP_SPEED_FRACTION) s = 1.0f;
    if (!contact) {
        volume = 0.0f;
    } else if (turningLeft && s > 0) {
        turnHiss(s, 0);
        if (panoramic < 1.0f) { panoramic += PAN_STEP; sensVol = 1; }
    } else if (turningRight && s > 0) {
        turnHiss(s, 1);
        if (panoramic > 0.0f) { panoramic -= PAN_STEP; sensVol = -1; }
    } else {
        panTowardsCentre();
        float straight = s * volIni;
        if (volume <= straight) volume = straight;
        else volume -= HISS_FALL;
    }
    applyEffects(skiLoopChan, volume, panoramic, pitch);
}

void stepWindLoopSnd(int contact, float height, float previousHeight)
{
    if (!contact && height > previousHeight) {
        if (volWind + WIND_STEP < WIND_MAX) volWind += WIND_STEP;
    } else if (contact) {
        if (volWind - WIND_STEP > WIND_MIN) volWind -= WIND_STEP;
    }
    applyEffects(windLoopChan, volWind, panoWind, wrpNormalPitch);
}

void handleSkiSndLoop()
{
    float s = 0.0f;
    if (!shownRun().motion.skieurStop && shownRun().motion.vitesseMax != 0.0f) s = std::fabs(shownRun().motion.vitessePrecedente / shownRun().motion.vitesseMax);
    // the turn keys of the frame just simulated, so that a recorded run sounds as it was ridden
    stepSkiSndLoop(s, getContact(), runHeld(RB_LEFT), runHeld(RB_RIGHT));
}

void handleWindLoopSnd()
{
    stepWindLoopSnd(getContact(), shownRun().motion.Yobjet, playerRun.tricks.Ytemp);
    playerRun.tricks.Ytemp = shownRun().motion.Yobjet;
}
