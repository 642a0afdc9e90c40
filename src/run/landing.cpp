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
    rotSkierY = positive ? (float)r : (float)-r;
}

// The worst miss of the landing being judged, kept in the run state for the fall's cause.
static void missedBy(int degrees)
{
    int& worst = riderState.landing.lastDegreesOff;
    if (degrees > worst) worst = degrees;
}

static short headingClean(const float* f, const float* v)
{
    int tol = toleranceAngleRightAndLeft;
    if (!inHalfPipe || inInterieurHalfPipe) {
        int a1 = angleBetween(v, f, 0, 2);
        short clean = a1 <= tol || std::abs(a1 - 180) <= tol;
        if (!clean) missedBy(std::min(a1, std::abs(a1 - 180)));
        return clean;
    }
    rotSkierYAvantSaut = (float)((int)rotSkierYAvantSaut % 360);
    short clean = 1;
    if (rotSkierYAvantSaut == halfPipeRightMark) clean = rotSkierY >= 0 && rotSkierY < 90;
    if (rotSkierYAvantSaut == -halfPipeRightMark) clean = rotSkierY > -90 && rotSkierY <= 0;
    if (!clean) missedBy((int)std::fabs(rotSkierY));
    return clean;
}

int isLandingOk()
{
    const float* f = skierFrontVector;
    const float* n = skierNormaleVector;
    const float* v = frontVectorBeforeJump;
    const float* u = faceUpVector;
    headingFromFront(f);
    rotSkierZ = 0.0f;
    rotSkierX = 0.0f;
    riderState.landing.lastDegreesOff = 0;
    short heading = headingClean(f, v);
    int a2 = angleBetween(u, n, 0, 1), a3 = angleBetween(u, n, 1, 2);
    short frontBack = a2 <= toleranceAngleFrontAndBack;
    short sides = a3 <= toleranceAngleLeftSideAndRightSide;
    if (!frontBack) missedBy(a2);
    if (!sides) missedBy(a3);
    short reversed = (f[0] < 0 && v[0] > 0) || (f[0] > 0 && v[0] < 0);
    if (reversed && n[1] > 0) fakie = !wasFakieBeforeJump;
    return heading && frontBack && sides;
}

static void closeLanding()
{
    animationFigureFinie = 1;
    changementContact = 0;
    deroulementFigure = 0;
    phaseUnReceptionTermine = 0;
    reception = 0;
    decollageAutomatique = 0;
}

static void fallOnLanding(RunEventKind thud, int reason)
{
    feedbackFall(reason, reason == fallBadLanding ? riderState.landing.lastDegreesOff : 0);
    animationFigureFinie = 1;
    changementContact = 0;
    deroulementFigure = 0;
    phaseUnReceptionTermine = 0;
    rotSkierY = rotSkierYAvantSaut;
    setChute(1);
    emitRunEvent(thud);
}

static void landingPoses()
{
    if (runHeld(RB_LEFT) || runHeld(RB_RIGHT)) {
        closeLanding();
        return;
    }
    if (!phaseUnReceptionTermine) {
        if (!animationFigureFinie) {
            if (deroulementFigure == 0) {
                emitRunEvent(RUN_EV_LANDING);
            }
            deroulementFigure += perTunedStep(landingBlendStep);
        }
        animPosition(fakieOrNotSJ(), fakieOrNotReception(), deroulementFigure);
        if (deroulementFigure > 99) {
            deroulementFigure = 0;
            phaseUnReceptionTermine = 1;
        }
        return;
    }
    if (!animationFigureFinie) deroulementFigure += perTunedStep(landingBlendStep);
    animPosition(fakieOrNotReception(), fakieOrNotNorm(posInterFak), deroulementFigure);
    if (deroulementFigure > 99) closeLanding();
}

void landingSequence()
{
    if (getContact() != 1 || changementContact != 1) return;
    if (thereIsTrickButtonsPressed()) {
        fallOnLanding(RUN_EV_LANDING_FALL, fallTrickHeld);
    } else if (!isLandingOk()) {
        if (rotYSautAccepte == 0) {
            rotYSautAccepte = 1;
            fallOnLanding(RUN_EV_FALL, fallBadLanding);
        }
    } else {
        rotYSautAccepte = 1;
        // Banked before the poses: steering at touch-down closes the landing in this very frame.
        bankJumpPoints();
        landingPoses();
    }
    rotSkierX = 0.0f;
    rotSkierZ = 0.0f;
}

void bankJumpPoints()
{
    // After the line only the flight that crossed it banks; what starts later scores nothing.
    if (skieurArrive && !flightOverLine) {
        bufferScoreJump = 0;
        return;
    }
    if (skieurArrive && (chute == 1 || getContact() == 1)) flightOverLine = 0; // this bank is its last
    if (chute == 1) {
        feedbackCrashed(bufferScoreJump);
        bufferScoreJump = 0;
    } else if (getContact() == 1 && changementContact == 1) {
        feedbackLanded(bufferScoreJump);
        totalScore += bufferScoreJump;
        bufferScoreJump = 0;
    }
}
