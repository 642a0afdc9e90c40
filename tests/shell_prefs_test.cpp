#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"
#include "render/renderSettings.h"
#include "shell/kestrune.h"
#include "screens/choixPiste.h"
#include "shell/gameLoop.h"
#include "shell/prefs.h"
#include "shell/systemPortUtils.h"
#include "sound/SndWrapper.h"
#include "support/testFiles.h"

#include <sys/stat.h>
#include <unistd.h>

class PrefsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        strcpy(userPrefs.playerName, "---");
        viewChoice = 1;
        userPrefs.level = 0;
        userPrefs.ghostShown = 1;
        userPrefs.lastTrackDir[0] = '\0';
        soundSettings = SoundSettings();
        userPrefs.keyHintsShown = 1;
        userPrefs.lessonDone = 0;
    }
    void TearDown() override
    {
        userPrefs.ghostShown = 1;
        userPrefs.lastTrackDir[0] = '\0';
        soundSettings = SoundSettings();
        userPrefs.keyHintsShown = 1;
        userPrefs.lessonDone = 0;
        userPrefs.level = 0;
        applyLevelTolerances(0);
    }
};

TEST_F(PrefsTest, UserPrefsAreReadBigEndianAndRoundTrip)
{
    storeByteOrder(0);
    TempDir dir;
    writeBytes(dir.file("user.prefs"), {'A', 'B', 'C', 0, 3, 0, 2});
    ASSERT_EQ(loadPrefsFile(dir.file("user.prefs").c_str()), 0);
    EXPECT_STREQ(userPrefs.playerName, "ABC");
    EXPECT_EQ(viewChoice, 3);
    EXPECT_EQ(userPrefs.level, 2);

    strcpy(userPrefs.playerName, "XYZ");
    viewChoice = 2;
    userPrefs.level = 1;
    ASSERT_EQ(savePrefsFile(dir.file("again.prefs").c_str()), 0);
    // Ghost shown, no track yet; music and effects at 100 %, not muted, key hints on, and the lesson
    // done: a 7-byte file is a player's from before it.
    std::vector<unsigned char> expected = {'X', 'Y', 'Z', 0, 2, 0, 1, 1, 0, 100, 100, 0, 1, 1};
    EXPECT_EQ(readBytes(dir.file("again.prefs")), expected);
}

TEST_F(PrefsTest, MissingShortOrGarbageUserPrefsKeepTheDefaults)
{
    storeByteOrder(0);
    TempDir dir;
    EXPECT_EQ(loadPrefsFile(dir.file("none").c_str()), 1);
    writeBytes(dir.file("short"), {'A', 'B', 'C', 0});
    loadPrefsFile(dir.file("short").c_str());
    writeBytes(dir.file("garbage"), {0x01, 0xff, 0x80, 0x7f, 0x12, 0x80, 0x00});
    loadPrefsFile(dir.file("garbage").c_str());
    EXPECT_STREQ(userPrefs.playerName, "---");
    EXPECT_EQ(viewChoice, 1);
    EXPECT_EQ(userPrefs.level, 0);
    EXPECT_EQ(savePrefsFile("/nonexistent-dir/user.prefs"), 1);
}

