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
    if (getContact() == 1 && turnKeyHeld()) tickRun->motion.vitessePrecedente = (1 - k * turningDragPerK) * tickRun->motion.vitessePrecedente;
    if (!tickRun->motion.skieurStop) {
        tickRun->motion.acceleration = slopeAccelShare * giveTrueAccel(riderWeight() * weightScale, tickRun->orientation.angleCourant);
        setXobjet_inc(giveNewXposition(tickRun->motion.acceleration, tickRun->motion.vitessePrecedente, tickRun->motion.Xobjet, (float)tickRun->timing.diffTemps));
    }
    tickRun->motion.distanceX_Parcourue = getXobjet_inc() - tickRun->motion.Xprec;
    tickRun->orientation.rotSkierTour = getContact() == 1 ? tickRun->orientation.rotSkierY : tickRun->orientation.rotSkierYAvantSaut;
    setXobjet_inc(tickRun->motion.Xprec + fabsf(cosf(tickRun->orientation.rotSkierTour * degToRad)) * tickRun->motion.distanceX_Parcourue * cosf(tickRun->orientation.angleCourant * degToRad));
    tickRun->motion.Zobjet += sinf(tickRun->orientation.rotSkierTour * degToRad) * tickRun->motion.distanceX_Parcourue;
    if (tickRun->motion.Zobjet > halfTrackWidth) tickRun->motion.Zobjet = halfTrackWidth;
    if (tickRun->motion.Zobjet < -halfTrackWidth) tickRun->motion.Zobjet = -halfTrackWidth;
    tickRun->motion.Xprec = getXobjet_inc();
}

static void updateGroundSpeed()
{
    if (getContact() != 1) return;
    float v = tickRun->motion.vitessePrecedente;
    // Exactly at top speed the speed neither grows nor decays, but the drag still holds: without it a
    // rider who came to exactly 5000 kept it for good, up a kicker too (one tick length met it, not another).
    if (fabsf(v) < tickRun->motion.vitesseMax) v = giveNewSpeed(v, tickRun->motion.acceleration, (float)tickRun->timing.diffTemps);
    else if (fabsf(v) > tickRun->motion.vitesseMax) v *= compoundPerTick(highSpeedDecay);
    float drag = (tickRun->motion.freinage + baseDrag) * frameScale();
    v += v > 0 ? -drag : drag;
    tickRun->motion.vitessePrecedente = v;
}

