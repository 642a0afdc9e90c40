// Takes the run's keys and the run state; steers, spins, flips, pushes, brakes, fires bombs.
#include "run/controls.h"

#include <cmath>

#include "render/SnowParticleEngine.h"
#include "run/newton.h"
#include "run/physics.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "run/trickInput.h"
#include "shell/keys.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float airStepPerSecond = 15.0f;
static const float capPerK = 27.0f;  // 540 / frameps
static const float fastTurnSpeed = 1000.0f;
static const float fastTurnRate = 4.0f;
static const float turnRatePerSpeed = 0.004f;
static const float maxGroundHeading = 89.0f;
static const float sprayDrift = 400.0f;
static const float brakeDrag = 200.0f;

// Adds d to a rotation rate, keeping the change only while the rate stays under the cap.
static void addUnderCap(float& rate, float d, float cap)
{
    if (fabsf(rate + d) < cap) rate += d;
}

static int inAir() { return getContact() != 1; }

static void turningRate()
{
    if (vitessePrecedente >= fastTurnSpeed) pasAngleContact = fastTurnRate;
    else pasAngleContact = vitessePrecedente * turnRatePerSpeed;
    if (pasAngleContact < 1) pasAngleContact = 1;
}

static void sideFlips(float step, float cap)
{
    int right = keymapRightSide(), left = keymapLeftSide(), jump = keySpace();
    short releasedR = keymapRightSideReleased(), releasedL = keymapLeftSideReleased();
    float sign = right ? 1.0f : -1.0f;
    if (right || left) {
        short& mine = right ? sautLincolnLoopDroite : sautLincolnLoopGauche;
        short other = right ? sautLincolnLoopGauche : sautLincolnLoopDroite;
        if (inAir() && !usingYRail && !jump) {
            if (!other) {
                addUnderCap(amplitudeRotationX, sign * step, cap);
                mine = 1;
            }
        } else if (jump) {
            addUnderCap(amplitudeRotationX, sign * step, cap);
        }
    }
    if ((releasedR || releasedL) && inAir()) amplitudeRotationX = 0;
}

static void sprayDriftOff()
{
    if (!particleEngineSkier) return;
    particleEngineSkier->setXGravity(0);
    particleEngineSkier->setContinuousBurst(0);
}

static void groundTurn(int right)
{
    float k = frameScale();
    if (right && rotSkierY < maxGroundHeading) rotSkierY += pasAngleContact * k;
    if (!right && rotSkierY > -maxGroundHeading) rotSkierY -= pasAngleContact * k;
    if (particleEngineSkier) {
        particleEngineSkier->setXGravity(right ? -sprayDrift : sprayDrift);
        particleEngineSkier->setContinuousBurst(1);
    }
    vitessePrecedente = vitessePrecedente * 0.01f * (100 - pasAngleContact * 0.01f);
}

static void spinsAndTurns(float step, float cap)
{
    int right = keymapRight() != 0, left = keymapLeft() != 0, jump = keySpace();
    short releasedR = keymapRightReleased(), releasedL = keymapLeftReleased();
    if (right == left) {
        sprayDriftOff();
    } else if (!inAir() && !jump) {
        groundTurn(right);
    } else if (inAir()) {
        if (right && !sautGauche) {
            addUnderCap(amplitudeRotationY, step, cap);
            sautDroite = 1;
        }
        if (left && !sautDroite) {
            addUnderCap(amplitudeRotationY, -step, cap);
            sautGauche = 1;
        }
    } else {
        addUnderCap(amplitudeRotationY, right ? step : -step, cap);
    }
    if ((releasedR || releasedL) && inAir()) amplitudeRotationY = 0;
}

static void flips(float step, float cap)
{
    int up = keymapUp(), down = keymapDown(), jump = keySpace();
    short releasedU = keymapUpReleased(), releasedD = keymapDownReleased();
    if (up || down) {
        if (inAir() && !usingYRail && !jump) {
            if (up && !sautDerriere) {
                addUnderCap(amplitudeRotationZ, -step, cap);
                sautDevant = 1;
            } else if (!up && !sautDevant) {
                addUnderCap(amplitudeRotationZ, step, cap);
                sautDerriere = 1;
            }
        } else if (jump) {
            addUnderCap(amplitudeRotationZ, up ? -step : step, cap);
        }
    }
    if ((releasedU || releasedD) && inAir()) amplitudeRotationZ = 0;
}

static void push()
{
    if (keymapUp() && vitessePrecedente + pushStep < pushLimit && getContact() == 1) vitessePrecedente += pushStep;
}

static short halfTurnUnderWay() { return changementFakieSolRight || changementFakieSolLeft; }

static void brake()
{
    freinage = (keymapDown() && !inAir() && !keySpace() && !halfTurnUnderWay()) ? brakeDrag : 0.0f;
}

static void startHalfTurn()
{
    if (inAir() || keySpace()) {
        changementFakieSolRight = changementFakieSolLeft = 0;
        return;
    }
    if (!keymapDown() || halfTurnUnderWay()) return;
    if (keymapRight()) {
        changementFakieSolRight = 1;
        changementFakieSolLeft = 0;
    } else if (keymapLeft()) {
        changementFakieSolLeft = 1;
        changementFakieSolRight = 0;
    }
}

static void collide()
{
    if (!detectCollision()) return;
    setChute(1);
    if (inAir()) rotSkierY = rotSkierYAvantSaut;
    wrpPlaySound(fallSnd, volChute, panoChute, wrpNormalPitch);
}

static void fireBomb()
{
    short pressed = keyBombNoRepeat();
    if (!hasCollectedBomb() || !pressed || getContact() != 1) return;
    currentBombVertex = addJumpTwdIntrack(points, faces, rotSkierY);
    wrpPlaySound(rocketExplodeSnd, volGui, panoGui, wrpNormalPitch);
    if (particleEngineBomb) {
        particleEngineBomb->initParticlesProps();
        particleEngineBomb->setBurst(1);
    }
    decCollectedBomb();
}

void runControls()
{
    float step = (float)diffTemps * airStepPerSecond;
    float cap = capPerK * frameScale();
    turningRate();
    sideFlips(step, cap);
    spinsAndTurns(step, cap);
    flips(step, cap);
    trickInputStep();
    push();
    brake();
    startHalfTurn();
    handleFaceSurfaceBehaviour(textures);
    collide();
    fireBomb();
}
