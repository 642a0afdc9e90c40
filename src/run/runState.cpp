// Run-state globals and their reset before each run.
#include "run/runState.h"

#include "run/runFeedback.h"

#include <cmath>

#include "run/ghostRun.h"
#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runInput.h"
#include "run/trickInput.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float startX = 500.0f;
static const float startZ = 0.0f;
static const float emptyJumpCharge = 10.0f;
static const float airHeightAboveGround = 100.0f;

int LETSGO = 0;
int DEPART = 0;
int animDepartFini = 0;
int tempsDepart = 0;
int tempsCourant = 0;
double diffTemps = 0.0;
float firstTemps = 0.0f;
float totalTime = 0.0f;
long runTicks = 0;
float frameps = 1.0f;

float Xobjet = startX, Yobjet = 0.0f, Zobjet = startZ;
float Xprec = startX - 1.0f;
float distanceX_Parcourue = 0.0f;
float vitessePrecedente = 0.0f;
float vitesseMax = 5000.0f;
float acceleration = 0.0f;
float velocity = 0.0f;
float YavantSaut = airHeightAboveGround;
float bufferJump = emptyJumpCharge;
float freinage = 0.0f;
short skieurStop = 0;
short skieurArrive = 0;
short flightOverLine = 0;

float rotSkierY = 0.0f, rotSkierX = 0.0f, rotSkierZ = 0.0f;
float rotSkierYAvantSaut = 0.0f;
float rotSkierTour = 0.0f;
float amplitudeRotationX = 0.0f, amplitudeRotationY = 0.0f, amplitudeRotationZ = 0.0f;
float angleCourant = 0.0f;
float angleDePlacementEffectif = 0.0f;
float pasAngleContact = 1.0f;
float faceUpVector[3] = {0.0f, 1.0f, 0.0f};
float skierNormaleVector[3] = {0.0f, 1.0f, 0.0f};
float skierFrontVector[3] = {1.0f, 0.0f, 0.0f};
float frontVectorBeforeJump[3] = {1.0f, 0.0f, 0.0f};

short changementContact = 0;
short reception = 0, phaseUnReceptionTermine = 0;
short decollageAutomatique = 0;
short rotYSautAccepte = 1;
short sautDroite = 0, sautGauche = 0, sautDevant = 0, sautDerriere = 0;
short sautLincolnLoopDroite = 0, sautLincolnLoopGauche = 0;
short fakie = 0;
short wasFakieBeforeJump = 0;
short changementFakieSolRight = 0, changementFakieSolLeft = 0;
float rotFakieSolRight = 0.0f, rotFakieSolLeft = 0.0f;
short inHalfPipe = 0, inInterieurHalfPipe = 0;
int rotSkierYAvantSautHalfPipe = 0;
int numFaceCour = 0;
float angleFaceCour = 0.0f;
short chute = 0;
float rotationChute = 0.0f, tempsChute = 0.0f;
float sensRotationChute = 1.0f;
short askForRescue = 0, endOfRescue = 1;
int replacement = 0;
int putBackTicks = 0;
float sprayDrift = 0.0f;
int currentBombVertex = -1;
short vuScores = 1;
int rank = -1;

short animationFigureFinie = 1, animationFigureFinieSJ = 1;
float deroulementFigure = 0, deroulementFigureSJ = 0;
short figureEnCours = 0;
float deroulementFreinage = 0;
float derniereRotYAvtSaut = 0.0f, Ytemp = 0.0f;
int totalCollectable = 0;
int totalScore = 0;
int bufferScoreJump = 0;
int finalScore = 0;
int figScore = 1000;
RiderState riderState;

