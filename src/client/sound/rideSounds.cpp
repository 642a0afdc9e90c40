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

static const float volIni = 0.15f;  // the hiss's share of the speed when going straight

SkiHiss skiHiss;

static void turnHiss(float s, int side)
{
    if (skiHiss.lastSide != side) skiHiss.volume = s * volIni; // a change of side restarts the swell
    skiHiss.lastSide = side;
    if (skiHiss.volume < s) skiHiss.volume += s / SWELL_DIVISOR;
}

static void panTowardsCentre()
{
    if (skiHiss.panoramic < 0.5f - PAN_STEP) skiHiss.panoramic += PAN_STEP;
    else if (skiHiss.panoramic > 0.5f + PAN_STEP) skiHiss.panoramic -= PAN_STEP;
    else skiHiss.panoramic = 0.5f;
}

void stepSkiSndLoop(float s, int contact, int turningLeft, int turningRight)
{
    if (s > TOP_SPEED_FRACTION) s = 1.0f;
    if (!contact) {
        skiHiss.volume = 0.0f;
    } else if (turningLeft && s > 0) {
        turnHiss(s, 0);
        if (skiHiss.panoramic < 1.0f) { skiHiss.panoramic += PAN_STEP; skiHiss.sensVol = 1; }
    } else if (turningRight && s > 0) {
        turnHiss(s, 1);
        if (skiHiss.panoramic > 0.0f) { skiHiss.panoramic -= PAN_STEP; skiHiss.sensVol = -1; }
    } else {
        panTowardsCentre();
        float straight = s * volIni;
        if (skiHiss.volume <= straight) skiHiss.volume = straight;
        else skiHiss.volume -= HISS_FALL;
    }
    applyEffects(gameSounds.skiLoopChan, skiHiss.volume, skiHiss.panoramic, skiHiss.pitch);
}

void stepWindLoopSnd(int contact, float height, float previousHeight)
{
    if (!contact && height > previousHeight) {
        if (gameSounds.volWind + WIND_STEP < WIND_MAX) gameSounds.volWind += WIND_STEP;
    } else if (contact) {
        if (gameSounds.volWind - WIND_STEP > WIND_MIN) gameSounds.volWind -= WIND_STEP;
    }
    applyEffects(gameSounds.windLoopChan, gameSounds.volWind, gameSounds.panoWind, wrpNormalPitch);
}

void handleSkiSndLoop()
{
    float s = 0.0f;
    if (!shownRun().motion.skieurStop && shownRun().motion.vitesseMax != 0.0f) s = std::fabs(shownRun().motion.vitessePrecedente / shownRun().motion.vitesseMax);
    // the turn keys of the frame just simulated, so that a recorded run sounds as it was ridden
    stepSkiSndLoop(s, getContact(shownRun()), runHeld(shownRun(), RB_LEFT), runHeld(shownRun(), RB_RIGHT));
}

void handleWindLoopSnd()
{
    stepWindLoopSnd(getContact(shownRun()), shownRun().motion.Yobjet, playerRun.tricks.Ytemp);
    playerRun.tricks.Ytemp = shownRun().motion.Yobjet;
}
