// Takes the run state, the input record, frame time and the terrain; moves the rider on the ground and in the air.
#include "run/physics.h"

#include <climits>
#include <cmath>

#include "run/newton.h"
#include "run/runEvents.h"
#include "run/runFeedback.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/rescue.h"
#include "track/trackModel.h"

static const float degToRad = 0.017455053237912375f;
static const float weightScale = 35.0f;
static const float slopeAccelShare = 0.1f;
// Used when no rider card is loaded (tests, or a card that failed to load).
static const float defaultWeight = 70.0f;
static const float turningDragPerK = 0.008f;
static const float halfTrackWidth = 36.0f * largeurFace;
static const float highSpeedDecay = 0.99f;  // every 1/60 s above top speed
static const float baseDrag = 10.0f;
static const float emptyCharge = 10.0f;
static const float fullCharge = 20.0f;
// A charge emptied by a landing refills a third of a point past empty: one 1/60 s step of charge
// beyond it, the level every jump after a landing has always started from at 60 frames a second.
static const float refilledCharge = emptyCharge + 1.0f / 3;
static const float rampVelocity = 25000.0f;
static const float flatVelocity = 10000.0f;
static const float rampAngle = 5.0f;
static const float crestDrop = -40.0f;
static const float gravityMargin = 1000.0f;
static const float fastGravityFactor = 1.1f;
static const float risePerVelocity = 0.02f;  // height gained every 1/60 s per unit of vertical speed
static const float grindPointsPerSecond = 150000.0f;
// Points for each degree turned in the air, by axis.
static const float spinPoints = 250.0f / 3, flipPoints = 375.0f / 3, sideFlipPoints = 500.0f / 3;
static const float boosterFactor = 1.1f;  // every 1/60 s on a booster
static const float repelSpeed = -1000.0f;
static const int halfPipeRightMark = 7;

float riderWeight()
{
    if (theTrasher && std::isfinite(theTrasher->weight)) return theTrasher->weight;
    return defaultWeight;
}

static int turnKeyHeld() { return runHeld(RB_RIGHT) || runHeld(RB_LEFT); }

static void integratePosition()
{
    float k = frameScale();
    if (getContact() == 1 && turnKeyHeld()) vitessePrecedente = (1 - k * turningDragPerK) * vitessePrecedente;
    if (!skieurStop) {
        acceleration = slopeAccelShare * giveTrueAccel(riderWeight() * weightScale, angleCourant);
        setXobjet_inc(giveNewXposition(acceleration, vitessePrecedente, Xobjet, (float)diffTemps));
    }
    distanceX_Parcourue = getXobjet_inc() - Xprec;
    rotSkierTour = getContact() == 1 ? rotSkierY : rotSkierYAvantSaut;
    setXobjet_inc(Xprec + fabsf(cosf(rotSkierTour * degToRad)) * distanceX_Parcourue * cosf(angleCourant * degToRad));
    Zobjet += sinf(rotSkierTour * degToRad) * distanceX_Parcourue;
    if (Zobjet > halfTrackWidth) Zobjet = halfTrackWidth;
    if (Zobjet < -halfTrackWidth) Zobjet = -halfTrackWidth;
    Xprec = getXobjet_inc();
}

static void updateGroundSpeed()
{
    if (getContact() != 1) return;
    float v = vitessePrecedente;
    // Exactly at top speed the speed neither grows nor decays, but the drag still holds: without it a
    // rider who came to exactly 5000 kept it for good, up a kicker too (one tick length met it, not another).
    if (fabsf(v) < vitesseMax) v = giveNewSpeed(v, acceleration, (float)diffTemps);
    else if (fabsf(v) > vitesseMax) v *= compoundPerTick(highSpeedDecay);
    float drag = (freinage + baseDrag) * frameScale();
    v += v > 0 ? -drag : drag;
    vitessePrecedente = v;
}