TEST_F(PrefsTest, GhostFlagAndLastTrackFollowTheOldBytesAndOlderFilesStillLoad)
{
    storeByteOrder(0);
    TempDir dir;
    writeBytes(dir.file("old"), {'A', 'B', 'C', 0, 2, 0, 3});
    ASSERT_EQ(loadPrefsFile(dir.file("old").c_str()), 0);
    EXPECT_STREQ(userPrefs.playerName, "ABC");
    EXPECT_EQ(userPrefs.level, 3);
    EXPECT_EQ(userPrefs.ghostShown, 1);
    EXPECT_STREQ(userPrefs.lastTrackDir, "");

    writeBytes(dir.file("ghost"), {'A', 'B', 'C', 0, 2, 0, 3, 0});
    loadPrefsFile(dir.file("ghost").c_str());
    EXPECT_EQ(userPrefs.ghostShown, 0);
    EXPECT_STREQ(userPrefs.lastTrackDir, "");

    // A name cut short, or one that is not a plain folder name, is no track.
    writeBytes(dir.file("cut"), {'A', 'B', 'C', 0, 2, 0, 3, 1, 5, 'a', 'l'});
    loadPrefsFile(dir.file("cut").c_str());
    EXPECT_STREQ(userPrefs.lastTrackDir, "");
    writeBytes(dir.file("path"), {'A', 'B', 'C', 0, 2, 0, 3, 1, 4, '.', '.', '/', 'x'});
    loadPrefsFile(dir.file("path").c_str());
    EXPECT_STREQ(userPrefs.lastTrackDir, "");

    strcpy(userPrefs.lastTrackDir, "ironpark");
    userPrefs.ghostShown = 0;
    ASSERT_EQ(savePrefsFile(dir.file("new").c_str()), 0);
    std::vector<unsigned char> expected = {'A', 'B', 'C', 0, 2, 0, 3, 0, 8, 'i', 'r', 'o', 'n', 'p', 'a', 'r', 'k',
                                           100, 100, 0, 1, 1}; // the lesson: the old file was a player's

    EXPECT_EQ(readBytes(dir.file("new")), expected);
    userPrefs.ghostShown = 1;
    userPrefs.lastTrackDir[0] = '\0';
    ASSERT_EQ(loadPrefsFile(dir.file("new").c_str()), 0);
    EXPECT_EQ(userPrefs.ghostShown, 0);
    EXPECT_STREQ(userPrefs.lastTrackDir, "ironpark");
}

// The sound settings, the key hints and the lesson follow the folder name; an old file plays as before.
TEST_F(PrefsTest, SoundHintsAndLessonBytesFollowTheTrackAndOldFilesGiveTodaysValues)
{
    storeByteOrder(0);
    TempDir dir;
    EXPECT_EQ(loadPrefsFile(dir.file("none").c_str()), 1);
    EXPECT_EQ(userPrefs.lessonDone, 0); // a new player: no file at all
    for (size_t size : {7u, 8u, 9u}) {
        std::vector<unsigned char> old = {'A', 'B', 'C', 0, 2, 0, 3, 1, 0};
        old.resize(size);
        writeBytes(dir.file("old"), old);
        soundSettings = {30, 20, 1};
        userPrefs.keyHintsShown = 0;
        userPrefs.lessonDone = 0;
        ASSERT_EQ(loadPrefsFile(dir.file("old").c_str()), 0);
        EXPECT_EQ(soundSettings.musicPercent, 30) << size; // nothing read, the values in force stay
        EXPECT_EQ(userPrefs.keyHintsShown, 0) << size;
        EXPECT_EQ(userPrefs.lessonDone, 1) << size; // a player from before the lesson is not sent to it
    }
    soundSettings = SoundSettings();
    writeBytes(dir.file("old"), {'A', 'B', 'C', 0, 2, 0, 3, 1, 0});
    loadPrefsFile(dir.file("old").c_str());
    EXPECT_FLOAT_EQ(musicGain(), 1.0f);
    EXPECT_FLOAT_EQ(effectsGain(), 1.0f);

    // After a folder name; each byte optional, a percent over 100 ignored.
    writeBytes(dir.file("new"), {'A', 'B', 'C', 0, 2, 0, 3, 1, 2, 'a', 'l', 40, 70, 1, 0, 0});
    ASSERT_EQ(loadPrefsFile(dir.file("new").c_str()), 0);
    EXPECT_STREQ(userPrefs.lastTrackDir, "al");
    EXPECT_EQ(soundSettings.musicPercent, 40);
    EXPECT_EQ(soundSettings.effectsPercent, 70);
    EXPECT_EQ(soundSettings.muted, 1);
    EXPECT_EQ(userPrefs.keyHintsShown, 0);
    EXPECT_EQ(userPrefs.lessonDone, 0);
    EXPECT_FLOAT_EQ(musicGain(), 0.0f); // muted
    ASSERT_EQ(savePrefsFile(dir.file("again").c_str()), 0);
    EXPECT_EQ(readBytes(dir.file("again")), readBytes(dir.file("new")));
    writeBytes(dir.file("cut"), {'A', 'B', 'C', 0, 2, 0, 3, 1, 0, 200, 50});
    soundSettings = SoundSettings();
    loadPrefsFile(dir.file("cut").c_str());
    EXPECT_EQ(soundSettings.musicPercent, 100);
    EXPECT_EQ(soundSettings.effectsPercent, 50);
    EXPECT_EQ(soundSettings.muted, 0);
    EXPECT_FLOAT_EQ(effectsGain(), 0.5f);
}