static void placeOnGround()
{
    if (getContact() != 1) return;
    const TrackModel& track = loadedTrack;
    tickRun->orientation.angleCourant = placeObjetAndGetAngle(track.points, track.faces, getXobjet_inc(), tickRun->motion.Zobjet, (float)maxTrackFaces, tickRun->orientation.rotSkierY,
                                         tickRun->orientation.faceUpVector);
    // Charged up to full (20) while the jump key is held, never past it: a charge a part of a tick
    // over would jump higher at some tick lengths than at others. Else a charge below empty refills,
    // and the tick that brings it to empty tops it up to the refilled mark.
    if (runHeld(RB_JUMP)) {
        if (tickRun->motion.bufferJump < fullCharge) tickRun->motion.bufferJump = fminf(tickRun->motion.bufferJump + frameScale(), fullCharge);
    } else if (tickRun->motion.bufferJump < emptyCharge) {
        tickRun->motion.bufferJump += frameScale();
        if (tickRun->motion.bufferJump >= emptyCharge) tickRun->motion.bufferJump = refilledCharge;
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
static short bodyPitchedUpARamp() { return tickRun->orientation.angleDePlacementEffectif > rampAngle; }

static short chargeToLeaveOn() { return getContact() == 1 && tickRun->motion.bufferJump >= emptyCharge; }

short takeOffThisTick() { return runReleasePending(RB_JUMP) && chargeToLeaveOn(); }

void manualTakeOff()
{
    short released = runReleased(RB_JUMP);
    if (!released || !chargeToLeaveOn()) return;
    tickRun->phases.wasFakieBeforeJump = tickRun->phases.fakie;
    tickRun->phases.rotYSautAccepte = 0;
    tickRun->tricks.deroulementFigure = 5;
    tickRun->tricks.figureEnCours = 1;
    for (int i = 0; i < 3; i++) tickRun->orientation.frontVectorBeforeJump[i] = tickRun->orientation.skierFrontVector[i];
    float base = bodyPitchedUpARamp() ? rampVelocity : flatVelocity;
    tickRun->motion.velocity = base * (tickRun->motion.bufferJump - emptyCharge) * 0.1f;
    if (tickRun->phases.decollageAutomatique == 1) tickRun->motion.velocity = 1.0f;
    setContact(0);
    tickRun->motion.YavantSaut = tickRun->motion.Yobjet;
    if (!(tickRun->phases.inHalfPipe && !tickRun->phases.inInterieurHalfPipe)) tickRun->orientation.rotSkierYAvantSaut = tickRun->orientation.rotSkierY;
    tickRun->phases.reception = 0;
}

void handleDecollage(int face, float angle)
{
    short changed = face != tickRun->phases.numFaceCour;
    if (changed) tickRun->phases.numFaceCour = face;
    if (tickRun->phases.inHalfPipe || tickRun->phases.reception || !changed) return;
    float d = angle - tickRun->phases.angleFaceCour;
    tickRun->phases.angleFaceCour = angle;
    if (d < crestDrop) {
        tickRun->phases.decollageAutomatique = 1;
        setContact(0);
        tickRun->phases.wasFakieBeforeJump = tickRun->phases.fakie;
        tickRun->motion.YavantSaut = tickRun->motion.Yobjet;
        tickRun->orientation.rotSkierYAvantSaut = tickRun->orientation.rotSkierY;
        tickRun->orientation.angleDePlacementEffectif = 0.0f;
        changePositionDbl(tickRun->pose.figureAerialCourante, fakieOrNotSJ());
    }
}

// The jump's points are followed with their fractions while bufferScoreJump is not set from elsewhere
// (banked, lost, reset).
void addJumpPoints(double points)
{
    double& exact = tickRun->rider.jump.exactJumpPoints;
    if ((int)exact != tickRun->scores.bufferScoreJump) exact = tickRun->scores.bufferScoreJump;
    // A long stall (the clock jumping) must not overflow the jump's points.
    double total = exact + points;
    if (std::isnan(total)) return;
    if (total > INT_MAX) total = INT_MAX;
    if (total < INT_MIN) total = INT_MIN;
    exact = total;
    tickRun->scores.bufferScoreJump = (int)total;
}

static void riseOrGrind()
{
    if (tickRun->rider.collision.usingYRail) {
        tickRun->motion.YavantSaut = tickRun->rider.collision.yRail;
        addJumpPoints(tickRun->timing.diffTemps * grindPointsPerSecond);
        return;
    }
    float K = tickRun->motion.vitessePrecedente <= tickRun->motion.vitesseMax ? tickRun->motion.vitesseMax + gravityMargin : fastGravityFactor * tickRun->motion.vitesseMax + gravityMargin;
    // The rider was tuned rising by his vertical speed after each 1/60 s of gravity; over a tick of
    // r such steps he rises as that schedule does, whatever r is (the gravity is even in the air).
    float r = perTunedStep(1.0f);
    float perStep = fabsf(K - tickRun->motion.vitessePrecedente) * (referenceFrameRate / tunedStepsPerSecond);
    float before = tickRun->motion.velocity;
    tickRun->motion.velocity -= perStep * r;
    tickRun->motion.YavantSaut += risePerVelocity * r * (before - perStep * (r + 1) * 0.5f);
}

// The spin rates as the tick began, before the keys changed them.
void noteAirRates()
{
    float* before = tickRun->rider.jump.ratesBefore;
    before[0] = tickRun->orientation.amplitudeRotationY, before[1] = tickRun->orientation.amplitudeRotationZ, before[2] = tickRun->orientation.amplitudeRotationX;
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
    const float* before = tickRun->rider.jump.ratesBefore;
    float y = degreesThisTick(before[0], tickRun->orientation.amplitudeRotationY);
    float z = degreesThisTick(before[1], tickRun->orientation.amplitudeRotationZ);
    float x = degreesThisTick(before[2], tickRun->orientation.amplitudeRotationX);
    tickRun->orientation.rotSkierY += y;
    tickRun->orientation.rotSkierZ += z;
    tickRun->orientation.rotSkierX += x;
    addJumpPoints(spinPoints * fabsf(y));
    addJumpPoints(flipPoints * fabsf(z));
    addJumpPoints(sideFlipPoints * fabsf(x));
}

static void touchDown(float ground)
{
    tickRun->motion.Yobjet = ground;
    tickRun->motion.velocity = landingVelocity;
    setContact(1);
    tickRun->phases.sautDroite = tickRun->phases.sautGauche = tickRun->phases.sautDevant = tickRun->phases.sautDerriere = 0;
    tickRun->phases.sautLincolnLoopDroite = tickRun->phases.sautLincolnLoopGauche = 0;
    tickRun->orientation.rotSkierY = fmodf(truncf(tickRun->orientation.rotSkierY), 360.0f);
    tickRun->phases.changementContact = 1;
    tickRun->tricks.animationFigureFinie = 0;
    tickRun->motion.bufferJump = 0.0f;
    tickRun->orientation.amplitudeRotationY = tickRun->orientation.amplitudeRotationZ = tickRun->orientation.amplitudeRotationX = 0.0f;
    tickRun->tricks.derniereRotYAvtSaut = 0.0f;
}

void airPhase()
{
    if (getContact() != 0) return;
    riseOrGrind();
    airRotations();
    const TrackModel& track = loadedTrack;
    float g = yTheoObjSettingFaceNumber(track.points, track.faces, tickRun->motion.Xobjet, tickRun->motion.Zobjet, (float)maxTrackFaces, 1);
    if (tickRun->motion.YavantSaut <= g) touchDown(g);
    else tickRun->motion.Yobjet = tickRun->motion.YavantSaut;
}

static void enterHalfPipeWall(int mark)
{
    tickRun->phases.inHalfPipe = 1;
    tickRun->phases.rotSkierYAvantSautHalfPipe = (int)tickRun->orientation.rotSkierY;
    tickRun->phases.inInterieurHalfPipe = 0;
    tickRun->orientation.rotSkierYAvantSaut = (float)mark;
}

// Pushing adds its 400 at the start of every 1/60 s begun with the key held under the push limit.
void pushTick(short held)
{
    if (!held || getContact() != 1) return;
    for (int n = tunedStepsBeginning(tickRun->timing.runTicks); n > 0; n--)
        if (tickRun->motion.vitessePrecedente + pushStep < pushLimit) tickRun->motion.vitessePrecedente += pushStep;
}

void handleFaceSurfaceBehaviour(const TexData* surfaces)
{
    if (getContact() != 1) return;
    int face = getNumeroFaceCourante();
    int s = (surfaces && face >= 0 && face < maxTrackFaces) ? surfaces[face].surface : surfaceNeige;
    // A booster speeds the rider up by 1.1 at the start of every 1/60 s that begins on it.
    if (s == surfaceBooster)
        for (int n = tunedStepsBeginning(tickRun->timing.runTicks); n > 0; n--) tickRun->motion.vitessePrecedente *= boosterFactor;
    switch (s) {
    case surfaceRepousse:
        tickRun->phases.inHalfPipe = tickRun->phases.inInterieurHalfPipe = 0;
        tickRun->motion.vitessePrecedente = repelSpeed;
        break;
    case surfaceHalfPipeDroite: enterHalfPipeWall(halfPipeRightMark); break;
    case surfaceHalfPipeGauche: enterHalfPipeWall(-halfPipeRightMark); break;
    case surfaceHalfPipeFond: tickRun->phases.inHalfPipe = tickRun->phases.inInterieurHalfPipe = 1; break;
    case surfaceHorsPiste:
        replaceSkierOperation();
        feedbackOutOfBounds();
        tickRun->phases.inHalfPipe = tickRun->phases.inInterieurHalfPipe = 0;
        break;
    case surfaceBooster:
        if (tickRun->rider.ground.previousSurface != surfaceBooster) emitRunEvent(RUN_EV_BOOST);
        tickRun->phases.inHalfPipe = tickRun->phases.inInterieurHalfPipe = 0;
        break;
    default: tickRun->phases.inHalfPipe = tickRun->phases.inInterieurHalfPipe = 0; break;
    }
    tickRun->rider.ground.previousSurface = s;
}
