// Player files that are not what they should be: pipes, devices, folders, huge files, a file-size limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#include "fileio/atomicWrite.h"
#include "run/bestRun.h"
#include "fileio/safeOpen.h"
#include "platform/processSignals.h"
#include "screens/score.h"
#include "shell/prefs.h"
#include "support/testFiles.h"

static double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(BoundedOpen, TakesRegularFilesWithinTheBoundAndRefusesEverythingElseAtOnce)
{
    TempDir dir;
    forgetRefusals();
    writeText(dir.file("small"), "abc");
    writeText(dir.file("big"), std::string(5000, 'x'));
    mkfifo(dir.file("pipe").c_str(), 0644);
    mkdir(dir.file("folder").c_str(), 0755);
    OpenOutcome outcome;
    char why[OPEN_WHY_CHARS];

    FILE* f = openBounded(dir.file("small").c_str(), PREFS_FILE_BOUND, &outcome, why);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(outcome, openedFine);
    fclose(f);
    EXPECT_EQ(openBounded(dir.file("none").c_str(), PREFS_FILE_BOUND, &outcome, why), nullptr);
    EXPECT_EQ(outcome, openMissing);
    EXPECT_EQ(refusalOf(dir.file("none").c_str()), nullptr);

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(openBounded(dir.file("pipe").c_str(), PREFS_FILE_BOUND, &outcome, why), nullptr); // no writer: no wait
    EXPECT_LT(secondsSince(start), 1.0);
    EXPECT_EQ(outcome, openRefused);
    EXPECT_STREQ(why, "a pipe, not a file");
    EXPECT_STREQ(refusalOf(dir.file("pipe").c_str()), "a pipe, not a file");
    EXPECT_EQ(openBounded("/dev/zero", CONTENT_FILE_BOUND, &outcome, why), nullptr); // endless
    EXPECT_STREQ(why, "a device, not a file");
    EXPECT_EQ(openBounded(dir.file("folder").c_str(), PREFS_FILE_BOUND, &outcome, why), nullptr);
    EXPECT_EQ(outcome, openRefused);
    EXPECT_EQ(openBounded(dir.file("big").c_str(), PREFS_FILE_BOUND, &outcome, why), nullptr);
    EXPECT_STREQ(why, "larger than 4096 bytes");

    // Mended by the player: the next open takes it and the refusal is forgotten.
    writeText(dir.file("big"), "ok");
    f = openBounded(dir.file("big").c_str(), PREFS_FILE_BOUND);
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_EQ(refusalOf(dir.file("big").c_str()), nullptr);
    forgetRefusals();
}

TEST(BoundedOpen, RefusedPlayerFilesAreReadAsMissingAndNeverWrittenOver)
{
    TempDir dir;
    forgetRefusals();
    std::string prefs = dir.file("user.prefs"), scores = dir.file("top.sc"), best = dir.file("best.run");
    for (const std::string& p : {prefs, scores, best}) mkfifo(p.c_str(), 0644);
    char oldName[4];
    memcpy(oldName, userPrefs.playerName, 4);
    EXPECT_EQ(loadPrefsFile(prefs.c_str()), 1); // as a missing file: the values stay
    EXPECT_STREQ(userPrefs.playerName, oldName);
    char why[FILE_WHY_CHARS];
    EXPECT_EQ(savePrefsFile(prefs.c_str(), why), 1);
    EXPECT_STREQ(why, "it is not a regular file");

    ScoreFileReport report;
    EXPECT_EQ(loadScoreFile(scores.c_str(), &report), 1);
    EXPECT_EQ(report.state, scoresUnreadable); // ten scores may hide behind it: not saved over
    EXPECT_STREQ(report.why, "a pipe, not a file");
    EXPECT_EQ(saveScoreFile(scores.c_str(), why), 1);

    BestRun run;
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadBestRun(best.c_str(), "alps", &run), 1);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("refused (a pipe, not a file)"), std::string::npos);
    for (const std::string& p : {prefs, scores, best}) {
        struct stat st;
        ASSERT_EQ(stat(p.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << p;
    }

    // A regular file refused for its size is kept as well.
    std::string huge = dir.file("gfx.prefs");
    writeText(huge, std::string(PREFS_FILE_BOUND + 1, 'x'));
    EXPECT_EQ(openBounded(huge.c_str(), PREFS_FILE_BOUND), nullptr);
    EXPECT_FALSE(writeBytesAtomically(huge.c_str(), "ab", 2, why));
    EXPECT_STREQ(why, "it could not be read, so it is kept as it is");
    EXPECT_EQ(readBytes(huge).size(), PREFS_FILE_BOUND + 1);
    EXPECT_EQ(folderNames(dir.path()).size(), 4u); // no temporary file beside them
    forgetRefusals();
}

// The game as a sandbox starts it: no file may grow at all. The save fails with the system's reason and
// the process lives on, with nothing left beside the file.
TEST(FileSizeLimitReached, SavesFailWithFileTooLargeAndTheGameLives)
{
    TempDir dir;
    std::string prefs = dir.file("user.prefs");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        installQuitSignals();
        struct rlimit none = {0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        char why[FILE_WHY_CHARS] = "";
        int failed = savePrefsFile(prefs.c_str(), why);
        _exit(failed == 1 && strcmp(why, strerror(EFBIG)) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not fail with \"File too large\"";
    EXPECT_TRUE(folderNames(dir.path()).empty());
}
