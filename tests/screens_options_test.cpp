// Difficulty levels, their landing tolerances and the track description buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "screens/choixPiste.h"
#include "screens/options.h"
#include "shell/prefs.h"
#include "sound/SndWrapper.h"
#include "support/testFiles.h"
#include "track/trackTitle.h"

namespace {

TEST(ScreensLevels, NamesAndToleranceSets)
{
    const char* names[] = {"Wiz", "Low", "Mid", "Hi"};
    const int sets[4][3] = {{45, 89, 89}, {40, 45, 45}, {30, 30, 30}, {20, 20, 20}};
    for (int level = 0; level < 4; level++) {
        char name[8] = "";
        getLevelNameForInt(name, level);
        EXPECT_STREQ(name, names[level]);
        int shown[3];
        ASSERT_EQ(getLevelTolerances(level, shown), 1); // what the options screen explains
        EXPECT_EQ(shown[0], sets[level][0]);
        EXPECT_EQ(shown[2], sets[level][2]);
        applyLevelTolerances(level);
        EXPECT_EQ(toleranceAngleRightAndLeft, sets[level][0]);
        EXPECT_EQ(toleranceAngleFrontAndBack, sets[level][1]);
        EXPECT_EQ(toleranceAngleLeftSideAndRightSide, sets[level][2]);
    }
    // Back from "Hi" to "Wiz" restores the easy set; unknown levels change nothing.
    applyLevelTolerances(0);
    EXPECT_EQ(toleranceAngleFrontAndBack, 89);
    applyLevelTolerances(7);
    EXPECT_EQ(toleranceAngleRightAndLeft, 45);
    int none[3];
    EXPECT_EQ(getLevelTolerances(4, none), 0);
    char name[8] = "keep";
    getLevelNameForInt(name, -1);
    EXPECT_STREQ(name, "keep");
}

// Up and down choose the row, left and right change it; G and M act on any row; Return opens the keys.
TEST(OptionsRows, EachRowChangesItsOwnSettingWithinItsBounds)
{
    selectedOption = OPT_LEVEL;
    userPrefs.level = 0;
    soundSettings = SoundSettings();
    userPrefs.keyHintsShown = 1;
    userPrefs.ghostShown = 1;
    OptionKeys right, left, up, down, none, ghost, mute, enter;
    right.right = left.left = up.up = down.down = ghost.ghost = mute.mute = enter.enter = 1;
    EXPECT_EQ(optionsStep(right), OPTIONS_CHANGED); // opens on the difficulty, as it always did
    EXPECT_EQ(userPrefs.level, 1);
    EXPECT_EQ(optionsStep(down), OPTIONS_CHANGED);
    EXPECT_EQ(selectedOption, OPT_LEVEL); // the last row
    for (int i = 0; i < OPT_ROWS + 2; i++) optionsStep(up);
    EXPECT_EQ(selectedOption, OPT_LESSON);
    EXPECT_EQ(optionsStep(enter), OPTIONS_START_LESSON);
    optionsStep(down);
    EXPECT_EQ(selectedOption, OPT_MUSIC);
    for (int i = 0; i < 3; i++) optionsStep(left);
    EXPECT_EQ(soundSettings.musicPercent, 70);
    for (int i = 0; i < 5; i++) optionsStep(right);
    EXPECT_EQ(soundSettings.musicPercent, 100);
    optionsStep(down);
    for (int i = 0; i < 12; i++) optionsStep(left);
    EXPECT_EQ(soundSettings.effectsPercent, 0);
    EXPECT_FLOAT_EQ(effectsGain(), 0.0f);
    optionsStep(down);
    optionsStep(right);
    EXPECT_EQ(soundSettings.muted, 1);
    optionsStep(down);
    optionsStep(left);
    EXPECT_EQ(userPrefs.keyHintsShown, 0);
    optionsStep(down);
    optionsStep(right);
    EXPECT_EQ(userPrefs.ghostShown, 0);
    EXPECT_EQ(userPrefs.level, 1); // none of them touched the level
    optionsStep(ghost);
    optionsStep(mute);
    EXPECT_EQ(userPrefs.ghostShown, 1);
    EXPECT_EQ(soundSettings.muted, 0);
    EXPECT_EQ(optionsStep(none), OPTIONS_SAME);
    EXPECT_EQ(optionsStep(enter), OPTIONS_OPEN_KEYS);
    soundSettings = SoundSettings();
    userPrefs.keyHintsShown = 1;
    userPrefs.level = 0;
    selectedOption = OPT_LEVEL;
}

struct TrackDescription : ::testing::Test {
    TempDir dir;
    char saved[512] = "";
    void SetUp() override
    {
        getcwd(saved, sizeof saved);
        mkdir((dir.path() + "/data").c_str(), 0700);
        mkdir((dir.path() + "/data/tracks").c_str(), 0700);
        mkdir((dir.path() + "/data/tracks/alps").c_str(), 0700);
        chdir(dir.path().c_str());
    }
    void TearDown() override { chdir(saved); }
};

TEST_F(TrackDescription, ReadsLinesCutsLongTextAndDefaultsToASpace)
{
    char desc[TRACK_DESC_BYTES + 16];
    memset(desc, 'Z', sizeof desc);
    EXPECT_EQ(loadTrackDescription("none", desc, TRACK_DESC_BYTES), 1);
    EXPECT_STREQ(desc, " ");

    writeText("./data/tracks/alps/alps.desc", "A steep run\nwith rails\n");
    EXPECT_EQ(loadTrackDescription("alps", desc, TRACK_DESC_BYTES), 0);
    EXPECT_STREQ(desc, "A steep run\nwith rails\n");

    std::string longText;
    for (int i = 0; i < 40; i++) longText += std::string(60, 'a' + i % 26) + "\n";
    writeText("./data/tracks/alps/alps.desc", longText);
    memset(desc, 'Z', sizeof desc);
    EXPECT_EQ(loadTrackDescription("alps", desc, TRACK_DESC_BYTES), 0);
    EXPECT_EQ(strlen(desc), (size_t)TRACK_DESC_BYTES - 1);
    EXPECT_EQ(std::string(desc), longText.substr(0, TRACK_DESC_BYTES - 1));
    EXPECT_EQ(desc[TRACK_DESC_BYTES], 'Z'); // nothing written past the buffer
}

// None of these may hold the track screen: each gives back at once.
TEST_F(TrackDescription, EndlessStreamsAndPipesAreNeverReadWithoutEnd)
{
    char desc[TRACK_DESC_BYTES];
    ASSERT_EQ(symlink("/dev/zero", "./data/tracks/alps/alps.desc"), 0);
    EXPECT_EQ(loadTrackDescription("alps", desc, TRACK_DESC_BYTES), 1);
    EXPECT_STREQ(desc, " ");
    unlink("./data/tracks/alps/alps.desc");
    ASSERT_EQ(mkfifo("./data/tracks/alps/alps.desc", 0600), 0); // nobody writes into it
    EXPECT_EQ(loadTrackDescription("alps", desc, TRACK_DESC_BYTES), 1);
    unlink("./data/tracks/alps/alps.desc");
    // A plain file of NUL bytes far longer than the buffer: read up to the buffer, shown empty.
    writeBytes("./data/tracks/alps/alps.desc", std::vector<unsigned char>(1 << 20, 0));
    EXPECT_EQ(loadTrackDescription("alps", desc, TRACK_DESC_BYTES), 0);
    EXPECT_STREQ(desc, "");
    ASSERT_EQ(mkdir("./data/tracks/alps/dir.desc", 0700), 0);
    EXPECT_EQ(readDescriptionFile("./data/tracks/alps/dir.desc", desc, TRACK_DESC_BYTES), 1);
}

// Titles are stored with underscores; a player reads spaces. The track screen reads the stored title.
TEST_F(TrackDescription, TitlesShowSpacesAndComeFromTheTrackFile)
{
    char title[64];
    shownTitle(title, sizeof title, "Timberline_Slalom");
    EXPECT_STREQ(title, "Timberline Slalom");
    shownTitle(title, 5, "Iron_Park");
    EXPECT_STREQ(title, "Iron");

    EXPECT_EQ(readTrackTitle("alps", title, sizeof title), 1); // no track file: the folder name
    EXPECT_STREQ(title, "alps");
    std::vector<unsigned char> stored(300, 0);
    memcpy(stored.data(), "Alpine_Gully", 12);
    writeBytes("./data/tracks/alps/alps.btrk", stored);
    EXPECT_EQ(readTrackTitle("alps", title, sizeof title), 0);
    EXPECT_STREQ(title, "Alpine Gully");
    writeBytes("./data/tracks/alps/alps.btrk", {'A', 'l'}); // cut short: the folder name again
    EXPECT_EQ(readTrackTitle("alps", title, sizeof title), 1);
    EXPECT_STREQ(title, "alps");
}

} // namespace
