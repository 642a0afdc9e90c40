// The world's sky faces as drawn above the land: each picture stays where the whole face had it, the
// faces still meet at their seams, and the top is left whole.
#include <gtest/gtest.h>

#include <cmath>

#include "render/sceneWorld.h"

namespace {

const int SIDES[3] = {worldSkyFront, worldSkyLeft, worldSkyRight};

// Height sign of a side face's texture row: its foot (t 0) at the box's floor, its head at its ceiling.
float heightOfRow(float t) { return 2 * t - 1; }

bool sameCorner(const SkyFaceCorner& a, const SkyFaceCorner& b)
{
    return a.s == b.s && a.t == b.t && a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

TEST(RenderWorldSky, SideFacesAboveTheLandKeepTheirPictureInPlace)
{
    // the share stops under the faces' horizon (their middle row), where the far ranges stand
    ASSERT_GT(skyLandShare, 0.0f);
    ASSERT_LT(skyLandShare, 0.5f);
    for (int f : SIDES) {
        SkyFaceCorner whole[4], above[4];
        worldSkyFaceCorners(f, false, whole);
        worldSkyFaceCorners(f, true, above);
        int feet = 0;
        for (int i = 0; i < 4; i++) {
            EXPECT_FLOAT_EQ(whole[i].y, heightOfRow(whole[i].t)) << "face " << f << " corner " << i;
            EXPECT_FLOAT_EQ(above[i].y, heightOfRow(above[i].t)) << "face " << f << " corner " << i;
            EXPECT_EQ(above[i].s, whole[i].s);
            EXPECT_EQ(above[i].x, whole[i].x);
            EXPECT_EQ(above[i].z, whole[i].z);
            if (whole[i].t == 0) {
                feet++;
                EXPECT_FLOAT_EQ(above[i].t, skyLandShare) << "face " << f << " corner " << i;
            } else {
                EXPECT_TRUE(sameCorner(above[i], whole[i])) << "face " << f << " corner " << i;
            }
        }
        EXPECT_EQ(feet, 2) << "face " << f;
    }
}

TEST(RenderWorldSky, FacesStillMeetAtTheirSeamsAndTheTopIsWhole)
{
    // each corner of the front stands where a corner of the left or right face stands, as high (the
    // box is open behind the eye, so the sides' far ends meet nothing)
    SkyFaceCorner front[4], left[4], right[4];
    worldSkyFaceCorners(worldSkyFront, true, front);
    worldSkyFaceCorners(worldSkyLeft, true, left);
    worldSkyFaceCorners(worldSkyRight, true, right);
    for (const SkyFaceCorner& c : front) {
        int met = 0;
        for (const SkyFaceCorner* side : {left, right})
            for (int i = 0; i < 4; i++) met += side[i].x == c.x && side[i].z == c.z && side[i].y == c.y;
        EXPECT_EQ(met, 1) << "front corner at " << c.x << ", " << c.y << ", " << c.z;
    }
    SkyFaceCorner whole[4], above[4];
    worldSkyFaceCorners(worldSkyUp, false, whole);
    worldSkyFaceCorners(worldSkyUp, true, above);
    for (int i = 0; i < 4; i++) {
        EXPECT_TRUE(sameCorner(above[i], whole[i])) << "top corner " << i;
        EXPECT_EQ(above[i].y, 1.0f);
    }
}
