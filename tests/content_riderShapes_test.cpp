// The generated riders in every pose the game uses: joints that stay joined, models within the
// loader's tables, and three riders a player tells apart by colour and outline.
#include "content.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "core/graphicLib.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "support/recipes.h"
#include "support/testFiles.h"
#include "shell/playerRun.h"

namespace {

struct RiderShapes : ::testing::Test {
    static TempDir* data;
    static std::vector<std::vector<float>> poses;
    static void SetUpTestSuite()
    {
        data = new TempDir();
        for (const char* sub : {"/positions", "/models"}) mkdir((data->path() + sub).c_str(), 0755);
        genPositions(RECIPES, data->path());
        genRiders(RECIPES, data->path());
        const float* builtIn[] = {builtInPoses.reposPosition, builtInPoses.oneGrabPosition, builtInPoses.okPosition1, builtInPoses.okPosition2, builtInPoses.normalPosition,
                                  builtInPoses.virGauchePosition, builtInPoses.virDroitePosition, builtInPoses.receptionPosition, builtInPoses.fakiePosition,
                                  builtInPoses.virFakieGauchePosition, builtInPoses.virFakieDroitePosition, builtInPoses.fakieReceptionPosition,
                                  builtInPoses.simpleJumpFakie, builtInPoses.simpleJump, builtInPoses.freinagePGauchePosition, builtInPoses.freinagePDroitePosition,
                                  builtInPoses.freinageFakiePosition, builtInPoses.bouleChutePosition, builtInPoses.chutePosition, builtInPoses.grindPosition,
                                  builtInPoses.normalCrouchPosition, builtInPoses.fakieCrouchPosition};
        for (const float* p : builtIn) poses.emplace_back(p, p + 37);
        std::string dir = data->path() + "/positions/";
        int n = numberOfPositionsInDir(dir.c_str());
        for (int i = 0; i < n; i++) {
            SkiPosition p = {};
            importPosition((dir + std::to_string(i)).c_str(), &p);
            poses.emplace_back(p.position, p.position + 37);
        }
        preCalculateTrigoTables();
    }
    static void TearDownTestSuite()
    {
        delete data;
        poses.clear();
    }
    void TearDown() override
    {
        for (int v = 0; v < nbPoseVariables; v++) playerRun.pose.angles[v] = 0;
        majRotationsBones(playerRun.pose, playerRider);
    }
};
TempDir* RiderShapes::data = nullptr;
std::vector<std::vector<float>> RiderShapes::poses;

void loadRider(const std::string& id)
{
    reinitSkierData(playerRider);
    ASSERT_EQ(loadMs3d(playerRider, (RiderShapes::data->path() + "/models/" + id + "/" + id + ".3d").c_str()), 0) << id;
}

struct Point {
    float p[3];
};

Point skinned(const float* at, int joint)
{
    Point out;
    float n[3] = {0, 1, 0}, outN[3];
    transformeBoneCoords(playerRider, at, n, joint, out.p, outN);
    return out;
}

std::vector<Point> skinnedVertices()
{
    std::vector<Point> v;
    for (int i = 0; i < playerRider.nbVertices; i++) {
        float p[3] = {playerRider.vertices[i].x, playerRider.vertices[i].y, playerRider.vertices[i].z};
        v.push_back(skinned(p, playerRider.vertices[i].boneId));
    }
    return v;
}

float distance(const float* a, const float* b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

bool chainHolds(int bone, int joint)
{
    for (int steps = 0; bone >= 0 && steps < playerRider.nbBones; steps++, bone = playerRider.bones[bone].parent)
        if (bone == joint) return true;
    return false;
}

// Shoulders, elbows, hips and knees, each with the joint its limb reaches.
const int BENDS[8][2] = {{14, 15}, {18, 19}, {15, 16}, {19, 20}, {2, 5}, {3, 4}, {5, 6}, {4, 7}};
const float JOINED = 8.0f;

// At every bend, in every pose: the body before the joint wraps its centre at least as closely as
// the limb after it (else the limb's end shows as a gap as it turns), and no part of the limb
// reaching back behind the centre swings away from the body.
TEST_F(RiderShapes, EveryPoseKeepsShouldersElbowsHipsAndKneesJoined)
{
    ASSERT_GE(poses.size(), 40u);
    for (const std::string& id : recipeNames("riders", ".rider")) {
        loadRider(id);
        for (size_t pose = 0; pose < poses.size(); pose++) {
            changePosition(playerRun.pose, poses[pose].data());
            majRotationsBones(playerRun.pose, playerRider);
            std::vector<Point> v = skinnedVertices();
            for (const auto& bend : BENDS) {
                float c[3], reach[3], toward[3];
                centreJoint(bend[0], c);
                centreJoint(bend[1], reach);
                for (int k = 0; k < 3; k++) toward[k] = reach[k] - c[k];
                Point centre = skinned(c, bend[0]);
                float limb = 1e9f, body = 1e9f;
                std::vector<int> behind;
                for (int i = 0; i < playerRider.nbVertices; i++) {
                    float d = distance(v[i].p, centre.p);
                    if (!chainHolds(playerRider.vertices[i].boneId, bend[0])) {
                        body = std::fmin(body, d);
                        continue;
                    }
                    limb = std::fmin(limb, d);
                    float along = 0;
                    for (int k = 0; k < 3; k++) along += (playerRider.vertices[i].x * (k == 0) + playerRider.vertices[i].y * (k == 1) +
                                                          playerRider.vertices[i].z * (k == 2) - c[k]) * toward[k];
                    if (along < -1.0f && playerRider.vertices[i].boneId == bend[0]) behind.push_back(i);
                }
                EXPECT_LE(body, limb * 1.25f + 1) << id << " pose " << pose << " joint " << bend[0];
                for (int i : behind) {
                    float nearest = 1e9f;
                    for (int j = 0; j < playerRider.nbVertices; j++)
                        if (!chainHolds(playerRider.vertices[j].boneId, bend[0]))
                            nearest = std::fmin(nearest, distance(v[i].p, v[j].p));
                    ASSERT_LE(nearest, JOINED) << id << " pose " << pose << " joint " << bend[0] << " vertex " << i;
                }
            }
        }
    }
}

TEST_F(RiderShapes, ModelsStayWithinTheLoaderTables)
{
    for (const std::string& id : recipeNames("riders", ".rider")) {
        loadRider(id);
        EXPECT_LE(playerRider.nbVertices, maxVerticesSkier) << id;
        EXPECT_LE(playerRider.nbNormales, maxNormalesSkier) << id;
        EXPECT_LE(playerRider.nbFaces, maxFacesSkier) << id;
        EXPECT_LE(playerRider.nbMeshes, 100) << id;
        EXPECT_LE(playerRider.nbMaterials, 40) << id;
        // every triangle points at its own group's vertices and normals
        for (int f = 0; f < playerRider.nbFaces; f++) {
            const Face& face = playerRider.faces[f];
            const Mesh& g = playerRider.meshes[face.groupIndex];
            for (int k : {face.vertex1, face.vertex2, face.vertex3}) ASSERT_LT(k, g.nbVertices) << id << " face " << f;
            for (int k : {face.normale1, face.normale2, face.normale3}) ASSERT_LT(k, g.nbNormales) << id << " face " << f;
        }
    }
}

// Front and side outlines of the standing rider on a grid of 3-unit cells.
struct Outline {
    static const int CELLS = 128;
    bool front[CELLS][CELLS] = {}, side[CELLS][CELLS] = {};
};

void markTriangle(bool grid[Outline::CELLS][Outline::CELLS], const float* a, const float* b, const float* c, int h)
{
    // points over the triangle, dense enough for the cells
    for (int i = 0; i <= 24; i++)
        for (int j = 0; i + j <= 24; j++) {
            float s = i / 24.0f, t = j / 24.0f, r = 1 - s - t;
            float x = a[h] * r + b[h] * s + c[h] * t, y = a[1] * r + b[1] * s + c[1] * t;
            int cx = (int)std::floor(x / 3) + Outline::CELLS / 2, cy = (int)std::floor((y + 260) / 3);
            if (cx >= 0 && cx < Outline::CELLS && cy >= 0 && cy < Outline::CELLS) grid[cy][cx] = true;
        }
}

Outline standingOutline()
{
    Outline o;
    for (int v = 0; v < nbPoseVariables; v++) playerRun.pose.angles[v] = 0;
    majRotationsBones(playerRun.pose, playerRider);
    std::vector<Point> v = skinnedVertices();
    for (int g = 0; g < playerRider.nbMeshes; g++)
        for (int f = playerRider.meshes[g].firstFace; f < playerRider.meshes[g].firstFace + playerRider.meshes[g].nbFaces; f++) {
            int base = playerRider.meshes[g].firstVertex;
            const float *a = v[base + playerRider.faces[f].vertex1].p, *b = v[base + playerRider.faces[f].vertex2].p,
                        *c = v[base + playerRider.faces[f].vertex3].p;
            markTriangle(o.front, a, b, c, 0);
            markTriangle(o.side, a, b, c, 2);
        }
    return o;
}

// The share of the two outlines' cells that only one of them covers.
float outlineDifference(const Outline& a, const Outline& b)
{
    int differ = 0, either = 0;
    for (int y = 0; y < Outline::CELLS; y++)
        for (int x = 0; x < Outline::CELLS; x++) {
            differ += (a.front[y][x] != b.front[y][x]) + (a.side[y][x] != b.side[y][x]);
            either += (a.front[y][x] || b.front[y][x]) + (a.side[y][x] || b.side[y][x]);
        }
    return either ? (float)differ / either : 0;
}

// Mean colour of a 32 x 32 area of the skin (region numbers count from the texture's bottom row).
std::vector<float> regionColour(const std::string& id, int region)
{
    std::vector<unsigned char> bmp = readBytes(RiderShapes::data->path() + "/models/" + id + "/skin.bmp");
    std::vector<float> mean(3, 0);
    if (bmp.size() != 54u + 128u * 128u * 3u) return mean;
    for (int v = 0; v < 32; v++)
        for (int u = 0; u < 32; u++) {
            const unsigned char* px = &bmp[54 + ((region / 4) * 32 + v) * 128 * 3 + ((region % 4) * 32 + u) * 3];
            for (int k = 0; k < 3; k++) mean[k] += px[2 - k] / 1024.0f;
        }
    return mean;
}

TEST_F(RiderShapes, ThreeRidersDifferInOutlineAndColour)
{
    std::vector<std::string> ids = recipeNames("riders", ".rider");
    ASSERT_GE(ids.size(), 3u);
    std::vector<Outline> outlines;
    for (const std::string& id : ids) {
        loadRider(id);
        outlines.push_back(standingOutline());
    }
    const int JACKET = 0, PANTS = 2;
    for (size_t a = 0; a < ids.size(); a++)
        for (size_t b = a + 1; b < ids.size(); b++) {
            EXPECT_GT(outlineDifference(outlines[a], outlines[b]), 0.06f) << ids[a] << " and " << ids[b];
            std::vector<float> ja = regionColour(ids[a], JACKET), jb = regionColour(ids[b], JACKET);
            std::vector<float> pa = regionColour(ids[a], PANTS), pb = regionColour(ids[b], PANTS);
            float jacket = 0, both = 0;
            for (int k = 0; k < 3; k++) jacket += std::fabs(ja[k] - jb[k]), both += std::fabs(pa[k] - pb[k]);
            EXPECT_GT(jacket, 90.0f) << ids[a] << " and " << ids[b] << " wear jackets of one colour";
            EXPECT_GT(jacket + both, 120.0f) << ids[a] << " and " << ids[b];
        }
}

// Light and shade are painted into the jacket: its front (the start of each row) brighter than its back.
TEST_F(RiderShapes, SkinsHaveLightAndShadePaintedIn)
{
    for (const std::string& id : recipeNames("riders", ".rider")) {
        std::vector<unsigned char> bmp = readBytes(data->path() + "/models/" + id + "/skin.bmp");
        ASSERT_EQ(bmp.size(), 54u + 128u * 128u * 3u) << id;
        float front = 0, back = 0, lowest = 1e9f, highest = 0;
        for (int v = 4; v < 28; v++)
            for (int u = 0; u < 32; u++) {
                const unsigned char* px = &bmp[54 + v * 128 * 3 + u * 3];
                float lum = px[0] + px[1] + px[2];
                if (u >= 3 && u < 6) front += lum;
                if (u >= 14 && u < 18) back += lum * 3 / 4.0f;
                lowest = std::fmin(lowest, lum), highest = std::fmax(highest, lum);
            }
        EXPECT_GT(front, back * 1.1f) << id;
        EXPECT_GT(highest, lowest * 1.2f) << id << " jacket painted flat";
    }
}

}  // namespace
