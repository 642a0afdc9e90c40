// The clock-driven motions of the menus and the texts they build, apart from any drawing.
#pragma once

// Seconds since the previous call with this clock holder (0 on the first call); updates it.
double secondsSince(long* previous, long now);

// The arrow pulse of a menu: sca swings between about 0.5 and 0.7, one 0.002 step per 0.0025 s.
struct ArrowPulse {
    float sca;
    int signe;
    double diffTemps;  // seconds gathered since the last step
    long previous;     // clock of the previous frame, -1 before the first
};
const ArrowPulse ARROW_PULSE_START = {0.5f, 1, 0.0, -1};
// One frame at clock `now`: at most one step.
void stepArrowPulse(ArrowPulse* p, long now);

// The rider's turn on its stand: one degree per frame once more than 0.01 s has gathered.
struct StandTurn {
    int rot;
    double gathered;
    long previous;
};
const StandTurn STAND_TURN_START = {0, 0.0, -1};
void stepStandTurn(StandTurn* t, long now);

// The track thumbnail's window offset: dec slides between 0.01 and 0.09 by 0.001 every 0.01 s.
struct ThumbnailPan {
    float dec;
    int signe;
    long start;  // -1 until the first call after a step
};
const ThumbnailPan THUMBNAIL_PAN_START = {0.01f, 1, -1};
void stepThumbnailPan(ThumbnailPan* p, long now);

// The name-entry pointer: its size swings about 45 by one unit every 0.1 s.
struct LetterPointer {
    float size;
    int direction;
    long lastChange;  // -1 before the first frame
};
const float POINTER_BASE_SIZE = 45.0f;
const LetterPointer LETTER_POINTER_START = {POINTER_BASE_SIZE, 1, -1};
void stepLetterPointer(LetterPointer* p, long now);
// Lower-left x and top y of the pointer over grid cell (row, column), in the 640 x 480 space.
void letterPointerPlace(const LetterPointer* p, int row, int column, float* x, float* y);
// Where grid cell (row, column) is printed.
int letterX(int column);
int letterY(int row);

// The insertion mark shows during the first half of every clock second.
int blinkMarkVisible(long now);
// "   " with '_' at position index (0..2) into out (4 chars); out stays blank for other indices.
void insertionMarkText(char* out, int index);

// Copies the line of text starting at `start` (up to its newline) into out, cut to outSize - 1
// chars. Returns where the next line starts, or -1 when text has no line at `start`.
int nextTextLine(const char* text, int start, char* out, int outSize);

// The score table's line for entry i (place 10 - i; entry 0 without the blank so names line up).
void scoreTableLine(char* out, int outSize, int i);
// The value entry i is ranked by (score minus the time's cost) as a whole number; empty for an empty entry.
void rankingValueText(char* out, int outSize, int i);
// The first of `rows` consecutive list entries to show so that `selected` is among them, as near their
// middle as the list's ends allow; 0 when the whole list fits.
int rosterFirstRow(int count, int selected, int rows);
// scale, or less so that text (10 units a glyph at scale 1) stays within room units.
float fittedScale(const char* text, float room, float scale);
// "You ranked number %i!" for a run that entered the table, else "Too bad for them! Try again!".
void rankLine(char* out, int outSize, int rank);
// Medal shown for a table index: 1 gold, 2 grey, 3 bronze for the best three places, else 0.
int medalKindForRank(int rank);
