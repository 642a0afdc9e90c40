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

// Built-in poses (vector order: right leg, left leg, spine, right arm, left arm, head), fixed for
// the whole game.
struct BuiltInPoses {
    float reposPosition[nbJointsPose];
    float oneGrabPosition[nbJointsPose];
    float okPosition1[nbJointsPose];
    float okPosition2[nbJointsPose];
    float normalPosition[nbJointsPose];
    float virGauchePosition[nbJointsPose];
    float virDroitePosition[nbJointsPose];
    float receptionPosition[nbJointsPose];
    float fakiePosition[nbJointsPose];
    float virFakieGauchePosition[nbJointsPose];
    float virFakieDroitePosition[nbJointsPose];
    float fakieReceptionPosition[nbJointsPose];
    float simpleJumpFakie[nbJointsPose];
    float simpleJump[nbJointsPose];
    float freinagePGauchePosition[nbJointsPose];
    float freinagePDroitePosition[nbJointsPose];
    float freinageFakiePosition[nbJointsPose];
    float bouleChutePosition[nbJointsPose];
    float chutePosition[nbJointsPose];
    float grindPosition[nbJointsPose];
    float normalCrouchPosition[nbJointsPose];
    float fakieCrouchPosition[nbJointsPose];
};
extern const BuiltInPoses builtInPoses;

// dir ends with '/'; files are named 0, 1, 2 ... and must be contiguous.
void loadPositions(const char* dir);
int numberOfPositionsInDir(const char* dir);
// Returns 0, or 1 when the file cannot be read (the slot is left as it was).
int importPosition(const char* fileName, SkiPosition* p);
void initPositions();
// The trick table: loaded from the position files at start-up, read by the trick input after.
SkiPosition* getPositionsDispo();

void changePosition(RiderPose& pose, const float* angles);
void changePositionDbl(float* dst, const float* src);
void changePositionFakie(float* dst, const float* src);
// Sets the pose variables to the pose reached from `from` towards `to` after percent per cent of
// the motion, all joints turning step degrees at a time.
void animPosition(RiderPose& pose, const float* from, const float* to, float percent, int step = pasAnimationDefaut);
// animPosition from the current pose variables.
void animPositionActu(RiderPose& pose, const float* to, float percent, int step = pasAnimationDefaut);

// Current pose variables in vector order.
void lirePoseCourante(const RiderPose& pose, float* angles);

void printPositionCFile(const RiderPose& pose);
void affichePosition(const RiderPose& pose);
