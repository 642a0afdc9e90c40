// Menu motions and texts: takes the clock and the screen state, returns sizes, offsets and lines.
#include "screens/screenSteps.h"

#include <cstdio>
#include <cstring>

#include "screens/score.h"

static const double PULSE_STEP_SECONDS = 0.0025;
static const float PULSE_MIN = 0.5f, PULSE_MAX = 0.7f, PULSE_STEP = 0.002f;
static const double TURN_STEP_SECONDS = 0.01;
static const double PAN_STEP_SECONDS = 0.01;
static const float PAN_MIN = 0.01f, PAN_MAX = 0.09f, PAN_STEP = 0.001f;
static const double POINTER_STEP_SECONDS = 0.1;
static const float POINTER_SWING = 3.0f;
static const int LETTER_PITCH_X = 38, LETTER_LEFT = 200;
static const int LETTER_PITCH_Y = 32, LETTER_TOP = 270;
static const int POINTER_DX = 12, POINTER_DY = 11;
static const long BLINK_PERIOD_MS = 1000, BLINK_SHOWN_MS = 500;
static const int INITIALS = 3;
static const float GLYPH_ADVANCE = 10.0f;

double secondsSince(long* previous, long now)
{
    double s = *previous < 0 ? 0.0 : (now - *previous) * 0.001;
    *previous = now;
    return s;
}

void stepArrowPulse(ArrowPulse* p, long now)
{
    p->diffTemps += secondsSince(&p->previous, now);
    if (p->diffTemps <= PULSE_STEP_SECONDS) return;
    if (p->sca > PULSE_MAX) {
        p->signe = -1;
        p->sca = PULSE_MAX - PULSE_STEP;
    } else if (p->sca < PULSE_MIN) {
        p->signe = 1;
        p->sca = PULSE_MIN + PULSE_STEP;
    }
    p->sca += p->signe * PULSE_STEP;
    p->diffTemps = 0.0;
}

void stepStandTurn(StandTurn* t, long now)
{
    t->gathered += secondsSince(&t->previous, now);
    if (t->gathered <= TURN_STEP_SECONDS) return;
    t->rot = (t->rot + 1) % 360;
    t->gathered = 0.0;
}

void stepThumbnailPan(ThumbnailPan* p, long now)
{
    if (p->dec > PAN_MAX) {
        p->signe = -1;
        p->dec = PAN_MAX;
    } else if (p->dec < PAN_MIN) {
        p->signe = 1;
        p->dec = PAN_MIN;
    }
    if (p->start < 0) {
        p->start = now;
    } else if ((now - p->start) * 0.001 > PAN_STEP_SECONDS) {
        p->dec += p->signe * PAN_STEP;
        p->start = -1;
    }
}

void stepLetterPointer(LetterPointer* p, long now)
{
    if (p->size > POINTER_BASE_SIZE + POINTER_SWING) {
        p->size = POINTER_BASE_SIZE + POINTER_SWING - 1;
        p->direction = -1;
    } else if (p->size < POINTER_BASE_SIZE - POINTER_SWING) {
        p->size = POINTER_BASE_SIZE - POINTER_SWING + 1;
        p->direction = 1;
    }
    if (p->lastChange < 0) {
        p->lastChange = now;
    } else if ((now - p->lastChange) * 0.001 > POINTER_STEP_SECONDS) {
        p->size += p->direction;
        p->lastChange = now;
    }
}

int letterX(int column) { return column * LETTER_PITCH_X + LETTER_LEFT; }
int letterY(int row) { return LETTER_TOP - LETTER_PITCH_Y * row; }

void letterPointerPlace(const LetterPointer* p, int row, int column, float* x, float* y)
{
    *x = letterX(column) + POINTER_DX - p->size / 2;
    *y = letterY(row) + POINTER_DY + p->size / 2;
}

int blinkMarkVisible(long now)
{
    long phase = now % BLINK_PERIOD_MS;
    if (phase < 0) phase += BLINK_PERIOD_MS;
    return phase < BLINK_SHOWN_MS;
}

void insertionMarkText(char* out, int index)
{
    memset(out, ' ', INITIALS);
    out[INITIALS] = '\0';
    if (index >= 0 && index < INITIALS) out[index] = '_';
}

int nextTextLine(const char* text, int start, char* out, int outSize)
{
    out[0] = '\0';
    if (start < 0 || text[start] == '\0') return -1;
    int end = start;
    while (text[end] != '\0' && text[end] != '\n') end++;
    int n = end - start;
    if (n > outSize - 1) n = outSize - 1;
    memcpy(out, text + start, n);
    out[n] = '\0';
    return text[end] == '\n' ? end + 1 : end;
}

void scoreTableLine(char* out, int outSize, int i)
{
    // The name field is bounded here too: a table entry is never read past its 256 bytes.
    const char* name = avoidCodeStr(tabScores[i].name);
    int room = (int)strnlen(name, SCORE_NAME_CHARS - (name - tabScores[i].name));
    int place = NB_SCORES - i;
    if (i == 0)
        snprintf(out, outSize, "%i- %.*s", place, room, name);
    else
        snprintf(out, outSize, "%i - %.*s", place, room, name);
}

void rankingValueText(char* out, int outSize, int i)
{
    double v = tabScores[i].score;
    if (!(v > EMPTY_SCORE)) {
        out[0] = '\0';
        return;
    }
    snprintf(out, outSize, "%.0f", v);
}

int rosterFirstRow(int count, int selected, int rows)
{
    if (rows <= 0 || count <= rows) return 0;
    int first = selected - rows / 2;
    if (first > count - rows) first = count - rows;
    return first < 0 ? 0 : first;
}

float fittedScale(const char* text, float room, float scale)
{
    float width = GLYPH_ADVANCE * scale * (float)strlen(text);
    return width > room && width > 0 ? scale * room / width : scale;
}

void rankLine(char* out, int outSize, int rank)
{
    if (rank < 0)
        snprintf(out, outSize, "Too bad for them! Try again!");
    else
        snprintf(out, outSize, "You ranked number %i!", NB_SCORES - rank);
}

int medalKindForRank(int rank)
{
    int place = NB_SCORES - rank;
    return place >= 1 && place <= 3 ? place : 0;
}
