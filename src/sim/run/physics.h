// The rider's motion: ground physics, take-offs, the air phase and the track surfaces.
#pragma once

struct TexData;

// Speeds and thresholds the frame and the tests share.
const float pushStep = 400.0f;  // every 1/60 s while pushing
const float pushLimit = 4000.0f;
const float stoppedSpeed = 400.0f;
const float landingVelocity = 12000.0f;

// Pushes for this tick, with the push key held or not.
void pushTick(short held);

// Remembers the air spin rates as a tick begins (the first step of every tick).
void noteAirRates();

void groundPhysics();
void handleDecollage(int face, float angle);
// The jump key was let go this tick with a charge to leave on: the rider takes off at its end.
short takeOffThisTick();
void manualTakeOff();
// Gravity or rail, air rotations and their points, touch-down. Only while off the ground.
void airPhase();
void handleFaceSurfaceBehaviour(const TexData* surfaces);
// The weight the slope pulls the rider with (the card's, or a default for a card without one).
float riderWeight();
// Adds to the jump's points, truncated toward zero and kept within an int.
void addJumpPoints(double points);