// The start-up read: the saved level reaches the landing tolerances, the saved track is highlighted.
TEST_F(PrefsTest, StartUpAppliesTheSavedLevelAndHighlightsTheLastTrack)
{
    storeByteOrder(0);
    TempDir dir;
    mkdir((dir.path() + "/data").c_str(), 0700);
    mkdir((dir.path() + "/data/prefs").c_str(), 0700);
    writeBytes(dir.file("data/prefs/user.prefs"), {'A', 'B', 'C', 0, 1, 0, 3, 1, 6, 'm', 'e', 'a', 'd', 'o', 'w'});
    int savedCount = gameLists.nbTotalPistes;
    gameLists.nbTotalPistes = 3;
    strcpy(gameLists.listePistes[0], "gullypipe");
    strcpy(gameLists.listePistes[1], "meadow");
    strcpy(gameLists.listePistes[2], "ironpark");
    char cwd[512];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    applyLevelTolerances(0);
    loadUserPreferences();
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_EQ(toleranceAngleRightAndLeft, 20); // "Hi", without visiting the options screen
    EXPECT_EQ(toleranceAngleFrontAndBack, 20);
    EXPECT_EQ(toleranceAngleLeftSideAndRightSide, 20);
    EXPECT_EQ(getSelectedTrack(), 1);
    selectTrackNamed("gone"); // a track that was removed since: the highlight stays
    EXPECT_EQ(getSelectedTrack(), 1);
    selectTrackNamed("gullypipe");
    gameLists.nbTotalPistes = savedCount;
}

TEST(GfxPrefs, SixLittleEndianBytesAndTheDialogRows)
{
    needSwap = 0; // read and written before the game sets the byte order
    TempDir dir;
    writeBytes(dir.file("gfx.prefs"), {16, 0, 15, 0, 2, 0});
    ASSERT_EQ(loadGfxPrefs(dir.file("gfx.prefs").c_str()), 0);
    EXPECT_EQ(gfxSettings.zDepthSize, 16);
    EXPECT_EQ(gfxSettings.colorDepthSize, 15);
    EXPECT_EQ(gfxSettings.windowed, 2);
    EXPECT_EQ(findColorDepthIndex(gfxSettings.colorDepthSize), 2); // 15 bits is not offered: "32 bpp"
    EXPECT_EQ(findColorDepthIndex(16), 0);
    EXPECT_EQ(findZDepthIndex(gfxSettings.zDepthSize), 1);
    EXPECT_EQ(findColorDepthIndex(12), 2); // unknown: 32 bpp
    EXPECT_EQ(findZDepthIndex(-1), 3);

    EXPECT_EQ(gfxSettings.gfxWidth, 0) << "an old six-byte file is 800 x 600";
    EXPECT_EQ(findResolutionIndex(gfxSettings.gfxWidth, gfxSettings.gfxHeight), 0);

    ASSERT_EQ(saveGfxPrefs(dir.file("out.prefs").c_str()), 0);
    std::vector<unsigned char> expected = {16, 0, 15, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 0, 0, 0};
    EXPECT_EQ(readBytes(dir.file("out.prefs")), expected);

    writeBytes(dir.file("short.prefs"), {24, 0, 32});
    loadGfxPrefs(dir.file("short.prefs").c_str());
    EXPECT_EQ(gfxSettings.zDepthSize, 16); // a short file changes nothing
}

// A child saving in a loop is killed at many moments: the file is always a whole old or new one.
TEST_F(PrefsTest, AKillDuringTheSaveNeverLeavesAHalfFile)
{
    storeByteOrder(0);
    TempDir dir;
    std::string path = dir.file("user.prefs");
    strcpy(userPrefs.playerName, "KIL");
    ASSERT_EQ(savePrefsFile(path.c_str()), 0);
    std::vector<unsigned char> whole = readBytes(path);
    for (int kill_ = 0; kill_ < 20; kill_++) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) savePrefsFile(path.c_str());
        }
        usleep(200 + 300 * kill_);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        ASSERT_EQ(readBytes(path), whole) << "after kill " << kill_;
    }
}

