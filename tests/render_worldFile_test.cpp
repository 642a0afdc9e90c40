// The world file round a track: written and read back the same, and every damaged form refused whole,
// with its reason, never half read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "render/worldScene.h"
#include "support/testFiles.h"
#include "track/trackModel.h"

namespace {

// A small scene of the right shape: the grid's sizes, a terrain holding it, one model placed twice.
WorldScene smallScene()
{
    WorldScene w;
    w.sun[0] = 0.6f, w.sun[1] = 0.8f, w.sun[2] = 0;
    w.hazeDistance = 4e5f;
    w.weather = worldWeatherSnow;
    w.gridLight.assign(maxTrackVertices * 3, 200);
    w.gridFar.assign(maxTrackVertices * 3, 180);
    w.firstCell.assign(longueurPisteEnFaces, 20);
    w.lastCell.assign(longueurPisteEnFaces, 51);
    w.firstRow = 2, w.gridColumn0 = 1;
    for (int t = 0; t < longueurPisteEnFaces + 4; t++) w.xs.push_back((t - 2) * 1684.0f);
    for (int s = 0; s < largeurPisteEnFaces + 3; s++) w.zs.push_back((37 - s) * 1123.0f);
    w.heights.assign(w.xs.size() * w.zs.size(), 100.0f);
    w.colours.assign(w.heights.size() * 3, 240);
    w.models.push_back({{{0, 0, 0}, {0, 127, 0}, {10, 20, 30}}, {{1, 0, 0}, {0, 127, 0}, {10, 20, 30}},
                        {{0, 1, 0}, {0, 127, 0}, {10, 20, 30}}});
    w.placements.push_back({0, 0, -1, 500, 100, -300, 45, 1.2f});
    w.placements.push_back({-1, 0, 0, 900, 100, 300, 0, 1});
    return w;
}

std::string written(const WorldScene& w, const TempDir& dir)
{
    std::string path = dir.file("t.world");
    EXPECT_EQ(writeWorldFile(path.c_str(), w), 0);
    return path;
}

int readBack(const std::string& path, WorldScene& w, std::string* why)
{
    return readWorldFile(path.c_str(), w, why);
}

} // namespace

TEST(RenderWorldFile, ReadsBackWhatWasWrittenAndSaysWhenMissing)
{
    TempDir dir;
    WorldScene w = smallScene(), back;
    std::string why;
    ASSERT_EQ(readBack(written(w, dir), back, &why), 0) << why;
    EXPECT_EQ(back.gridLight, w.gridLight);
    EXPECT_EQ(back.gridFar, w.gridFar);
    EXPECT_EQ(back.firstCell, w.firstCell);
    EXPECT_EQ(back.heights, w.heights);
    EXPECT_EQ(back.zs, w.zs);
    EXPECT_EQ(back.weather, worldWeatherSnow);
    EXPECT_FLOAT_EQ(back.hazeDistance, 4e5f);
    ASSERT_EQ(back.models.size(), 1u);
    EXPECT_EQ(back.models[0][1].p[0], 1.0f);
    EXPECT_EQ(back.models[0][2].c[2], 30);
    ASSERT_EQ(back.placements.size(), 2u);
    EXPECT_EQ(back.placements[1].model, -1);
    EXPECT_FLOAT_EQ(back.placements[0].yaw, 45);
    EXPECT_EQ(readBack(dir.file("none.world"), back, &why), 1);
    EXPECT_EQ(why, "missing");
}

TEST(RenderWorldFile, EveryDamagedFormIsRefusedWholeWithItsReason)
{
    TempDir dir;
    std::string path = written(smallScene(), dir);
    std::vector<unsigned char> good = readBytes(path);
    WorldScene back;
    std::string why;
    auto refused = [&](const std::vector<unsigned char>& bytes) {
        writeBytes(path, bytes);
        int got = readBack(path, back, &why);
        return got == 2 && back.heights.empty() && back.placements.empty() && !why.empty();
    };
    // cut short anywhere, or with bytes after its end
    for (size_t cut : {size_t(0), size_t(7), size_t(30), good.size() / 3, good.size() - 1})
        EXPECT_TRUE(refused(std::vector<unsigned char>(good.begin(), good.begin() + cut))) << cut;
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    EXPECT_TRUE(refused(longer));
    EXPECT_EQ(why, "it goes on past its end");
    std::vector<unsigned char> magic = good;
    magic[0] = 'X';
    EXPECT_TRUE(refused(magic));
    EXPECT_EQ(why, "not a world file of this version");
    // scenes written whole but wrong inside
    auto refusedScene = [&](void (*spoil)(WorldScene&), const char* reason) {
        WorldScene w = smallScene();
        spoil(w);
        written(w, dir);
        EXPECT_EQ(readBack(path, back, &why), 2) << reason;
        EXPECT_EQ(why, reason);
        EXPECT_TRUE(back.heights.empty());
    };
    refusedScene([](WorldScene& w) { w.heights[5] = std::nanf(""); }, "a terrain corner is not a number or lies too far");
    refusedScene([](WorldScene& w) { w.placements[0].model = 3; }, "a placement names no model");
    refusedScene([](WorldScene& w) { w.placements[0].far = -2; }, "a placement names no model");
    refusedScene([](WorldScene& w) { w.lastCell[7] = largeurPisteEnFaces; }, "a grid edge lies off the grid");
    refusedScene([](WorldScene& w) { w.zs[3] = w.zs[2] + 1; }, "its terrain's rows or columns are out of order");
    refusedScene([](WorldScene& w) { w.firstRow = 5; }, "its terrain does not hold the grid");
    refusedScene([](WorldScene& w) { w.gridLight.resize(w.gridLight.size() - 3), w.gridFar.resize(w.gridLight.size()); },
                 "its grid light does not cover the grid");
    refusedScene([](WorldScene& w) { w.weather = 9; }, "its weather is unknown");
    refusedScene([](WorldScene& w) { w.hazeDistance = 0; }, "its haze distance is wrong");
    // a count past its bound is refused before anything is allocated for it
    std::vector<unsigned char> huge = good;
    size_t modelsAt = good.size() - 4 - 2 * (3 * 4 + 5 * 4) - 3 * (3 * 4 + 6) - 4 - 4;
    huge[modelsAt] = 0x7f;
    EXPECT_TRUE(refused(huge));
}
