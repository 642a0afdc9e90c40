// One frame of a run: the simulation (keys, game clock and frameps in, run state out), then its drawing.
#pragma once

// Everything a run frame changes, in frame order, without OpenGL.
void simulateGameFrame();
// simulateGameFrame followed by drawGameFrame.
void displayGame();

// The run start state at the track's start line (the track must be loaded).
void placeSkierAtStart();

void setChute(short fall);
// The rider's up and forward vectors turned by his rotations, into skierNormaleVector / skierFrontVector.
void computeSkierVectors();
// Cross-slope angle of a ground triangle in degrees.
float angleLateral(int face);

// The bomb's raised vertex of the last kicker fired, -1 before any.
extern int currentBombVertex;
