// Trick keys in, the combination held and the pose it selects out; fakie variants of the poses.
#pragma once

const int taillePreBuffer = 256;


void empileBouton(int code);
void initBufferBoutons();
void videPileBoutons();
// A new run starts with the air poses of the program's first: the pose a jump blends back from and
// the arm swing (the last run's trick would show in the first jump of the next, and of its re-ride).
void resetAirPoses();
void prepareBufferBoutons();
int thereIsTrickButtonsPressed();
int compareBoutons(int* boutons);
int recherchePosition();

const float* fakieOrNotNorm(float* buf);
const float* fakieOrNotDroite(float* buf);
const float* fakieOrNotGauche(float* buf);
const float* fakieOrNotCrouch(float* buf);
const float* fakieOrNotSJ();
const float* fakieOrNotReception();
const float* fakieOrNotOG();
const float* fakieOrNotPos(const float* pose);

// Reads the trick keys into the combination and picks the trick pose (controls, once a frame).
void trickInputStep();
// Poses in the air: trick pose and its points, grind pose, back to the jump pose.
void airPoseSteps();
