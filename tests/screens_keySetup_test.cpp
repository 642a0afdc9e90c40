#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>

#include "screens/keySetup.h"
#include "shell/keymapFile.h"
#include "support/testFiles.h"

namespace {

const int defaults[KM_SLOTS] = {KEY_S, KEY_F, KEY_D, KEY_E, KEY_W, KEY_R, KEY_J,
                                KEY_K, KEY_L, KEY_U, KEY_I, KEY_O, BOMB_KEY_CODE};

KeySetupKeys press(short up, short down, short enter, short esc, int newKey = 0)
{
    return KeySetupKeys{up, down, enter, esc, newKey};
}

struct KeySetupTest : ::testing::Test {
    int map[KM_SLOTS];
    void SetUp() override
    {
        memcpy(map, defaults, sizeof map);
        keySetupReset();
    }
};

} // namespace

TEST_F(KeySetupTest, BombFixedAndNonLetterKeysAreRefusedAndLettersTaken)
{
    for (int code : std::initializer_list<int>{KEY_B, BOMB_KEY_CODE, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_ESC, KEY_P, KEY_M, KEY_ENTER,
                     KEY_ENTER_PAD, KEY_SPACE, KEY_1, KEY_UP, KEY_LSHIFT, 0, -1, KEY_MAX})
        EXPECT_NE(keyRefusal(code), nullptr) << code;
    EXPECT_STRNE(keyRefusal(KEY_B), keyRefusal(KEY_F7)); // the player is told why
    for (int code = KEY_A; code <= KEY_Z; code++)
        if (code != KEY_B && code != KEY_P && code != KEY_M) EXPECT_EQ(keyRefusal(code), nullptr) << code;
}

TEST_F(KeySetupTest, AKeyUsedByAnotherActionSwapsWithIt)
{
    assignKey(map, KM_LEFT, KEY_J); // trick 1's key goes left, trick 1 gets S
    EXPECT_EQ(map[KM_LEFT], KEY_J);
    EXPECT_EQ(map[KM_TRICK1], KEY_S);
    assignKey(map, KM_UP, KEY_Q); // a free key: nothing else moves
    EXPECT_EQ(map[KM_UP], KEY_Q);
    for (int slot = 0; slot < KEY_SETUP_LINES; slot++)
        for (int other = slot + 1; other < KEY_SETUP_LINES; other++) EXPECT_NE(map[slot], map[other]);
    EXPECT_EQ(map[KM_BOMB], BOMB_KEY_CODE);
}

TEST_F(KeySetupTest, ReturnWaitsForTheNextKeyAndEscCancelsTheWait)
{
    keySetupStep(press(0, 1, 0, 0), map);
    keySetupStep(press(0, 1, 0, 0), map);
    EXPECT_EQ(keySetup.line, KM_DOWN);
    keySetupStep(press(0, 0, 1, 0), map);
    ASSERT_TRUE(keySetup.waiting);
    // Arrows and fixed keys are refused while waiting, and do not move the line.
    EXPECT_EQ(keySetupStep(press(0, 1, 0, 0, KEY_DOWN), map), 0);
    keySetupStep(press(0, 0, 0, 0, KEY_P), map);
    EXPECT_TRUE(keySetup.waiting);
    EXPECT_EQ(keySetup.line, KM_DOWN);
    EXPECT_EQ(keySetup.message, keyRefusal(KEY_P));
    EXPECT_EQ(keySetupStep(press(0, 0, 0, 1, KEY_ESC), map), 0); // cancels, does not leave
    EXPECT_FALSE(keySetup.waiting);
    EXPECT_EQ(0, memcmp(map, defaults, sizeof map));

    keySetupStep(press(0, 0, 1, 0), map);
    keySetupStep(press(0, 0, 0, 0, KEY_X), map);
    EXPECT_FALSE(keySetup.waiting);
    EXPECT_EQ(map[KM_DOWN], KEY_X);
}

