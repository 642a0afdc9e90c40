// The generated trick poses: loaded by the game, distinct combinations, and shapes that match their names.
#include "content.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <set>
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

struct TrickPoses : ::testing::Test {
    static TempDir* data;
    static int count;
    static void SetUpTestSuite()
    {
        data = new TempDir();
        for (const char* sub : {"/positions", "/models"}) mkdir((data->path() + sub).c_str(), 0755);
        genPositions(RECIPES, data->path());
        genRiders(RECIPES, data->path());
        std::string dir = data->path() + "/positions/";
        count = numberOfPositionsInDir(dir.c_str());
        loadPositions(dir.c_str());
    }
    static void TearDownTestSuite() { delete data; }
};
TempDir* TrickPoses::data = nullptr;
int TrickPoses::count = 0;

TEST_F(TrickPoses, EveryFileLoadsWithADistinctAscendingCombinationAndItsScore)
{
    ASSERT_GE(count, 24);
    ASSERT_LE(count, nbPositionsMax);
    std::set<std::vector<int>> combos;
    int bySize[7] = {0};
    std::set<int> singles;
    for (int i = 0; i < count; i++) {
        const SkiPosition& p = getPositionsDispo()[i];
        EXPECT_GT(strlen(p.name), 2u) << i;
        std::vector<int> codes;
        for (int b = 0; b < nbBoutonsPosition && p.boutons[b] != -1; b++) codes.push_back(p.boutons[b]);
        ASSERT_FALSE(codes.empty()) << p.name;
        for (size_t b = codes.size(); b < (size_t)nbBoutonsPosition; b++) EXPECT_EQ(p.boutons[b], -1) << p.name;
        int sum = 0;
        for (size_t b = 0; b < codes.size(); b++) {
            EXPECT_GE(codes[b], 0);
            EXPECT_LE(codes[b], 5);
            if (b > 0) EXPECT_LT(codes[b - 1], codes[b]) << p.name;
            if (b < 5) sum += codes[b];
        }
        EXPECT_EQ(p.score, 1000 * sum) << p.name;
        EXPECT_TRUE(combos.insert(codes).second) << p.name << " repeats a combination";
        bySize[codes.size()]++;
        if (codes.size() == 1) singles.insert(codes[0]);
        float largest = 0;
        for (float a : p.position) largest = std::fmax(largest, std::fabs(a));
        EXPECT_GT(largest, 20.0f) << p.name;
        EXPECT_LE(largest, 180.0f) << p.name;
    }
    EXPECT_EQ(singles.size(), 6u);
    EXPECT_GE(bySize[2], 10);
    EXPECT_GE(bySize[3], 5);
}

struct Posed {
    std::vector<std::array<float, 3>> byJoint[nbJointsSquelette];
};

// The default rider skinned in pose p, vertices grouped by the joint they are bound to.
Posed poseRider(const float* p)
{
    changePosition(playerRun.pose, p);
    majRotationsBones(playerRun.pose, playerRider);
    Posed out;
    for (int v = 0; v < playerRider.nbVertices; v++) {
        const Vertex& vx = playerRider.vertices[v];
        float in[3] = {vx.x, vx.y, vx.z}, n[3] = {0, 1, 0}, pos[3], nrm[3];
        transformeBoneCoords(playerRider, in, n, vx.boneId, pos, nrm);
        out.byJoint[vx.boneId].push_back({pos[0], pos[1], pos[2]});
    }
    return out;
}

float closest(const Posed& p, std::initializer_list<int> a, std::initializer_list<int> b)
{
    float best = 1e9f;
    for (int ja : a)
        for (int jb : b)
            for (const auto& u : p.byJoint[ja])
                for (const auto& w : p.byJoint[jb])
                    best = std::fmin(best, std::hypot(u[0] - w[0], u[1] - w[1], u[2] - w[2]));
    return best;
}

// A grab brings a glove to a ski or boot; a cross puts the left ski's nose right of the right one's.
TEST_F(TrickPoses, GrabsReachTheSkisAndCrossesCrossThem)
{
    preCalculateTrigoTables();
    reinitSkierData(playerRider);
    ASSERT_EQ(loadMs3d(playerRider, (data->path() + "/models/tolvek/tolvek.3d").c_str()), 0);
    float rest[37] = {0};
    float restReach = closest(poseRider(rest), {16, 20}, {6, 7, 8, 9});
    int grabs = 0, crosses = 0;
    for (int i = 0; i < count; i++) {
        const SkiPosition& t = getPositionsDispo()[i];
        std::string name = t.name;
        Posed p = poseRider(t.position);
        if (name.find("Grab") != std::string::npos || name == "Seat_Belt" || name == "Truck_Driver" || name == "Japan_Air") {
            grabs++;
            EXPECT_LT(closest(p, {16, 20}, {6, 7, 8, 9}), 40.0f) << name;
        }
        if (name.find("Cross") != std::string::npos) {
            crosses++;
            float noseL[3], noseR[3], zero[3] = {0, 0, 0}, n[3];
            transformeBoneCoords(playerRider, noseSkiGauchePos, zero, jointChevilleGauche, noseL, n);
            transformeBoneCoords(playerRider, noseSkiDroitPos, zero, jointChevilleDroite, noseR, n);
            EXPECT_LT(noseL[0], noseR[0]) << name;
        }
    }
    EXPECT_GT(restReach, 100.0f);
    EXPECT_GE(grabs, 5);
    EXPECT_GE(crosses, 2);
}

}  // namespace
