// Name entry on the letter grid after a finished run, and leaving the score table.
#include "screens/nameEntry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/screenshot.h"
#include "platform/gameClock.h"
#include "fileio/gameFolders.h"
#include "run/ghostRun.h"
#include "run/howManyMinutes.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "screens/choixSkier.h"
#include "screens/filmScreen.h"
#include "screens/replay.h"
#include "screens/score.h"
#include "shell/gameLoop.h"
#include "shell/keepBestRun.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "shell/systemPortUtils.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

// A tap moves one cell; a held key waits before repeating, then repeats every 0.05 s.
static const double CURSOR_FIRST_REPEAT_SECONDS = 0.3;
static const double CURSOR_REPEAT_SECONDS = 0.05;
static const int GRID_ROWS = 4, GRID_COLUMNS = 7;
static const int LAST_INITIAL = 2;
// The Return that left the finished run must not pick a letter: one pressed this soon, or one still
// held from the run, is not a choice.
static const long ENTER_ARMS_AFTER_MS = 250;
static const char UNTYPED_INITIAL = ' '; // score lines keep three characters of initials

ScoreSave scoreSave;
NameEntryCursor nameCursor;
static long entryOpenedMs = 0;
static short enterSeenUp = 0;
static short typedThisEntry = 0;

static void selectSound() { wrpPlaySound(gameSounds.selectItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch); }

// The one line the score table adds about its file: why the run was not kept, or what was dropped.
static void noteScoreFile(const ScoreFileReport& load, const char* saveWhy)
{
    if (load.state == scoresUnreadable)
        snprintf(scoreSave.scoreNote, sizeof scoreSave.scoreNote, "Could not read top.sc (%s): score not saved", load.why);
    else if (saveWhy)
        snprintf(scoreSave.scoreNote, sizeof scoreSave.scoreNote, "Score not saved in top.sc: %s", saveWhy);
    else if (load.dropped == 1)
        snprintf(scoreSave.scoreNote, sizeof scoreSave.scoreNote, "1 damaged score dropped from top.sc");
    else if (load.dropped > 1)
        snprintf(scoreSave.scoreNote, sizeof scoreSave.scoreNote, "%i damaged scores dropped from top.sc", load.dropped);
    else
        scoreSave.scoreNote[0] = '\0';
}

// A run that takes first place becomes the track's ghost; a failure to keep it is said unless the
// score's own trouble already fills the line.
static void keepFirstPlaceRun(int finalScore, float seconds)
{
    if (playerRun.scores.rank != NB_SCORES - 1 || !playerRun.recording.finished) return;
    char why[FILE_WHY_CHARS];
    if (keepBestRun(gameLists.nomFicPiste, nomFicSkier, finalScore, seconds, why) != 0 && !scoreSave.scoreNote[0])
        snprintf(scoreSave.scoreNote, sizeof scoreSave.scoreNote, "Best run not saved: %s", why);
}

void saveRunScoreWith(const char* timeText, int finalScore, float seconds)
{
    char text[SCORE_NAME_CHARS];
    char why[FILE_WHY_CHARS];
    ScoreFileReport load;
    std::string scores = trackFile(gameLists.nomFicPiste, SCORE_FILE);
    std::string path = playerWritePath(scores);
    loadScoreFile(playerReadPath(scores).c_str(), &load);
    buildEntryText(text, gameLists.nomFicPiste, userPrefs.playerName, timeText, finalScore);
    double value = rankingValue(finalScore, seconds);
    // A table that could not be read is left as it is on disk: saving would replace ten scores with one.
    scoreSave.scoreSaved = load.state != scoresUnreadable;
    if (scoreSave.scoreSaved) {
        addEntry(text, value);
        scoreSave.scoreSaved = saveScoreFile(path.c_str(), why) == 0; // written even when the run stayed out
    }
    noteScoreFile(load, scoreSave.scoreSaved || load.state == scoresUnreadable ? nullptr : why);
    if (scoreSave.scoreNote[0]) printf("%s: %s\n", path.c_str(), scoreSave.scoreNote);
    playerRun.scores.rank = scoreSave.scoreSaved ? findEntry(text, value) : -1;
    keepFirstPlaceRun(finalScore, seconds);
    playerRun.motion.skieurArrive = 0;
    wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
}

