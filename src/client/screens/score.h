// The high-score table of one track, kept sorted weakest first, and its "top.sc" file.
#pragma once

#include "fileio/atomicWrite.h"
#include "run/runScore.h"  // COLLECTABLE_POINTS

const int NB_SCORES = 10;
const int SCORE_NAME_CHARS = 256;
const int SCORE_RECORD_BYTES = SCORE_NAME_CHARS + 8;
const double EMPTY_SCORE = -99999999999.0;
const double SECOND_COST = 17000.0; // ranking points one second of riding costs

struct ScoreEntry {
    char name[SCORE_NAME_CHARS];
    double score;
};
extern ScoreEntry tabScores[NB_SCORES];

void setScore(int i, const char* name, double score);
void setEmptyScore(int i);
void initEmptyScores();
void sort(int lo, int hi);
int addEntry(const char* name, double score);
int entryEqual(const char* name1, double score1, const char* name2, double score2);
int findEntry(const char* name, double score);
char* getCharEntryScore(int i);
int getNbScores();
const char* avoidCodeStr(const char* s);

enum ScoreFileState { scoresRead, scoresMissing, scoresUnreadable };
struct ScoreFileReport {
    ScoreFileState state;
    int dropped;              // damaged or missing records left out of a file that was read
    char why[FILE_WHY_CHARS]; // the system's reason when the file could not be read
};

// 0 when the file was read: its sane records fill the table, the rest are empty entries. 1 when it
// is missing or cannot be read: the table is then empty, and report tells which and why.
int loadScoreFile(const char* path, ScoreFileReport* report = nullptr);
// Written to a temporary file beside path, then renamed over it: 1 on any failure (path untouched),
// with the system's reason in why (FILE_WHY_CHARS) when it is given.
int saveScoreFile(const char* path, char* why = nullptr);

// The entry text "%c%c%c%s time= %s, score = %i" with its three code characters (timeText as
// formatted by howManyMinutes); out holds 256.
void buildEntryText(char* out, const char* trackDir, const char* initials, const char* timeText, int finalScore);
// finalScore - 17000 x seconds.
double rankingValue(int finalScore, float seconds);
// Each track's table, in the track's folder (trackFile of fileio/gameFolders.h).
extern const char* const SCORE_FILE;
