// Poses: the built-in poses, the trick poses read from the positions directory, and the stepped
// blending that moves the pose variables from one pose to another.
#pragma once

#include "skier/riderPose.h"

const int nbJointsPose = nbPoseVariables;
const int nbPositionsMax = 64;
const int nbBoutonsPosition = 6;
const int pasAnimationDefaut = 5;

struct SkiPosition {
    int score;  // points per second while held
    char name[256];
    int boutons[6];  // button codes ascending, free entries -1; empty slot: all -2
    float position[37];
};

extern SkiPosition positionsDispo[64];

// Built-in poses (vector order: right leg, left leg, spine, right arm, left arm, head).
extern float reposPosition[37];
extern float oneGrabPosition[37];
extern float okPosition1[37];
extern float okPosition2[37];
extern float normalPosition[37];
extern float virGauchePosition[37];
extern float virDroitePosition[37];
extern float receptionPosition[37];
extern float fakiePosition[37];
extern float virFakieGauchePosition[37];
extern float virFakieDroitePosition[37];
extern float fakieReceptionPosition[37];
extern float simpleJumpFakie[37];
extern float simpleJump[37];
extern float freinagePGauchePosition[37];
extern float freinagePDroitePosition[37];
extern float freinageFakiePosition[37];
extern float bouleChutePosition[37];
extern float chutePosition[37];
extern float grindPosition[37];
extern float normalCrouchPosition[37];
extern float fakieCrouchPosition[37];

// dir ends with '/'; files are named 0, 1, 2 ... and must be contiguous.
void loadPositions(const char* dir);
int numberOfPositionsInDir(const char* dir);
// Returns 0, or 1 when the file cannot be read (the slot is left as it was).
int importPosition(const char* fileName, SkiPosition* p);
void initPositions();
SkiPosition* getPositionsDispo();

void changePosition(const float* pose);
void changePositionDbl(float* dst, const float* src);
void changePositionFakie(float* dst, const float* src);
// Sets the pose variables to the pose reached from `from` towards `to` after percent per cent of
// the motion, all joints turning step degrees at a time.
void animPosition(const float* from, const float* to, float percent, int step = pasAnimationDefaut);
// animPosition from the current pose variables.
void animPositionActu(const float* to, float percent, int step = pasAnimationDefaut);

// Current pose variables in vector order.
void lirePoseCourante(float* pose);

void printPositionCFile();
void affichePosition();
