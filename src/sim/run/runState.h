// The state of one run down the track: the simulation steps it, the camera, HUD and sounds read it.
#pragma once

#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runFeedback.h"
#include "run/runInput.h"
#include "run/runRecording.h"
#include "skier/riderPose.h"
#include "track/trackModel.h"

class SkierCar;

// The run's clocks.
struct RunTiming {
    int LETSGO = 0;          // 1 during the start countdown
    int DEPART = 0;          // 1 once the run has started
    int animDepartFini = 0;  // the countdown is over
    int tempsDepart = 0;
    int tempsCourant = 0;
    double diffTemps = 0.0;
    float firstTemps = 0.0f;
    float totalTime = 0.0f;
    long runTicks = 0;  // ticks since the run started (DEPART), the run's time in ticks
    float frameps = 1.0f;
};

// Where the rider is and how he moves.
struct RiderMotion {
    float Xobjet = 500.0f, Yobjet = 0.0f, Zobjet = 0.0f;
    float Xprec = 499.0f;
    float distanceX_Parcourue = 0.0f;
    float vitessePrecedente = 0.0f;
    float vitesseMax = 5000.0f;
    float acceleration = 0.0f;
    float velocity = 0.0f;
    float YavantSaut = 100.0f;
    float bufferJump = 10.0f;
    float freinage = 0.0f;
    short skieurStop = 0;
    short skieurArrive = 0;
    // The rider was in the air when the line was crossed: that one flight may still land and bank its points.
    short flightOverLine = 0;
};

// Which way the rider faces and turns.
struct RiderOrientation {
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
};

// The run's modes and phases: air, landing, fakie, half-pipe, fall, rescue.
struct RunPhases {
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
    // Ticks of the put-back gone by (the screen fades in over them): 0 outside one.
    int putBackTicks = 0;
    // The bomb's raised vertex of the last kicker fired, -1 before any (the drawing bursts the snow there).
    int currentBombVertex = -1;
    float sprayDrift = 0.0f;  // sideways pull on the skis' snow while turning on the ground, 0 when none
};

// The trick pose being blended, and the braking pose.
struct TrickBuffer {
    short animationFigureFinie = 1, animationFigureFinieSJ = 1;
    float deroulementFigure = 0, deroulementFigureSJ = 0;  // blend progress, percent
    short figureEnCours = 0;
    float deroulementFreinage = 0;
    float derniereRotYAvtSaut = 0.0f, Ytemp = 0.0f;
};

// The run's points, and what follows the finish.
struct RunScores {
    int totalCollectable = 0;
    int totalScore = 0;
    int bufferScoreJump = 0;
    int finalScore = 0;
    int figScore = 1000;
    short vuScores = 1;  // the score table of the last run was seen
    int rank = -1;       // table index of the last run's entry, or -1
};
// Where the skis meet the ground, as the terrain queries that place the rider leave it.
struct GroundContact {
    int numeroFaceCourante = 0;  // the triangle under the rider
    float YobjetCour = 0.0f;     // the ground's height there
    float Xobjet_inc = 0.0f;     // where the ground step moved the rider along the track
    int contact = 0;             // 1 on the ground, 0 in the air
    int ancienContact = 0;       // contact as it was before the last placement
    int previousSurface = surfaceNeige;  // under the skis last tick: a booster sounds when ridden onto
};

// The jump under way, between ticks.
struct JumpBuffer {
    // Its points with their fractions: a tick earns parts of a point, and truncating each tick's share
    // would pay less at short ticks than at long ones.
    double exactJumpPoints = 0.0;
    float ratesBefore[3] = {0.0f, 0.0f, 0.0f};  // the Y, Z and X spin rates as the tick began
};

// The last landing judged.
struct LandingJudgement {
    int lastDegreesOff = 0;  // by how much it missed its worst test, 0 when it was clean
};

const float polingArmTop = -90.0f;  // the arms' angle as a push begins

// The poling pose on the ground, degrees.
struct PolingPose {
    float arm = polingArmTop;
    float head = 0.0f;
};

// The collision sweeps since the tuned step under way began: samples taken, samples that rode on a
// rail bar, ground covered and tuned steps of time.
struct StepSweeps {
    int samples = 0, onBar = 0;
    float distance = 0;
    double steps = 0;
};

// The rider's movement swept against the obstacles: where the last sweep ended, the rail ground,
// what was picked up.
struct CollisionSweep {
    float xPrecCol = 500.0f, yPrecCol = 0.0f, zPrecCol = 0.0f;  // the rider at the end of the last sweep
    short usingYRail = 0;      // grinding in this sweep
    short lastUsingYRail = 0;  // grinding in the previous sweep
    float yRail = 0.0f;        // height of the rail being ground
    int indiceDernierCollectable = -1;
    int indiceDerniereBombe = -1;
    short boomF = 0;  // a collectable was picked up in this sweep
    short bombF = 0;  // a bomb was picked up in this sweep
    int lastHitObstacleType = -1;  // of the last hit that felled the rider (obstacleSapin, obstacleRail)
    StepSweeps steps;
    short taken[maxObstacles] = {};  // by obstacle: a collectable or bomb already picked up in this run
};

// What the rider carries from tick to tick besides the variables above, all of it started afresh
// with them by reinitGameVar.
struct RiderState {
    GroundContact ground;
    JumpBuffer jump;
    LandingJudgement landing;
    PolingPose poling;
    CollisionSweep collision;
    short riddenSinceStart = 0;  // the rider has moved since the start: only now can he stop
};

// The trick keys pressed since the last take-off, in order, and the combination they make.
struct TrickKeys {
    int preBufferBoutons[256] = {};
    int indexPileBouton = 0;
    int bufferBoutons[6] = {-1, -1, -1, -1, -1, -1};
};

// What the HUD is told of the run: the message, why the rider is down, the time stood still, the trick held.
struct RunTelling {
    RunFeedback runFeedback = {messageNone, 0, 0.0};
    FallCause fallCause = {fallNone, 0, 0};
    double stoppedSeconds = 0.0;
    int trickHeld = -1;
};

// One run: what the simulation steps tick by tick, and all that the drawing, HUD and sounds see of it.
// RunState{} is the state before any run; reinitGameVar starts a run afresh.
struct RunState {
    RunTiming timing;
    RiderMotion motion;
    RiderOrientation orientation;
    RunPhases phases;
    TrickBuffer tricks;
    RunScores scores;
    RiderState rider;
    TrickKeys trickKeys;
    RunInputState input;  // the detectors and timers over the run's input records
    RescueFlight rescueFlight{};
    int nbCollectedBomb = 0;  // the bombs the rider holds
    RunTelling told;
    RunEventList events{};  // what the last tick did, for the sounds and the drawing to take
    RunRecording recording;  // the run as ridden so far, to keep as a best run
    RiderPose pose{};  // the rider's skeleton as this run last posed it
};

// Resets every run variable before a run (the track is loaded and the rider placed afterwards). The
// track given loses its start and finish until its next load: a run is never placed on a stale line.
void reinitGameVar(RunState& run, TrackModel& lineClearedByReset);
