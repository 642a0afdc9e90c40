#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/graphicLib.h"
#include "render/skierDraw.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "skier/skierLib.h"
#include "support/modelTexts.h"
#include "support/testFiles.h"
#include "track/planLib.h"

static const float pelvis[3] = {0.177f, -69.399f, -34.972f};
static const float rightKnee[3] = {-14.314f, -125.027f, -34.054f};
static const float rightAnkle[3] = {-15.6f, -177.742f, -33.145f};
static const float rightElbow[3] = {-65.171f, -8.742f, -35.154f};

class SkierSkinning : public testing::Test {
protected:
    void SetUp() override
    {
        preCalculateTrigoTables();
        for (int v = 0; v < nbPoseVariables; v++) playerRun.pose.angles[v] = 0;
        playerRun.pose.angles[rotBassinX] = playerRun.pose.angles[rotBassinY] = playerRun.pose.angles[rotBassinZ] = 0;
        // One triangle per joint of interest, each corner 10 below its joint's centre.
        std::vector<TestVertex> vs;
        for (int joint : {3, 4, 7, 8, 19, 0}) {
            float c[3];
            centreJoint(joint, c);
            if (joint == 8) centreJoint(7, c);
            for (int k = 0; k < 3; k++) vs.push_back({c[0], c[1] - 10, c[2], joint});
        }
        writeText(dir.file("rider.3d"), riderModelText(vs));
        reinitSkierData(playerRider);
        ASSERT_EQ(0, loadMs3d(playerRider, dir.file("rider.3d").c_str()));
    }

    // Skinned position of the first corner of the triangle bound to joint (list order above).
    const float* corner(int triangle)
    {
        majRotationsBones(playerRun.pose, playerRider);
        transformObj(playerRun.pose, playerRider);
        return playerRider.triangles[triangle].position[0];
    }

    TempDir dir;
};

static void expectNear(const float* expected, const float* actual, float tolerance = 0.02f)
{
    for (int k = 0; k < 3; k++) EXPECT_NEAR(expected[k], actual[k], tolerance) << "coordinate " << k;
}

TEST_F(SkierSkinning, RestPoseIsPositionMinusPelvisCentre)
{
    const float* p = corner(0);
    ASSERT_EQ(6, playerRider.nbTriangles);
    for (int t = 0; t < playerRider.nbTriangles; t++) {
        int joint = playerRider.vertices[3 * t].boneId;
        const Vertex& v = playerRider.vertices[3 * t];
        float expected[3] = {v.x - pelvis[0], v.y - pelvis[1], v.z - pelvis[2]};
        expectNear(expected, playerRider.triangles[t].position[0], 1e-3f);
        EXPECT_FLOAT_EQ(0, playerRider.triangles[t].normale[0][0]) << joint;
        EXPECT_FLOAT_EQ(1, playerRider.triangles[t].normale[0][2]) << joint;
        EXPECT_FLOAT_EQ(0.25f * (3 * t + 1), playerRider.triangles[t].uv[1][0]);
        EXPECT_EQ(0, playerRider.triangles[t].groupIndex);
    }
    EXPECT_NE(nullptr, p);
}

TEST_F(SkierSkinning, KneeTurnsTheShinAboutTheKneeOnly)
{
    setRotGenouR(playerRun.pose, 0);
    plusRotGenouR(playerRun.pose, 90);
    const float* knee = corner(1);
    // (0, -10, 0) about the knee turns to (0, 0, -10) about x.
    float expected[3] = {rightKnee[0] - pelvis[0], rightKnee[1] - pelvis[1], rightKnee[2] - 10 - pelvis[2]};
    expectNear(expected, knee);
    // The normal (0 0 1) turns with it, without translation.
    EXPECT_NEAR(-1, playerRider.triangles[1].normale[0][1], 1e-3f);

    // The ankle hangs below the knee: 52.7 below it, it swings forward-up to z = knee - 62.7.
    const float* ankle = playerRider.triangles[2].position[0];
    EXPECT_NEAR(rightKnee[1] - pelvis[1] - (rightAnkle[2] - rightKnee[2]), ankle[1], 0.05f);
    EXPECT_NEAR(rightKnee[2] - (rightKnee[1] - rightAnkle[1] + 10) - pelvis[2], ankle[2], 0.05f);

    // The hip's own vertices and the other side do not move.
    const float* hip = playerRider.triangles[0].position[0];
    EXPECT_NEAR(-14.314f - pelvis[0], hip[0], 1e-3f);
    EXPECT_NEAR(-10 + (-69.027f) - pelvis[1], hip[1], 1e-3f);
}

