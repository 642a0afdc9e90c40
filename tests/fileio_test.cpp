#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <cstring>

#include "fileio/atomicWrite.h"
#include "render/screenshot.h"
#include "fileio/swapthings.h"
#include "support/testFiles.h"

TEST(Swapthings, NumbersAreBigEndianOnDiskAfterStoreByteOrder)
{
    storeByteOrder(0);
    EXPECT_EQ(areWeLittleEndian(), testByteOrder());
    TempDir dir;
    FILE* f = fopen(dir.file("n").c_str(), "wb");
    short s = 0x0102;
    double d = 1.5; // 3F F8 00 ...
    ASSERT_EQ(writeShortInt(f, &s), 1);
    ASSERT_EQ(writeDouble(f, &d), 1);
    fclose(f);
    std::vector<unsigned char> expected = {0x01, 0x02, 0x3f, 0xf8, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(readBytes(dir.file("n")), expected);

    // A float 1.0 and the 32-bit integer -2, then a lone byte.
    writeBytes(dir.file("r"), {0x3f, 0x80, 0, 0, 0xff, 0xff, 0xff, 0xfe, 0x01, 0x02, 0x3f, 0xf8, 0, 0, 0, 0, 0, 0, 7});
    f = fopen(dir.file("r").c_str(), "rb");
    float fl = 0;
    long l = 0;
    short back = 0;
    double dback = 0;
    ASSERT_EQ(readFloat(f, &fl), 1);
    ASSERT_EQ(readLong(f, &l), 1);
    ASSERT_EQ(readShortInt(f, &back), 1);
    ASSERT_EQ(readDouble(f, &dback), 1);
    EXPECT_EQ(fl, 1.0f);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(back, 0x0102);
    EXPECT_EQ(dback, 1.5);
    EXPECT_EQ(readShortInt(f, &back), 0); // one byte left
    fclose(f);
}

TEST(Swapthings, WithoutTheByteOrderFlagNumbersStayInMachineOrder)
{
    needSwap = 0;
    FILE* f = tmpfile();
    short s = 0x0102;
    writeShortInt(f, &s);
    rewind(f);
    unsigned char b[2];
    ASSERT_EQ(fread(b, 1, 2, f), 2u);
    short native = 0x0102;
    EXPECT_EQ(memcmp(b, &native, 2), 0);
    fclose(f);
    storeByteOrder(0);
}

class ScreenshotTest : public ::testing::Test {
protected:
    TempDir dir;
    char oldCwd[1024];
    void SetUp() override
    {
        ASSERT_NE(getcwd(oldCwd, sizeof oldCwd), nullptr);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(oldCwd), 0); }
};

TEST_F(ScreenshotTest, TheFirstFreeNumberIsChosen)
{
    char name[64];
    findPossibleScrShotFileName(name, sizeof name);
    EXPECT_STREQ(name, "screenshots/screenshot0.tga");
    mkdir("screenshots", 0755);
    writeText("screenshots/screenshot0.tga", "x");
    writeText("screenshots/screenshot2.tga", "x");
    findPossibleScrShotFileName(name, sizeof name);
    EXPECT_STREQ(name, "screenshots/screenshot1.tga");
    writeText("screenshots/screenshot1.tga", "x");
    findPossibleScrShotFileName(name, sizeof name);
    EXPECT_STREQ(name, "screenshots/screenshot3.tga");
}

TEST_F(ScreenshotTest, TgaFileHasHeaderBgrPixelsAndFooterAndMakesTheFolder)
{
    std::vector<unsigned char> rgb(800 * 600 * 3, 0);
    rgb[0] = 10;
    rgb[1] = 20;
    rgb[2] = 30;
    ASSERT_EQ(writeTgaFile("screenshots/screenshot0.tga", rgb.data(), 800, 600), 1);
    std::vector<unsigned char> tga = readBytes("screenshots/screenshot0.tga");
    ASSERT_EQ(tga.size(), 1440044u);
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[12], 800 & 0xff);
    EXPECT_EQ(tga[13], 800 >> 8);
    EXPECT_EQ(tga[14], 600 & 0xff);
    EXPECT_EQ(tga[15], 600 >> 8);
    EXPECT_EQ(tga[16], 24);
    EXPECT_EQ(tga[17], 0);
    EXPECT_EQ(tga[18], 30); // blue first
    EXPECT_EQ(tga[20], 10);
    EXPECT_EQ(memcmp(&tga[1440044 - 18], "TRUEVISION-XFILE.", 17), 0);
    EXPECT_EQ(tga.back(), 0);

    std::vector<unsigned char> wide(1280 * 720 * 3, 0);
    ASSERT_EQ(writeTgaFile("screenshots/screenshot1.tga", wide.data(), 1280, 720), 1);
    tga = readBytes("screenshots/screenshot1.tga");
    ASSERT_EQ(tga.size(), 18u + 1280 * 720 * 3 + 26);
    EXPECT_EQ(tga[12] | tga[13] << 8, 1280);
    EXPECT_EQ(tga[14] | tga[15] << 8, 720);
}

