// Takes the rider's and the ground's vectors at touch-down; judges the landing, runs its poses, banks the points.
#include "run/landing.h"

#include <algorithm>
#include <cmath>

#include "run/runEvents.h"
#include "run/runFeedback.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "track/planLib.h"

static const float landingBlendStep = 10.0f;  // percent of the landing pose every 1/60 s

int toleranceAngleRightAndLeft = 45;
int toleranceAngleFrontAndBack = 89;
int toleranceAngleLeftSideAndRightSide = 89;
static const int halfPipeRightMark = 7;

// asin of a value that rounding may have pushed just outside [-1, 1].
static float safeAsin(float x)
{
    if (!(x > -1.0f)) x = -1.0f;
    if (x > 1.0f) x = 1.0f;
    return asinf(x);
}

static int wholeDegreesUp(float radians) { return (int)ceilf(radians * convRad) % 360; }

int angleBetween(const float* a, const float* b, int i, int j)
{
    float di = a[i] - b[i], dj = a[j] - b[j];
    float d = sqrtf(di * di + dj * dj);
    return 2 * wholeDegreesUp(safeAsin(0.5f * d));
}

static void headingFromFront(RunState& run, const float* f)
{
    int r = wholeDegreesUp(safeAsin(fabsf(f[2])));
    short positive = (f[0] >= 0 && f[2] > 0) || (f[0] < 0 && f[2] < 0);
    run.orientation.rotSkierY = positive ? (float)r : (float)-r;
}

// The worst miss of the landing being judged, kept in the run state for the fall's cause.
static void missedBy(RunState& run, int degrees)
{
    int& worst = run.rider.landing.lastDegreesOff;
    if (degrees > worst) worst = degrees;
}

static short headingClean(RunState& run, const float* f, const float* v)
{
    int tol = toleranceAngleRightAndLeft;
    if (!run.phases.inHalfPipe || run.phases.inInterieurHalfPipe) {
        int a1 = angleBetween(v, f, 0, 2);
        short clean = a1 <= tol || std::abs(a1 - 180) <= tol;
        if (!clean) missedBy(run, std::min(a1, std::abs(a1 - 180)));
        return clean;
    }
    run.orientation.rotSkierYAvantSaut = (float)((int)run.orientation.rotSkierYAvantSaut % 360);
    short clean = 1;
    if (run.orientation.rotSkierYAvantSaut == halfPipeRightMark) clean = run.orientation.rotSkierY >= 0 && run.orientation.rotSkierY < 90;
    if (run.orientation.rotSkierYAvantSaut == -halfPipeRightMark) clean = run.orientation.rotSkierY > -90 && run.orientation.rotSkierY <= 0;
    if (!clean) missedBy(run, (int)std::fabs(run.orientation.rotSkierY));
    return clean;
}

int isLandingOk(RunState& run)
{
    const float* f = run.orientation.skierFrontVector;
    const float* n = run.orientation.skierNormaleVector;
    const float* v = run.orientation.frontVectorBeforeJump;
    const float* u = run.orientation.faceUpVector;
    headingFromFront(run, f);
    run.orientation.rotSkierZ = 0.0f;
    run.orientation.rotSkierX = 0.0f;
    run.rider.landing.lastDegreesOff = 0;
    short heading = headingClean(run, f, v);
    int a2 = angleBetween(u, n, 0, 1), a3 = angleBetween(u, n, 1, 2);
    short frontBack = a2 <= toleranceAngleFrontAndBack;
    short sides = a3 <= toleranceAngleLeftSideAndRightSide;
    if (!frontBack) missedBy(run, a2);
    if (!sides) missedBy(run, a3);
    short reversed = (f[0] < 0 && v[0] > 0) || (f[0] > 0 && v[0] < 0);
    if (reversed && n[1] > 0) run.phases.fakie = !run.phases.wasFakieBeforeJump;
    return heading && frontBack && sides;
}

static void closeLanding(RunState& run)
{
    run.tricks.animationFigureFinie = 1;
    run.phases.changementContact = 0;
    run.tricks.deroulementFigure = 0;
    run.phases.phaseUnReceptionTermine = 0;
    run.phases.reception = 0;
    run.phases.decollageAutomatique = 0;
}

static void fallOnLanding(RunState& run, RunEventKind thud, int reason)
{
    feedbackFall(run, reason, reason == fallBadLanding ? run.rider.landing.lastDegreesOff : 0);
    run.tricks.animationFigureFinie = 1;
    run.phases.changementContact = 0;
    run.tricks.deroulementFigure = 0;
    run.phases.phaseUnReceptionTermine = 0;
    run.orientation.rotSkierY = run.orientation.rotSkierYAvantSaut;
    setChute(run, 1);
    emitRunEvent(run, thud);
}

static void landingPoses(RunState& run)
{
    if (runHeld(run, RB_LEFT) || runHeld(run, RB_RIGHT)) {
        closeLanding(run);
        return;
    }
    if (!run.phases.phaseUnReceptionTermine) {
        if (!run.tricks.animationFigureFinie) {
            if (run.tricks.deroulementFigure == 0) {
                emitRunEvent(run, RUN_EV_LANDING);
            }
            run.tricks.deroulementFigure += perTunedStep(landingBlendStep);
        }
        animPosition(run.pose, fakieOrNotSJ(run), fakieOrNotReception(run), run.tricks.deroulementFigure);
        if (run.tricks.deroulementFigure > 99) {
            run.tricks.deroulementFigure = 0;
            run.phases.phaseUnReceptionTermine = 1;
        }
        return;
    }
    if (!run.tricks.animationFigureFinie) run.tricks.deroulementFigure += perTunedStep(landingBlendStep);
    animPosition(run.pose, fakieOrNotReception(run), fakieOrNotNorm(run, run.pose.posInterFak), run.tricks.deroulementFigure);
    if (run.tricks.deroulementFigure > 99) closeLanding(run);
}

void landingSequence(RunState& run)
{
    if (getContact(run) != 1 || run.phases.changementContact != 1) return;
    if (thereIsTrickButtonsPressed(run)) {
        fallOnLanding(run, RUN_EV_LANDING_FALL, fallTrickHeld);
    } else if (!isLandingOk(run)) {
        if (run.phases.rotYSautAccepte == 0) {
            run.phases.rotYSautAccepte = 1;
            fallOnLanding(run, RUN_EV_FALL, fallBadLanding);
        }
    } else {
        run.phases.rotYSautAccepte = 1;
        // Banked before the poses: steering at touch-down closes the landing in this very frame.
        bankJumpPoints(run);
        landingPoses(run);
    }
    run.orientation.rotSkierX = 0.0f;
    run.orientation.rotSkierZ = 0.0f;
}

void bankJumpPoints(RunState& run)
{
    // After the line only the flight that crossed it banks; what starts later scores nothing.
    if (run.motion.skieurArrive && !run.motion.flightOverLine) {
        run.scores.bufferScoreJump = 0;
        return;
    }
    if (run.motion.skieurArrive && (run.phases.chute == 1 || getContact(run) == 1)) run.motion.flightOverLine = 0; // this bank is its last
    if (run.phases.chute == 1) {
        feedbackCrashed(run, run.scores.bufferScoreJump);
        run.scores.bufferScoreJump = 0;
    } else if (getContact(run) == 1 && run.phases.changementContact == 1) {
        feedbackLanded(run, run.scores.bufferScoreJump);
        run.scores.totalScore += run.scores.bufferScoreJump;
        run.scores.bufferScoreJump = 0;
    }
}
