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

static int turnKeyHeld(const RunState& run) { return runHeld(run, RB_RIGHT) || runHeld(run, RB_LEFT); }

static void integratePosition(RunState& run)
{
    float k = frameScale();
    if (getContact(run) == 1 && turnKeyHeld(run)) run.motion.vitessePrecedente = (1 - k * turningDragPerK) * run.motion.vitessePrecedente;
    if (!run.motion.skieurStop) {
        run.motion.acceleration = slopeAccelShare * giveTrueAccel(riderWeight() * weightScale, run.orientation.angleCourant);
        setXobjet_inc(run, giveNewXposition(run.motion.acceleration, run.motion.vitessePrecedente, run.motion.Xobjet, (float)run.timing.diffTemps));
    }
    run.motion.distanceX_Parcourue = getXobjet_inc(run) - run.motion.Xprec;
    run.orientation.rotSkierTour = getContact(run) == 1 ? run.orientation.rotSkierY : run.orientation.rotSkierYAvantSaut;
    setXobjet_inc(run, run.motion.Xprec + fabsf(cosf(run.orientation.rotSkierTour * degToRad)) * run.motion.distanceX_Parcourue * cosf(run.orientation.angleCourant * degToRad));
    run.motion.Zobjet += sinf(run.orientation.rotSkierTour * degToRad) * run.motion.distanceX_Parcourue;
    if (run.motion.Zobjet > halfTrackWidth) run.motion.Zobjet = halfTrackWidth;
    if (run.motion.Zobjet < -halfTrackWidth) run.motion.Zobjet = -halfTrackWidth;
    run.motion.Xprec = getXobjet_inc(run);
}

static void updateGroundSpeed(RunState& run)
{
    if (getContact(run) != 1) return;
    float v = run.motion.vitessePrecedente;
    // Exactly at top speed the speed neither grows nor decays, but the drag still holds: without it a
    // rider who came to exactly 5000 kept it for good, up a kicker too (one tick length met it, not another).
    if (fabsf(v) < run.motion.vitesseMax) v = giveNewSpeed(v, run.motion.acceleration, (float)run.timing.diffTemps);
    else if (fabsf(v) > run.motion.vitesseMax) v *= compoundPerTick(highSpeedDecay);
    float drag = (run.motion.freinage + baseDrag) * frameScale();
    v += v > 0 ? -drag : drag;
    run.motion.vitessePrecedente = v;
}

static void placeOnGround(RunState& run, const TrackModel& track)
{
    if (getContact(run) != 1) return;
    run.orientation.angleCourant = placeObjetAndGetAngle(run.rider.ground, track.points, track.faces, getXobjet_inc(run), run.motion.Zobjet, (float)maxTrackFaces, run.orientation.rotSkierY,
                                         run.orientation.faceUpVector);
    // Charged up to full (20) while the jump key is held, never past it: a charge a part of a tick
    // over would jump higher at some tick lengths than at others. Else a charge below empty refills,
    // and the tick that brings it to empty tops it up to the refilled mark.
    if (runHeld(run, RB_JUMP)) {
        if (run.motion.bufferJump < fullCharge) run.motion.bufferJump = fminf(run.motion.bufferJump + frameScale(), fullCharge);
    } else if (run.motion.bufferJump < emptyCharge) {
        run.motion.bufferJump += frameScale();
        if (run.motion.bufferJump >= emptyCharge) run.motion.bufferJump = refilledCharge;
    }
}

void groundPhysics(RunState& run, const TrackModel& track)
{
    integratePosition(run);
    updateGroundSpeed(run);
    placeOnGround(run, track);
}

// The rule, not a drawing leak: the take-off speed follows the rider's body pitch, which trails the
// slope by a few degrees a tick (the run's own state, shown as it is), so a jump let go just past
// a ramp's lip still leaves at ramp speed and one let go as the skis first tip up does not.
static short bodyPitchedUpARamp(const RunState& run) { return run.orientation.angleDePlacementEffectif > rampAngle; }

static short chargeToLeaveOn(const RunState& run) { return getContact(run) == 1 && run.motion.bufferJump >= emptyCharge; }

short takeOffThisTick(const RunState& run) { return runReleasePending(run, RB_JUMP) && chargeToLeaveOn(run); }

