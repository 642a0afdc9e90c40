// Trick keys in, the combination held and the pose it selects out; fakie variants of the poses.
#pragma once

struct RunState;

const int taillePreBuffer = 256;


void empileBouton(RunState& run, int code);
void initBufferBoutons(RunState& run);
void videPileBoutons(RunState& run);
// A new run starts with the air poses of the program's first: the pose a jump blends back from and
// the arm swing (the last run's trick would show in the first jump of the next, and of its re-ride).
void resetAirPoses(RunState& run);
void prepareBufferBoutons(RunState& run);
int thereIsTrickButtonsPressed(const RunState& run);
int compareBoutons(const RunState& run, int* boutons);
int recherchePosition(const RunState& run);

const float* fakieOrNotNorm(const RunState& run, float* buf);
const float* fakieOrNotDroite(const RunState& run, float* buf);
const float* fakieOrNotGauche(const RunState& run, float* buf);
const float* fakieOrNotCrouch(const RunState& run, float* buf);
const float* fakieOrNotSJ(const RunState& run);
const float* fakieOrNotReception(const RunState& run);
const float* fakieOrNotOG(RunState& run);
const float* fakieOrNotPos(RunState& run, const float* pose);

// Reads the trick keys into the combination and picks the trick pose (controls, once a frame).
void trickInputStep(RunState& run);
// Poses in the air: trick pose and its points, grind pose, back to the jump pose.
void airPoseSteps(RunState& run);
