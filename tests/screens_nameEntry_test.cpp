// Name entry driven by keys: initials, '<', ESC saving like '#', the held-arrow repeat.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"
#include "platform/gameClock.h"
#include "fileio/gameFolders.h"
#include "run/ghostRun.h"
#include "screens/choixSkier.h"
#include "screens/screens.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "shell/systemPortUtils.h"
#include "sound/gameSounds.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "support/soundRecorder.h"
#include "support/testFiles.h"

namespace {

struct NameEntry : ::testing::Test {
    SoundRecorder recorder;
    TempDir dir;
    char saved[512] = "";
    void SetUp() override
    {
        storeByteOrder(0);
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        resetKeyDetectors();
        gameClockSetManual(1000);
        initAllSounds();
        ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
        mkdir((dir.path() + "/data").c_str(), 0700);
        mkdir((dir.path() + "/data/tracks").c_str(), 0700);
        mkdir((dir.path() + "/data/tracks/alps").c_str(), 0700);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        strcpy(gameLists.nomFicPiste, "alps");
        strcpy(userPrefs.playerName, "---");
        nameCursor.indPlayerName = 0;
        reinitGameVar(playerRun, loadedTrack);
        playerRun.motion.skieurArrive = 1;
        initEmptyScores();
        openNameEntry();
        typeName(); // the shared key detectors see every key up, whatever the test before left
        gameClockAdvance(300); // past the moment a Return from the run is still ignored
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir(saved), 0);
        quitAllSounds();
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        gameClockSetReal();
    }
    void frame(int k)
    {
        key[k] = 1;
        typeName();
        key[k] = 0;
        gameClockAdvance(16);
        typeName();
        gameClockAdvance(16);
    }
    void moveTo(int row, int column)
    {
        while (nameCursor.selectedLetter > row) frame(KEY_UP);
        while (nameCursor.selectedLetter < row) frame(KEY_DOWN);
        while (nameCursor.selectedColumn > column) frame(KEY_LEFT);
        while (nameCursor.selectedColumn < column) frame(KEY_RIGHT);
    }
    void type(char c)
    {
        for (int r = 0; r < 4; r++)
            for (int col = 0; col < 7; col++)
                if (letterGrid[r][col] == c) moveTo(r, col);
        frame(KEY_ENTER);
    }
};

TEST_F(NameEntry, FourLettersKeepTheFirstTwoAndTheLast)
{
    type('A');
    type('B');
    type('C');
    type('D');
    EXPECT_STREQ(userPrefs.playerName, "ABD");
    EXPECT_EQ(playerRun.motion.skieurArrive, 1);
    // '<' moves back without erasing; the next letter overwrites.
    type('<');
    EXPECT_STREQ(userPrefs.playerName, "ABD");
    EXPECT_EQ(nameCursor.indPlayerName, 1);
    type('Z');
    EXPECT_STREQ(userPrefs.playerName, "AZD");
    type('#');
    EXPECT_EQ(playerRun.motion.skieurArrive, 0);
    EXPECT_EQ(playerRun.scores.rank, 9);
    EXPECT_EQ(readBytes("./data/tracks/alps/top.sc").size(), 2640u);
    EXPECT_STREQ(avoidCodeStr(getCharEntryScore(9)), "AZD time= 00:00:00, score = 0");
}

TEST_F(NameEntry, TwoLettersAreStoredWithoutTheDashAndPaddedForTheScoreFile)
{
    EXPECT_EQ(letterGrid[nameCursor.selectedLetter][nameCursor.selectedColumn], 'A'); // not on '#'
    EXPECT_EQ(nameCursor.indPlayerName, 0);
    type('K');
    type('O');
    EXPECT_STREQ(userPrefs.playerName, "KO ");
    type('#');
    ASSERT_EQ(playerRun.motion.skieurArrive, 0);
    EXPECT_STREQ(avoidCodeStr(getCharEntryScore(9)), "KO  time= 00:00:00, score = 0");
    std::vector<unsigned char> table = readBytes("./data/tracks/alps/top.sc");
    ASSERT_EQ(table.size(), 2640u);
    const unsigned char* best = &table[9 * SCORE_RECORD_BYTES];
    EXPECT_EQ(best[0], (unsigned char)('a' + 'K'));
    EXPECT_EQ(best[1], (unsigned char)('l' + 'O'));
    EXPECT_EQ(best[2], (unsigned char)('p' + ' ')); // the pad, not '-'
    EXPECT_EQ(std::string((const char*)best + 3, 6), "KO  ti");
    ASSERT_EQ(savePrefsFile("./user.prefs"), 0);
    std::vector<unsigned char> prefs = readBytes("./user.prefs");
    ASSERT_GE(prefs.size(), 7u);
    EXPECT_EQ(std::string(prefs.begin(), prefs.begin() + 3), "KO ");
}

