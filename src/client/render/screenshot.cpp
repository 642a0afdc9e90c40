#include "render/screenshot.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/displaySize.h"
#include "fileio/gameFolders.h"
#include "shell/keys.h"

static const int TGA_HEADER_BYTES = 18;

void findPossibleScrShotFileName(char* name, size_t size)
{
    for (int i = 0;; i++) {
        snprintf(name, size, "%s", screenshotPath("screenshot" + std::to_string(i) + ".tga").c_str());
        FILE* f = fopen(name, "r");
        if (!f) return;
        fclose(f);
    }
}

static void putLittleShort(unsigned char* at, int v)
{
    at[0] = (unsigned char)(v & 0xff);
    at[1] = (unsigned char)((v >> 8) & 0xff);
}

int writeTgaFile(const char* name, const unsigned char* rgb, int width, int height)
{
    // A player expects F10 to work on a fresh install: make the folder when it is missing.
    makeParentFolders(name);
    FILE* f = fopen(name, "wb+");
    if (!f) {
        printf("Failed to create the screenshotfile!\n");
        return 0;
    }
    unsigned char header[TGA_HEADER_BYTES] = {0};
    header[2] = 2; // uncompressed true-colour
    putLittleShort(header + 12, width);
    putLittleShort(header + 14, height);
    header[16] = 24;
    size_t bytes = (size_t)width * height * 3;
    unsigned char* bgr = (unsigned char*)malloc(bytes);
    for (size_t i = 0; i < bytes; i += 3) {
        bgr[i] = rgb[i + 2];
        bgr[i + 1] = rgb[i + 1];
        bgr[i + 2] = rgb[i];
    }
    static const unsigned char footer[26] = {0, 0, 0, 0, 0, 0, 0, 0, 'T', 'R', 'U', 'E', 'V', 'I', 'S',
                                             'I', 'O', 'N', '-', 'X', 'F', 'I', 'L', 'E', '.', 0};
    bool ok = fwrite(header, 1, sizeof header, f) == sizeof header && fwrite(bgr, 1, bytes, f) == bytes &&
              fwrite(footer, 1, sizeof footer, f) == sizeof footer;
    free(bgr);
    return fclose(f) == 0 && ok ? 1 : 0;
}

int screenshot_tga(int height, int width, const char* name)
{
    unsigned char* rgb = (unsigned char*)malloc((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    int ok = writeTgaFile(name, rgb, width, height);
    free(rgb);
    return ok;
}

void handleScreenShot()
{
    if (!keyF10NoRepeat()) return;
    char name[4096];
    findPossibleScrShotFileName(name, sizeof name);
    screenshot_tga(displayDesc().height, displayDesc().width, name);
}
