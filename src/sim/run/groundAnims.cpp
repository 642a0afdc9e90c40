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


static short onGroundOutsideLanding(const RunState& run) { return getContact(run) == 1 && !run.phases.changementContact; }

static void turnPoses(RunState& run)
{
    if (!onGroundOutsideLanding(run) || runHeld(run, RB_JUMP)) return;
    double r = runHeldTime(run, RB_RIGHT), l = runHeldTime(run, RB_LEFT);
    AnimationTimer& afterTurn = run.input.afterTurn;
    if (r != 0) {
        afterTurn.timeSinceLastCall(0, runClock(run));
        animPositionActu(run.pose, fakieOrNotDroite(run, run.pose.posInterFak2), (float)(r * poseRatePerSecond));
    } else if (l != 0) {
        afterTurn.timeSinceLastCall(0, runClock(run));
        animPositionActu(run.pose, fakieOrNotGauche(run, run.pose.posInterFak2), (float)(l * poseRatePerSecond));
    } else {
        double sinceTurn = afterTurn.timeSinceLastCall(1, runClock(run));
        animPositionActu(run.pose, fakieOrNotNorm(run, run.pose.posInterFak), (float)(sinceTurn * poseRatePerSecond));
    }
}

void pousseBras(RunState& run, short reset)
{
    PolingPose& p = run.rider.poling;
    if (reset) {
        p = PolingPose{};
        return;
    }
    p.arm += perTunedStep(armStep);
    if (p.arm > 0) p.arm = polingArmTop;
    p.head += perTunedStep(headStep);
    if (p.head > headTop) p.head = 0.0f;
    setRotEpauleXR(run.pose, p.arm);
    setRotEpauleXL(run.pose, p.arm);
    setRotHeadX(run.pose, p.head);
}

static void poling(RunState& run)
{
    short pushing = runHeld(run, RB_UP) && run.motion.vitessePrecedente + pushStep < pushLimit && getContact(run) == 1 && !run.phases.fakie;
    pousseBras(run, !pushing);
}

static void crouch(RunState& run)
{
    if (getContact(run) != 1 || !runHeld(run, RB_JUMP)) return;
    animPositionActu(run.pose, fakieOrNotCrouch(run, run.pose.posInterFak), (float)(runHeldTime(run, RB_JUMP) * poseRatePerSecond));
}

static void sprayBurst(RunState& run) { emitRunEvent(run, RUN_EV_SPRAY_BURST); }

static void halfTurnProgress(RunState& run)
{
    if (!onGroundOutsideLanding(run)) return;
    float stepDeg = halfTurnPerK * frameScale();
    if (run.phases.changementFakieSolRight) {
        if (run.phases.rotFakieSolRight == 0) sprayBurst(run);
        run.phases.rotFakieSolRight += stepDeg;
        if (run.phases.rotFakieSolRight >= 180) {
            run.phases.changementFakieSolRight = 0;
            run.phases.rotFakieSolRight = 0;
            run.phases.fakie = !run.phases.fakie;
        }
    } else if (run.phases.changementFakieSolLeft) {
        if (run.phases.rotFakieSolLeft == 0) sprayBurst(run);
        run.phases.rotFakieSolLeft -= stepDeg;
        if (run.phases.rotFakieSolLeft <= -180) {
            run.phases.changementFakieSolLeft = 0;
            run.phases.rotFakieSolLeft = 0;
            run.phases.fakie = !run.phases.fakie;
        }
    }
}

static void brakePose(RunState& run)
{
    if (run.motion.freinage == 0 || run.phases.changementFakieSolRight || run.phases.changementFakieSolLeft) {
        run.tricks.deroulementFreinage = 0;
        return;
    }
    if (run.tricks.deroulementFreinage <= 99) {
        float before = run.tricks.deroulementFreinage;
        run.tricks.deroulementFreinage += perTunedStep(brakeStep);
        // the snow bursts once, as the brake pose passes its first step
        if (before <= brakeBurstAt && run.tricks.deroulementFreinage > brakeBurstAt) sprayBurst(run);
    }
    const float* target = run.phases.fakie ? builtInPoses.freinageFakiePosition
                                : (run.orientation.rotSkierY > 0 ? builtInPoses.freinagePDroitePosition : builtInPoses.freinagePGauchePosition);
    changePosition(run.pose, builtInPoses.normalPosition);
    animPosition(run.pose, builtInPoses.normalPosition, target, run.tricks.deroulementFreinage);
}

void groundAnimations(RunState& run)
{
    turnPoses(run);
    poling(run);
    crouch(run);
    halfTurnProgress(run);
    brakePose(run);
}