TEST_F(NameEntry, TheReturnThatLeftTheRunIsNotAChoice)
{
    strcpy(userPrefs.playerName, "GAV");
    openNameEntry();
    key[KEY_ENTER] = 1; // still held from "press Return", however long
    for (int f = 0; f < 60; f++) {
        typeName();
        gameClockAdvance(16);
    }
    key[KEY_ENTER] = 0;
    typeName();
    EXPECT_EQ(playerRun.motion.skieurArrive, 1);
    EXPECT_STREQ(userPrefs.playerName, "GAV");
    // A second Return right after it, as a player makes sure, is not one either.
    openNameEntry();
    frame(KEY_ENTER);
    EXPECT_STREQ(userPrefs.playerName, "GAV");
    // A deliberate Return a moment later types the letter under the cursor, and starts a new name.
    gameClockAdvance(300);
    typeName();
    frame(KEY_ENTER);
    EXPECT_STREQ(userPrefs.playerName, "A  ");
    EXPECT_EQ(playerRun.motion.skieurArrive, 1);
    // Confirming at once keeps the initials of the last entry.
    strcpy(userPrefs.playerName, "GAV");
    openNameEntry();
    gameClockAdvance(300);
    typeName();
    moveTo(3, 6);
    frame(KEY_ENTER);
    EXPECT_EQ(playerRun.motion.skieurArrive, 0);
    EXPECT_STREQ(avoidCodeStr(getCharEntryScore(9)), "GAV time= 00:00:00, score = 0");
}

TEST_F(NameEntry, EscSavesLikeConfirm)
{
    key[KEY_ESC] = 1;
    EXPECT_EQ(typeName(), ScreenEvent::nameSaved);
    key[KEY_ESC] = 0;
    EXPECT_EQ(playerRun.motion.skieurArrive, 0);
    EXPECT_EQ(playerRun.scores.rank, 9);
    ASSERT_NE(recorder.last("play"), nullptr);
    EXPECT_EQ(recorder.last("play")->name, "./data/sounds/gui/enter134.aif");
}

TEST_F(NameEntry, SavedRunCarriesItsTimeScoreAndCollectables)
{
    playerRun.scores.totalCollectable = 2;
    playerRun.scores.totalScore = 1234;
    playerRun.timing.totalTime = 61.5f;
    strcpy(userPrefs.playerName, "KES");
    typeName(); // the key detectors see ESC released first
    key[KEY_ESC] = 1;
    typeName();
    key[KEY_ESC] = 0;
    EXPECT_EQ(playerRun.scores.finalScore, 101234);
    EXPECT_EQ(playerRun.scores.rank, 9);
    EXPECT_STREQ(avoidCodeStr(getCharEntryScore(9)), "KES time= 01:01:50, score = 101234");
    EXPECT_DOUBLE_EQ(tabScores[9].score, 101234 - 17000.0 * 61.5);
    // A slower, poorer run on the same table ranks below it.
    playerRun.motion.skieurArrive = 1;
    playerRun.scores.totalCollectable = 0;
    playerRun.scores.totalScore = 500;
    playerRun.timing.totalTime = 70.0f;
    typeName();
    key[KEY_ESC] = 1;
    typeName();
    key[KEY_ESC] = 0;
    EXPECT_EQ(playerRun.scores.rank, 8);
    EXPECT_STREQ(avoidCodeStr(getCharEntryScore(8)), "KES time= 01:10:00, score = 500");
    reinitGameVar(playerRun, loadedTrack);
}

TEST_F(NameEntry, HeldRightWaitsAThirdOfASecondThenRepeatsEveryFiftiethAndStops)
{
    moveTo(0, 0);
    key[KEY_RIGHT] = 1;
    long start = gameClock();
    long firstRepeat = -1;
    typeName();
    EXPECT_EQ(nameCursor.selectedColumn, 1); // at once
    while (nameCursor.selectedColumn < 6 && gameClock() - start < 2000) { // a frame every 10 ms
        gameClockAdvance(10);
        typeName();
        if (nameCursor.selectedColumn == 2 && firstRepeat < 0) firstRepeat = gameClock() - start;
    }
    EXPECT_GE(firstRepeat, 300);
    EXPECT_LE(firstRepeat, 320);
    // Then four more steps 0.05 s apart.
    EXPECT_EQ(nameCursor.selectedColumn, 6);
    EXPECT_GE(gameClock() - start, 500);
    EXPECT_LE(gameClock() - start, 560);
    for (int i = 0; i < 100; i++) {
        typeName();
        gameClockAdvance(10);
    }
    key[KEY_RIGHT] = 0;
    typeName(); // the detector sees the release
    EXPECT_EQ(nameCursor.selectedColumn, 6);
}

