// A moment of a recorded run put back from its samples alone (a best run without its input): the
// run state the drawing reads, the rider posed as the sample shows him.
#pragma once

#include "run/runRecording.h"

struct RunState;
struct TrackModel;

// The run state as sample s shows the rider, the run's score shown as finalScore (the file holds no
// score of the moment).
void placeRunAtSample(RunState& run, const TrackModel& track, const RunSample& s, int finalScore);
