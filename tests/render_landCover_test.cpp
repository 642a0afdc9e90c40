// The elevation below which the land hides everything from an eye, and the sky faces' share under it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/landCover.h"
#include "render/sceneWorld.h"

namespace {

const float CELL = 1000;
const int ROWS = 201, COLUMNS = 101;
const HeadingSpan ALL_ROUND = {0, 3.14159265f};

// A terrain of ROWS x COLUMNS corners, CELL apart, X from 0 and Z falling from +50 cells; heights by f.
template <class F> WorldScene terrain(F f)
{
    WorldScene w;
    for (int t = 0; t < ROWS; t++) w.xs.push_back(t * CELL);
    for (int s = 0; s < COLUMNS; s++) w.zs.push_back((COLUMNS / 2 - s) * CELL);
    for (int t = 0; t < ROWS; t++)
        for (int s = 0; s < COLUMNS; s++) w.heights.push_back(f(t, s));
    return w;
}

// The ground under (x, z) as the finest detail draws it (each cell split along its diagonal as two
// triangles is bounded by its corners; their mean is close enough for the highest point seen).
float groundAt(const WorldScene& w, float x, float z)
{
    float ft = x / CELL, fs = (COLUMNS / 2) - z / CELL;
    int t = std::min(std::max((int)ft, 0), ROWS - 2), s = std::min(std::max((int)fs, 0), COLUMNS - 2);
    float a = ft - t, b = fs - s;
    auto h = [&](int i, int j) { return w.heights[(size_t)i * COLUMNS + j]; };
    return (1 - a) * ((1 - b) * h(t, s) + b * h(t, s + 1)) + a * ((1 - b) * h(t + 1, s) + b * h(t + 1, s + 1));
}

// The highest elevation (as a tangent) the ground reaches along a heading, out to reach or the edge.
float highestAlong(const WorldScene& w, const float eye[3], float heading, float reach)
{
    float best = -1e30f, dx = std::cos(heading), dz = std::sin(heading);
    for (float d = CELL / 4; d <= reach; d += CELL / 4) {
        float x = eye[0] + dx * d, z = eye[2] + dz * d;
        if (x < w.xs.front() || x > w.xs.back() || z > w.zs.front() || z < w.zs.back()) break;
        best = std::max(best, (groundAt(w, x, z) - eye[1]) / d);
    }
    return best;
}

} // namespace

TEST(RenderLandCover, OnFlatGroundItIsTheFarEndsElevation)
{
    WorldScene flat = terrain([](int, int) { return 0.0f; });
    float eye[3] = {100 * CELL, 2000, 0}, tangent = 0;
    // the nearest edge is 50 cells across: the far ends there set it
    ASSERT_TRUE(landCoverTangent(flat, eye, 1e9f, ALL_ROUND, &tangent));
    EXPECT_LT(tangent, -2000 / (50 * CELL));
    EXPECT_GT(tangent, -2000 / (50 * CELL) - 0.05f);
    // a shorter reach brings the far ends nearer, hence lower
    float nearer = 0;
    ASSERT_TRUE(landCoverTangent(flat, eye, 10 * CELL, ALL_ROUND, &nearer));
    EXPECT_LT(nearer, -2000 / (10 * CELL));
    EXPECT_GT(nearer, -2000 / (10 * CELL) - 0.05f);
}

TEST(RenderLandCover, NothingIsSureOffTheTerrainOrUnderIt)
{
    WorldScene flat = terrain([](int, int) { return 0.0f; });
    float tangent = 0;
    float beside[3] = {-5 * CELL, 2000, 0}, beyond[3] = {100 * CELL, 2000, 60 * CELL}, under[3] = {100 * CELL, -10, 0};
    EXPECT_FALSE(landCoverTangent(flat, beside, 1e9f, ALL_ROUND, &tangent));
    EXPECT_FALSE(landCoverTangent(flat, beyond, 1e9f, ALL_ROUND, &tangent));
    EXPECT_FALSE(landCoverTangent(flat, under, 1e9f, ALL_ROUND, &tangent));
    EXPECT_FALSE(landCoverTangent(WorldScene(), beside, 1e9f, ALL_ROUND, &tangent));
}