TEST_F(SkierSkinning, ElbowTurnsForearmAboutYAndFootFollowsAnkle)
{
    playerRun.pose.angles[rotCoudeR] = 90;
    playerRun.pose.angles[rotChevilleXR] = -90;
    corner(0);
    // Elbow vertex (0,-10,0) about y is unchanged: y is the axis.
    const float* forearm = playerRider.triangles[4].position[0];
    EXPECT_NEAR(rightElbow[1] - 10 - pelvis[1], forearm[1], 1e-3f);
    EXPECT_FLOAT_EQ(90, playerRider.bones[19].rotation[1]);
    EXPECT_FLOAT_EQ(0, playerRider.bones[19].rotation[0]);
    EXPECT_FLOAT_EQ(-90, playerRider.bones[7].rotation[0]);
    // Foot (joint 8, no centre of its own) turns about the ankle centre: (0,-10,0) -> (0,0,10).
    const float* foot = playerRider.triangles[3].position[0];
    float expected[3] = {rightAnkle[0] - pelvis[0], rightAnkle[1] - pelvis[1], rightAnkle[2] + 10 - pelvis[2]};
    expectNear(expected, foot);
    // Pelvis-bound vertices never move with the pose.
    EXPECT_NEAR(-10, playerRider.triangles[5].position[0][1], 1e-3f);
}

TEST(SkierSupport, AnkleChosenByHeadingAndFakie)
{
    EXPECT_EQ(jointChevilleDroite, chevilleSupport(0, 0));
    EXPECT_EQ(jointChevilleDroite, chevilleSupport(1, 0));
    EXPECT_EQ(jointChevilleGauche, chevilleSupport(0, 10));
    EXPECT_EQ(jointChevilleDroite, chevilleSupport(1, 10));
    EXPECT_EQ(jointChevilleDroite, chevilleSupport(0, -10));
    EXPECT_EQ(jointChevilleGauche, chevilleSupport(1, -10));
}

TEST_F(SkierSkinning, SkiEndsAndSupportingAnkleUnderRestPose)
{
    transformSkierEtat(playerRun.pose, playerRider, 0, 0, 0, 1);
    // The right ankle stands on the snow: its skinned height is -108.343.
    EXPECT_NEAR(108.343f, playerRun.pose.transTotalSkier, 1e-3f);
    // Left nose: skinned (39.929, -115.118, 122.672), raised by 126.343, quarter turn about y.
    const float nose[3] = {122.672f, 11.225f, -39.929f};
    expectNear(nose, getOutNoseSkiGauchePos(playerRun.pose), 0.01f);
    const float tail[3] = {-112.328f, 11.225f, -39.929f};
    expectNear(tail, getOutTailSkiGauchePos(playerRun.pose), 0.01f);
    EXPECT_NEAR(9.225f, getOutNoseSkiDroitPos(playerRun.pose)[1], 0.01f);

    // A left knee at 90 degrees carries the left ski through the knee; the right one stays.
    playerRun.pose.angles[rotGenouL] = 90;
    majRotationsBones(playerRun.pose, playerRider);
    transformSkierEtat(playerRun.pose, playerRider, 0, 0, 0, 1);
    EXPECT_NEAR(108.343f, playerRun.pose.transTotalSkier, 1e-3f);
    const float kneeY = -124.742f, kneeZ = -35.054f;
    const double r = 90 * DEG_TO_RAD_GAME;
    float noseY = kneeY + (float)((-184.517 - kneeY) * cos(r) - (87.7 - kneeZ) * sin(r)) - pelvis[1];
    EXPECT_NEAR(noseY + 108.343f + 18, getOutNoseSkiGauchePos(playerRun.pose)[1], 0.01f);
    EXPECT_NEAR(9.225f, getOutNoseSkiDroitPos(playerRun.pose)[1], 0.01f);
    // Heading 10 moves the support to the bent left leg.
    transformSkierEtat(playerRun.pose, playerRider, 0, 10, 0, 1);
    float ankleY = kneeY + (float)((-176.456 - kneeY) * cos(r) - (-34.963 - kneeZ) * sin(r)) - pelvis[1];
    EXPECT_NEAR(-ankleY, playerRun.pose.transTotalSkier, 1e-3f);
}

