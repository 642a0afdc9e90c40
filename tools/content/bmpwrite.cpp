// Takes an RGB picture in memory and writes it as a 24-bit bottom-up BMP.
#include "content.h"

#include <cstdio>

static void putLe32(FILE* f, unsigned v)
{
    for (int i = 0; i < 4; i++) fputc((v >> (8 * i)) & 0xff, f);
}

static void putLe16(FILE* f, unsigned v)
{
    fputc(v & 0xff, f);
    fputc((v >> 8) & 0xff, f);
}

Picture::Picture(int w, int h) : width(w), height(h), rgb((size_t)w * h * 3, 0) {}

void Picture::set(int x, int y, int r, int g, int b)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    unsigned char* p = &rgb[((size_t)y * width + x) * 3];
    p[0] = (unsigned char)(r < 0 ? 0 : r > 255 ? 255 : r);
    p[1] = (unsigned char)(g < 0 ? 0 : g > 255 ? 255 : g);
    p[2] = (unsigned char)(b < 0 ? 0 : b > 255 ? 255 : b);
}

// Rows are stored top row first in memory; the file wants the bottom row first.
int writeBmp(const std::string& path, const Picture& pic)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        contentError("Can't open %s", path.c_str());
        return 1;
    }
    int rowBytes = (pic.width * 3 + 3) & ~3;
    unsigned imageBytes = (unsigned)rowBytes * pic.height;
    fputc('B', f);
    fputc('M', f);
    putLe32(f, 54 + imageBytes);
    putLe32(f, 0);
    putLe32(f, 54);
    putLe32(f, 40);
    putLe32(f, pic.width);
    putLe32(f, pic.height);
    putLe16(f, 1);
    putLe16(f, 24);
    putLe32(f, 0);
    putLe32(f, imageBytes);
    putLe32(f, 2835);
    putLe32(f, 2835);
    putLe32(f, 0);
    putLe32(f, 0);
    for (int y = pic.height - 1; y >= 0; y--) {
        for (int x = 0; x < pic.width; x++) {
            const unsigned char* p = &pic.rgb[((size_t)y * pic.width + x) * 3];
            fputc(p[2], f);
            fputc(p[1], f);
            fputc(p[0], f);
        }
        for (int pad = pic.width * 3; pad < rowBytes; pad++) fputc(0, f);
    }
    return fclose(f) == 0 ? 0 : 1;
}
