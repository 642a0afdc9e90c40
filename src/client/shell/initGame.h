// Setting up the track of a run.
#pragma once

struct TrackModel;

// Loads the track into the model given, its three obstacle models, the sound loops and the spray for a
// run. Returns trackLoadOk (trackLoader.h) or an error; on an error the run must not start.
int initGame(TrackModel& track, const char* trackName);
