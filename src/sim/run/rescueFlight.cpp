// Takes the tick scale; climbs the rocket, then grows the firework's message, tick by tick.
#include "run/rescueFlight.h"
#include "run/runState.h"

#include "run/runEvents.h"
#include "run/runTick.h"

static const float ROCKET_START_SPEED = 200.0f;
static const float ROCKET_CLIMB = 10000.0f;
static const float ROCKET_ACCEL = 1.05f;  // the climb speeds up so much every 1/60 s
static const float ROCKET_DONE_SPEED = 5000.0f;
static const float ROCKET_FLAME = 5.0f;
static const float MESSAGE_MAX_SCALE = 5.0f, MESSAGE_SCALE_STEP = 0.5f;
static const float STAR_SPIN_STEP = 25.0f;


short stepRocket(RocketState* s, float y, float k, float* cameraLift)
{
    if (s->fireRand >= 4) {
        s->fireRand = 0;
        s->fireMov = -s->fireMov * k;
    } else {
        s->fireRand = (int)(k + s->fireRand);
    }
    short starting = s->deb == 0;
    if (starting) {
        s->deb = 1;
        s->fireRand = 0;
        s->yInit = s->yArrow = y;
        s->accel = ROCKET_START_SPEED;
    }
    short done = 0;
    if (s->yArrow >= s->yInit + ROCKET_CLIMB) {
        done = 1;
        s->deb = 0;
        s->accel = ROCKET_DONE_SPEED;
    } else {
        s->yArrow += k * s->accel;
    }
    *cameraLift = s->yArrow - s->yInit;
    s->accel *= compoundPerTick(ROCKET_ACCEL);
    return done;
}

short stepFirework(FireworkState* f, float k, float* messageScale)
{
    short starting = f->deb == 0;
    if (starting) {
        f->deb = 1;
        f->sizeStar = 1.0f;
    }
    short done = 0;
    if (f->sizeMsg < MESSAGE_MAX_SCALE) {
        f->sizeMsg += k * MESSAGE_SCALE_STEP;
    } else {
        f->deb = 0;
        f->sizeMsg = 0;
        done = 1;
    }
    f->rot += k * STAR_SPIN_STEP;
    f->sizeStar = 2 * k * f->sizeStar;
    *messageScale = f->sizeMsg;
    return done;
}

void resetRescueFlight(RunState& run)
{
    run.rescueFlight = RescueFlight{};
    run.rescueFlight.rocket.fireMov = ROCKET_FLAME;
    run.rescueFlight.firework.sizeStar = 1.0f;
}

void hideRescueFlight(RunState& run) { run.rescueFlight.rocketShown = run.rescueFlight.fireworkShown = 0; }

short stepRescueFlight(RunState& run, float k)
{
    RescueFlight& f = run.rescueFlight;
    hideRescueFlight(run);
    if (!f.rocketDone) {
        if (f.rocket.deb == 0) emitRunEvent(run, RUN_EV_RESCUE_LAUNCH);
        f.rocketShown = 1;
        f.rocketDone = stepRocket(&f.rocket, 0, k, &f.cameraLift);
        if (!f.rocketDone) return 0;
    }
    if (!f.fireworkDone) {
        if (f.firework.deb == 0) emitRunEvent(run, RUN_EV_RESCUE_FIREWORK);
        f.fireworkShown = 1;
        f.fireworkDone = stepFirework(&f.firework, k, &f.messageScale);
    }
    if (!f.fireworkDone) return 0;
    f.rocketDone = f.fireworkDone = 0;
    f.cameraLift = 0.0f;
    return 1;
}
