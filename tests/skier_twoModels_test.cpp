// The player's rider and the ghost's, each in a model and a pose of its own: skinned and drawn in
// turn, each gives what it gives alone, and neither writes the other's.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/graphicLib.h"
#include "render/skierDraw.h"
#include "shell/playerRun.h"
#include "skier/ghostRider.h"
#include "skier/skierLib.h"
#include "support/modelTexts.h"
#include "support/testFiles.h"
#include "track/planLib.h"

namespace {

// A triangle per joint, each corner `below` under its joint's centre.
std::vector<TestVertex> trianglesUnder(std::initializer_list<int> joints, float below)
{
    std::vector<TestVertex> vs;
    for (int joint : joints) {
        float c[3];
        centreJoint(joint, c);
        for (int k = 0; k < 3; k++) vs.push_back({c[0] + k, c[1] - below, c[2], joint});
    }
    return vs;
}

struct Skinned {
    std::vector<TriangleToDraw> triangles;
    std::vector<float> skiEnds;
    std::vector<float> bones;
};

Skinned skinnedOf(const RiderModel& model, const RiderPose& pose)
{
    Skinned s;
    s.triangles.assign(model.triangles, model.triangles + model.nbTriangles);
    s.skiEnds.assign(&pose.skiEnds[0][0], &pose.skiEnds[0][0] + 3 * nbSkiEnds);
    for (int j = 0; j < nbJointsSquelette; j++)
        s.bones.insert(s.bones.end(), model.bones[j].rotation, model.bones[j].rotation + 3);
    return s;
}

void expectSame(const Skinned& alone, const Skinned& inTurn, const char* who)
{
    ASSERT_EQ(alone.triangles.size(), inTurn.triangles.size()) << who;
    for (size_t t = 0; t < alone.triangles.size(); t++) {
        EXPECT_EQ(alone.triangles[t].groupIndex, inTurn.triangles[t].groupIndex) << who << " triangle " << t;
        for (int c = 0; c < 3; c++)
            for (int k = 0; k < 3; k++) {
                EXPECT_FLOAT_EQ(alone.triangles[t].position[c][k], inTurn.triangles[t].position[c][k]) << who << " triangle " << t;
                EXPECT_FLOAT_EQ(alone.triangles[t].normale[c][k], inTurn.triangles[t].normale[c][k]) << who << " triangle " << t;
            }
    }
    EXPECT_EQ(alone.skiEnds, inTurn.skiEnds) << who << ": ski ends";
    EXPECT_EQ(alone.bones, inTurn.bones) << who << ": bones";
}

}  // namespace

class TwoRiderModels : public testing::Test {
protected:
    void SetUp() override
    {
        preCalculateTrigoTables();
        setContact(playerRun, 1);
        playerRun.phases.fakie = 0;
        writeText(dir.file("player.3d"), riderModelText(trianglesUnder({3, 4, 7, 19}, 10)));
        writeText(dir.file("ghost.3d"), riderModelText(trianglesUnder({2, 5, 6, 12, 15, 16}, 20)));
        reinitSkierData(playerRider);
        ASSERT_EQ(0, loadMs3d(playerRider, dir.file("player.3d").c_str()));
        memset(&ghostRider, 0, sizeof ghostRider);
        ASSERT_EQ(0, loadMs3d(ghostRider.model, dir.file("ghost.3d").c_str()));
        ghostRider.loaded = 1;
        memset(&sample, 0, sizeof sample);
        sample.pose[rotGenouL] = 55, sample.pose[rotEpauleXL] = 20, sample.pose[rotCoudeL] = -35;
        sample.lean = 12, sample.yaw = 30;
        sample.flags = sampleContact;
    }

    void TearDown() override
    {
        reinitSkierData(playerRider);
        memset(&ghostRider, 0, sizeof ghostRider);
    }

    // The player's rider skinned in its pose (knee and elbow bent), as a run tick does.
    Skinned posePlayer()
    {
        playerPose.angles[rotGenouR] = 40, playerPose.angles[rotCoudeR] = -30;
        majRotationsBones(playerPose, playerRider);
        transformSkierEtat(playerPose, playerRider, 8, -15, 0, 1);
        return skinnedOf(playerRider, playerPose);
    }

    // The ghost posed from its sample and drawn (no context: the GL calls do nothing).
    Skinned poseGhost()
    {
        beginGhostPose(&ghostRider, sample);
        drawSkierAfterTransformEtat(ghostRider.pose, ghostRider.model, 1, 1);
        return skinnedOf(ghostRider.model, ghostRider.pose);
    }

    TempDir dir;
    RiderPose playerPose{};
    RunSample sample;
};

TEST_F(TwoRiderModels, SkinnedInTurnEachGivesWhatItGivesAlone)
{
    Skinned playerAlone = posePlayer();
    Skinned ghostAlone = poseGhost();
    ASSERT_EQ(4u, playerAlone.triangles.size());
    ASSERT_EQ(6u, ghostAlone.triangles.size());

    // Start over from blank lists and poses, then alternate.
    playerRider.nbTriangles = ghostRider.model.nbTriangles = 0;
    playerPose = RiderPose{};
    ghostRider.pose = RiderPose{};
    for (int round = 0; round < 3; round++) {
        Skinned player = posePlayer();
        expectSame(playerAlone, player, "player");
        expectSame(ghostAlone, poseGhost(), "ghost");
        // The ghost's posing and drawing left the player's model and pose as they were.
        expectSame(player, skinnedOf(playerRider, playerPose), "player after the ghost");
        EXPECT_FLOAT_EQ(40, playerPose.angles[rotGenouR]);
        EXPECT_FLOAT_EQ(0, playerPose.angles[rotGenouL]);
    }
}

TEST_F(TwoRiderModels, TheGhostsDrawingNeverFeedsThePlayersList)
{
    Skinned playerAlone = posePlayer();
    poseGhost();
    // The one-pass drawing of the player feeds the player's list only, and the ghost's stays its own.
    Skinned ghostBefore = skinnedOf(ghostRider.model, ghostRider.pose);
    drawSkier(playerPose, playerRider, 1, 8, -15, 1);
    ASSERT_EQ(playerAlone.triangles.size(), (size_t)playerRider.nbTriangles);
    for (size_t t = 0; t < playerAlone.triangles.size(); t++)
        for (int c = 0; c < 3; c++)
            for (int k = 0; k < 3; k++)
                EXPECT_NEAR(playerAlone.triangles[t].position[c][k], playerRider.triangles[t].position[c][k], 1e-3f);
    expectSame(ghostBefore, skinnedOf(ghostRider.model, ghostRider.pose), "ghost after the player's drawing");
}
