// Name entry after a finished run, and the score table of the track.
#pragma once

#include "run/runState.h"  // vuScores, rank
extern short scoreSaved; // the last run's table reached its file

const int SCORE_NOTE_CHARS = 320;
extern char scoreNote[SCORE_NOTE_CHARS]; // what the table says about its file, or ""

extern const char letterGrid[4][7];
extern int indPlayerName;
extern int selectedLetter;  // grid row
extern int selectedColumn;  // grid column

// A new entry after a finished run: the cursor on 'A', the first initial next, the Return still
// held from the run ignored.
void openNameEntry();
void typeName();
void displayTypeName(const char grid[4][7], int* cursor, short redraw);
void viewScores();
void displayViewScores(short redraw);
// Loads the track's table, adds the run, writes it back and sets rank (what '#' and ESC do).
void saveRunScore();
// The same with the run's results given: the time text, the final score and the time in seconds.
void saveRunScoreWith(const char* timeText, int finalScore, float seconds);
