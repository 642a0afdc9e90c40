// The state of one run down the track, shared by the frame, physics, landing, collisions, camera, HUD and sounds.
#pragma once

#include "track/trackModel.h"

class SkierCar;

// timing
extern int LETSGO;
extern int DEPART;
extern int animDepartFini;
extern int tempsDepart;
extern int tempsCourant;
extern double diffTemps;
extern float firstTemps;
extern float totalTime;
extern long runTicks;  // ticks since the run started (DEPART), the run's time in ticks
extern float frameps;

// position and motion
extern float Xobjet, Yobjet, Zobjet;
extern float Xprec;
extern float distanceX_Parcourue;
extern float vitessePrecedente;
extern float vitesseMax;
extern float acceleration;
extern float velocity;
extern float YavantSaut;
extern float bufferJump;
extern float freinage;
extern short skieurStop;
extern short skieurArrive;
// The rider was in the air when the line was crossed: that one flight may still land and bank its points.
extern short flightOverLine;

// orientation
extern float rotSkierY, rotSkierX, rotSkierZ;
extern float rotSkierYAvantSaut;
extern float rotSkierTour;
extern float amplitudeRotationX, amplitudeRotationY, amplitudeRotationZ;
extern float angleCourant;
extern float angleDePlacementEffectif;
extern float pasAngleContact;
extern float faceUpVector[3];
extern float skierNormaleVector[3];
extern float skierFrontVector[3];
extern float frontVectorBeforeJump[3];

// modes and phases
extern short changementContact;
extern short reception, phaseUnReceptionTermine;
extern short decollageAutomatique;
extern short rotYSautAccepte;
extern short sautDroite, sautGauche, sautDevant, sautDerriere;
extern short sautLincolnLoopDroite, sautLincolnLoopGauche;
extern short fakie;
extern short wasFakieBeforeJump;
extern short changementFakieSolRight, changementFakieSolLeft;
extern float rotFakieSolRight, rotFakieSolLeft;
extern short inHalfPipe, inInterieurHalfPipe;
extern int rotSkierYAvantSautHalfPipe;
extern int numFaceCour;
extern float angleFaceCour;
extern short chute;
extern float rotationChute, tempsChute;
extern float sensRotationChute;
extern short askForRescue, endOfRescue;
extern int replacement;
// Ticks of the put-back gone by (the screen fades in over them): 0 outside one.
extern int putBackTicks;
// The bomb's raised vertex of the last kicker fired, -1 before any (the drawing bursts the snow there).
extern int currentBombVertex;
extern float sprayDrift;  // sideways pull on the skis' snow while turning on the ground, 0 when none

// trick sequence, braking and scores
extern short animationFigureFinie, animationFigureFinieSJ;
extern float deroulementFigure, deroulementFigureSJ;  // blend progress, percent
extern short figureEnCours;
extern float deroulementFreinage;
extern float derniereRotYAvtSaut, Ytemp;
extern int totalCollectable;
extern int totalScore;
extern int bufferScoreJump;
extern int finalScore;
extern int figScore;

// after the finish
extern short vuScores;  // the score table of the last run was seen
extern int rank;        // table index of the last run's entry, or -1

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
extern RiderState riderState;

// Resets every run variable before a run (the track is loaded and the rider placed afterwards).
void reinitGameVar();
