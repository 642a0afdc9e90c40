// Landing judgement, the landing sequence and the banking of a jump's points.
#pragma once

int isLandingOk();
// The frames after touching the ground: fall, or the landing poses; then banking.
void landingSequence();
void bankJumpPoints();
// Angle between two unit vectors over components i and j, in even whole degrees.
int angleBetween(const float* a, const float* b, int i, int j);
