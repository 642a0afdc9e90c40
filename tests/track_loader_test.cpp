#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/planeTrack.h"
#include "fileio/swapthings.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

static void putInt(std::vector<unsigned char>& b, int v)
{
    uint32_t n = htonl((uint32_t)v);
    unsigned char* p = (unsigned char*)&n;
    b.insert(b.end(), p, p + 4);
}
static void putFloat(std::vector<unsigned char>& b, float v)
{
    uint32_t u;
    memcpy(&u, &v, 4);
    putInt(b, (int)u);
}

// Binary form of the plane track with the given vertex count and one obstacle and rescue point.
static std::vector<unsigned char> planeTrackFile(int nbVertices)
{
    buildPlaneTrack(false);
    std::vector<unsigned char> b(256, 0);
    strcpy((char*)b.data(), "plane");
    for (int i = 0; i < 13; i++) putInt(b, 0);
    putInt(b, 3);
    for (int i = 0; i < 6; i++) putFloat(b, 0.5f);
    putFloat(b, 2000);
    putFloat(b, 300000);
    putInt(b, nbVertices);
    for (int i = 0; i < nbVertices && i < maxTrackVertices; i++)
        for (int k = 0; k < 3; k++) putFloat(b, points[i][k]);
    putInt(b, maxTrackFaces);
    for (int i = 0; i < maxTrackFaces; i++)
        for (int k = 0; k < 3; k++) putInt(b, (int)faces[i][k]);
    putInt(b, 0);
    putInt(b, 0);
    putInt(b, 1);
    for (float v : {5000.0f, 10.0f, 20.0f}) putFloat(b, v);
    for (int v : {0, 2, 0, 1}) putInt(b, v);
    putFloat(b, 200);
    putInt(b, 1);
    for (float v : {1000.0f, 0.0f, 0.0f}) putFloat(b, v);
    return b;
}

static std::string writeFile(const std::vector<unsigned char>& b, size_t len)
{
    std::string path = testing::TempDir() + "plane.btrk";
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(b.data(), 1, len, f);
    fclose(f);
    return path;
}

TEST(TrackLoader, BinaryPlaneTrackLoadsAndDamagedFilesAreRefused)
{
    storeByteOrder(0);
    std::vector<unsigned char> good = planeTrackFile(maxTrackVertices);
    std::vector<float> expected(&points[0][0], &points[0][0] + 3 * maxTrackVertices);
    memset(points, 0, sizeof points);
    ASSERT_EQ(importTrackFromBinaryFile(writeFile(good, good.size()).c_str()), trackLoadOk);
    EXPECT_EQ(0, memcmp(expected.data(), points, sizeof points));
    EXPECT_EQ(bombsQty, 3);
    EXPECT_FLOAT_EQ(depart, 2000);
    EXPECT_EQ(containerObstacles[0].type, obstacleBomb);
    EXPECT_TRUE(isObstacleListEnd(containerObstacles[1]));
    EXPECT_FLOAT_EQ(replaceSkier[0][0], 1000);

    bombsQty = -7;
    for (size_t cut : {size_t(10), size_t(300), good.size() / 2, good.size() - 1})
        EXPECT_EQ(importTrackFromBinaryFile(writeFile(good, cut).c_str()), trackLoadCorrupt) << cut;
    std::vector<unsigned char> tooMany = planeTrackFile(maxTrackVertices + 1);
    EXPECT_EQ(importTrackFromBinaryFile(writeFile(tooMany, tooMany.size()).c_str()), trackLoadCorrupt);
    std::vector<unsigned char> fewVertices = planeTrackFile(100);  // faces name vertices beyond 100
    EXPECT_EQ(importTrackFromBinaryFile(writeFile(fewVertices, fewVertices.size()).c_str()), trackLoadCorrupt);
    EXPECT_EQ(bombsQty, -7);  // refused files leave the model untouched
    EXPECT_EQ(importTrackFromBinaryFile("/nonexistent/x.btrk"), trackLoadCantOpen);
}