TEST_F(PrefsTest, BothPrefsFilesSayWhyTheyWereNotWritten)
{
    storeByteOrder(0);
    TempDir dir;
    std::string user = dir.file("user.prefs"), gfx = dir.file("gfx.prefs");
    writeText(user, "old");
    writeText(gfx, "old");
    char why[FILE_WHY_CHARS] = "";
    {
        FileSizeLimit full(2);
        EXPECT_EQ(savePrefsFile(user.c_str(), why), 1);
        EXPECT_STREQ(why, strerror(EFBIG));
        why[0] = '\0';
        EXPECT_EQ(saveGfxPrefs(gfx.c_str(), why), 1);
        EXPECT_STREQ(why, strerror(EFBIG));
    }
    EXPECT_EQ(readBytes(user), readBytes(gfx));
    EXPECT_EQ(readBytes(user).size(), 3u);
}

TEST(GfxPrefs, WindowSizeInBytesSixToNineSelectsItsRow)
{
    needSwap = 0;
    TempDir dir;
    // 1280 x 720, then the two renderer settings
    writeBytes(dir.file("gfx.prefs"), {24, 0, 16, 0, 0, 0, 0x00, 0x05, 0xd0, 0x02, 0, 0, 0, 0, 60, 0, 0, 0});
    ASSERT_EQ(loadGfxPrefs(dir.file("gfx.prefs").c_str()), 0);
    EXPECT_EQ(gfxSettings.gfxWidth, 1280);
    EXPECT_EQ(gfxSettings.gfxHeight, 720);
    int n = 0;
    EXPECT_STREQ(resolution_lister(findResolutionIndex(gfxSettings.gfxWidth, gfxSettings.gfxHeight), &n), " 1280x720");
    ASSERT_EQ(saveGfxPrefs(dir.file("out.prefs").c_str()), 0);
    EXPECT_EQ(readBytes(dir.file("out.prefs")), readBytes(dir.file("gfx.prefs")));

    writeBytes(dir.file("desktop.prefs"), {24, 0, 16, 0, 0, 0, 0xff, 0xff, 0xff, 0xff});
    loadGfxPrefs(dir.file("desktop.prefs").c_str());
    EXPECT_STREQ(resolution_lister(findResolutionIndex(gfxSettings.gfxWidth, gfxSettings.gfxHeight), &n), " desktop ");

    EXPECT_EQ(findResolutionIndex(1000, 700), 0) << "a size not offered falls back to 800 x 600";
    EXPECT_EQ(findResolutionIndex(1920, 0), 0);
    EXPECT_EQ(findResolutionIndex(1920, 1080), 6);
}

// Bytes 10-13: smooth far textures and distance haze. Missing (an older file) or any value but 1 is off.
TEST(GfxPrefs, RendererSettingsLoadSaveAndFallBackToOff)
{
    needSwap = 0;
    TempDir dir;
    const std::vector<unsigned char> both = {24, 0, 16, 0, 2, 0, 0, 0, 0, 0, 1, 0, 1, 0, 60, 0, 0, 0};
    writeBytes(dir.file("both.prefs"), both);
    ASSERT_EQ(loadGfxPrefs(dir.file("both.prefs").c_str()), 0);
    EXPECT_EQ(renderSettings.smoothDistantTextures, 1);
    EXPECT_EQ(renderSettings.distanceHaze, 1);
    ASSERT_EQ(saveGfxPrefs(dir.file("out.prefs").c_str()), 0);
    EXPECT_EQ(readBytes(dir.file("out.prefs")), both);

    writeBytes(dir.file("hazeOnly.prefs"), {24, 0, 16, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 0});
    loadGfxPrefs(dir.file("hazeOnly.prefs").c_str());
    EXPECT_EQ(renderSettings.smoothDistantTextures, 0);
    EXPECT_EQ(renderSettings.distanceHaze, 1);

    // older files: the six first bytes, then with the window size, then cut inside the haze field
    const std::vector<std::vector<unsigned char>> older = {
        {24, 0, 16, 0, 2, 0}, {24, 0, 16, 0, 2, 0, 0, 0, 0, 0}, {24, 0, 16, 0, 2, 0, 0, 0, 0, 0, 1, 0, 1}};
    for (size_t k = 0; k < older.size(); k++) {
        loadGfxPrefs(dir.file("both.prefs").c_str());
        writeBytes(dir.file("old.prefs"), older[k]);
        ASSERT_EQ(loadGfxPrefs(dir.file("old.prefs").c_str()), 0);
        EXPECT_EQ(renderSettings.distanceHaze, 0) << "file " << k;
        EXPECT_EQ(renderSettings.smoothDistantTextures, k == 2 ? 1 : 0) << "file " << k;
        EXPECT_EQ(gfxSettings.zDepthSize, 24);
    }

    loadGfxPrefs(dir.file("both.prefs").c_str());
    writeBytes(dir.file("bad.prefs"), {24, 0, 16, 0, 2, 0, 0, 0, 0, 0, 7, 0, 0xff, 0xff});
    loadGfxPrefs(dir.file("bad.prefs").c_str());
    EXPECT_EQ(renderSettings.smoothDistantTextures, 0) << "an unknown value is the specified look";
    EXPECT_EQ(renderSettings.distanceHaze, 0);
    ASSERT_EQ(saveGfxPrefs(dir.file("out.prefs").c_str()), 0);
    std::vector<unsigned char> cleaned = readBytes(dir.file("out.prefs"));
    ASSERT_EQ(cleaned.size(), 18u);
    EXPECT_EQ(cleaned[10] | cleaned[11] | cleaned[12] | cleaned[13], 0);

    loadGfxPrefs(dir.file("both.prefs").c_str());
    writeBytes(dir.file("tiny.prefs"), {24, 0, 16});
    loadGfxPrefs(dir.file("tiny.prefs").c_str());
    EXPECT_EQ(renderSettings.distanceHaze, 1) << "a file too short for the depths changes nothing";
    renderSettings.smoothDistantTextures = renderSettings.distanceHaze = 0;
}

