// Reading a track file (binary or text form) into the track model.
#pragma once

// Results of the loaders and of initGame.
const int trackLoadOk = 0;
const int trackLoadCantOpen = 1;  // the file cannot be opened
const int trackLoadCorrupt = 2;   // truncated, counts over the capacities or indices outside the vertices
const int trackLoadNoModel = 3;   // initGame only: an obstacle model of the track is missing

// Both return trackLoadOk, or an error after printing a message naming the file.
// On an error the track model is left exactly as it was.
int importTrackFromBinaryFile(const char* path);
int importTrackFromTextFile(const char* path);
