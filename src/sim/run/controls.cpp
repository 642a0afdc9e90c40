// Takes the run's keys and the run state; steers, spins, flips, pushes, brakes, fires bombs.
#include "run/controls.h"

#include <cmath>

#include "run/newton.h"
#include "run/physics.h"
#include "run/runEvents.h"
#include "run/runFeedback.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/trickInput.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

// Spin and flip rates are degrees per tick: they grow by 900 degrees a second every second a key
// is held, up to 540 degrees a second.
static const float airSpinGrowth = 900.0f;
static const float airSpinCap = 540.0f;
// Turning on the ground keeps this share of the speed every 1/60 s, less the turn rate's part.
static const float turnSpeedKept = 0.01f, turnRateShare = 0.01f;
static const float fastTurnSpeed = 1000.0f;
static const float fastTurnRate = 4.0f;
static const float turnRatePerSpeed = 0.004f;
static const float maxGroundHeading = 89.0f;
static const float sprayPull = 400.0f;
static const float brakeDrag = 200.0f;

// Adds d to a rotation rate, keeping the change only while the rate stays under the cap.
static void addUnderCap(float& rate, float d, float cap)
{
    if (fabsf(rate + d) < cap) rate += d;
}

static int inAir(const RunState& run) { return getContact(run) != 1; }

// The tick the jump key is let go is ridden on the snow and ends in the air: its keys set the
// jump's spins and flips as while the key was held, rather than turn the skis for a tick (that
// tick is 1/60 s at one tick length and 1/120 s at another).
static int jumpKeySets(const RunState& run) { return runHeld(run, RB_JUMP) || takeOffThisTick(run); }

static void turningRate(RunState& run)
{
    if (run.motion.vitessePrecedente >= fastTurnSpeed) run.orientation.pasAngleContact = fastTurnRate;
    else run.orientation.pasAngleContact = run.motion.vitessePrecedente * turnRatePerSpeed;
    if (run.orientation.pasAngleContact < 1) run.orientation.pasAngleContact = 1;
}

static void sideFlips(RunState& run, float step, float cap)
{
    int right = runHeld(run, RB_RIGHT_SIDE), left = runHeld(run, RB_LEFT_SIDE), jump = jumpKeySets(run);
    short releasedR = runReleased(run, RB_RIGHT_SIDE), releasedL = runReleased(run, RB_LEFT_SIDE);
    float sign = right ? 1.0f : -1.0f;
    if (right || left) {
        short& mine = right ? run.phases.sautLincolnLoopDroite : run.phases.sautLincolnLoopGauche;
        short other = right ? run.phases.sautLincolnLoopGauche : run.phases.sautLincolnLoopDroite;
        if (inAir(run) && !run.rider.collision.usingYRail && !jump) {
            if (!other) {
                addUnderCap(run.orientation.amplitudeRotationX, sign * step, cap);
                mine = 1;
            }
        } else if (jump) {
            addUnderCap(run.orientation.amplitudeRotationX, sign * step, cap);
        }
    }
    if ((releasedR || releasedL) && inAir(run)) run.orientation.amplitudeRotationX = 0;
}

static void sprayDriftOff(RunState& run) { run.phases.sprayDrift = 0.0f; }

static void groundTurn(RunState& run, int right)
{
    float k = frameScale();
    if (right && run.orientation.rotSkierY < maxGroundHeading) run.orientation.rotSkierY += run.orientation.pasAngleContact * k;
    if (!right && run.orientation.rotSkierY > -maxGroundHeading) run.orientation.rotSkierY -= run.orientation.pasAngleContact * k;
    run.phases.sprayDrift = right ? -sprayPull : sprayPull;
    run.motion.vitessePrecedente = run.motion.vitessePrecedente * compoundPerTick(turnSpeedKept * (100 - run.orientation.pasAngleContact * turnRateShare));
}