TEST_F(SkierSkinning, RollKeptInTheAirAndHeadingTurnsSkis)
{
    transformSkierEtat(playerRun.pose, playerRider, 10, 0, 0, 1);
    EXPECT_FLOAT_EQ(-10, playerRun.pose.angleZTemp);
    transformSkierEtat(playerRun.pose, playerRider, 25, 0, 0, 0);
    EXPECT_FLOAT_EQ(-10, playerRun.pose.angleZTemp);
    transformSkierEtat(playerRun.pose, playerRider, 10, 0, 1, 1);
    EXPECT_FLOAT_EQ(10, playerRun.pose.angleZTemp);

    // Heading h turns the skis by +h in the air, -h on the ground, 180 - h on the ground in fakie.
    transformSkierEtat(playerRun.pose, playerRider, 0, 0, 0, 1);
    const ThreeDPoint rest(getOutNoseSkiGauchePos(playerRun.pose));
    ThreeDPoint turned = rest;
    applyRotationToPoint(&turned, 0, -90, 0);
    float expected[3];
    turned.toVec(expected);
    transformSkierEtat(playerRun.pose, playerRider, 0, -90, 0, 0);
    expectNear(expected, getOutNoseSkiGauchePos(playerRun.pose), 0.05f);
    // Heading 90 on the ground stands on the left ankle, 1.286 higher in the model.
    transformSkierEtat(playerRun.pose, playerRider, 0, 90, 0, 1);
    expected[1] -= 1.286f;
    expectNear(expected, getOutNoseSkiGauchePos(playerRun.pose), 0.05f);
    turned = rest;
    applyRotationToPoint(&turned, 0, 90, 0);
    turned.toVec(expected);
    transformSkierEtat(playerRun.pose, playerRider, 0, 90, 1, 1);
    expectNear(expected, getOutNoseSkiGauchePos(playerRun.pose), 0.05f);
    EXPECT_GT(fabsf(expected[2] - rest.z), 50);  // the turn is not a no-op
}

TEST_F(SkierSkinning, RunFlagsDriveTransformSkier)
{
    playerRun.phases.fakie = 1;
    setContact(playerRun, 1);
    transformSkier(playerRun, playerRider, 12, 0);
    EXPECT_FLOAT_EQ(12, playerRun.pose.angleZTemp);
    playerRun.phases.fakie = 0;
    transformSkier(playerRun, playerRider, 12, 0);
    EXPECT_FLOAT_EQ(-12, playerRun.pose.angleZTemp);
    setContact(playerRun, 0);
    transformSkier(playerRun, playerRider, 30, 0);
    EXPECT_FLOAT_EQ(-12, playerRun.pose.angleZTemp);
}

