// Track selection and the options screen (difficulty level and landing tolerances).
#pragma once

const int TRACK_THUMB_BYTES = 256 * 256 * 3;
const int TRACK_DESC_BYTES = 1504;

// Current landing tolerances in degrees, read by the landing test.
extern int toleranceAngleRightAndLeft;
extern int toleranceAngleFrontAndBack;
extern int toleranceAngleLeftSideAndRightSide;

extern const int toleranceAngleRightAndLeft_Wiz, toleranceAngleFrontAndBack_Wiz,
    toleranceAngleLeftSideAndRightSide_Wiz;
extern const int toleranceAngleRightAndLeft_Lo, toleranceAngleFrontAndBack_Lo,
    toleranceAngleLeftSideAndRightSide_Lo;
extern const int toleranceAngleRightAndLeft_Mid, toleranceAngleFrontAndBack_Mid,
    toleranceAngleLeftSideAndRightSide_Mid;
extern const int toleranceAngleRightAndLeft_Hi, toleranceAngleFrontAndBack_Hi,
    toleranceAngleLeftSideAndRightSide_Hi;

void choixPiste(short leaving);
void displayChoixPiste(char list[][256], int count, int selected, char* description, short redraw);
void drawTrackThumbnail();
int getSelectedTrack();
// Reads "./data/tracks/<dir>/<dir>.desc" into out (size bytes, always NUL-terminated, cut when longer);
// a single space when the file cannot be opened or is no plain file. Returns 1 in that case, else 0.
int loadTrackDescription(const char* trackDir, char* out, int size);
// The same for a description file given by its path.
int readDescriptionFile(const char* path, char* out, int size);

void getLevelNameForInt(char* out, int level);
// Copies the tolerance set of level into the three current tolerances (unknown levels: unchanged).
void applyLevelTolerances(int level);
void ecranOptions();
void displayEcranOptions(int level, short redraw);
