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

static void headingFromFront(const float* f)
{
    int r = wholeDegreesUp(safeAsin(fabsf(f[2])));
    short positive = (f[0] >= 0 && f[2] > 0) || (f[0] < 0 && f[2] < 0);
    tickRun->orientation.rotSkierY = positive ? (float)r : (float)-r;
}

// The worst miss of the landing being judged, kept in the run state for the fall's cause.
static void missedBy(int degrees)
{
    int& worst = tickRun->rider.landing.lastDegreesOff;
    if (degrees > worst) worst = degrees;
}

static short headingClean(const float* f, const float* v)
{
    int tol = toleranceAngleRightAndLeft;
    if (!tickRun->phases.inHalfPipe || tickRun->phases.inInterieurHalfPipe) {
        int a1 = angleBetween(v, f, 0, 2);
        short clean = a1 <= tol || std::abs(a1 - 180) <= tol;
        if (!clean) missedBy(std::min(a1, std::abs(a1 - 180)));
        return clean;
    }
    tickRun->orientation.rotSkierYAvantSaut = (float)((int)tickRun->orientation.rotSkierYAvantSaut % 360);
    short clean = 1;
    if (tickRun->orientation.rotSkierYAvantSaut == halfPipeRightMark) clean = tickRun->orientation.rotSkierY >= 0 && tickRun->orientation.rotSkierY < 90;
    if (tickRun->orientation.rotSkierYAvantSaut == -halfPipeRightMark) clean = tickRun->orientation.rotSkierY > -90 && tickRun->orientation.rotSkierY <= 0;
    if (!clean) missedBy((int)std::fabs(tickRun->orientation.rotSkierY));
    return clean;
}

int isLandingOk()
{
    const float* f = tickRun->orientation.skierFrontVector;
    const float* n = tickRun->orientation.skierNormaleVector;
    const float* v = tickRun->orientation.frontVectorBeforeJump;
    const float* u = tickRun->orientation.faceUpVector;
    headingFromFront(f);
    tickRun->orientation.rotSkierZ = 0.0f;
    tickRun->orientation.rotSkierX = 0.0f;
    tickRun->rider.landing.lastDegreesOff = 0;
    short heading = headingClean(f, v);
    int a2 = angleBetween(u, n, 0, 1), a3 = angleBetween(u, n, 1, 2);
    short frontBack = a2 <= toleranceAngleFrontAndBack;
    short sides = a3 <= toleranceAngleLeftSideAndRightSide;
    if (!frontBack) missedBy(a2);
    if (!sides) missedBy(a3);
    short reversed = (f[0] < 0 && v[0] > 0) || (f[0] > 0 && v[0] < 0);
    if (reversed && n[1] > 0) tickRun->phases.fakie = !tickRun->phases.wasFakieBeforeJump;
    return heading && frontBack && sides;
}

static void closeLanding()
{
    tickRun->tricks.animationFigureFinie = 1;
    tickRun->phases.changementContact = 0;
    tickRun->tricks.deroulementFigure = 0;
    tickRun->phases.phaseUnReceptionTermine = 0;
    tickRun->phases.reception = 0;
    tickRun->phases.decollageAutomatique = 0;
}

static void fallOnLanding(RunEventKind thud, int reason)
{
    feedbackFall(reason, reason == fallBadLanding ? tickRun->rider.landing.lastDegreesOff : 0);
    tickRun->tricks.animationFigureFinie = 1;
    tickRun->phases.changementContact = 0;
    tickRun->tricks.deroulementFigure = 0;
    tickRun->phases.phaseUnReceptionTermine = 0;
    tickRun->orientation.rotSkierY = tickRun->orientation.rotSkierYAvantSaut;
    setChute(1);
    emitRunEvent(thud);
}

static void landingPoses()
{
    if (runHeld(RB_LEFT) || runHeld(RB_RIGHT)) {
        closeLanding();
        return;
    }
    if (!tickRun->phases.phaseUnReceptionTermine) {
        if (!tickRun->tricks.animationFigureFinie) {
            if (tickRun->tricks.deroulementFigure == 0) {
                emitRunEvent(RUN_EV_LANDING);
            }
            tickRun->tricks.deroulementFigure += perTunedStep(landingBlendStep);
        }
        animPosition(fakieOrNotSJ(), fakieOrNotReception(), tickRun->tricks.deroulementFigure);
        if (tickRun->tricks.deroulementFigure > 99) {
            tickRun->tricks.deroulementFigure = 0;
            tickRun->phases.phaseUnReceptionTermine = 1;
        }
        return;
    }
    if (!tickRun->tricks.animationFigureFinie) tickRun->tricks.deroulementFigure += perTunedStep(landingBlendStep);
    animPosition(fakieOrNotReception(), fakieOrNotNorm(tickRun->pose.posInterFak), tickRun->tricks.deroulementFigure);
    if (tickRun->tricks.deroulementFigure > 99) closeLanding();
}

void landingSequence()
{
    if (getContact() != 1 || tickRun->phases.changementContact != 1) return;
    if (thereIsTrickButtonsPressed()) {
        fallOnLanding(RUN_EV_LANDING_FALL, fallTrickHeld);
    } else if (!isLandingOk()) {
        if (tickRun->phases.rotYSautAccepte == 0) {
            tickRun->phases.rotYSautAccepte = 1;
            fallOnLanding(RUN_EV_FALL, fallBadLanding);
        }
    } else {
        tickRun->phases.rotYSautAccepte = 1;
        // Banked before the poses: steering at touch-down closes the landing in this very frame.
        bankJumpPoints();
        landingPoses();
    }
    tickRun->orientation.rotSkierX = 0.0f;
    tickRun->orientation.rotSkierZ = 0.0f;
}

void bankJumpPoints()
{
    // After the line only the flight that crossed it banks; what starts later scores nothing.
    if (tickRun->motion.skieurArrive && !tickRun->motion.flightOverLine) {
        tickRun->scores.bufferScoreJump = 0;
        return;
    }
    if (tickRun->motion.skieurArrive && (tickRun->phases.chute == 1 || getContact() == 1)) tickRun->motion.flightOverLine = 0; // this bank is its last
    if (tickRun->phases.chute == 1) {
        feedbackCrashed(tickRun->scores.bufferScoreJump);
        tickRun->scores.bufferScoreJump = 0;
    } else if (getContact() == 1 && tickRun->phases.changementContact == 1) {
        feedbackLanded(tickRun->scores.bufferScoreJump);
        tickRun->scores.totalScore += tickRun->scores.bufferScoreJump;
        tickRun->scores.bufferScoreJump = 0;
    }
}