void manualTakeOff(RunState& run)
{
    short released = runReleased(run, RB_JUMP);
    if (!released || !chargeToLeaveOn(run)) return;
    run.phases.wasFakieBeforeJump = run.phases.fakie;
    run.phases.rotYSautAccepte = 0;
    run.tricks.deroulementFigure = 5;
    run.tricks.figureEnCours = 1;
    for (int i = 0; i < 3; i++) run.orientation.frontVectorBeforeJump[i] = run.orientation.skierFrontVector[i];
    float base = bodyPitchedUpARamp(run) ? rampVelocity : flatVelocity;
    run.motion.velocity = base * (run.motion.bufferJump - emptyCharge) * 0.1f;
    if (run.phases.decollageAutomatique == 1) run.motion.velocity = 1.0f;
    setContact(run, 0);
    run.motion.YavantSaut = run.motion.Yobjet;
    if (!(run.phases.inHalfPipe && !run.phases.inInterieurHalfPipe)) run.orientation.rotSkierYAvantSaut = run.orientation.rotSkierY;
    run.phases.reception = 0;
}

void handleDecollage(RunState& run, int face, float angle)
{
    short changed = face != run.phases.numFaceCour;
    if (changed) run.phases.numFaceCour = face;
    if (run.phases.inHalfPipe || run.phases.reception || !changed) return;
    float d = angle - run.phases.angleFaceCour;
    run.phases.angleFaceCour = angle;
    if (d < crestDrop) {
        run.phases.decollageAutomatique = 1;
        setContact(run, 0);
        run.phases.wasFakieBeforeJump = run.phases.fakie;
        run.motion.YavantSaut = run.motion.Yobjet;
        run.orientation.rotSkierYAvantSaut = run.orientation.rotSkierY;
        run.orientation.angleDePlacementEffectif = 0.0f;
        changePositionDbl(run.pose.figureAerialCourante, fakieOrNotSJ(run));
    }
}

// The jump's points are followed with their fractions while bufferScoreJump is not set from elsewhere
// (banked, lost, reset).
void addJumpPoints(RunState& run, double points)
{
    double& exact = run.rider.jump.exactJumpPoints;
    if ((int)exact != run.scores.bufferScoreJump) exact = run.scores.bufferScoreJump;
    // A long stall (the clock jumping) must not overflow the jump's points.
    double total = exact + points;
    if (std::isnan(total)) return;
    if (total > INT_MAX) total = INT_MAX;
    if (total < INT_MIN) total = INT_MIN;
    exact = total;
    run.scores.bufferScoreJump = (int)total;
}

static void riseOrGrind(RunState& run)
{
    if (run.rider.collision.usingYRail) {
        run.motion.YavantSaut = run.rider.collision.yRail;
        addJumpPoints(run, run.timing.diffTemps * grindPointsPerSecond);
        return;
    }
    float K = run.motion.vitessePrecedente <= run.motion.vitesseMax ? run.motion.vitesseMax + gravityMargin : fastGravityFactor * run.motion.vitesseMax + gravityMargin;
    // The rider was tuned rising by his vertical speed after each 1/60 s of gravity; over a tick of
    // r such steps he rises as that schedule does, whatever r is (the gravity is even in the air).
    float r = perTunedStep(1.0f);
    float perStep = fabsf(K - run.motion.vitessePrecedente) * (referenceFrameRate / tunedStepsPerSecond);
    float before = run.motion.velocity;
    run.motion.velocity -= perStep * r;
    run.motion.YavantSaut += risePerVelocity * r * (before - perStep * (r + 1) * 0.5f);
}

