// Name entry after a finished run, and the score table of the track.
#pragma once

#include "run/runState.h"  // vuScores, rank
#include "shell/screenFlow.h"

const int SCORE_NOTE_CHARS = 320;
// What the score table says of the last run's save.
struct ScoreSave {
    short scoreSaved = 1;                 // the last run's table reached its file
    char scoreNote[SCORE_NOTE_CHARS] = {}; // what the table says about its file, or ""
};
extern ScoreSave scoreSave;

const char letterGrid[4][7] = {{'A', 'B', 'C', 'D', 'E', 'F', 'G'},
                               {'H', 'I', 'J', 'K', 'L', 'M', 'N'},
                               {'O', 'P', 'Q', 'R', 'S', 'T', 'U'},
                               {'V', 'W', 'X', 'Y', 'Z', '<', '#'}};
// Where the name entry's cursor stands: the initial typed next and the grid cell.
struct NameEntryCursor {
    int indPlayerName = 0;
    int selectedLetter = 0;  // grid row
    int selectedColumn = 0;  // grid column
};
extern NameEntryCursor nameCursor;

// A new entry after a finished run: the cursor on 'A', the first initial next, the Return still
// held from the run ignored.
void openNameEntry();
// One frame of the name entry: nameSaved once '#' or ESC saved the run.
ScreenEvent typeName();
void displayTypeName(const char grid[4][7], int* cursor, short redraw);
// One frame of the score table: scoresLeft on ENTER or ESC, replayOpened on R (when there is a best run
// to play), filmOpened on V.
ScreenEvent viewScores();
void displayViewScores(short redraw);
// Loads the track's table, adds the run, writes it back and sets rank (what '#' and ESC do).
void saveRunScore();
// The same with the run's results given: the time text, the final score and the time in seconds.
void saveRunScoreWith(const char* timeText, int finalScore, float seconds);
