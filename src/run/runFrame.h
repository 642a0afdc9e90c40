// One frame of a run: the frame's input record and the track in, the run state out. Draws nothing.
#pragma once

struct RunInput;

// Everything a run frame changes, in frame order. The record is all it reads of keys, clock and frame rate.
void simulateGameFrame(const RunInput& in);

// The run start state at the track's start line (the track must be loaded); nowMs starts the frame timer.
void placeSkierAtStart(long nowMs);

void setChute(short fall);
// The rider's up and forward vectors turned by his rotations, into skierNormaleVector / skierFrontVector.
void computeSkierVectors();