TEST_F(KeySetupTest, LinesStopAtTheEndsAndEscLeavesOutsideAWait)
{
    keySetupStep(press(1, 0, 0, 0), map);
    EXPECT_EQ(keySetup.line, 0);
    for (int i = 0; i < 20; i++) keySetupStep(press(0, 1, 0, 0), map);
    EXPECT_EQ(keySetup.line, KEY_SETUP_LINES - 1);
    EXPECT_EQ(keySetupStep(press(0, 0, 0, 1), map), 1);
}

TEST_F(KeySetupTest, AFailedSaveStaysWithAMessageAndASecondEscLeaves)
{
    EXPECT_EQ(keySetupLeave(0), 0);
    ASSERT_NE(keySetup.message, nullptr);
    EXPECT_NE(strstr(keySetup.message, "keys.map"), nullptr);
    EXPECT_EQ(keySetupLeave(0), 1);
    EXPECT_EQ(keySetup.message, nullptr); // the next visit starts afresh
    EXPECT_EQ(keySetup.saveFailed, 0);
    EXPECT_EQ(keySetupLeave(1), 1);
}

TEST(KeymapFile, KeyLinesTakeTheNewLettersAndEverythingElseIsKept)
{
    int keys[KM_SLOTS];
    memcpy(keys, defaults, sizeof keys);
    keys[KM_LEFT] = KEY_A;
    keys[KM_TRICK6] = KEY_Z;
    std::string old = "# mine\n\ns   left hand\nf\n#between\nd\ne\nw\nr\nj\nk\nl\nu\ni\no\nextra line\n";
    EXPECT_EQ(keymapFileText(old, keys),
              "# mine\n\na   left hand\nf\n#between\nd\ne\nw\nr\nj\nk\nl\nu\ni\nz\nextra line\n");
    // A short map gets its missing lines; an empty one the header and all twelve.
    EXPECT_EQ(keymapFileText("# c\nq\n", keys), "# c\na\nf\nd\ne\nw\nr\nj\nk\nl\nu\ni\nz\n");
    std::string fresh = keymapFileText("", keys);
    EXPECT_EQ(fresh.rfind(keymapFileHeader, 0), 0u);
    EXPECT_EQ(fresh.substr(strlen(keymapFileHeader)), "a\nf\nd\ne\nw\nr\nj\nk\nl\nu\ni\nz\n");
}

TEST(KeymapFile, TheSavedMapReadsBackAndAnUnwritableOneFails)
{
    TempDir dir;
    std::string path = dir.file("keys.map");
    writeText(path, "# hand edited\ns\nf\nd\ne\nw\nr\nj\nk\nl\nu\ni\no\n");
    int saved[KM_SLOTS];
    memcpy(saved, currentKeymap, sizeof saved);
    memcpy(currentKeymap, defaults, sizeof currentKeymap);
    assignKey(currentKeymap, KM_RIGHT, KEY_J);
    ASSERT_EQ(saveKeymap(path.c_str(), path.c_str()), 0);
    memset(currentKeymap, 0, sizeof currentKeymap);
    ASSERT_EQ(initKeymap(path.c_str()), 0);
    EXPECT_EQ(currentKeymap[KM_RIGHT], KEY_J);
    EXPECT_EQ(currentKeymap[KM_TRICK1], KEY_F);
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_S);
    std::vector<unsigned char> bytes = readBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 14), "# hand edited\n");
    EXPECT_EQ(saveKeymap(path.c_str(), dir.file("no/such/folder/keys.map").c_str()), 1);
    // The first save of an installed game: the shipped map's comments go into the player's copy.
    ASSERT_EQ(saveKeymap(path.c_str(), dir.file("mine.map").c_str()), 0);
    bytes = readBytes(dir.file("mine.map"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 14), "# hand edited\n");
    memcpy(currentKeymap, saved, sizeof currentKeymap);
}
