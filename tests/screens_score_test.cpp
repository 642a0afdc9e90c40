// Score table rules, entry text and the "top.sc" file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"
#include "screens/score.h"
#include "support/testFiles.h"

namespace {

struct ScoreTable : ::testing::Test {
    void SetUp() override
    {
        storeByteOrder(0);
        initEmptyScores();
    }
};

TEST_F(ScoreTable, FirstRunEntersAndEqualToWeakestDoesNot)
{
    EXPECT_EQ(addEntry("xyzABC run", -500000.0), 1);
    EXPECT_EQ(findEntry("xyzABC run", -500000.0), 9);
    EXPECT_EQ(10 - findEntry("xyzABC run", -500000.0), 1);
    // Fill the table, then a run equal to the weakest stays out.
    for (int i = 0; i < 9; i++) addEntry(("r" + std::to_string(i)).c_str(), 100.0 * i);
    double weakest = tabScores[0].score;
    EXPECT_EQ(addEntry("same", weakest), 0);
    EXPECT_EQ(findEntry("same", weakest), -1);
    EXPECT_EQ(addEntry("better", weakest + 1.0), 1);
    for (int i = 1; i < NB_SCORES; i++) EXPECT_LE(tabScores[i - 1].score, tabScores[i].score);
}

TEST_F(ScoreTable, TwinsRankAtTheLowerIndex)
{
    addEntry("twin", 50.0);
    addEntry("twin", 50.0);
    addEntry("top", 90.0);
    EXPECT_EQ(findEntry("twin", 50.0), 7);
    EXPECT_EQ(findEntry("twin", 51.0), -1);
    EXPECT_EQ(findEntry("top", 90.0), 9);
}

TEST_F(ScoreTable, EntryTextHasCodeCharactersAndRankingValue)
{
    char text[SCORE_NAME_CHARS];
    buildEntryText(text, "alps", "ABC", "01:15:50", 123456);
    EXPECT_EQ((unsigned char)text[0], (unsigned char)('a' + 'A'));
    EXPECT_EQ((unsigned char)text[1], (unsigned char)('l' + 'B'));
    EXPECT_EQ((unsigned char)text[2], (unsigned char)('p' + 'C'));
    EXPECT_STREQ(text + 3, "ABC time= 01:15:50, score = 123456");
    EXPECT_STREQ(avoidCodeStr(text), "ABC time= 01:15:50, score = 123456");
    EXPECT_DOUBLE_EQ(rankingValue(100000, 2.5f), 100000 - 42500.0);
}

TEST_F(ScoreTable, FileRoundTripHasTheExactLayout)
{
    TempDir dir;
    std::string path = dir.file("top.sc");
    addEntry("\x01\x02\x03" "ABC time= 00:10:00, score = 5", 1.5);
    ASSERT_EQ(saveScoreFile(path.c_str()), 0);
    std::vector<unsigned char> bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 2640u);
    EXPECT_EQ(std::string((char*)&bytes[0], 6), "------");
    // 1.5 big-endian is 3F F8 00 ... in the last record.
    EXPECT_EQ(bytes[9 * 264 + 256], 0x3F);
    EXPECT_EQ(bytes[9 * 264 + 257], 0xF8);
    EXPECT_EQ(bytes[9 * 264 + 263], 0x00);
    EXPECT_DOUBLE_EQ(tabScores[9].score, 1.5); // saving leaves the table as it was
    initEmptyScores();
    ASSERT_EQ(loadScoreFile(path.c_str()), 0);
    EXPECT_EQ(findEntry("\x01\x02\x03" "ABC time= 00:10:00, score = 5", 1.5), 9);
    EXPECT_DOUBLE_EQ(tabScores[0].score, EMPTY_SCORE);
}

// Ten saved records, the best named "best", each name "r<i>" with score i.
static std::vector<unsigned char> tenRecords(const std::string& path)
{
    for (int i = 0; i < NB_SCORES; i++) setScore(i, ("r" + std::to_string(i)).c_str(), (double)i);
    setScore(9, "best", 9.0);
    saveScoreFile(path.c_str());
    initEmptyScores();
    return readBytes(path);
}

