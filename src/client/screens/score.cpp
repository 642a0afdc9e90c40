#include "screens/score.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"
#include "fileio/safeOpen.h"

ScoreEntry tabScores[NB_SCORES];

static const char EMPTY_NAME[] = "------";
static const int CODE_CHARS = 3;

void setScore(int i, const char* name, double score)
{
    strncpy(tabScores[i].name, name, SCORE_NAME_CHARS - 1);
    tabScores[i].name[SCORE_NAME_CHARS - 1] = '\0';
    tabScores[i].score = score;
}

void setEmptyScore(int i) { setScore(i, EMPTY_NAME, EMPTY_SCORE); }

void initEmptyScores()
{
    for (int i = 0; i < NB_SCORES; i++) {
        memset(tabScores[i].name, 0, SCORE_NAME_CHARS);
        setEmptyScore(i);
    }
}

static void swapEntries(int a, int b)
{
    ScoreEntry t = tabScores[a];
    tabScores[a] = tabScores[b];
    tabScores[b] = t;
}

void sort(int lo, int hi)
{
    if (lo >= hi) return;
    swapEntries(lo, (lo + hi) / 2);
    int last = lo;
    for (int i = lo + 1; i <= hi; i++)
        if (tabScores[lo].score > tabScores[i].score) swapEntries(++last, i);
    swapEntries(lo, last);
    sort(lo, last - 1);
    sort(last + 1, hi);
}

int addEntry(const char* name, double score)
{
    if (!(score > tabScores[0].score)) return 0;
    setScore(0, name, score);
    sort(0, NB_SCORES - 1);
    return 1;
}

int entryEqual(const char* name1, double score1, const char* name2, double score2)
{
    return strcmp(name1, name2) == 0 && score1 == score2;
}

int findEntry(const char* name, double score)
{
    for (int i = 0; i < NB_SCORES; i++)
        if (entryEqual(tabScores[i].name, tabScores[i].score, name, score)) return i;
    return -1;
}

char* getCharEntryScore(int i) { return tabScores[i].name; }
int getNbScores() { return NB_SCORES; }

const char* avoidCodeStr(const char* s)
{
    size_t n = strnlen(s, CODE_CHARS);
    return s + n;
}

// A name field must hold its NUL; a score must be a number.
static bool recordSane(const ScoreEntry& e)
{
    return memchr(e.name, '\0', SCORE_NAME_CHARS) != nullptr && e.score == e.score;
}

static int refuseScoreFile(ScoreFileReport* report, ScoreFileState state, const char* why)
{
    initEmptyScores();
    if (report) {
        report->state = state;
        snprintf(report->why, FILE_WHY_CHARS, "%s", why);
    }
    return 1;
}

// Whole sane records are kept wherever they stand; a cut or damaged one is dropped. Bytes after the
// tenth record (an editor's newline) are not looked at.
static int readScoreRecords(FILE* f, ScoreEntry* kept)
{
    int n = 0;
    for (int i = 0; i < NB_SCORES; i++) {
        ScoreEntry e;
        if (fread(e.name, 1, SCORE_NAME_CHARS, f) != (size_t)SCORE_NAME_CHARS || readDouble(f, &e.score) != 1) break;
        if (recordSane(e)) kept[n++] = e;
    }
    return n;
}

int loadScoreFile(const char* path, ScoreFileReport* report)
{
    if (report) *report = ScoreFileReport{scoresRead, 0, ""};
    OpenOutcome outcome;
    char why[OPEN_WHY_CHARS];
    FILE* f = openBounded(path, SCORE_FILE_BOUND, &outcome, why);
    // Only a file that is not there starts a new table; any other failure may hide ten scores.
    if (!f) return refuseScoreFile(report, outcome == openMissing ? scoresMissing : scoresUnreadable, why);
    ScoreEntry kept[NB_SCORES];
    int n = readScoreRecords(f, kept);
    int err = ferror(f) ? (errno ? errno : EIO) : 0;
    fclose(f);
    if (err) return refuseScoreFile(report, scoresUnreadable, strerror(err));
    initEmptyScores();
    memcpy(tabScores, kept, n * sizeof kept[0]);
    sort(0, NB_SCORES - 1);
    if (n < NB_SCORES) printf("Score file %s: %i damaged scores dropped\n", path, NB_SCORES - n);
    if (report) report->dropped = NB_SCORES - n;
    return 0;
}

static bool fillScoreFile(FILE* f, const void*)
{
    for (int i = 0; i < NB_SCORES; i++) {
        if (fwrite(tabScores[i].name, 1, SCORE_NAME_CHARS, f) != (size_t)SCORE_NAME_CHARS) return false;
        double score = tabScores[i].score; // the writer swaps its argument in place
        if (writeDouble(f, &score) != 1) return false;
    }
    return true;
}

int saveScoreFile(const char* path, char* why)
{
    return writeFileAtomically(path, fillScoreFile, nullptr, why) ? 0 : 1;
}

void buildEntryText(char* out, const char* trackDir, const char* initials, const char* timeText, int finalScore)
{
    char code[CODE_CHARS];
    size_t trackLen = strlen(trackDir);
    for (int i = 0; i < CODE_CHARS; i++) {
        unsigned char t = i < (int)trackLen ? (unsigned char)trackDir[i] : 0;
        unsigned char p = (unsigned char)initials[i];
        code[i] = (char)(unsigned char)(t + p);
    }
    snprintf(out, SCORE_NAME_CHARS, "%c%c%c%.3s time= %s, score = %i", code[0], code[1], code[2], initials,
             timeText, finalScore);
}

double rankingValue(int finalScore, float seconds) { return finalScore - SECOND_COST * (double)seconds; }

const char* const SCORE_FILE = "top.sc";