static void placeOnGround()
{
    if (getContact() != 1) return;
    angleCourant = placeObjetAndGetAngle(points, faces, getXobjet_inc(), Zobjet, (float)maxTrackFaces, rotSkierY,
                                         faceUpVector);
    // Charged up to full (20) while the jump key is held, never past it: a charge a part of a tick
    // over would jump higher at some tick lengths than at others. Else a charge below empty refills,
    // and the tick that brings it to empty tops it up to the refilled mark.
    if (runHeld(RB_JUMP)) {
        if (bufferJump < fullCharge) bufferJump = fminf(bufferJump + frameScale(), fullCharge);
    } else if (bufferJump < emptyCharge) {
        bufferJump += frameScale();
        if (bufferJump >= emptyCharge) bufferJump = refilledCharge;
    }
}

void groundPhysics()
{
    integratePosition();
    updateGroundSpeed();
    placeOnGround();
}

// The rule, not a drawing leak: the take-off speed follows the rider's body pitch, which trails the
// slope by a few degrees a tick (the run's own state, shown as it is), so a jump let go just past
// a ramp's lip still leaves at ramp speed and one let go as the skis first tip up does not.
static short bodyPitchedUpARamp() { return angleDePlacementEffectif > rampAngle; }

static short chargeToLeaveOn() { return getContact() == 1 && bufferJump >= emptyCharge; }

short takeOffThisTick() { return runReleasePending(RB_JUMP) && chargeToLeaveOn(); }

void manualTakeOff()
{
    short released = runReleased(RB_JUMP);
    if (!released || !chargeToLeaveOn()) return;
    wasFakieBeforeJump = fakie;
    rotYSautAccepte = 0;
    deroulementFigure = 5;
    figureEnCours = 1;
    for (int i = 0; i < 3; i++) frontVectorBeforeJump[i] = skierFrontVector[i];
    float base = bodyPitchedUpARamp() ? rampVelocity : flatVelocity;
    velocity = base * (bufferJump - emptyCharge) * 0.1f;
    if (decollageAutomatique == 1) velocity = 1.0f;
    setContact(0);
    YavantSaut = Yobjet;
    if (!(inHalfPipe && !inInterieurHalfPipe)) rotSkierYAvantSaut = rotSkierY;
    reception = 0;
}

void handleDecollage(int face, float angle)
{
    short changed = face != numFaceCour;
    if (changed) numFaceCour = face;
    if (inHalfPipe || reception || !changed) return;
    float d = angle - angleFaceCour;
    angleFaceCour = angle;
    if (d < crestDrop) {
        decollageAutomatique = 1;
        setContact(0);
        wasFakieBeforeJump = fakie;
        YavantSaut = Yobjet;
        rotSkierYAvantSaut = rotSkierY;
        angleDePlacementEffectif = 0.0f;
        changePositionDbl(figureAerialCourante, fakieOrNotSJ());
    }
}

// The jump's points are followed with their fractions while bufferScoreJump is not set from elsewhere
// (banked, lost, reset).
void addJumpPoints(double points)
{
    double& exact = riderState.jump.exactJumpPoints;
    if ((int)exact != bufferScoreJump) exact = bufferScoreJump;
    // A long stall (the clock jumping) must not overflow the jump's points.
    double total = exact + points;
    if (std::isnan(total)) return;
    if (total > INT_MAX) total = INT_MAX;
    if (total < INT_MIN) total = INT_MIN;
    exact = total;
    bufferScoreJump = (int)total;
}

static void riseOrGrind()
{
    if (riderState.collision.usingYRail) {
        YavantSaut = riderState.collision.yRail;
        addJumpPoints(diffTemps * grindPointsPerSecond);
        return;
    }
    float K = vitessePrecedente <= vitesseMax ? vitesseMax + gravityMargin : fastGravityFactor * vitesseMax + gravityMargin;
    // The rider was tuned rising by his vertical speed after each 1/60 s of gravity; over a tick of
    // r such steps he rises as that schedule does, whatever r is (the gravity is even in the air).
    float r = perTunedStep(1.0f);
    float perStep = fabsf(K - vitessePrecedente) * (referenceFrameRate / tunedStepsPerSecond);
    float before = velocity;
    velocity -= perStep * r;
    YavantSaut += risePerVelocity * r * (before - perStep * (r + 1) * 0.5f);
}

// The spin rates as the tick began, before the keys changed them.
void noteAirRates()
{
    float* before = riderState.jump.ratesBefore;
    before[0] = amplitudeRotationY, before[1] = amplitudeRotationZ, before[2] = amplitudeRotationX;
}

