// Landing judgement, the landing sequence and the banking of a jump's points.
#pragma once

struct RunState;

// Current landing tolerances in degrees, set by the level (start-up holds the easiest set, level 0).
extern int toleranceAngleRightAndLeft;
extern int toleranceAngleFrontAndBack;
extern int toleranceAngleLeftSideAndRightSide;

int isLandingOk(RunState& run);
// The frames after touching the ground: fall, or the landing poses; then banking.
void landingSequence(RunState& run);
void bankJumpPoints(RunState& run);
// Angle between two unit vectors over components i and j, in even whole degrees.
int angleBetween(const float* a, const float* b, int i, int j);
