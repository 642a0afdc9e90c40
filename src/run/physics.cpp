// Takes the run state, the input record, frame time and the terrain; moves the rider on the ground and in the air.
#include "run/physics.h"

#include <climits>
#include <cmath>

#include "run/newton.h"
#include "run/runEvents.h"
#include "run/runFeedback.h"
#include "run/runInput.h"
#include "run/runState.h"
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
static const float highSpeedDecay = 0.99f;
static const float baseDrag = 10.0f;
static const float emptyCharge = 10.0f;
static const float fullCharge = 20.0f;
static const float rampVelocity = 25000.0f;
static const float flatVelocity = 10000.0f;
static const float rampAngle = 5.0f;
static const float crestDrop = -40.0f;
static const float gravityMargin = 1000.0f;
static const float fastGravityFactor = 1.1f;
static const float risePerVelocity = 0.02f;
static const float grindPointsPerSecond = 150000.0f;
static const float spinPoints = 250.0f, flipPoints = 375.0f, sideFlipPoints = 500.0f;
static const float boosterFactor = 1.1f;
static const float repelSpeed = -1000.0f;
static const int halfPipeRightMark = 7;

static float riderWeight()
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
    if (fabsf(v) < vitesseMax) v = giveNewSpeed(v, acceleration, (float)diffTemps);
    else if (fabsf(v) > vitesseMax) v *= highSpeedDecay;
    else return;
    float drag = (freinage + baseDrag) * frameScale();
    v += v > 0 ? -drag : drag;
    vitessePrecedente = v;
}

static void placeOnGround()
{
    if (getContact() != 1) return;
    angleCourant = placeObjetAndGetAngle(points, faces, getXobjet_inc(), Zobjet, (float)maxTrackFaces, rotSkierY,
                                         faceUpVector);
    if (bufferJump < emptyCharge || (runHeld(RB_JUMP) && bufferJump < fullCharge)) bufferJump += frameScale();
}

void groundPhysics()
{
    integratePosition();
    updateGroundSpeed();
    placeOnGround();
}

void manualTakeOff()
{
    short released = runReleased(RB_JUMP);
    if (!released || getContact() != 1 || bufferJump < emptyCharge) return;
    wasFakieBeforeJump = fakie;
    rotYSautAccepte = 0;
    deroulementFigure = 5;
    figureEnCours = 1;
    for (int i = 0; i < 3; i++) frontVectorBeforeJump[i] = skierFrontVector[i];
    float base = angleDePlacementEffectif > rampAngle ? rampVelocity : flatVelocity;
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

void addJumpPoints(double points)
{
    // A long stall (the clock jumping) must not overflow the jump's points.
    double total = bufferScoreJump + points;
    if (std::isnan(total)) return;
    if (total > INT_MAX) total = INT_MAX;
    if (total < INT_MIN) total = INT_MIN;
    bufferScoreJump = (int)total;
}

static void riseOrGrind()
{
    if (usingYRail) {
        YavantSaut = yRail;
        addJumpPoints(diffTemps * grindPointsPerSecond);
        return;
    }
    float K = vitessePrecedente <= vitesseMax ? vitesseMax + gravityMargin : fastGravityFactor * vitesseMax + gravityMargin;
    velocity -= fabsf(K - vitessePrecedente) * frameScale();
    YavantSaut += velocity * risePerVelocity;
}

static void airRotations()
{
    float k = frameScale();
    rotSkierY += amplitudeRotationY;
    rotSkierZ += amplitudeRotationZ;
    rotSkierX += amplitudeRotationX;
    addJumpPoints(k * spinPoints * fabsf(amplitudeRotationY));
    addJumpPoints(k * flipPoints * fabsf(amplitudeRotationZ));
    addJumpPoints(k * sideFlipPoints * fabsf(amplitudeRotationX));
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

// The surface under the skis last frame: a booster sounds when the rider rides onto it.
static int previousSurface = surfaceNeige;

void forgetPreviousSurface() { previousSurface = surfaceNeige; }

void handleFaceSurfaceBehaviour(TexData* surfaces)
{
    if (getContact() != 1) return;
    int face = getNumeroFaceCourante();
    int s = (surfaces && face >= 0 && face < maxTrackFaces) ? surfaces[face].surface : surfaceNeige;
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
        vitessePrecedente *= boosterFactor;
        if (previousSurface != surfaceBooster) emitRunEvent(RUN_EV_BOOST);
        inHalfPipe = inInterieurHalfPipe = 0;
        break;
    default: inHalfPipe = inInterieurHalfPipe = 0; break;
    }
    previousSurface = s;
}
