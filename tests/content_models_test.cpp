// The generated rider and obstacle models, loaded with the game's own readers.
#include "content.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "shell/systemPortUtils.h"
#include "skier/Generic3dObject.h"
#include "skier/skierCar.h"
#include "core/graphicLib.h"
#include "run/runState.h"
#include "skier/skierLib.h"
#include "support/recipes.h"
#include "support/testFiles.h"
#include "shell/playerRun.h"

namespace {

// The models as the build generated them into the checkout's data folder.
struct GeneratedModels : ::testing::Test {
    static std::string dataPath() { return builtData(); }
};

float distanceToSegment(const float* p, const float* a, const float* b)
{
    float ab[3], ap[3], t = 0, len2 = 0;
    for (int k = 0; k < 3; k++) ab[k] = b[k] - a[k], ap[k] = p[k] - a[k], t += ab[k] * ap[k], len2 += ab[k] * ab[k];
    t = len2 > 0 ? std::fmax(0.0f, std::fmin(1.0f, t / len2)) : 0;
    float d2 = 0;
    for (int k = 0; k < 3; k++) d2 += (ap[k] - t * ab[k]) * (ap[k] - t * ab[k]);
    return std::sqrt(d2);
}

Generic3DObject object;

void loadObject(const std::string& path)
{
    object.init();
    ASSERT_EQ(object.load(path.c_str()), 0) << path;
    ASSERT_GT(object.indexFaceDernierGroupe, 0) << path;
}

// Trees around their two hit spheres, rails with the bar and columns where they are hit, bombs
// about the size of the pick-up.
TEST_F(GeneratedModels, ObstacleModelsLoadAndMatchTheirHitShapes)
{
    for (const std::string& track : recipeNames("tracks", ".track")) {
        std::string dir = dataPath() + "/tracks/" + track + "/";
        loadObject(dir + "tree.3d");
        float lowWidth = 0, top = 0, bottom = 1e9f;
        for (int v = 0; v < object.indexVertexDernierGroupe; v++) {
            const Vertex& p = object.listeVerticesObj[v];
            top = std::fmax(top, p.y), bottom = std::fmin(bottom, p.y);
            if (p.y > 100 && p.y < 420) lowWidth = std::fmax(lowWidth, std::hypot(p.x, p.z));
        }
        EXPECT_NEAR(bottom, 0.0f, 1.0f) << track;
        EXPECT_GE(top, 600.0f + 120.0f) << track;
        EXPECT_GE(lowWidth, 220.0f) << track;
        // and no wider than where they stop a rider (the low sphere, 220 and his 90, at body height)
        EXPECT_LE(lowWidth, 315.0f) << track;

        loadObject(dir + "rail.3d");
        float barStart = 1e9f, barEnd = -1e9f;
        const float columns[6][2] = {{-9, -2134}, {500.6f, -2934}, {1129.6f, -2934}, {1720, -2934}, {2304, -2934},
                                     {2955, -3434}};
        bool reached[6] = {false, false, false, false, false, false};
        for (int v = 0; v < object.indexVertexDernierGroupe; v++) {
            const Vertex& p = object.listeVerticesObj[v];
            if (std::fabs(p.y - 66) < 40 && std::fabs(p.z + 1) < 40) barStart = std::fmin(barStart, p.x);
            if (std::fabs(p.y - 66) < 40 && std::fabs(p.z + 1) < 40) barEnd = std::fmax(barEnd, p.x);
            for (int c = 0; c < 6; c++)
                if (std::fabs(p.x - columns[c][0]) < 30 && p.y <= columns[c][1] + 1) reached[c] = true;
        }
        EXPECT_NEAR(barStart, -9.0f, 31.0f) << track;
        EXPECT_GE(barEnd, 2891.0f) << track;
        for (int c = 0; c < 6; c++) EXPECT_TRUE(reached[c]) << track << " column " << c;
        // marker poles stand tall beside the bar's start, clear of the rider on it, in a glowing yellow
        float markerTop = 0;
        for (int v = 0; v < object.indexVertexDernierGroupe; v++) {
            const Vertex& p = object.listeVerticesObj[v];
            if (std::fabs(p.z + 1) > 250 && p.x < 300) markerTop = std::fmax(markerTop, p.y);
        }
        EXPECT_GE(markerTop, 1200.0f) << track;
        bool yellow = false;
        for (int m = 0; m < object.nbMaterials; m++) {
            const Material& mat = object.listeMaterialsObj[m];
            yellow = yellow || (mat.diffuse[0] > 0.9f && mat.diffuse[1] > 0.7f && mat.diffuse[2] < 0.2f &&
                                mat.emissive[0] > 0.5f);
        }
        EXPECT_TRUE(yellow) << track;

        loadObject(dir + "bomb.3d");
        float reach = 0;
        for (int v = 0; v < object.indexVertexDernierGroupe; v++) {
            const Vertex& p = object.listeVerticesObj[v];
            reach = std::fmax(reach, std::sqrt(p.x * p.x + (p.y - 32) * (p.y - 32) + p.z * p.z));
        }
        EXPECT_GT(reach, 200.0f) << track;
        EXPECT_LT(reach, 520.0f) << track;
    }
}

// Group sizes as the file states them, read before loading: a loader past its tables would write
// over its own neighbouring tables.
struct ModelCounts {
    int groups = 0, vertices = 0, normals = 0, triangles = 0;
};

ModelCounts countsInFile(const std::string& path)
{
    std::vector<unsigned char> bytes = readBytes(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string word;
    ModelCounts c;
    while (in >> word && word != "Meshes:") {}
    in >> c.groups;
    for (int g = 0; g < c.groups; g++) {
        int n;
        in >> word >> word >> word >> n;
        c.vertices += n;
        for (int k = 0; k < 7 * n; k++) in >> word;
        in >> n;
        c.normals += n;
        for (int k = 0; k < 3 * n; k++) in >> word;
        in >> n;
        c.triangles += n;
        for (int k = 0; k < 8 * n; k++) in >> word;
    }
    return c;
}

// Heights (sorted) of the vertices of the groups drawn in a near-white material.
std::vector<float> snowHeights()
{
    std::vector<float> ys;
    for (int g = 0; g < object.nbMeshes; g++) {
        const Mesh& m = object.listeMeshesObj[g];
        if (m.material < 0) continue;
        const float* d = object.listeMaterialsObj[m.material].diffuse;
        if (d[0] < 0.85f || d[1] < 0.85f || d[2] < 0.85f) continue;
        for (int v = m.firstVertex; v < m.firstVertex + m.nbVertices; v++) ys.push_back(object.listeVerticesObj[v].y);
    }
    std::sort(ys.begin(), ys.end());
    return ys;
}

// Every track's tree fits the static-object tables, carries snow in several tiers up its height, and
// the track themes have trees of their own shapes.
TEST_F(GeneratedModels, TreesAreTiersOfSnowyBranchesWithinTheObjectTables)
{
    std::set<std::pair<int, int>> shapes;
    for (const std::string& track : recipeNames("tracks", ".track")) {
        std::string path = dataPath() + "/tracks/" + track + "/tree.3d";
        ModelCounts c = countsInFile(path);
        ASSERT_GT(c.triangles, 0) << track;
        ASSERT_LE(c.groups, 100) << track;
        ASSERT_LE(c.vertices, 500) << track;
        ASSERT_LE(c.normals, 500) << track;
        ASSERT_LE(c.triangles, 500) << track;
        loadObject(path);
        EXPECT_LE(object.nbMaterials, 40) << track;
        std::vector<float> snow = snowHeights();
        ASSERT_FALSE(snow.empty()) << track << " has no snow";
        int tiers = 1;
        for (size_t k = 1; k < snow.size(); k++) tiers += snow[k] - snow[k - 1] > 60;
        EXPECT_GE(tiers, 4) << track;
        float top = 0, widest = 0;
        for (int v = 0; v < object.indexVertexDernierGroupe; v++) {
            const Vertex& p = object.listeVerticesObj[v];
            top = std::fmax(top, p.y), widest = std::fmax(widest, std::hypot(p.x, p.z));
        }
        EXPECT_GT(snow.back(), top * 0.7f) << track << " snow only low down";
        shapes.insert({(int)top / 50, (int)widest / 20});
    }
    EXPECT_GE(shapes.size(), 3u);
}

// Each limb's vertices hug the segment between its joint and the next one, so posing bends there.
const int LIMBS[][2] = {{2, 5}, {3, 4}, {5, 6}, {4, 7}, {14, 15}, {18, 19}, {15, 16}, {19, 20}};

TEST_F(GeneratedModels, RidersLoadWithTheirSkeletonTextureAndCard)
{
    std::vector<std::string> riders = recipeNames("riders", ".rider");
    EXPECT_GE(riders.size(), 3u);
    EXPECT_NE(std::find(riders.begin(), riders.end(), "tolvek"), riders.end());
    std::set<float> weights;
    for (const std::string& id : riders) {
        std::string dir = dataPath() + "/models/" + id + "/";
        reinitSkierData(playerRider);
        ASSERT_EQ(loadMs3d(playerRider, (dir + id + ".3d").c_str()), 0) << id;
        ASSERT_EQ(playerRider.nbBones, nbJointsSquelette) << id;
        EXPECT_LE(playerRider.nbVertices, maxVerticesSkier);
        EXPECT_LE(playerRider.nbFaces, maxFacesSkier);
        for (int b = 0; b < playerRider.nbBones; b++) EXPECT_EQ(playerRider.bones[b].number, b) << id;
        int limbVertices[8] = {0};
        for (int v = 0; v < playerRider.nbVertices; v++) {
            int j = playerRider.vertices[v].boneId, steps = 0;
            ASSERT_GE(j, 0) << id << " vertex " << v;
            while (playerRider.bones[j].parent != -1 && steps++ < playerRider.nbBones) j = playerRider.bones[j].parent;
            ASSERT_EQ(j, jointBassin) << id << " vertex " << v;
            for (int l = 0; l < 8; l++) {
                if (playerRider.vertices[v].boneId != LIMBS[l][0]) continue;
                float a[3], b[3], p[3] = {playerRider.vertices[v].x, playerRider.vertices[v].y, playerRider.vertices[v].z};
                centreJoint(LIMBS[l][0], a);
                centreJoint(LIMBS[l][1], b);
                EXPECT_LT(distanceToSegment(p, a, b), 35.0f) << id << " joint " << LIMBS[l][0];
                limbVertices[l]++;
            }
        }
        for (int l = 0; l < 8; l++) EXPECT_GT(limbVertices[l], 8) << id << " joint " << LIMBS[l][0];

        int mat = materialTextureSkier(playerRider);
        ASSERT_GE(mat, 0) << id;
        EXPECT_EQ(std::string(playerRider.materials[mat].texture), ":data:models:" + id + ":skin.bmp");
        std::vector<unsigned char> bmp = readBytes(dir + "skin.bmp");
        ASSERT_EQ(bmp.size(), 54u + 128u * 128u * 3u) << id;
        EXPECT_EQ(bmp[18] | bmp[19] << 8, 128);
        EXPECT_EQ(bmp[22] | bmp[23] << 8, 128);

        EXPECT_EQ(readBytes(dir + id + ".car").size(), 1036u);
        SkierCar card = {};
        ASSERT_EQ(importCarac((dir + id + ".car").c_str(), &card), 0) << id;
        EXPECT_EQ(std::string(card.id), id);
        EXPECT_GT(std::string(card.nickname).size(), 0u);
        EXPECT_GT(card.weight, 40.0f);
        EXPECT_LT(card.weight, 120.0f);
        EXPECT_GT(card.size, 1.4f);
        weights.insert(card.weight);
    }
    EXPECT_EQ(weights.size(), riders.size());
}

// Vertices of the rider's group "skis" (names are stored with their quotes).
bool isSkiVertex(int v)
{
    for (int g = 0; g < playerRider.nbMeshes; g++)
        if (std::string(playerRider.meshes[g].name) == "\"skis\"")
            return v >= playerRider.meshes[g].firstVertex && v < playerRider.meshes[g].firstVertex + playerRider.meshes[g].nbVertices;
    return false;
}

// Skinned in the neutral pose and placed as the drawing places it (supporting ankle, then the foot
// height): each ski runs under its boot, from behind the heel to ahead of the toe, and rests on the snow.
TEST_F(GeneratedModels, RidersStandOnTheirSkisInTheNeutralPose)
{
    preCalculateTrigoTables();
    for (const std::string& id : recipeNames("riders", ".rider")) {
        reinitSkierData(playerRider);
        ASSERT_EQ(loadMs3d(playerRider, (dataPath() + "/models/" + id + "/" + id + ".3d").c_str()), 0) << id;
        for (int v = 0; v < nbPoseVariables; v++) playerRun.pose.angles[v] = 0;
        majRotationsBones(playerRun.pose, playerRider);
        transformSkierEtat(playerRun.pose, playerRider, 0, 0, 0, 1);
        const float lift = playerRun.pose.transTotalSkier + hauteurPiedSkier;
        for (int side = 0; side < 2; side++) {
            const int ankle = side ? jointChevilleDroite : jointChevilleGauche, foot = side ? 8 : 9;
            float lo[2][3] = {{1e9f, 1e9f, 1e9f}, {1e9f, 1e9f, 1e9f}}, hi[2][3] = {{-1e9f, -1e9f, -1e9f}, {-1e9f, -1e9f, -1e9f}};
            for (int v = 0; v < playerRider.nbVertices; v++) {
                const Vertex& vx = playerRider.vertices[v];
                int which = vx.boneId == foot ? 0 : vx.boneId == ankle && isSkiVertex(v) ? 1 : -1;
                if (which < 0) continue;
                float p[3] = {vx.x, vx.y, vx.z}, n[3] = {0, 1, 0}, out[3], outN[3];
                transformeBoneCoords(playerRider, p, n, vx.boneId, out, outN);
                out[1] += lift;
                for (int k = 0; k < 3; k++) lo[which][k] = std::fmin(lo[which][k], out[k]), hi[which][k] = std::fmax(hi[which][k], out[k]);
            }
            const float *bootLo = lo[0], *bootHi = hi[0], *skiLo = lo[1], *skiHi = hi[1];
            ASSERT_LT(skiLo[0], skiHi[0]) << id << " has no ski on side " << side;
            float bootMid = (bootLo[0] + bootHi[0]) / 2, skiMid = (skiLo[0] + skiHi[0]) / 2;
            EXPECT_NEAR(skiMid, bootMid, 3.0f) << id << " side " << side;
            EXPECT_LT(skiHi[0] - skiLo[0], bootHi[0] - bootLo[0] + 2) << id << " ski wider than the boot";
            EXPECT_LT(skiLo[2], bootLo[2] - 60) << id << " ski tail";
            EXPECT_GT(skiHi[2], bootHi[2] + 60) << id << " ski nose";
            EXPECT_LE(skiLo[1], bootLo[1]) << id << " ski above the sole";
            EXPECT_GT(skiLo[1], -2.0f) << id << " ski under the snow";
            EXPECT_LT(skiLo[1], 12.0f) << id << " ski above the snow";
        }
    }
}

// The big colour areas of the skin (jacket, trousers, boots, skis) stand out from white snow: at
// most a quarter of their texels are snow-coloured (a stripe of another colour does not save them).
TEST_F(GeneratedModels, RiderColoursStandOutFromTheSnow)
{
    const int regionSize = 32, regionsPerRow = 4, rowBytes = 128 * 3, header = 54;
    const int regions[] = {0, 2, 8, 9};  // jacket, trousers, boots, skis
    const float snow[3] = {240, 244, 250}, snowLike = 60;
    for (const std::string& id : recipeNames("riders", ".rider")) {
        std::vector<unsigned char> bmp = readBytes(dataPath() + "/models/" + id + "/skin.bmp");
        ASSERT_EQ(bmp.size(), (size_t)(header + 128 * rowBytes)) << id;
        for (int r : regions) {
            int near = 0;
            for (int v = 0; v < regionSize; v++)
                for (int u = 0; u < regionSize; u++) {
                    const unsigned char* px = &bmp[header + ((r / regionsPerRow) * regionSize + v) * rowBytes +
                                                   ((r % regionsPerRow) * regionSize + u) * 3];
                    float d2 = 0;
                    for (int k = 0; k < 3; k++) d2 += std::pow(px[2 - k] - snow[k], 2.0f);  // BGR
                    near += std::sqrt(d2) < snowLike;
                }
            EXPECT_LT(near, regionSize * regionSize / 4) << id << " region " << r;
        }
    }
}

}  // namespace
