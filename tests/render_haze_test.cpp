// The distance haze takes its colour from the far valley just below the horizon of the front face.
#include <gtest/gtest.h>

#include <vector>

#include "render/renderSettings.h"

namespace {

// A face stored bottom row first: near snow at the bottom, `band` for the rows just below the horizon,
// then the sky above it.
std::vector<unsigned char> skyFace(int size, int bandRows, const unsigned char near[3], const unsigned char band[3],
                                   const unsigned char sky[3])
{
    std::vector<unsigned char> rgb((size_t)size * size * 3);
    for (int y = 0; y < size; y++) {
        const unsigned char* c = y >= size / 2 ? sky : (y >= size / 2 - bandRows ? band : near);
        for (int x = 0; x < size; x++)
            for (int k = 0; k < 3; k++) rgb[((size_t)y * size + x) * 3 + k] = c[k];
    }
    return rgb;
}

TEST(RenderHaze, ColourIsTheFarValleyJustBelowTheHorizonNotTheSkyNorTheNearSnow)
{
    const unsigned char near[3] = {40, 40, 40}, band[3] = {204, 153, 102}, sky[3] = {0, 0, 255};
    for (int size : {64, 256}) {
        std::vector<unsigned char> face = skyFace(size, size / 4, near, band, sky);
        float c[3] = {-1, -1, -1};
        hazeColourOfSky(face.data(), size, size, c);
        EXPECT_NEAR(c[0], 0.8f, 0.01f) << size;
        EXPECT_NEAR(c[1], 0.6f, 0.01f) << size;
        EXPECT_NEAR(c[2], 0.4f, 0.01f) << size;
    }
    // a valley band that varies across the face gives its mean
    std::vector<unsigned char> face = skyFace(64, 16, near, band, sky);
    for (int y = 16; y < 32; y++)
        for (int x = 0; x < 32; x++) face[((size_t)y * 64 + x) * 3] = 0;
    float c[3];
    hazeColourOfSky(face.data(), 64, 64, c);
    EXPECT_NEAR(c[0], 0.4f, 0.01f);
}

}  // namespace
