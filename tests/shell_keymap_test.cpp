#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "shell/keymap.h"
#include "support/testFiles.h"

static void clearKeymap() { memset(currentKeymap, 0, sizeof currentKeymap); }

TEST(Keymap, CommentsAndBlankLinesAreSkippedAndOnlyTheFirstCharacterCounts)
{
    TempDir dir;
    writeText(dir.file("keys.map"), "# left, then right\n\nqwerty\n#x\nd is right\nz\ns\nr\nf\nu\ni\no\nj\nk\nl\n");
    clearKeymap();
    ASSERT_EQ(initKeymap(dir.file("keys.map").c_str()), 0);
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_Q);
    EXPECT_EQ(currentKeymap[KM_RIGHT], KEY_D);
    EXPECT_EQ(currentKeymap[KM_DOWN], KEY_Z);
    EXPECT_EQ(currentKeymap[KM_TRICK6], KEY_L);
    EXPECT_EQ(currentKeymap[KM_BOMB], 103);
}

static void expectDefaultsFrom(int firstSlot)
{
    for (int slot = firstSlot; slot < KM_BOMB; slot++) EXPECT_EQ(currentKeymap[slot], DEFAULT_KEYS[slot] - 'a' + 1) << slot;
}

TEST(Keymap, MissingEmptyOrShortMapsFallBackOnTheDefaultKeys)
{
    TempDir dir;
    clearKeymap();
    testing::internal::CaptureStdout();
    EXPECT_EQ(initKeymap(dir.file("missing.map").c_str()), 1);
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("No key map " + dir.file("missing.map")), std::string::npos) << said;
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_S);
    EXPECT_EQ(currentKeymap[KM_UP], KEY_E); // the rider can push
    expectDefaultsFrom(0);
    EXPECT_EQ(currentKeymap[KM_BOMB], BOMB_KEY_CODE);

    writeText(dir.file("short.map"), "a\nc\n");
    clearKeymap();
    testing::internal::CaptureStdout();
    ASSERT_EQ(initKeymap(dir.file("short.map").c_str()), 0);
    said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("ends before down"), std::string::npos) << said;
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_A);
    EXPECT_EQ(currentKeymap[KM_RIGHT], KEY_C);
    expectDefaultsFrom(KM_DOWN);

    writeText(dir.file("empty.map"), "");
    clearKeymap();
    ASSERT_EQ(initKeymap(dir.file("empty.map").c_str()), 0);
    expectDefaultsFrom(0);
}

TEST(Keymap, ABadLineCostsItsOwnActionOnlyAndIsNamed)
{
    TempDir dir;
    // Line 4 (down) is a digit, line 7 (left side) is the bomb's letter, and a comment longer than
    // the line buffer must not turn into an action line.
    std::string longComment = "#" + std::string(400, 'x') + "\n";
    writeText(dir.file("keys.map"), "# keys\nq\nd\n7 down\nz\n" + longComment + "b\nr\nu\ni\no\nj\nk\nl\n");
    clearKeymap();
    testing::internal::CaptureStdout();
    ASSERT_EQ(initKeymap(dir.file("keys.map").c_str()), 0);
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("line 4"), std::string::npos) << said;
    EXPECT_NE(said.find("down keeps its default key d"), std::string::npos) << said;
    EXPECT_NE(said.find("line 7"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_Q);
    EXPECT_EQ(currentKeymap[KM_RIGHT], KEY_D);
    EXPECT_EQ(currentKeymap[KM_DOWN], KEY_D); // the default
    EXPECT_EQ(currentKeymap[KM_UP], KEY_Z);
    EXPECT_EQ(currentKeymap[KM_LEFT_SIDE], KEY_W); // the default
    EXPECT_EQ(currentKeymap[KM_RIGHT_SIDE], KEY_R);
    EXPECT_EQ(currentKeymap[KM_TRICK1], KEY_U);
    EXPECT_EQ(currentKeymap[KM_TRICK6], KEY_L);
}

TEST(Keymap, GarbageNeverGivesACodeOutsideTheLetters)
{
    TempDir dir;
    std::vector<unsigned char> garbage;
    for (int i = 0; i < 600; i++) garbage.push_back((unsigned char)((i * 37 + 11) % 256));
    writeBytes(dir.file("garbage.map"), garbage);
    clearKeymap();
    ASSERT_EQ(initKeymap(dir.file("garbage.map").c_str()), 0);
    for (int slot = 0; slot < KM_BOMB; slot++) {
        EXPECT_GE(currentKeymap[slot], 0) << slot;
        EXPECT_LE(currentKeymap[slot], KEY_Z) << slot;
    }
}
