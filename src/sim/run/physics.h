// The rider's motion: ground physics, take-offs, the air phase and the track surfaces.
#pragma once

struct RunState;

struct TrackModel;

// Speeds and thresholds the frame and the tests share.
const float pushStep = 400.0f;  // every 1/60 s while pushing
const float pushLimit = 4000.0f;
const float stoppedSpeed = 400.0f;
const float landingVelocity = 12000.0f;

// Pushes for this tick, with the push key held or not.
void pushTick(RunState& run, short held);

// Remembers the air spin rates as a tick begins (the first step of every tick).
void noteAirRates(RunState& run);

void groundPhysics(RunState& run, const TrackModel& track);
void handleDecollage(RunState& run, int face, float angle);
// The jump key was let go this tick with a charge to leave on: the rider takes off at its end.
short takeOffThisTick(const RunState& run);
void manualTakeOff(RunState& run);
// Gravity or rail, air rotations and their points, touch-down. Only while off the ground.
void airPhase(RunState& run, const TrackModel& track);
void handleFaceSurfaceBehaviour(RunState& run, const TrackModel& track);
// The weight the slope pulls the rider with (the card's, or a default for a card without one).
float riderWeight();
// Adds to the jump's points, truncated toward zero and kept within an int.
void addJumpPoints(RunState& run, double points);