static bool fillThenFail(FILE* f, const void*)
{
    fputs("half", f);
    return false;
}

TEST(AtomicWrite, ReplacesTheWholeFileAndLeavesNothingBeside)
{
    TempDir dir;
    std::string path = dir.file("user.prefs");
    writeText(path, "an older and longer content");
    char why[FILE_WHY_CHARS] = "untouched";
    ASSERT_TRUE(writeBytesAtomically(path.c_str(), "ABC\0\1\0\2", 7, why));
    std::vector<unsigned char> expected = {'A', 'B', 'C', 0, 1, 0, 2};
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_STREQ(why, "untouched");
    ASSERT_TRUE(writeBytesAtomically(dir.file("empty").c_str(), "", 0, nullptr));
    EXPECT_TRUE(readBytes(dir.file("empty")).empty());
    std::vector<std::string> names = {"empty", "user.prefs"};
    EXPECT_EQ(folderNames(dir.path()), names);
}

TEST(AtomicWrite, EveryFailureKeepsTheOldBytesAndGivesTheSystemsReason)
{
    TempDir dir;
    std::string path = dir.file("top.sc");
    writeText(path, "ten old scores");
    std::vector<unsigned char> before = readBytes(path);
    char why[FILE_WHY_CHARS] = "";

    // A full disk: the bytes do not fit.
    {
        FileSizeLimit full(4);
        EXPECT_FALSE(writeBytesAtomically(path.c_str(), "ten new scores", 14, why));
    }
    EXPECT_STREQ(why, strerror(EFBIG));
    // The writer itself gives up half-way.
    EXPECT_FALSE(writeFileAtomically(path.c_str(), fillThenFail, nullptr, why));
    EXPECT_NE(why[0], '\0');
    // The folder is missing.
    EXPECT_FALSE(writeBytesAtomically(dir.file("gone/top.sc").c_str(), "x", 1, why));
    EXPECT_STREQ(why, strerror(ENOENT));
    // The rename cannot put a file where a folder stands.
    ASSERT_EQ(mkdir(dir.file("folder").c_str(), 0755), 0);
    EXPECT_FALSE(writeBytesAtomically(dir.file("folder").c_str(), "x", 1, why));
    EXPECT_STREQ(why, strerror(EISDIR));
    // A name too long for the system.
    std::string longName = dir.file(std::string(300, 'n'));
    EXPECT_FALSE(writeBytesAtomically(longName.c_str(), "x", 1, why));
    EXPECT_STREQ(why, strerror(ENAMETOOLONG));

    EXPECT_EQ(readBytes(path), before);
    std::vector<std::string> names = {"folder", "top.sc"};
    EXPECT_EQ(folderNames(dir.path()), names);
}

// A pid that was a process a moment ago and is none now.
static pid_t deadPid()
{
    pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(AtomicWrite, AGoodSaveClearsTemporariesLeftByKilledWritersOfThatFileOnly)
{
    TempDir dir;
    std::string path = dir.file("top.sc");
    std::string dead = std::to_string(deadPid()), alive = std::to_string(getppid());
    for (const char* name : {"top.sc.%s-3.tmp", "top.sc.%s-0.tmp", "other.sc.%s-0.tmp", "top.sc.%s-0.tmp.keep"})
        for (const std::string& pid : {dead, alive}) {
            char file[64];
            snprintf(file, sizeof file, name, pid.c_str());
            writeText(dir.file(file), "half a save");
        }
    size_t before = folderNames(dir.path()).size();

    char why[FILE_WHY_CHARS];
    EXPECT_FALSE(writeFileAtomically(path.c_str(), fillThenFail, nullptr, why));
    EXPECT_EQ(folderNames(dir.path()).size(), before) << "a failed save leaves the folder as it was";

    ASSERT_TRUE(writeBytesAtomically(path.c_str(), "10", 2, why));
    std::vector<std::string> names = folderNames(dir.path());
    EXPECT_EQ(names.size(), before + 1 - 2) << "the new file, less the dead writer's two temporaries";
    for (const std::string& name : names) {
        bool deadWriters = name.rfind("top.sc." + dead + "-", 0) == 0;
        EXPECT_FALSE(deadWriters && name.find(".keep") == std::string::npos) << name;
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "top.sc." + alive + "-0.tmp"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "other.sc." + dead + "-0.tmp"), names.end());
}