static void spinsAndTurns(RunState& run, float step, float cap)
{
    int right = runHeld(run, RB_RIGHT), left = runHeld(run, RB_LEFT), jump = jumpKeySets(run);
    short releasedR = runReleased(run, RB_RIGHT), releasedL = runReleased(run, RB_LEFT);
    if (right == left) {
        sprayDriftOff(run);
    } else if (!inAir(run) && !jump) {
        groundTurn(run, right);
    } else if (inAir(run)) {
        if (right && !run.phases.sautGauche) {
            addUnderCap(run.orientation.amplitudeRotationY, step, cap);
            run.phases.sautDroite = 1;
        }
        if (left && !run.phases.sautDroite) {
            addUnderCap(run.orientation.amplitudeRotationY, -step, cap);
            run.phases.sautGauche = 1;
        }
    } else {
        addUnderCap(run.orientation.amplitudeRotationY, right ? step : -step, cap);
    }
    if ((releasedR || releasedL) && inAir(run)) run.orientation.amplitudeRotationY = 0;
}

static void flips(RunState& run, float step, float cap)
{
    int up = runHeld(run, RB_UP), down = runHeld(run, RB_DOWN), jump = jumpKeySets(run);
    short releasedU = runReleased(run, RB_UP), releasedD = runReleased(run, RB_DOWN);
    if (up || down) {
        if (inAir(run) && !run.rider.collision.usingYRail && !jump) {
            if (up && !run.phases.sautDerriere) {
                addUnderCap(run.orientation.amplitudeRotationZ, -step, cap);
                run.phases.sautDevant = 1;
            } else if (!up && !run.phases.sautDevant) {
                addUnderCap(run.orientation.amplitudeRotationZ, step, cap);
                run.phases.sautDerriere = 1;
            }
        } else if (jump) {
            addUnderCap(run.orientation.amplitudeRotationZ, up ? -step : step, cap);
        }
    }
    if ((releasedU || releasedD) && inAir(run)) run.orientation.amplitudeRotationZ = 0;
}

static void push(RunState& run) { pushTick(run, runHeld(run, RB_UP)); }

static short halfTurnUnderWay(const RunState& run) { return run.phases.changementFakieSolRight || run.phases.changementFakieSolLeft; }

static void brake(RunState& run)
{
    run.motion.freinage = (runHeld(run, RB_DOWN) && !inAir(run) && !runHeld(run, RB_JUMP) && !halfTurnUnderWay(run)) ? brakeDrag : 0.0f;
}

static void startHalfTurn(RunState& run)
{
    if (inAir(run) || runHeld(run, RB_JUMP)) {
        run.phases.changementFakieSolRight = run.phases.changementFakieSolLeft = 0;
        return;
    }
    if (!runHeld(run, RB_DOWN) || halfTurnUnderWay(run)) return;
    if (runHeld(run, RB_RIGHT)) {
        run.phases.changementFakieSolRight = 1;
        run.phases.changementFakieSolLeft = 0;
    } else if (runHeld(run, RB_LEFT)) {
        run.phases.changementFakieSolLeft = 1;
        run.phases.changementFakieSolRight = 0;
    }
}

static void collide(RunState& run, const TrackModel& track)
{
    if (!detectCollision(run, track)) return;
    setChute(run, 1);
    feedbackFall(run, run.rider.collision.lastHitObstacleType == obstacleSapin ? fallHitTree : fallHitRail, 0);
    if (inAir(run)) run.orientation.rotSkierY = run.orientation.rotSkierYAvantSaut;
    emitRunEvent(run, RUN_EV_FALL);
}

static void fireBomb(RunState& run, TrackModel& groundRaisedByBomb)
{
    short pressed = runPressed(run, RB_BOMB);
    if (!hasCollectedBomb(run) || !pressed || getContact(run) != 1) return;
    run.phases.currentBombVertex = addJumpTwdIntrack(run.rider.ground, groundRaisedByBomb, run.orientation.rotSkierY);
    emitRunEvent(run, RUN_EV_BOMB_FIRED);
    decCollectedBomb(run);
}

void runControls(RunState& run, TrackModel& groundRaisedByBomb)
{
    float tick = (float)runTickSeconds;
    float step = airSpinGrowth * tick * tick;
    float cap = airSpinCap * tick;
    const TrackModel& track = groundRaisedByBomb;
    turningRate(run);
    sideFlips(run, step, cap);
    spinsAndTurns(run, step, cap);
    flips(run, step, cap);
    trickInputStep(run);
    push(run);
    brake(run);
    startHalfTurn(run);
    handleFaceSurfaceBehaviour(run, track);
    collide(run, track);
    fireBomb(run, groundRaisedByBomb);
}
