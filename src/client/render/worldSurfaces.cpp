// Takes the track's surface pictures; returns, for a cell some rows ahead of the rider, its picture
// averaged down to what that cell shows of it. Seen along the slope a cell a few rows ahead is a few
// pixels deep and still wide: each picture is averaged far more down the track than across it, once,
// when the track is loaded, so that no grain or sparkle shimmers at a distance and no streaks run to
// the horizon, at no cost per frame (the software renderer's own mipmaps cost on every pixel).
#include <GL/gl.h>

#include <string>
#include <vector>

#include "fileio/gameFolders.h"
#include "render/graphImage.h"
#include "render/sceneWorld.h"
#include "render/scene.h"

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

static const int PICTURE_SIZE = 128;
// From how many rows ahead each version is used, and its size down the track (the picture's width)
// and across it (its height).
struct Distance {
    int fromRows, alongTexels, acrossTexels;
};
static const int DISTANCES = 5;
// Halved a row at a time: a jump of four times in one row drew the row where it happened as a seam.
static constexpr Distance VERSIONS[DISTANCES] = {{1, 64, 128}, {2, 32, 128}, {3, 16, 128}, {4, 8, 64}, {7, 4, 32}};

// Each version a box average of whole texels (its sizes divide the picture's), each at most half the
// one before it, a row further on.
static constexpr bool versionsStepGently(int i)
{
    return i >= DISTANCES ||
           (PICTURE_SIZE % VERSIONS[i].alongTexels == 0 && PICTURE_SIZE % VERSIONS[i].acrossTexels == 0 &&
            (i == 0 || (VERSIONS[i].fromRows > VERSIONS[i - 1].fromRows &&
                        2 * VERSIONS[i].alongTexels >= VERSIONS[i - 1].alongTexels &&
                        2 * VERSIONS[i].acrossTexels >= VERSIONS[i - 1].acrossTexels)) &&
            versionsStepGently(i + 1));
}
static_assert(versionsStepGently(0), "surface versions must divide the picture and halve at most a row");

static unsigned int distant[DISTANCES][maxTrackTextures];
static int loadedCount = 0;

// Box average of an RGB picture (bottom row first) down to w x h.
static std::vector<unsigned char> averaged(const std::vector<unsigned char>& rgb, int w, int h)
{
    std::vector<unsigned char> out((size_t)w * h * 3);
    int bx = PICTURE_SIZE / w, by = PICTURE_SIZE / h;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            for (int c = 0; c < 3; c++) {
                unsigned sum = 0;
                for (int j = 0; j < by; j++)
                    for (int i = 0; i < bx; i++) sum += rgb[((size_t)(y * by + j) * PICTURE_SIZE + x * bx + i) * 3 + c];
                out[((size_t)y * w + x) * 3 + c] = (unsigned char)(sum / (bx * by));
            }
    return out;
}

void loadDistantSurfaces(const char* trackName, int count)
{
    freeDistantSurfaces();
    loadedCount = count < maxTrackTextures ? count : maxTrackTextures;
    std::string dir = trackPath(trackName, "texTrack/");
    std::vector<unsigned char> rgb((size_t)PICTURE_SIZE * PICTURE_SIZE * 3);
    for (int d = 0; d < DISTANCES; d++) glGenTextures(loadedCount, distant[d]);
    for (int i = 0; i < loadedCount; i++) {
        chargerImageTexPtr((dir + std::to_string(i) + ".bmp").c_str(), rgb.data(), PICTURE_SIZE, PICTURE_SIZE);
        for (int d = 0; d < DISTANCES; d++) {
            std::vector<unsigned char> small = averaged(rgb, VERSIONS[d].alongTexels, VERSIONS[d].acrossTexels);
            glBindTexture(GL_TEXTURE_2D, distant[d][i]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, VERSIONS[d].alongTexels, VERSIONS[d].acrossTexels, 0, GL_RGB,
                         GL_UNSIGNED_BYTE, small.data());
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        }
    }
}

void freeDistantSurfaces()
{
    for (int d = 0; d < DISTANCES && loadedCount > 0; d++) glDeleteTextures(loadedCount, distant[d]);
    loadedCount = 0;
}

unsigned int surfaceSeenFrom(int texIndex, int rowsAhead, unsigned int nearName)
{
    if (!trackWorldShown() || texIndex < 0 || texIndex >= loadedCount) return nearName;
    for (int d = DISTANCES - 1; d >= 0; d--)
        if (rowsAhead >= VERSIONS[d].fromRows) return distant[d][texIndex];
    return nearName;
}