TEST(SkierPoseVariables, VectorOrderAndAccessors)
{
    EXPECT_EQ(0, rotHancheXR);
    EXPECT_EQ(3, rotGenouR);
    EXPECT_EQ(7, rotHancheXL);
    EXPECT_EQ(14, rotBaseColonneX);
    EXPECT_EQ(20, rotEpauleXR);
    EXPECT_EQ(30, rotCoudeL);
    EXPECT_EQ(36, rotHeadZ);
    setRotEpauleXR(playerRun.pose, 10);
    plusRotEpauleXR(playerRun.pose, 5);
    moinsRotEpauleXR(playerRun.pose, 2);
    EXPECT_FLOAT_EQ(13, getRotEpauleXR(playerRun.pose));
    changeRotHeadX(playerRun.pose, -4);
    EXPECT_FLOAT_EQ(-4, playerRun.pose.angles[rotHeadX]);
    changeRotBassinY(playerRun.pose, 7);
    EXPECT_FLOAT_EQ(7, playerRun.pose.angles[rotBassinY]);
    playerRun.pose.angles[rotBassinY] = 0;
    float v[3];
    getVectorBassinSkier(v);
    EXPECT_FLOAT_EQ(1, v[1]);
    getVectorFrontSkier(v);
    EXPECT_FLOAT_EQ(1, v[0]);
}

TEST_F(SkierSkinning, AnglesWrapLikeTheTableAndBrokenOnesAreHarmless)
{
    playerRun.pose.angles[rotGenouR] = 90;
    float quarter[3];
    memcpy(quarter, corner(1), sizeof quarter);
    for (float same : {450.0f, 89.4f, 810.0f}) {
        playerRun.pose.angles[rotGenouR] = same;
        expectNear(quarter, corner(1), 1e-3f);
    }
    playerRun.pose.angles[rotGenouR] = 0;
    float rest[3];
    memcpy(rest, corner(1), sizeof rest);
    playerRun.pose.angles[rotGenouR] = NAN;
    expectNear(rest, corner(1), 1e-3f);
    playerRun.pose.angles[rotGenouR] = 1e30f;
    const float* far = corner(1);
    for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(far[k]));
}

// The rider screen's one-pass path skins like the run's; its GL calls do nothing without a context.
TEST_F(SkierSkinning, OnePassDrawingFeedsTheSameListAndSkiEnds)
{
    playerRun.pose.angles[rotGenouR] = 40;
    playerRun.pose.angles[rotCoudeR] = -30;
    playerRun.phases.fakie = 0;
    setContact(playerRun, 1);
    majRotationsBones(playerRun.pose, playerRider);
    transformSkierEtat(playerRun.pose, playerRider, 0, 0, 0, 1);
    TriangleToDraw runList[6];
    memcpy(runList, playerRider.triangles, sizeof runList);
    float nose[3], tail[3];
    memcpy(nose, getOutNoseSkiDroitPos(playerRun.pose), sizeof nose);
    memcpy(tail, getOutTailSkiGauchePos(playerRun.pose), sizeof tail);

    memset(playerRider.triangles, 0, sizeof runList);
    playerRider.nbTriangles = 0;
    drawSkier(playerRun.pose, playerRider, 1, 0, 0, 1);
    EXPECT_EQ(6, playerRider.nbTriangles);
    for (int t = 0; t < 6; t++)
        for (int c = 0; c < 3; c++) expectNear(runList[t].position[c], playerRider.triangles[t].position[c], 1e-4f);
    expectNear(nose, getOutNoseSkiDroitPos(playerRun.pose), 0.01f);
    expectNear(tail, getOutTailSkiGauchePos(playerRun.pose), 0.01f);

    // Without feeding, the list keeps what the run built.
    playerRider.triangles[0].position[0][0] = 1234;
    drawSkier(playerRun.pose, playerRider, 0, 5, 0, 0);
    EXPECT_FLOAT_EQ(1234, playerRider.triangles[0].position[0][0]);
    EXPECT_FLOAT_EQ(-5, playerRun.pose.angleZTemp);
}
