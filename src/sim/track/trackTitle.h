// Track titles as a player reads them: the stored title has underscores for spaces.
#pragma once

// The title with every underscore shown as a space, cut to size bytes (always NUL-terminated).
void shownTitle(char* out, int size, const char* title);
// The stored title of the track in "<data>/tracks/<dir>/<dir>.btrk" (its first 256 bytes); the folder
// name when the file cannot be read. Returns 0 when the title came from the file, else 1.
int readTrackTitle(const char* trackDir, char* out, int size);
