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

static int inAir() { return getContact() != 1; }

// The tick the jump key is let go is ridden on the snow and ends in the air: its keys set the
// jump's spins and flips as while the key was held, rather than turn the skis for a tick (that
// tick is 1/60 s at one tick length and 1/120 s at another).
static int jumpKeySets() { return runHeld(RB_JUMP) || takeOffThisTick(); }

static void turningRate()
{
    if (tickRun->motion.vitessePrecedente >= fastTurnSpeed) tickRun->orientation.pasAngleContact = fastTurnRate;
    else tickRun->orientation.pasAngleContact = tickRun->motion.vitessePrecedente * turnRatePerSpeed;
    if (tickRun->orientation.pasAngleContact < 1) tickRun->orientation.pasAngleContact = 1;
}

static void sideFlips(float step, float cap)
{
    int right = runHeld(RB_RIGHT_SIDE), left = runHeld(RB_LEFT_SIDE), jump = jumpKeySets();
    short releasedR = runReleased(RB_RIGHT_SIDE), releasedL = runReleased(RB_LEFT_SIDE);
    float sign = right ? 1.0f : -1.0f;
    if (right || left) {
        short& mine = right ? tickRun->phases.sautLincolnLoopDroite : tickRun->phases.sautLincolnLoopGauche;
        short other = right ? tickRun->phases.sautLincolnLoopGauche : tickRun->phases.sautLincolnLoopDroite;
        if (inAir() && !tickRun->rider.collision.usingYRail && !jump) {
            if (!other) {
                addUnderCap(tickRun->orientation.amplitudeRotationX, sign * step, cap);
                mine = 1;
            }
        } else if (jump) {
            addUnderCap(tickRun->orientation.amplitudeRotationX, sign * step, cap);
        }
    }
    if ((releasedR || releasedL) && inAir()) tickRun->orientation.amplitudeRotationX = 0;
}

static void sprayDriftOff() { tickRun->phases.sprayDrift = 0.0f; }

static void groundTurn(int right)
{
    float k = frameScale();
    if (right && tickRun->orientation.rotSkierY < maxGroundHeading) tickRun->orientation.rotSkierY += tickRun->orientation.pasAngleContact * k;
    if (!right && tickRun->orientation.rotSkierY > -maxGroundHeading) tickRun->orientation.rotSkierY -= tickRun->orientation.pasAngleContact * k;
    tickRun->phases.sprayDrift = right ? -sprayPull : sprayPull;
    tickRun->motion.vitessePrecedente = tickRun->motion.vitessePrecedente * compoundPerTick(turnSpeedKept * (100 - tickRun->orientation.pasAngleContact * turnRateShare));
}

static void spinsAndTurns(float step, float cap)
{
    int right = runHeld(RB_RIGHT), left = runHeld(RB_LEFT), jump = jumpKeySets();
    short releasedR = runReleased(RB_RIGHT), releasedL = runReleased(RB_LEFT);
    if (right == left) {
        sprayDriftOff();
    } else if (!inAir() && !jump) {
        groundTurn(right);
    } else if (inAir()) {
        if (right && !tickRun->phases.sautGauche) {
            addUnderCap(tickRun->orientation.amplitudeRotationY, step, cap);
            tickRun->phases.sautDroite = 1;
        }
        if (left && !tickRun->phases.sautDroite) {
            addUnderCap(tickRun->orientation.amplitudeRotationY, -step, cap);
            tickRun->phases.sautGauche = 1;
        }
    } else {
        addUnderCap(tickRun->orientation.amplitudeRotationY, right ? step : -step, cap);
    }
    if ((releasedR || releasedL) && inAir()) tickRun->orientation.amplitudeRotationY = 0;
}

static void flips(float step, float cap)
{
    int up = runHeld(RB_UP), down = runHeld(RB_DOWN), jump = jumpKeySets();
    short releasedU = runReleased(RB_UP), releasedD = runReleased(RB_DOWN);
    if (up || down) {
        if (inAir() && !tickRun->rider.collision.usingYRail && !jump) {
            if (up && !tickRun->phases.sautDerriere) {
                addUnderCap(tickRun->orientation.amplitudeRotationZ, -step, cap);
                tickRun->phases.sautDevant = 1;
            } else if (!up && !tickRun->phases.sautDevant) {
                addUnderCap(tickRun->orientation.amplitudeRotationZ, step, cap);
                tickRun->phases.sautDerriere = 1;
            }
        } else if (jump) {
            addUnderCap(tickRun->orientation.amplitudeRotationZ, up ? -step : step, cap);
        }
    }
    if ((releasedU || releasedD) && inAir()) tickRun->orientation.amplitudeRotationZ = 0;
}

static void push() { pushTick(runHeld(RB_UP)); }

static short halfTurnUnderWay() { return tickRun->phases.changementFakieSolRight || tickRun->phases.changementFakieSolLeft; }

static void brake()
{
    tickRun->motion.freinage = (runHeld(RB_DOWN) && !inAir() && !runHeld(RB_JUMP) && !halfTurnUnderWay()) ? brakeDrag : 0.0f;
}

static void startHalfTurn()
{
    if (inAir() || runHeld(RB_JUMP)) {
        tickRun->phases.changementFakieSolRight = tickRun->phases.changementFakieSolLeft = 0;
        return;
    }
    if (!runHeld(RB_DOWN) || halfTurnUnderWay()) return;
    if (runHeld(RB_RIGHT)) {
        tickRun->phases.changementFakieSolRight = 1;
        tickRun->phases.changementFakieSolLeft = 0;
    } else if (runHeld(RB_LEFT)) {
        tickRun->phases.changementFakieSolLeft = 1;
        tickRun->phases.changementFakieSolRight = 0;
    }
}

static void collide()
{
    if (!detectCollision()) return;
    setChute(1);
    feedbackFall(tickRun->rider.collision.lastHitObstacleType == obstacleSapin ? fallHitTree : fallHitRail, 0);
    if (inAir()) tickRun->orientation.rotSkierY = tickRun->orientation.rotSkierYAvantSaut;
    emitRunEvent(RUN_EV_FALL);
}

static void fireBomb()
{
    short pressed = runPressed(RB_BOMB);
    if (!hasCollectedBomb() || !pressed || getContact() != 1) return;
    TrackModel& groundRaisedByBomb = loadedTrack;
    tickRun->phases.currentBombVertex = addJumpTwdIntrack(groundRaisedByBomb, tickRun->orientation.rotSkierY);
    emitRunEvent(RUN_EV_BOMB_FIRED);
    decCollectedBomb();
}

void runControls()
{
    float tick = (float)runTickSeconds;
    float step = airSpinGrowth * tick * tick;
    float cap = airSpinCap * tick;
    const TrackModel& track = loadedTrack;
    turningRate();
    sideFlips(step, cap);
    spinsAndTurns(step, cap);
    flips(step, cap);
    trickInputStep();
    push();
    brake();
    startHalfTurn();
    handleFaceSurfaceBehaviour(track.textures);
    collide();
    fireBomb();
}