TEST(RenderLandCover, RoughLandRisesAboveItAlongEveryHeading)
{
    srand(7);
    WorldScene rough = terrain([](int t, int s) {
        return 3000 * std::sin(t * 0.13f) * std::cos(s * 0.21f) + 800.0f * (rand() % 100) / 100 - 5 * t;
    });
    for (int k = 0; k < 20; k++) {
        float eye[3] = {(20 + rand() % 160) * CELL + 300, 0, (rand() % 80 - 40) * CELL + 200};
        eye[1] = groundAt(rough, eye[0], eye[2]) + 4000 + rand() % 3000;
        float tangent = 0, reach = (k % 2 ? 60 : 1000) * CELL;
        HeadingSpan span = k % 3 ? HeadingSpan{0.3f * k, 0.2f + 0.1f * k} : ALL_ROUND;
        ASSERT_TRUE(landCoverTangent(rough, eye, reach, span, &tangent)) << "eye " << k;
        // every heading of the span, those between the ones it tries too, reaches higher than it
        // says is hidden
        for (int h = 0; h < 720; h++) {
            float heading = span.centre + span.halfWidth * (2 * (h + 0.37f) / 720 - 1);
            EXPECT_GE(highestAlong(rough, eye, heading, reach), tangent) << "eye " << k << " heading " << h;
        }
    }
}

TEST(RenderLandCover, AViewSeesTheHeadingsRoundItsOwn)
{
    // level, looking along Z, 30 degrees to the corners: the headings 30 degrees either side and a little
    float level[3] = {0, 0, 1};
    HeadingSpan s = headingsSeen(level, 0.5236f);
    EXPECT_NEAR(s.centre, 1.5708f, 1e-4f);
    EXPECT_GT(s.halfWidth, 0.5236f);
    EXPECT_LT(s.halfWidth, 0.7f);
    // looking down, a view of the same corners spans more headings; straight down, all of them
    float down[3] = {0, -0.7071f, 0.7071f}, below[3] = {0, -1, 0};
    EXPECT_GT(headingsSeen(down, 0.5236f).halfWidth, s.halfWidth);
    EXPECT_GE(headingsSeen(below, 0.5236f).halfWidth, 3.1415f);
    // a direction inside the view's cone lies within the span it gives
    float tilted[3] = {0.6f, -0.48f, 0.64f};
    HeadingSpan t = headingsSeen(tilted, 0.6f);
    for (float turn = -0.59f; turn <= 0.59f; turn += 0.05f) {
        // a direction 'turn' radians from the view, sideways: its heading differs by less than the span
        float side[3] = {-0.7295f, 0, 0.6839f};  // level, square to it
        float d[3];
        for (int i = 0; i < 3; i++) d[i] = tilted[i] * std::cos(turn) + side[i] * std::sin(turn);
        float gap = std::fabs(std::remainder(std::atan2(d[2], d[0]) - t.centre, 6.2831853f));
        EXPECT_LE(gap, t.halfWidth) << "turn " << turn;
    }
}

TEST(RenderLandCover, SkyFacesStartWhereTheLandStopsHiding)
{
    const int sides[3] = {worldSkyFront, worldSkyLeft, worldSkyRight};
    float centre[3] = {0, 0, 0}, raised[3] = {0, 500, 0};
    EXPECT_EQ(skyFaceFoot(worldSkyUp, centre, 0.5f), 0.0f);
    for (int f : sides) {
        // seen level from the box's centre, the land hiding up to the level hides the lower half
        EXPECT_NEAR(skyFaceFoot(f, centre, 0), 0.5f, 1e-4f) << "face " << f;
        EXPECT_GT(skyFaceFoot(f, raised, 0), 0.5f) << "face " << f;
        // never less than the share always hidden, the whole face when the land rises above it
        EXPECT_EQ(skyFaceFoot(f, centre, -100), skyLandShare) << "face " << f;
        EXPECT_EQ(skyFaceFoot(f, centre, 100), 1.0f) << "face " << f;
        float last = 0;
        for (float tangent = -0.5f; tangent <= 0.5f; tangent += 0.05f) {
            float foot = skyFaceFoot(f, raised, tangent);
            EXPECT_GE(foot, last) << "face " << f << " tangent " << tangent;
            last = foot;
        }
        // the faces' feet stay level where they meet: the corners are what bounds them
        SkyFaceCorner c[4];
        worldSkyFaceCornersFrom(f, 0.42f, c);
        for (const SkyFaceCorner& k : c) EXPECT_FLOAT_EQ(k.y, 2 * k.t - 1);
    }
}
