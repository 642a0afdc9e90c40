// The run under way as it is recorded, and the track's best run raced as a ghost: both on the
// ride clock (the countdown's second, then the run time). Nothing here touches the rider's run.
#pragma once

#include "run/bestRun.h"

struct RunState;
struct TrackModel;

extern BestRun ghostRun;           // the best run raced on this track
extern short ghostReady;           // ghostRun holds a run of the track being ridden
const int GHOST_REFUSAL_CHARS = 160;
extern char ghostRefusal[GHOST_REFUSAL_CHARS];  // why the last best run is no ghost, or ""

// Seconds since the countdown began; -1 while the rider waits at the start.
double rideClock(const RunState& run);
// The rider's visible state this frame.
RunSample riderSample(const RunState& run);
// What the ride reads besides input and track, as it stands now.
RideConditions rideConditionsNow();
// Adds this tick to recordingRun: its buttons until the score is settled and, on the ride clock up
// to the finish, its sample (the last step of a tick).
void recordRiderFrame(RunState& run);

// Loads the track's best run when the ghost is wanted; returns ghostReady. A run with its input is
// ridden again first on the loaded track (which must be the run's): one that does not come to its
// score and time is refused, ghostRefusal saying so. The run state is then fresh, as before a start.
short prepareGhostRun(RunState& run, TrackModel& rewoundTrack, const char* trackDir, short wanted);
void dropGhostRun();
// The ghost's state at the rider's ride clock: 0 without a ghost or before the countdown.
int ghostSampleNow(const RunState& run, RunSample* out);
// The rider's gap to the ghost at his distance down the track ("+" behind): 0 when there is none
// to show (no ghost, not started, finished, or past the ghost's last sample).
int ghostGapNow(const RunState& run, float* gap);
