// Setting up the track of a run.
#pragma once

// Loads the track, its three obstacle models, the sound loops and the spray for a run.
// Returns trackLoadOk (trackLoader.h) or an error; on an error the run must not start.
int initGame(const char* trackName);
