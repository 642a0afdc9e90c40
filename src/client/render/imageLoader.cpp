// BMP loaders: Allegro reads the picture, we copy it bottom row first into the caller's buffer.
#include <allegro.h>
#include <stdio.h>
#include <string.h>

#include "render/graphImage.h"
#include "fileio/safeOpen.h"

// Where the numbers the loaders check sit in a BMP's file and info headers.
static const int BMP_HEADER_BYTES = 54;
static const int BMP_PIXELS_OFFSET = 10;
static const int BMP_INFO_SIZE_OFFSET = 14;
static const int BMP_WIDTH_OFFSET = 18;
static const int BMP_HEIGHT_OFFSET = 22;
static const int BMP_BITCOUNT_OFFSET = 28;
static const int BMP_COMPRESSION_OFFSET = 30;
static const int BMP_INFO_SIZE = 40;  // the only info header the game writes and reads

struct BmpShape {
    int width, height;
};

static int littleEndian32(const unsigned char* p) { return (int)(p[0] | p[1] << 8 | p[2] << 16 | (unsigned)p[3] << 24); }

// Width and height of an uncompressed 24-bit BMP, or {0, 0}. Checked before Allegro sees the file,
// since its reader trusts the header and writes wherever a damaged one points.
static BmpShape bmp24Shape(const char* fileName)
{
    BmpShape none = {0, 0};
    FILE* f = openBoundedOrSay(fileName, CONTENT_FILE_BOUND);
    if (!f) return none;
    unsigned char head[BMP_HEADER_BYTES];
    size_t n = fread(head, 1, sizeof head, f);
    fseek(f, 0, SEEK_END);
    long long fileBytes = ftell(f);
    fclose(f);
    if (n < sizeof head || head[0] != 'B' || head[1] != 'M') return none;
    int bits = head[BMP_BITCOUNT_OFFSET] | head[BMP_BITCOUNT_OFFSET + 1] << 8;
    if (bits != 24 || littleEndian32(head + BMP_COMPRESSION_OFFSET) != 0) return none;
    if (littleEndian32(head + BMP_INFO_SIZE_OFFSET) != BMP_INFO_SIZE) return none;
    BmpShape shape = {littleEndian32(head + BMP_WIDTH_OFFSET), littleEndian32(head + BMP_HEIGHT_OFFSET)};
    if (shape.width <= 0 || shape.height <= 0) return none;
    long long pixelsAt = (unsigned)littleEndian32(head + BMP_PIXELS_OFFSET);
    long long rowBytes = ((long long)shape.width * 3 + 3) / 4 * 4;
    // Divided, not multiplied: a damaged header's width times height overflows even 64 bits.
    if (pixelsAt < BMP_HEADER_BYTES || pixelsAt > fileBytes) return none;
    if (rowBytes > (fileBytes - pixelsAt) / shape.height) return none;
    return shape;
}

// Black, opaque: what a bad picture leaves.
static void blankBuffer(unsigned char* out, int pixels, int channels)
{
    memset(out, 0, (size_t)pixels * channels);
    if (channels == 4)
        for (int i = 0; i < pixels; i++) out[i * 4 + 3] = 255;
}

static BITMAP* openPicture(const char* fileName, int width, int height)
{
    BmpShape shape = bmp24Shape(fileName);
    if (shape.width == 0) {
        fprintf(stderr, "Can't open %s (missing, unreadable or not a 24-bit BMP)\n", fileName);
        return nullptr;
    }
    if (shape.width != width || shape.height != height) {
        fprintf(stderr, "Can't use %s: %ix%i instead of %ix%i\n", fileName, shape.width, shape.height, width, height);
        return nullptr;
    }
    set_color_depth(24);
    set_color_conversion(COLORCONV_24_TO_32);
    PALETTE pal;
    BITMAP* bmp = load_bitmap(fileName, pal);
    if (!bmp) {
        fprintf(stderr, "Can't open %s\n", fileName);
        return nullptr;
    }
    if (bmp->w != width || bmp->h != height) {
        fprintf(stderr, "Can't use %s: %ix%i instead of %ix%i\n", fileName, bmp->w, bmp->h, width, height);
        destroy_bitmap(bmp);
        return nullptr;
    }
    return bmp;
}

// keyed: 0 plain RGB, 1 RGBA with alpha 0 on exact (r, g, b)
static void loadPicture(const char* fileName, unsigned char* out, int width, int height, int keyed, float r,
                        float g, float b)
{
    int channels = keyed ? 4 : 3;
    BITMAP* bmp = openPicture(fileName, width, height);
    if (!bmp) {
        blankBuffer(out, width * height, channels);
        return;
    }
    int depth = bitmap_color_depth(bmp);
    unsigned char* p = out;
    for (int y = height - 1; y >= 0; y--) {
        for (int x = 0; x < width; x++) {
            int c = getpixel(bmp, x, y);
            int pr = getr_depth(depth, c), pg = getg_depth(depth, c), pb = getb_depth(depth, c);
            *p++ = (unsigned char)pr;
            *p++ = (unsigned char)pg;
            *p++ = (unsigned char)pb;
            if (keyed) *p++ = (pr == r && pg == g && pb == b) ? 0 : 255;
        }
    }
    destroy_bitmap(bmp);
}

void chargerImageTexPtr(const char* fileName, unsigned char* out, int width, int height)
{
    loadPicture(fileName, out, width, height, 0, 0, 0, 0);
}

void chargerImageTexPtrTransColor(const char* fileName, unsigned char* out, int width, int height, float r,
                                  float g, float b)
{
    loadPicture(fileName, out, width, height, 1, r, g, b);
}

void chargerImageTexPtrTransWhite(const char* fileName, unsigned char* out, int width, int height)
{
    chargerImageTexPtrTransColor(fileName, out, width, height, 255, 255, 255);
}

void chargerImageTexPtrTrans(const char* fileName, unsigned char* out, int width, int height)
{
    chargerImageTexPtrTransColor(fileName, out, width, height, 0, 0, 0);
}

// Menu pictures: the caller knows only the byte count; the picture must match it exactly.
void chargerImageTexPtrSized(const char* fileName, unsigned char* out, int bytes)
{
    BmpShape shape = bmp24Shape(fileName);
    long long size = (long long)shape.width * shape.height * 3;
    if (shape.width == 0 || size != bytes) {
        fprintf(stderr, "Can't open %s (or not a 24-bit picture of %i bytes)\n", fileName, bytes);
        memset(out, 0, bytes);
        return;
    }
    chargerImageTexPtr(fileName, out, shape.width, shape.height);
}