TEST_F(ScoreTable, OnlyDamagedRecordsAreDroppedAndTrailingBytesIgnored)
{
    TempDir dir;
    std::string path = dir.file("top.sc");
    std::vector<unsigned char> bytes = tenRecords(path);
    ScoreFileReport report;

    // An editor's newline after the ten records changes nothing.
    std::vector<unsigned char> longer = bytes;
    longer.push_back('\n');
    writeBytes(path, longer);
    EXPECT_EQ(loadScoreFile(path.c_str(), &report), 0);
    EXPECT_EQ(report.state, scoresRead);
    EXPECT_EQ(report.dropped, 0);
    EXPECT_EQ(findEntry("best", 9.0), 9);
    EXPECT_EQ(findEntry("r0", 0.0), 0);

    // A name without its NUL and a score that is not a number: those two go, eight stay, sorted.
    std::vector<unsigned char> bad = bytes;
    memset(&bad[3 * SCORE_RECORD_BYTES], 'x', SCORE_NAME_CHARS);
    memset(&bad[5 * SCORE_RECORD_BYTES + SCORE_NAME_CHARS], 0xff, 8); // a NaN
    writeBytes(path, bad);
    EXPECT_EQ(loadScoreFile(path.c_str(), &report), 0);
    EXPECT_EQ(report.dropped, 2);
    EXPECT_EQ(findEntry("r3", 3.0), -1);
    EXPECT_EQ(findEntry("r5", 5.0), -1);
    EXPECT_EQ(findEntry("best", 9.0), 9);
    EXPECT_EQ(findEntry("r4", 4.0), 5); // two empty entries, then r0 r1 r2 r4
    EXPECT_DOUBLE_EQ(tabScores[1].score, EMPTY_SCORE);
    for (int i = 1; i < NB_SCORES; i++) EXPECT_LE(tabScores[i - 1].score, tabScores[i].score);

    // A file cut in its fourth record keeps the three whole ones.
    writeBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.begin() + 1000));
    EXPECT_EQ(loadScoreFile(path.c_str(), &report), 0);
    EXPECT_EQ(report.dropped, 7);
    EXPECT_EQ(findEntry("r2", 2.0), 9);
    EXPECT_EQ(findEntry("best", 9.0), -1);
    for (int i = 0; i < NB_SCORES; i++) EXPECT_NE(memchr(getCharEntryScore(i), 0, 256), nullptr);
}

TEST_F(ScoreTable, OnlyAMissingFileStartsANewTable)
{
    TempDir dir;
    ScoreFileReport report;
    addEntry("stale", 4.0);
    EXPECT_EQ(loadScoreFile(dir.file("top.sc").c_str(), &report), 1);
    EXPECT_EQ(report.state, scoresMissing);
    EXPECT_EQ(findEntry("stale", 4.0), -1);
    // A folder where the file should be cannot be read: that is no missing file.
    ASSERT_EQ(mkdir(dir.file("top.sc").c_str(), 0755), 0);
    addEntry("stale", 4.0);
    EXPECT_EQ(loadScoreFile(dir.file("top.sc").c_str(), &report), 1);
    EXPECT_EQ(report.state, scoresUnreadable);
    EXPECT_STREQ(report.why, strerror(EISDIR));
    EXPECT_EQ(findEntry("stale", 4.0), -1);
}

TEST_F(ScoreTable, FailedSaveLeavesTheOldFileAndSaysWhy)
{
    TempDir dir;
    std::string path = dir.file("top.sc");
    addEntry("old", 7.0);
    ASSERT_EQ(saveScoreFile(path.c_str()), 0);
    std::vector<unsigned char> before = readBytes(path);
    addEntry("new", 8.0);
    char why[FILE_WHY_CHARS] = "";
    {
        FileSizeLimit full(1000); // a disk that fills up after 1000 bytes
        EXPECT_EQ(saveScoreFile(path.c_str(), why), 1);
    }
    EXPECT_STREQ(why, strerror(EFBIG));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(folderNames(dir.path()), std::vector<std::string>{"top.sc"});
    EXPECT_EQ(saveScoreFile(dir.file("no/such/dir/top.sc").c_str(), why), 1);
    EXPECT_STREQ(why, strerror(ENOENT));
}

} // namespace
