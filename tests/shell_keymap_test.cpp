#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>

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

TEST(Keymap, AShortFileRepeatsTheLastKeyAndAMissingOneChangesNothing)
{
    TempDir dir;
    writeText(dir.file("short.map"), "a\nb\n");
    clearKeymap();
    ASSERT_EQ(initKeymap(dir.file("short.map").c_str()), 0);
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_A);
    for (int slot = KM_RIGHT; slot <= KM_TRICK6; slot++) EXPECT_EQ(currentKeymap[slot], KEY_B) << slot;

    EXPECT_EQ(initKeymap(dir.file("missing.map").c_str()), 1);
    EXPECT_EQ(currentKeymap[KM_LEFT], KEY_A);
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
    writeText(dir.file("empty.map"), "");
    clearKeymap();
    ASSERT_EQ(initKeymap(dir.file("empty.map").c_str()), 0);
    EXPECT_EQ(currentKeymap[KM_LEFT], 0);
}
