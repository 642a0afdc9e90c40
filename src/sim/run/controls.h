// The run's controls: steering, spins and flips, push, brake, ground half-turns, trick keys, bombs.
#pragma once

struct RunState;
struct TrackModel;

void runControls(RunState& run, TrackModel& groundRaisedByBomb);
// The ground animations of a frame: turn poses, poling, crouch, half-turn progress, brake pose.
void groundAnimations(RunState& run);
void pousseBras(const RunState& run, short reset);