void saveRunScore()
{
    playerRun.scores.finalScore = runScoreSoFar(playerRun);
    char* timeText = howManyMinutes(playerRun.timing.totalTime);
    saveRunScoreWith(timeText ? timeText : "00:00:00", playerRun.scores.finalScore, playerRun.timing.totalTime);
    free(timeText);
}

// ENTER on the grid; returns 1 when the run was saved.
static int takeLetter()
{
    char c = letterGrid[nameCursor.selectedLetter][nameCursor.selectedColumn];
    if (c == '#') {
        saveRunScore();
        return 1;
    }
    if (c == '<') {
        if (nameCursor.indPlayerName > 0) nameCursor.indPlayerName--;
    } else {
        // The first letter of an entry starts a new name: two letters typed are two initials, not two
        // and the old third one.
        if (!typedThisEntry) memset(userPrefs.playerName, UNTYPED_INITIAL, 3);
        typedThisEntry = 1;
        userPrefs.playerName[nameCursor.indPlayerName] = c;
        userPrefs.playerName[3] = '\0';
        if (nameCursor.indPlayerName < LAST_INITIAL) nameCursor.indPlayerName++;
    }
    selectSound();
    redrawAllMenu = 0;
    return 0;
}

void openNameEntry()
{
    nameCursor = NameEntryCursor{};
    typedThisEntry = 0;
    enterSeenUp = 0;
    entryOpenedMs = gameClock();
}

// Return counts once it has been seen up on this screen and the screen has been open a moment.
static void armEnter()
{
    if (!keyEnter()) enterSeenUp = 1;
}

static short enterTaken()
{
    short pressed = keyEnterNoRepeat();
    return pressed && enterSeenUp && gameClock() - entryOpenedMs >= ENTER_ARMS_AFTER_MS;
}

ScreenEvent typeName()
{
    armEnter();
    int cursor[2] = {nameCursor.selectedLetter, nameCursor.selectedColumn};
    displayTypeName(letterGrid, cursor, (short)redrawAllMenu);
    short moved = 1;
    if (keyRightRepeat(CURSOR_FIRST_REPEAT_SECONDS, CURSOR_REPEAT_SECONDS)) {
        if (nameCursor.selectedColumn < GRID_COLUMNS - 1) nameCursor.selectedColumn++;
    } else if (keyLeftRepeat(CURSOR_FIRST_REPEAT_SECONDS, CURSOR_REPEAT_SECONDS)) {
        if (nameCursor.selectedColumn > 0) nameCursor.selectedColumn--;
    } else {
        moved = 0;
    }
    if (moved) {
        selectSound();
        redrawAllMenu = 0;
    }
    if (keyDownRepeat(CURSOR_FIRST_REPEAT_SECONDS, CURSOR_REPEAT_SECONDS)) {
        if (nameCursor.selectedLetter < GRID_ROWS - 1) nameCursor.selectedLetter++;
    } else if (keyUpRepeat(CURSOR_FIRST_REPEAT_SECONDS, CURSOR_REPEAT_SECONDS)) {
        if (nameCursor.selectedLetter > 0) nameCursor.selectedLetter--;
    } else {
        int saved = 0;
        if (enterTaken()) saved = takeLetter();
        else if (keyEscNoRepeat()) {
            saveRunScore();
            saved = 1;
        }
        if (saved) return ScreenEvent::nameSaved;
        redrawAllMenu++;
        return ScreenEvent::none;
    }
    selectSound();
    redrawAllMenu = 0;
    return ScreenEvent::none;
}

ScreenEvent viewScores()
{
    displayViewScores((short)redrawAllMenu);
    if (keyRNoRepeat() && openReplay(gameLists.nomFicPiste) == 0) return ScreenEvent::replayOpened;
    if (keyVNoRepeat()) {
        openFilm(gameLists.nomFicPiste);
        return ScreenEvent::filmOpened;
    }
    ScreenEvent happened = ScreenEvent::none;
    if (keyEnterNoRepeat() || keyEscNoRepeat()) {
        playerRun.scores.vuScores = 1;
        wrpPlaySound(gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
        stopScoresSnd();
        startTheme();
        happened = ScreenEvent::scoresLeft;
    } else if (redrawAllMenu < 2) {
        redrawAllMenu++;
    }
    handleScreenShot();
    return happened;
}
