// BMP loaders: Allegro reads the picture, we copy it bottom row first into the caller's buffer.
#include <allegro.h>
#include <stdio.h>
#include <string.h>

#include "render/graphImage.h"

static const int BMP_BITCOUNT_OFFSET = 28;

// Bit count in the file header, 0 when the file cannot be read as a BMP.
static int bmpBitCount(const char* fileName)
{
    FILE* f = fopen(fileName, "rb");
    if (!f) return 0;
    unsigned char head[30];
    size_t n = fread(head, 1, sizeof head, f);
    fclose(f);
    if (n < sizeof head || head[0] != 'B' || head[1] != 'M') return 0;
    return head[BMP_BITCOUNT_OFFSET] | (head[BMP_BITCOUNT_OFFSET + 1] << 8);
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
    if (bmpBitCount(fileName) != 24) {
        fprintf(stderr, "Can't open %s (missing, unreadable or not a 24-bit BMP)\n", fileName);
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
    BITMAP* probe = nullptr;
    if (bmpBitCount(fileName) == 24) {
        set_color_depth(24);
        set_color_conversion(COLORCONV_24_TO_32);
        PALETTE pal;
        probe = load_bitmap(fileName, pal);
    }
    if (!probe || probe->w * probe->h * 3 != bytes) {
        fprintf(stderr, "Can't open %s (or not a 24-bit picture of %i bytes)\n", fileName, bytes);
        if (probe) destroy_bitmap(probe);
        memset(out, 0, bytes);
        return;
    }
    int w = probe->w, h = probe->h;
    destroy_bitmap(probe);
    chargerImageTexPtr(fileName, out, w, h);
}