// The spin rates as the tick began, before the keys changed them.
void noteAirRates(RunState& run)
{
    float* before = run.rider.jump.ratesBefore;
    before[0] = run.orientation.amplitudeRotationY, before[1] = run.orientation.amplitudeRotationZ, before[2] = run.orientation.amplitudeRotationX;
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

static void airRotations(RunState& run)
{
    const float* before = run.rider.jump.ratesBefore;
    float y = degreesThisTick(before[0], run.orientation.amplitudeRotationY);
    float z = degreesThisTick(before[1], run.orientation.amplitudeRotationZ);
    float x = degreesThisTick(before[2], run.orientation.amplitudeRotationX);
    run.orientation.rotSkierY += y;
    run.orientation.rotSkierZ += z;
    run.orientation.rotSkierX += x;
    addJumpPoints(run, spinPoints * fabsf(y));
    addJumpPoints(run, flipPoints * fabsf(z));
    addJumpPoints(run, sideFlipPoints * fabsf(x));
}

static void touchDown(RunState& run, float ground)
{
    run.motion.Yobjet = ground;
    run.motion.velocity = landingVelocity;
    setContact(run, 1);
    run.phases.sautDroite = run.phases.sautGauche = run.phases.sautDevant = run.phases.sautDerriere = 0;
    run.phases.sautLincolnLoopDroite = run.phases.sautLincolnLoopGauche = 0;
    run.orientation.rotSkierY = fmodf(truncf(run.orientation.rotSkierY), 360.0f);
    run.phases.changementContact = 1;
    run.tricks.animationFigureFinie = 0;
    run.motion.bufferJump = 0.0f;
    run.orientation.amplitudeRotationY = run.orientation.amplitudeRotationZ = run.orientation.amplitudeRotationX = 0.0f;
    run.tricks.derniereRotYAvtSaut = 0.0f;
}

void airPhase(RunState& run, const TrackModel& track)
{
    if (getContact(run) != 0) return;
    riseOrGrind(run);
    airRotations(run);
    float g = yTheoObjSettingFaceNumber(run.rider.ground, track.points, track.faces, run.motion.Xobjet, run.motion.Zobjet, (float)maxTrackFaces, 1);
    if (run.motion.YavantSaut <= g) touchDown(run, g);
    else run.motion.Yobjet = run.motion.YavantSaut;
}

static void enterHalfPipeWall(RunState& run, int mark)
{
    run.phases.inHalfPipe = 1;
    run.phases.rotSkierYAvantSautHalfPipe = (int)run.orientation.rotSkierY;
    run.phases.inInterieurHalfPipe = 0;
    run.orientation.rotSkierYAvantSaut = (float)mark;
}

// Pushing adds its 400 at the start of every 1/60 s begun with the key held under the push limit.
void pushTick(RunState& run, short held)
{
    if (!held || getContact(run) != 1) return;
    for (int n = tunedStepsBeginning(run.timing.runTicks); n > 0; n--)
        if (run.motion.vitessePrecedente + pushStep < pushLimit) run.motion.vitessePrecedente += pushStep;
}

void handleFaceSurfaceBehaviour(RunState& run, const TrackModel& track)
{
    if (getContact(run) != 1) return;
    int face = getNumeroFaceCourante(run);
    int s = (face >= 0 && face < maxTrackFaces) ? track.textures[face].surface : surfaceNeige;
    // A booster speeds the rider up by 1.1 at the start of every 1/60 s that begins on it.
    if (s == surfaceBooster)
        for (int n = tunedStepsBeginning(run.timing.runTicks); n > 0; n--) run.motion.vitessePrecedente *= boosterFactor;
    switch (s) {
    case surfaceRepousse:
        run.phases.inHalfPipe = run.phases.inInterieurHalfPipe = 0;
        run.motion.vitessePrecedente = repelSpeed;
        break;
    case surfaceHalfPipeDroite: enterHalfPipeWall(run, halfPipeRightMark); break;
    case surfaceHalfPipeGauche: enterHalfPipeWall(run, -halfPipeRightMark); break;
    case surfaceHalfPipeFond: run.phases.inHalfPipe = run.phases.inInterieurHalfPipe = 1; break;
    case surfaceHorsPiste:
        replaceSkierOperation(run, track);
        feedbackOutOfBounds(run);
        run.phases.inHalfPipe = run.phases.inInterieurHalfPipe = 0;
        break;
    case surfaceBooster:
        if (run.rider.ground.previousSurface != surfaceBooster) emitRunEvent(run, RUN_EV_BOOST);
        run.phases.inHalfPipe = run.phases.inInterieurHalfPipe = 0;
        break;
    default: run.phases.inHalfPipe = run.phases.inInterieurHalfPipe = 0; break;
    }
    run.rider.ground.previousSurface = s;
}
