// Reading a track file (binary or text form) into a track model.
#pragma once

struct TrackModel;

// The camera the player chose (1-3); a track file may choose it for him, the prefs store it.
extern int viewChoice;

// Results of the loaders and of initGame.
const int trackLoadOk = 0;
const int trackLoadCantOpen = 1;  // the file cannot be opened
const int trackLoadCorrupt = 2;   // truncated, counts over the capacities or indices outside the vertices
const int trackLoadNoModel = 3;   // initGame only: an obstacle model of the track is missing
const int trackLoadNoRun = 4;     // no faces, the finish not after the start, or either off the grid

const int TRACK_REFUSAL_CHARS = 320;
// Why the last track was refused, one English line naming its file; "" once a file was read.
extern char trackRefusal[TRACK_REFUSAL_CHARS];
// Keeps the line in trackRefusal and prints it on standard error.
void noteTrackRefusal(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Both fill the track given and return trackLoadOk, or an error after noting a message naming the file.
// On an error the track is left exactly as it was.
int importTrackFromBinaryFile(TrackModel& track, const char* path);
int importTrackFromTextFile(TrackModel& track, const char* path);
// Puts the last track file loaded (into whichever model) back into the track given as its file had it
// (kickers raised by bombs and every other change a run made to it undone; what a run picked up is the
// run's own; the camera the player chose stays):
// 1, or 0 when the last load was refused or none was made.
int restoreLoadedTrack(TrackModel& track);