static void resetTimingAndMotion() {
    LETSGO = 0;
    DEPART = 0;
    animDepartFini = 0;
    tempsCourant = 0;
    firstTemps = 0.0f;
    totalTime = 0.0f;
    runTicks = 0;
    Xobjet = startX;
    Zobjet = startZ;
    distanceX_Parcourue = 0.0f;
    vitessePrecedente = 0.0f;
    // Carried over, these made a run differ from the one before it: a standing rider slid off with
    // the last run's slope, the first crest launched with whatever vertical speed was left (none at
    // all in the first run), the countdown began with the last frame's duration. Every run now starts
    // as after a landing.
    acceleration = 0.0f;
    velocity = 12000.0f;
    diffTemps = 0.0;
    vitesseMax = 5000.0f;
    bufferJump = emptyJumpCharge;
    freinage = 0.0f;
    skieurStop = 0;
    skieurArrive = 0;
    flightOverLine = 0;
}

// A run left in the air (ESC after a jump, a finish before touch-down) must not hand its flight to the
// next one: a recorded run re-rides the same only if every run starts from the same state.
static void resetFlightCarryOver() {
    amplitudeRotationX = 0.0f;
    sautLincolnLoopDroite = sautLincolnLoopGauche = 0;
    rotYSautAccepte = 1;
    rotFakieSolRight = rotFakieSolLeft = 0.0f;
    frontVectorBeforeJump[0] = 1.0f, frontVectorBeforeJump[1] = frontVectorBeforeJump[2] = 0.0f;
}

static void resetOrientation() {
    rotSkierY = rotSkierX = rotSkierZ = 0.0f;
    rotSkierYAvantSaut = 0.0f;
    amplitudeRotationY = amplitudeRotationZ = 0.0f;
    resetFlightCarryOver();
}

static void resetPhases() {
    changementContact = 0;
    reception = phaseUnReceptionTermine = 0;
    decollageAutomatique = 0;
    sautDroite = sautGauche = sautDevant = sautDerriere = 0;
    fakie = 0;
    wasFakieBeforeJump = 0;
    changementFakieSolRight = changementFakieSolLeft = 0;
    inHalfPipe = inInterieurHalfPipe = 0;
    rotSkierYAvantSautHalfPipe = 0;
    angleFaceCour = 0.0f;
    chute = 0;
    rotationChute = tempsChute = 0.0f;
    sensRotationChute = 1.0f;
    askForRescue = 0;
    endOfRescue = 1;
    replacement = 0;
    putBackTicks = 0;  // a run left during the fade must not shorten the next one's
}

static void resetTricksAndScores() {
    animationFigureFinie = animationFigureFinieSJ = 1;
    deroulementFigure = deroulementFigureSJ = figureEnCours = 0;
    deroulementFreinage = 0;
    derniereRotYAvtSaut = Ytemp = 0.0f;
    totalCollectable = 0;
    totalScore = 0;
    bufferScoreJump = 0;
    finalScore = 0;
    figScore = 1000;
    resetAirPoses();
    vuScores = 1;
    rank = -1;
    sprayDrift = 0.0f;
    resetRescueFlight();
    clearRunEvents();
    emitRunEvent(RUN_EV_SPRAY_STOP);
}

static void resetTrackPlacement() {
    depart = arrivee = 0.0f;
    setXobjet_inc(startX);
    setContact(1);
    // Still the previous track (all zero before the first run): placeSkierAtStart places the rider properly.
    Yobjet = yTheoObjSettingFaceNumber(points, faces, startX, startZ, (float)maxTrackFaces, 1);
    // The empty track of the first run is flat at height 0, not a plane through three equal points.
    if (!std::isfinite(Yobjet)) Yobjet = 0.0f;
    numFaceCour = getNumeroFaceCourante();
    YavantSaut = Yobjet + airHeightAboveGround;
    reinitCollisionSweep(Xobjet, Yobjet, Zobjet);
}

void reinitGameVar() {
    // Nothing of the last run's contact, jump, landing, poles or sweeps is carried into this one.
    riderState = RiderState{};
    resetTimingAndMotion();
    resetOrientation();
    resetPhases();
    resetTricksAndScores();
    resetRunFeedback();
    resetTrackPlacement();
    clearRecording(&recordingRun);
    resetRunInput();
}