TEST_F(NameEntry, APlayersTapMovesOneCellAndTypesWhatWasAimedAt)
{
    moveTo(2, 0); // 'O'
    for (int tap = 0; tap < 2; tap++) { // two taps of 0.12 s at 60 frames a second
        key[KEY_RIGHT] = 1;
        for (int f = 0; f < 7; f++) {
            typeName();
            gameClockAdvance(16);
        }
        key[KEY_RIGHT] = 0;
        for (int f = 0; f < 9; f++) {
            typeName();
            gameClockAdvance(16);
        }
    }
    EXPECT_EQ(nameCursor.selectedColumn, 2); // 'Q', not two cells a tap
    type('P');
    type('L');
    type('T');
    EXPECT_STREQ(userPrefs.playerName, "PLT");
}

} // namespace

namespace {

// What reaches "top.sc" and the score screen when the file is in the way.
struct ScoreFileTrouble : NameEntry {
    const std::string path = "./data/tracks/alps/top.sc";
    void saveRun() { saveRunScoreWith("00:42:00", 5000, 42.0f); }
};

TEST_F(ScoreFileTrouble, AFullDiskKeepsTheOldTableAndTheScreenSaysWhy)
{
    saveRun();
    ASSERT_TRUE(scoreSave.scoreSaved);
    EXPECT_STREQ(scoreSave.scoreNote, "");
    std::vector<unsigned char> before = readBytes(path);
    {
        FileSizeLimit full(100);
        saveRun();
    }
    EXPECT_FALSE(scoreSave.scoreSaved);
    EXPECT_EQ(playerRun.scores.rank, -1); // no place and no medal for a run that is not kept
    EXPECT_EQ(std::string(scoreSave.scoreNote), std::string("Score not saved in top.sc: ") + strerror(EFBIG));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(folderNames("./data/tracks/alps"), std::vector<std::string>{"top.sc"});
}

TEST_F(ScoreFileTrouble, AnUnreadableTableIsNotSavedOver)
{
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    writeText(path + "/inside", "kept");
    saveRun();
    EXPECT_FALSE(scoreSave.scoreSaved);
    EXPECT_EQ(playerRun.scores.rank, -1);
    EXPECT_EQ(std::string(scoreSave.scoreNote), std::string("Could not read top.sc (") + strerror(EISDIR) + "): score not saved");
    EXPECT_EQ(folderNames(path), std::vector<std::string>{"inside"});
}

TEST_F(ScoreFileTrouble, DamagedRecordsAreDroppedTheRestKeptAndSaid)
{
    saveRun();
    std::vector<unsigned char> bytes = readBytes(path);
    bytes.push_back('\n');
    writeBytes(path, bytes);
    saveRun();
    EXPECT_TRUE(scoreSave.scoreSaved);
    EXPECT_STREQ(scoreSave.scoreNote, ""); // a trailing newline is no damage
    EXPECT_EQ(readBytes(path).size(), 2640u);
    bytes = readBytes(path);
    memset(&bytes[8 * SCORE_RECORD_BYTES], 'x', SCORE_NAME_CHARS);                // one of the two runs
    memset(&bytes[2 * SCORE_RECORD_BYTES + SCORE_NAME_CHARS], 0xff, 8);          // and an empty entry
    writeBytes(path, bytes);
    saveRun();
    EXPECT_TRUE(scoreSave.scoreSaved);
    EXPECT_STREQ(scoreSave.scoreNote, "2 damaged scores dropped from top.sc");
    EXPECT_EQ(playerRun.scores.rank, 8); // level with the run kept: the lower index
    initEmptyScores();
    ASSERT_EQ(loadScoreFile(path.c_str()), 0);
    EXPECT_DOUBLE_EQ(tabScores[9].score, tabScores[8].score); // the run kept and the new one
    EXPECT_DOUBLE_EQ(tabScores[7].score, EMPTY_SCORE);
}

} // namespace

