// The run's controls: steering, spins and flips, push, brake, ground half-turns, trick keys, bombs.
#pragma once

void runControls();
// The ground animations of a frame: turn poses, poling, crouch, half-turn progress, brake pose.
void groundAnimations();
void pousseBras(short reset);
