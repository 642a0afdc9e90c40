// Takes the input record and the riding state; poses the rider on the ground: turns, poling, crouch, half-turns, braking.
#include "run/controls.h"

#include "run/runEvents.h"
#include "run/newton.h"
#include "run/physics.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "track/planLib.h"

static const float poseRatePerSecond = 200.0f;  // a pose is reached in half a second
// Poling and braking poses move so much every 1/60 s.
static const float armStep = 5.0f;
static const float headStep = 5.0f;
static const float headTop = 50.0f;
static const float halfTurnPerK = 36.0f;  // 720 / frameps
static const float brakeStep = 5.0f;
static const float brakeBurstAt = 5.0f;


static short onGroundOutsideLanding() { return getContact() == 1 && !tickRun->phases.changementContact; }

static void turnPoses()
{
    if (!onGroundOutsideLanding() || runHeld(RB_JUMP)) return;
    double r = runHeldTime(RB_RIGHT), l = runHeldTime(RB_LEFT);
    AnimationTimer& afterTurn = tickRun->input.afterTurn;
    if (r != 0) {
        afterTurn.timeSinceLastCall(0, runClock());
        animPositionActu(fakieOrNotDroite(tickRun->pose.posInterFak2), (float)(r * poseRatePerSecond));
    } else if (l != 0) {
        afterTurn.timeSinceLastCall(0, runClock());
        animPositionActu(fakieOrNotGauche(tickRun->pose.posInterFak2), (float)(l * poseRatePerSecond));
    } else {
        double sinceTurn = afterTurn.timeSinceLastCall(1, runClock());
        animPositionActu(fakieOrNotNorm(tickRun->pose.posInterFak), (float)(sinceTurn * poseRatePerSecond));
    }
}

void pousseBras(short reset)
{
    PolingPose& p = tickRun->rider.poling;
    if (reset) {
        p = PolingPose{};
        return;
    }
    p.arm += perTunedStep(armStep);
    if (p.arm > 0) p.arm = polingArmTop;
    p.head += perTunedStep(headStep);
    if (p.head > headTop) p.head = 0.0f;
    setRotEpauleXR(p.arm);
    setRotEpauleXL(p.arm);
    setRotHeadX(p.head);
}

static void poling()
{
    short pushing = runHeld(RB_UP) && tickRun->motion.vitessePrecedente + pushStep < pushLimit && getContact() == 1 && !tickRun->phases.fakie;
    pousseBras(!pushing);
}

static void crouch()
{
    if (getContact() != 1 || !runHeld(RB_JUMP)) return;
    animPositionActu(fakieOrNotCrouch(tickRun->pose.posInterFak), (float)(runHeldTime(RB_JUMP) * poseRatePerSecond));
}

static void sprayBurst() { emitRunEvent(RUN_EV_SPRAY_BURST); }

static void halfTurnProgress()
{
    if (!onGroundOutsideLanding()) return;
    float stepDeg = halfTurnPerK * frameScale();
    if (tickRun->phases.changementFakieSolRight) {
        if (tickRun->phases.rotFakieSolRight == 0) sprayBurst();
        tickRun->phases.rotFakieSolRight += stepDeg;
        if (tickRun->phases.rotFakieSolRight >= 180) {
            tickRun->phases.changementFakieSolRight = 0;
            tickRun->phases.rotFakieSolRight = 0;
            tickRun->phases.fakie = !tickRun->phases.fakie;
        }
    } else if (tickRun->phases.changementFakieSolLeft) {
        if (tickRun->phases.rotFakieSolLeft == 0) sprayBurst();
        tickRun->phases.rotFakieSolLeft -= stepDeg;
        if (tickRun->phases.rotFakieSolLeft <= -180) {
            tickRun->phases.changementFakieSolLeft = 0;
            tickRun->phases.rotFakieSolLeft = 0;
            tickRun->phases.fakie = !tickRun->phases.fakie;
        }
    }
}

static void brakePose()
{
    if (tickRun->motion.freinage == 0 || tickRun->phases.changementFakieSolRight || tickRun->phases.changementFakieSolLeft) {
        tickRun->tricks.deroulementFreinage = 0;
        return;
    }
    if (tickRun->tricks.deroulementFreinage <= 99) {
        float before = tickRun->tricks.deroulementFreinage;
        tickRun->tricks.deroulementFreinage += perTunedStep(brakeStep);
        // the snow bursts once, as the brake pose passes its first step
        if (before <= brakeBurstAt && tickRun->tricks.deroulementFreinage > brakeBurstAt) sprayBurst();
    }
    const float* target = tickRun->phases.fakie ? builtInPoses.freinageFakiePosition
                                : (tickRun->orientation.rotSkierY > 0 ? builtInPoses.freinagePDroitePosition : builtInPoses.freinagePGauchePosition);
    changePosition(builtInPoses.normalPosition);
    animPosition(builtInPoses.normalPosition, target, tickRun->tricks.deroulementFreinage);
}

void groundAnimations()
{
    turnPoses();
    poling();
    crouch();
    halfTurnProgress();
    brakePose();
}
