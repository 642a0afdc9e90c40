// BMP loaders: pixel order, colour keys, and what a bad picture leaves.
#include <unistd.h>
#include <allegro.h>
#include <errno.h>
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "render/graphImage.h"
#include "support/testFiles.h"

namespace {

struct Rgb {
    unsigned char r, g, b;
};

// pixels given top row first, as one looks at the picture
void writeBmp(const std::string& path, int w, int h, const std::vector<Rgb>& px, int bits = 24)
{
    int rowBytes = (w * 3 + 3) & ~3;
    int dataSize = rowBytes * h;
    unsigned char head[54] = {'B', 'M'};
    auto put32 = [&](int off, int v) {
        for (int i = 0; i < 4; i++) head[off + i] = (unsigned char)(v >> (8 * i));
    };
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    head[26] = 1;
    head[28] = (unsigned char)bits;
    put32(34, dataSize);
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(head, 1, 54, f);
    std::vector<unsigned char> row(rowBytes, 0);
    for (int y = h - 1; y >= 0; y--) {  // BMP rows are stored bottom up
        for (int x = 0; x < w; x++) {
            const Rgb& p = px[y * w + x];
            row[x * 3] = p.b, row[x * 3 + 1] = p.g, row[x * 3 + 2] = p.r;
        }
        fwrite(row.data(), 1, rowBytes, f);
    }
    fclose(f);
}

// One file per test process: CTest runs the cases of this file side by side.
const std::string picturePath = "/tmp/kestrune_render_loader_" + std::to_string(getpid()) + ".bmp";
const char* picture = picturePath.c_str();

}  // namespace

TEST(RenderLoader, BottomRowComesFirstLeftToRight)
{
    ensureAllegroForFiles();
    writeBmp(picture, 2, 2, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}});
    unsigned char out[12 + 4];
    memset(out, 0xAB, sizeof out);
    chargerImageTexPtr(picture, out, 2, 2);
    const unsigned char expected[12] = {70, 80, 90, 100, 110, 120, 10, 20, 30, 40, 50, 60};
    EXPECT_EQ(0, memcmp(out, expected, 12));
    EXPECT_EQ(0xAB, out[12]) << "wrote past the caller's buffer";
}

TEST(RenderLoader, ColourKeysMatchExactly)
{
    ensureAllegroForFiles();
    writeBmp(picture, 2, 2, {{0, 0, 0}, {0, 0, 1}, {255, 255, 255}, {0, 255, 0}});
    unsigned char out[16];
    chargerImageTexPtrTrans(picture, out, 2, 2);
    // bottom row: white, green; top row: black, (0,0,1)
    EXPECT_EQ(255, out[3]);
    EXPECT_EQ(255, out[7]);
    EXPECT_EQ(0, out[11]) << "black is keyed";
    EXPECT_EQ(255, out[15]) << "(0, 0, 1) stays opaque";
    EXPECT_EQ(1, out[14]) << "colour bytes kept";
    chargerImageTexPtrTransWhite(picture, out, 2, 2);
    EXPECT_EQ(0, out[3]);
    EXPECT_EQ(255, out[11]);
    chargerImageTexPtrTransColor(picture, out, 2, 2, 0, 255, 0);
    EXPECT_EQ(0, out[7]) << "bomb logo key is pure green";
    EXPECT_EQ(255, out[3]);
    EXPECT_EQ(255, out[11]);
}

TEST(RenderLoader, BadPicturesGiveBlackOfTheExpectedSize)
{
    ensureAllegroForFiles();
    unsigned char out[4 * 4 * 4 + 8];
    // bigger than expected: nothing beyond the expected bytes, and blank
    std::vector<Rgb> big(16 * 16, {200, 200, 200});
    writeBmp(picture, 16, 16, big);
    memset(out, 0xAB, sizeof out);
    chargerImageTexPtr(picture, out, 4, 4);
    for (int i = 0; i < 48; i++) ASSERT_EQ(0, out[i]);
    EXPECT_EQ(0xAB, out[48]);
    // missing file, RGBA: black and opaque, exactly 64 bytes
    memset(out, 0xAB, sizeof out);
    chargerImageTexPtrTrans("/tmp/kestrune_no_such_picture.bmp", out, 4, 4);
    for (int i = 0; i < 64; i++) ASSERT_EQ(i % 4 == 3 ? 255 : 0, out[i]);
    EXPECT_EQ(0xAB, out[64]);
    // not a picture at all
    FILE* f = fopen(picture, "wb");
    fputs("not a bitmap", f);
    fclose(f);
    memset(out, 0xAB, sizeof out);
    chargerImageTexPtr(picture, out, 4, 4);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(0xAB, out[48]);
}

TEST(RenderLoader, SizedLoaderNeedsTheExactByteCount)
{
    ensureAllegroForFiles();
    writeBmp(picture, 2, 1, {{1, 2, 3}, {4, 5, 6}});
    unsigned char out[8];
    memset(out, 0xAB, sizeof out);
    chargerImageTexPtrSized(picture, out, 6);
    EXPECT_EQ(1, out[0]);
    EXPECT_EQ(6, out[5]);
    EXPECT_EQ(0xAB, out[6]);
    chargerImageTexPtrSized(picture, out, 3);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(0xAB, out[6]);
}

TEST(RenderLoader, TextureDirectoryIsCappedAt40)
{
    std::string dir = "/tmp/kestrune_texdir_" + std::to_string(getpid()) + "/";
    system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    for (int i = 0; i < 45; i++) fclose(fopen((dir + std::to_string(i) + ".bmp").c_str(), "w"));
    EXPECT_EQ(40, countTrackTextures(dir.c_str()));
    system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    fclose(fopen((dir + "0.bmp").c_str(), "w"));
    fclose(fopen((dir + "1.bmp").c_str(), "w"));
    fclose(fopen((dir + "notes.txt").c_str(), "w"));
    fclose(fopen((dir + ".hidden").c_str(), "w"));
    EXPECT_EQ(3, countTrackTextures(dir.c_str()));
    EXPECT_EQ(0, countTrackTextures("/tmp/kestrune_no_such_dir/"));
    system(("rm -rf " + dir).c_str());
}

// A header claiming a picture far bigger than the file once made the reader write past its bitmap;
// one claiming a huge width and height once overflowed the size check itself.
TEST(RenderLoader, LyingHeaderIsRefusedBeforeReading)
{
    ensureAllegroForFiles();
    struct Lie {
        int offset;
        unsigned char byte;
    };
    const std::vector<std::vector<Lie>> lies = {
        {{25, 0x6f}},              // height 8 becomes 0x6f000008
        {{21, 0x7f}, {25, 0x7f}},  // width and height both near 2^31
        {{13, 0x7f}},              // pixels said to start 2 GB in
    };
    for (const auto& lie : lies) {
        writeBmp(picture, 8, 8, std::vector<Rgb>(64, {1, 2, 3}));
        std::vector<unsigned char> bytes = readBytes(picturePath);
        for (const Lie& l : lie) bytes[l.offset] = l.byte;
        writeBytes(picturePath, bytes);
        unsigned char out[8 * 8 * 4 + 4];
        memset(out, 0xAB, sizeof out);
        chargerImageTexPtrTrans(picture, out, 8, 8);
        EXPECT_EQ(0, out[0]) << "lie at byte " << lie[0].offset;
        EXPECT_EQ(0xAB, out[8 * 8 * 4]);
        chargerImageTexPtrSized(picture, out, 8 * 8 * 3);
        EXPECT_EQ(0, out[0]);
    }
}
