// Track selection and the options screen (difficulty level and landing tolerances).
#pragma once

const int TRACK_THUMB_BYTES = 256 * 256 * 3;
const int TRACK_DESC_BYTES = 1504;
const int TRACK_TITLE_BYTES = 256;

#include "run/landing.h"  // the current landing tolerances
#include "shell/screenFlow.h"

const int TRACK_NOTE_CHARS = 320;
// Why the highlighted track could not be ridden, shown on the track screen until another is highlighted.
extern char trackNote[TRACK_NOTE_CHARS];

void choixPiste(short leaving);
// What the track screen says of the tracks the full list left out, "" when every track is listed.
const char* trackListNote();
void displayChoixPiste(char list[][256], int count, int selected, char* description, short redraw);
// The highlighted track's title as a player reads it (read from its track file with the description).
const char* highlightedTrackTitle();
void drawTrackThumbnail();
int getSelectedTrack();
// Highlights the listed track of that folder name; an unknown name changes nothing.
void selectTrackNamed(const char* dir);
// Lists the tracks again (a seeded one was built) and highlights `select`, or with none the same track.
void refreshTrackList(const char* select);
// The seed being typed on the track screen: ENTER and ESC belong to it while it is open.
bool typingSeed();
const char* typedSeedText();
// Reads "./data/tracks/<dir>/<dir>.desc" into out (size bytes, always NUL-terminated, cut when longer);
// a single space when the file cannot be opened or is no plain file. Returns 1 in that case, else 0.
int loadTrackDescription(const char* trackDir, char* out, int size);
// The same for a description file given by its path.
int readDescriptionFile(const char* path, char* out, int size);

const int NB_LEVELS = 4;
void getLevelNameForInt(char* out, int level);
// The level's three tolerances (right and left, front and back, sides) into out; 0 for an unknown level.
int getLevelTolerances(int level, int out[3]);
// Copies the tolerance set of level into the three current tolerances (unknown levels: unchanged).
void applyLevelTolerances(int level);
// One frame of the options screen: keySetupOpened or lessonAsked on Return, else nothing.
ScreenEvent ecranOptions();
void displayEcranOptions(int level, short redraw);
