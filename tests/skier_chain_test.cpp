// The per-frame chain maps skin exactly as the joint-by-joint walk, for every joint and pose.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/graphicLib.h"
#include "skier/skierLib.h"
#include "support/modelTexts.h"
#include "support/testFiles.h"
#include "shell/playerRun.h"

namespace {

struct SkinChains : ::testing::Test {
    void SetUp() override
    {
        preCalculateTrigoTables();
        std::vector<TestVertex> vs;
        for (int joint = -1; joint < nbJointsSquelette; joint++) {
            float c[3];
            centreJoint(joint < 0 ? 0 : joint, c);
            vs.push_back({c[0] + 3, c[1] - 20, c[2] + 7, joint});
            vs.push_back({c[0] - 11, c[1] + 5, c[2] - 2, joint});
            vs.push_back({c[0] + 40, c[1] - 1, c[2] + 30, joint});
        }
        writeText(dir.file("rider.3d"), riderModelText(vs));
        reinitSkierData(playerRider);
        ASSERT_EQ(0, loadMs3d(playerRider, dir.file("rider.3d").c_str()));
    }
    TempDir dir;
};

TEST_F(SkinChains, ListMatchesTheWalkForEveryJointAndPose)
{
    unsigned seed = 7;
    for (int pose = 0; pose < 40; pose++) {
        for (int i = 0; i < nbPoseVariables; i++) {
            float* v = &playerRun.pose.angles[i];
            seed = seed * 1103515245u + 12345u;
            // whole degrees, fractions, beyond a turn and exactly 0 (the walk skips those)
            int r = (int)(seed >> 16) % 1000;
            *v = r % 5 == 0 ? 0.0f : (float)(r - 500) * (pose % 2 ? 0.73f : 1.0f);
        }
        majRotationsBones(playerRun.pose, playerRider);
        transformObj(playerRun.pose, playerRider);
        ASSERT_EQ(nbJointsSquelette + 1, playerRider.nbTriangles);
        for (int t = 0; t < playerRider.nbTriangles; t++)
            for (int c = 0; c < 3; c++) {
                const Vertex& v = playerRider.vertices[3 * t + c];
                const Normale& n = playerRider.normales[c == 1 ? 1 : 0];
                float in[3] = {v.x, v.y, v.z}, nin[3] = {n.x, n.y, n.z}, want[3], wantN[3];
                transformeBoneCoords(playerRider, in, nin, v.boneId, want, wantN);
                for (int k = 0; k < 3; k++) {
                    ASSERT_NEAR(want[k], playerRider.triangles[t].position[c][k], 2e-3f)
                        << "pose " << pose << " joint " << v.boneId << " corner " << c;
                    ASSERT_NEAR(wantN[k], playerRider.triangles[t].normale[c][k], 1e-5f) << "joint " << v.boneId;
                }
            }
    }
}

// A bone whose parent chain loops is cut after the skeleton's size in both forms.
TEST_F(SkinChains, LoopingChainIsCutLikeTheWalk)
{
    playerRider.bones[3].parent = 4;  // right hip under the right knee, whose parent is the right hip
    for (int v = 0; v < nbPoseVariables; v++) playerRun.pose.angles[v] = 25;
    majRotationsBones(playerRun.pose, playerRider);
    transformObj(playerRun.pose, playerRider);
    const int triangleOfKnee = 1 + 4;  // the first triangle is the unbound one
    const Vertex& v = playerRider.vertices[3 * triangleOfKnee];
    float in[3] = {v.x, v.y, v.z}, n[3] = {0, 0, 1}, want[3], wantN[3];
    transformeBoneCoords(playerRider, in, n, v.boneId, want, wantN);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(want[k], playerRider.triangles[triangleOfKnee].position[0][k], 2e-3f);
}

}  // namespace