TEST(GfxPrefs, ListersGiveRowCountsAndTexts)
{
    int n = 0;
    EXPECT_EQ(resolution_lister(-1, &n), nullptr);
    EXPECT_EQ(n, 7);
    EXPECT_STREQ(resolution_lister(0, &n), " 800x600 ");
    EXPECT_EQ(colour_depth_lister(-1, &n), nullptr);
    EXPECT_EQ(n, 3); // only the depths the game draws well
    EXPECT_STREQ(colour_depth_lister(0, &n), "16 bpp");
    EXPECT_STREQ(colour_depth_lister(2, &n), "32 bpp");
    EXPECT_EQ(zbuffer_depth_lister(-1, &n), nullptr);
    EXPECT_EQ(n, 4);
    EXPECT_STREQ(zbuffer_depth_lister(2, &n), "24 bits");
}

// Bytes 14-17: the frame cap (60, 120, 144 or 0 for none) and sync with the screen. An older file, or
// a cap that is none of those, rides at 60 without sync.
TEST(GfxPrefs, FrameCapAndScreenSyncLoadSaveAndFallBackTo60)
{
    needSwap = 0;
    TempDir dir;
    writeBytes(dir.file("gfx.prefs"), {24, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 144, 0, 1, 0});
    ASSERT_EQ(loadGfxPrefs(dir.file("gfx.prefs").c_str()), 0);
    EXPECT_EQ(gfxSettings.frameCap, 144);
    EXPECT_EQ(gfxSettings.screenSync, 1);
    ASSERT_EQ(saveGfxPrefs(dir.file("out.prefs").c_str()), 0);
    EXPECT_EQ(readBytes(dir.file("out.prefs")), readBytes(dir.file("gfx.prefs")));
    int rows = 0;
    EXPECT_EQ(frame_cap_lister(-1, &rows), nullptr);
    EXPECT_EQ(rows, 4);
    EXPECT_STREQ(frame_cap_lister(3, &rows), "none");

    writeBytes(dir.file("none.prefs"), {24, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    loadGfxPrefs(dir.file("none.prefs").c_str());
    EXPECT_EQ(gfxSettings.frameCap, 0) << "no cap";
    writeBytes(dir.file("odd.prefs"), {24, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 77, 0, 9, 0});
    loadGfxPrefs(dir.file("odd.prefs").c_str());
    EXPECT_EQ(gfxSettings.frameCap, 60);
    EXPECT_EQ(gfxSettings.screenSync, 0);
    writeBytes(dir.file("old.prefs"), {24, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    loadGfxPrefs(dir.file("old.prefs").c_str());
    EXPECT_EQ(gfxSettings.frameCap, 60);
    EXPECT_EQ(gfxSettings.screenSync, 0);
}
