// A recorded run ridden again on the loaded track, with no display: its input tick by tick, under the
// conditions it was ridden in (weight, landing tolerances), from the track as its file had it. The
// run state is the re-ride's while it goes; what the player set (weight, tolerances) is given back.
#pragma once

#include <functional>

#include "run/bestRun.h"

struct RunState;
struct TrackModel;

struct ReRider {
    InputCursor cursor;
    RideConditions kept;  // the game's own, given back by endReRide
    short riding = 0;
};

// A run as the game loop prepares one: rewoundTrack put back as its last accepted file had it
// (kickers of the last run undone), the run state reset, the bombs counted again. 0 when no track
// was loaded. Every re-ride below rewinds the track it is given and lets the run's bombs raise it.
int freshRunOnLoadedTrack(RunState& run, TrackModel& rewoundTrack);
// The recorded run from the start line, under its conditions: 0 when no track is loaded.
int beginReRide(RunState& run, TrackModel& rewoundTrack, ReRider* r, const InputRecording& input);
// One recorded tick: 0 once every tick was ridden. frameps is what the drawing is told (F7 only).
int reRideTick(RunState& run, TrackModel& groundRaisedByBomb, ReRider* r, float frameps);
// The game's weight and tolerances back; the run state stays the re-ride's.
void endReRide(ReRider* r);

// Rides the best run's input again to its end, calling afterTick after each tick (its events are
// there to take, then cleared): nullptr when it reaches the recorded score and time, else why not.
// The run state is the re-ride's afterwards.
const char* reRideBestRun(RunState& run, TrackModel& rewoundTrack, const BestRun& best, const std::function<void()>& afterTick = nullptr);
// The single line told to the player about a best run that does not ride again, into out.
void bestRunRefusalLine(char* out, size_t size, const char* why, const char* whatIsLost);