// Degrees turned this tick at a rate that went from `before` to `now` (degrees per tick). Tuned, a
// rate grew by a step every 1/60 s and the rider turned by the grown rate: a tick of r such steps
// turns by the same amount whatever r is. A rate let go or turned round takes effect at once.
static float degreesThisTick(float before, float now)
{
    bool growing = before * now >= 0 && fabsf(now) > fabsf(before);
    if (!growing) return now;
    float r = perTunedStep(1.0f);
    return 0.5f * (before + now) + 0.5f * (now - before) / r;
}

static void airRotations()
{
    const float* before = riderState.jump.ratesBefore;
    float y = degreesThisTick(before[0], amplitudeRotationY);
    float z = degreesThisTick(before[1], amplitudeRotationZ);
    float x = degreesThisTick(before[2], amplitudeRotationX);
    rotSkierY += y;
    rotSkierZ += z;
    rotSkierX += x;
    addJumpPoints(spinPoints * fabsf(y));
    addJumpPoints(flipPoints * fabsf(z));
    addJumpPoints(sideFlipPoints * fabsf(x));
}

static void touchDown(float ground)
{
    Yobjet = ground;
    velocity = landingVelocity;
    setContact(1);
    sautDroite = sautGauche = sautDevant = sautDerriere = 0;
    sautLincolnLoopDroite = sautLincolnLoopGauche = 0;
    rotSkierY = fmodf(truncf(rotSkierY), 360.0f);
    changementContact = 1;
    animationFigureFinie = 0;
    bufferJump = 0.0f;
    amplitudeRotationY = amplitudeRotationZ = amplitudeRotationX = 0.0f;
    derniereRotYAvtSaut = 0.0f;
}

void airPhase()
{
    if (getContact() != 0) return;
    riseOrGrind();
    airRotations();
    float g = yTheoObjSettingFaceNumber(points, faces, Xobjet, Zobjet, (float)maxTrackFaces, 1);
    if (YavantSaut <= g) touchDown(g);
    else Yobjet = YavantSaut;
}

static void enterHalfPipeWall(int mark)
{
    inHalfPipe = 1;
    rotSkierYAvantSautHalfPipe = (int)rotSkierY;
    inInterieurHalfPipe = 0;
    rotSkierYAvantSaut = (float)mark;
}

// Pushing adds its 400 at the start of every 1/60 s begun with the key held under the push limit.
void pushTick(short held)
{
    if (!held || getContact() != 1) return;
    for (int n = tunedStepsBeginning(runTicks); n > 0; n--)
        if (vitessePrecedente + pushStep < pushLimit) vitessePrecedente += pushStep;
}

void handleFaceSurfaceBehaviour(TexData* surfaces)
{
    if (getContact() != 1) return;
    int face = getNumeroFaceCourante();
    int s = (surfaces && face >= 0 && face < maxTrackFaces) ? surfaces[face].surface : surfaceNeige;
    // A booster speeds the rider up by 1.1 at the start of every 1/60 s that begins on it.
    if (s == surfaceBooster)
        for (int n = tunedStepsBeginning(runTicks); n > 0; n--) vitessePrecedente *= boosterFactor;
    switch (s) {
    case surfaceRepousse:
        inHalfPipe = inInterieurHalfPipe = 0;
        vitessePrecedente = repelSpeed;
        break;
    case surfaceHalfPipeDroite: enterHalfPipeWall(halfPipeRightMark); break;
    case surfaceHalfPipeGauche: enterHalfPipeWall(-halfPipeRightMark); break;
    case surfaceHalfPipeFond: inHalfPipe = inInterieurHalfPipe = 1; break;
    case surfaceHorsPiste:
        replaceSkierOperation();
        feedbackOutOfBounds();
        inHalfPipe = inInterieurHalfPipe = 0;
        break;
    case surfaceBooster:
        if (riderState.ground.previousSurface != surfaceBooster) emitRunEvent(RUN_EV_BOOST);
        inHalfPipe = inInterieurHalfPipe = 0;
        break;
    default: inHalfPipe = inInterieurHalfPipe = 0; break;
    }
    riderState.ground.previousSurface = s;
}