namespace {

// A run that takes first place is kept as the track's best run beside its top.sc.
struct BestRunKept : NameEntry {
    const std::string path = "./data/tracks/alps/best.run";
    void recordRun(int samples, float x)
    {
        clearRecording(&playerRun.recording);
        RunSample s;
        memset(&s, 0, sizeof s);
        for (int k = 0; k < samples; k++) {
            s.runTime = k * 0.05f;
            s.pos[0] = x + k;
            s.flags = k == samples - 1 ? sampleFinished : 0;
            recordFrame(&playerRun.recording, k * 0.05, s);
        }
        ASSERT_EQ(playerRun.recording.finished, 1);
    }
    BestRun kept()
    {
        BestRun r;
        EXPECT_EQ(loadBestRun(path.c_str(), "alps", &r), 0);
        return r;
    }
};

TEST_F(BestRunKept, FirstPlaceKeepsTheRunAndAWeakerRunLeavesIt)
{
    strcpy(nomFicSkier, "tolvek");
    recordRun(3, 500.0f);
    saveRunScoreWith("00:42:00", 5000, 42.0f);
    ASSERT_EQ(playerRun.scores.rank, 9);
    BestRun r = kept();
    EXPECT_STREQ(r.rider, "tolvek");
    EXPECT_EQ(r.finalScore, 5000);
    EXPECT_EQ(r.finalTime, 42.0f);
    ASSERT_EQ(r.rec.samples.size(), 3u);
    EXPECT_EQ(r.rec.samples[0].pos[0], 500.0f);
    EXPECT_STREQ(scoreSave.scoreNote, "");

    recordRun(3, 900.0f);
    saveRunScoreWith("01:00:00", 10, 60.0f);
    ASSERT_EQ(playerRun.scores.rank, 8);
    EXPECT_EQ(kept().rec.samples[0].pos[0], 500.0f);
    EXPECT_EQ(folderNames("./data/tracks/alps"), (std::vector<std::string>{"best.run", "top.sc"}));

    // Abandoned or unfinished recordings are never kept, even in first place.
    clearRecording(&playerRun.recording);
    saveRunScoreWith("00:01:00", 99999, 1.0f);
    ASSERT_EQ(playerRun.scores.rank, 9);
    EXPECT_EQ(kept().rec.samples[0].pos[0], 500.0f);
}

TEST_F(BestRunKept, ABestRunThatCannotBeWrittenIsSaidOnTheScoreScreen)
{
    recordRun(100, 500.0f);  // some 18 kB, over the limit; top.sc's 2640 bytes are not
    {
        FileSizeLimit full(3000);
        saveRunScoreWith("00:42:00", 5000, 42.0f);
    }
    EXPECT_TRUE(scoreSave.scoreSaved);
    EXPECT_EQ(std::string(scoreSave.scoreNote), std::string("Best run not saved: ") + strerror(EFBIG));
    EXPECT_EQ(folderNames("./data/tracks/alps"), std::vector<std::string>{"top.sc"});
}

} // namespace

namespace {

// An installed game: the shipped data read-only in usr/share/games/kestrune, the player's files in a home.
struct InstalledScoreFile : NameEntry {
    std::string shipped, player;
    void SetUp() override
    {
        NameEntry::SetUp();
        shipped = dir.file("usr/share/games/kestrune");
        player = dir.file("home/.local/share/kestrune");
        makeParentFolders(shipped + "/tracks/alps/alps.btrk");
        useGameFolders(GameFolders{shipped, player, player + "/screenshots", true});
    }
    void TearDown() override
    {
        resetGameFolders();
        NameEntry::TearDown();
    }
    void saveRun() { saveRunScoreWith("00:42:00", 5000, 42.0f); }
};

} // namespace

TEST_F(InstalledScoreFile, APlayersFolderThatCannotBeMadeLeavesTheGamePlayingAndSaysWhy)
{
    makeParentFolders(dir.file("home/.local/x"));
    writeText(dir.file("home/.local/share"), "a file where the folder should be");
    saveRun();
    EXPECT_FALSE(scoreSave.scoreSaved);
    EXPECT_EQ(std::string(scoreSave.scoreNote), std::string("Score not saved in top.sc: ") + strerror(ENOTDIR));
    char why[FILE_WHY_CHARS] = "";
    EXPECT_EQ(savePrefsFile(playerWritePath(USER_PREFS_FILE).c_str(), why), 1);
    EXPECT_STREQ(why, strerror(ENOTDIR));
    EXPECT_TRUE(folderNames(shipped + "/tracks/alps").empty()) << "the installed tree is never written";
}

TEST_F(InstalledScoreFile, AFullDiskKeepsThePlayersTableAndSaysWhy)
{
    saveRun();
    ASSERT_TRUE(scoreSave.scoreSaved);
    std::string table = player + "/tracks/alps/top.sc";
    std::vector<unsigned char> before = readBytes(table);
    ASSERT_EQ(before.size(), 2640u);
    {
        FileSizeLimit full(100);
        saveRun();
    }
    EXPECT_FALSE(scoreSave.scoreSaved);
    EXPECT_EQ(std::string(scoreSave.scoreNote), std::string("Score not saved in top.sc: ") + strerror(EFBIG));
    EXPECT_EQ(readBytes(table), before);
    EXPECT_EQ(folderNames(player + "/tracks/alps"), std::vector<std::string>{"top.sc"});
    EXPECT_TRUE(folderNames(shipped + "/tracks/alps").empty());
}
