// Takes one call a frame and the game clock; returns the frames counted in the last whole second.
#pragma once

// Frames counted in the last window of more than one second (0.0 before the first closes).
double framesPerSecond();
void resetFramesPerSecond();
