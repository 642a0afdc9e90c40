// The ghost of the track's best run in a run frame: loaded with the run, drawn as a second,
// translucent rider, and its gap to the rider for the HUD.
#pragma once

// At run load, after the track: the best run and its rider's model and skin, when the player
// wants the ghost; the run goes on without one when either cannot be read.
void loadGhostForRun(const char* trackDir, short wanted);
// Inside the world's frame, after the rider: the ghost where and as the sample shows it (its state
// at the drawn moment of the rider's time).
struct RunSample;
void drawGhost(const RunSample& g);
// "Ghost +1.4" behind the ghost, "Ghost -0.8" ahead, into out (16 chars).
void formatGhostGap(char* out, float gap);
// The gap to show on the HUD into out (16 chars): 0 when there is none.
int ghostGapText(char* out);
