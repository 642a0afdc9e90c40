#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "support/testFiles.h"
#include "shell/playerRun.h"

static void zero(float* pose)
{
    for (int i = 0; i < nbJointsPose; i++) pose[i] = 0;
}

TEST(SkierPoseBlend, JointsTurnAtOneRateAndStopAtTheLastWholeStep)
{
    float a[37], b[37];
    zero(a);
    zero(b);
    a[0] = 10;
    b[0] = 70;   // 60 degrees: 12 steps
    b[5] = 7;    // 1 step
    b[9] = 58;   // 11 steps, 3 short
    a[20] = 20;  // downwards
    b[20] = -10;
    animPosition(playerRun.pose, a, b, 100, 5);
    EXPECT_FLOAT_EQ(70, playerRun.pose.angles[rotHancheXR]);
    EXPECT_FLOAT_EQ(5, playerRun.pose.angles[rotChevilleYR]);
    EXPECT_FLOAT_EQ(55, playerRun.pose.angles[rotHancheZL]);
    EXPECT_FLOAT_EQ(-10, playerRun.pose.angles[rotEpauleXR]);
    EXPECT_FLOAT_EQ(0, playerRun.pose.angles[rotHeadZ]);

    animPosition(playerRun.pose, a, b, 150, 5);
    EXPECT_FLOAT_EQ(70, playerRun.pose.angles[rotHancheXR]);
    animPosition(playerRun.pose, a, b, -10, 5);
    EXPECT_FLOAT_EQ(10, playerRun.pose.angles[rotHancheXR]);
    EXPECT_FLOAT_EQ(0, playerRun.pose.angles[rotHancheZL]);
    EXPECT_FLOAT_EQ(20, playerRun.pose.angles[rotEpauleXR]);
}

TEST(SkierPoseBlend, PercentIsTheShareOfTheLongestJointsSteps)
{
    float a[37], b[37];
    zero(a);
    zero(b);
    b[3] = 100;  // 20 steps: 10 at half way
    b[10] = 30;  // 6 steps, finished by then
    b[36] = -33;
    animPosition(playerRun.pose, a, b, 50, 5);
    EXPECT_FLOAT_EQ(50, playerRun.pose.angles[rotGenouR]);
    EXPECT_FLOAT_EQ(30, playerRun.pose.angles[rotGenouL]);
    EXPECT_FLOAT_EQ(-30, playerRun.pose.angles[rotHeadZ]);
    animPosition(playerRun.pose, a, b, 49.9f, 5);  // 20 x 49 / 100 = 9 steps
    EXPECT_FLOAT_EQ(45, playerRun.pose.angles[rotGenouR]);
    animPosition(playerRun.pose, a, b, 50, 10);    // 10 steps of 10, 5 taken
    EXPECT_FLOAT_EQ(50, playerRun.pose.angles[rotGenouR]);
    EXPECT_FLOAT_EQ(30, playerRun.pose.angles[rotGenouL]);
    animPosition(playerRun.pose, a, b, 100, 0);    // a step below one degree counts as one
    EXPECT_FLOAT_EQ(100, playerRun.pose.angles[rotGenouR]);
}

TEST(SkierPoseBlend, FromTheCurrentPoseSettlesNearTheTarget)
{
    float target[37];
    changePosition(playerRun.pose, builtInPoses.reposPosition);
    changePositionDbl(target, builtInPoses.normalCrouchPosition);
    for (int frame = 0; frame < 40; frame++) animPositionActu(playerRun.pose, target, 10 + frame * 5.0f);
    float now[37];
    lirePoseCourante(playerRun.pose, now);
    for (int i = 0; i < nbJointsPose; i++) EXPECT_NEAR(target[i], now[i], 5.0f) << i;
    EXPECT_NE(builtInPoses.reposPosition[0], now[0]);

    // The current pose may be handed in as the start.
    float* self = playerRun.pose.figureAerialCourante;
    lirePoseCourante(playerRun.pose, self);
    animPosition(playerRun.pose, self, builtInPoses.normalPosition, 100);
    EXPECT_NEAR(builtInPoses.normalPosition[3], playerRun.pose.angles[rotGenouR], 5.0f);
}

static std::string positionText(const char* name, const char* boutons, float first)
{
    std::string s = std::string(name) + "\n" + boutons + "\n";
    for (int i = 0; i < nbJointsPose; i++) s += std::to_string(first + i) + (i % 7 == 6 ? "\n" : " ");
    return s;
}

TEST(SkierPositionFiles, ScoresSlotsAndContiguousNumbering)
{
    TempDir dir;
    std::string d = dir.path() + "/";
    writeText(d + "0", positionText("daffy", "1 3 -1 -1 -1 -1", 0));
    writeText(d + "1", positionText("mute", "0 -1 -1 -1 -1 -1", 10.5f));
    writeText(d + "3", positionText("lost", "0 1 2 3 4 5", 0));
    loadPositions(d.c_str());
    SkiPosition* p = getPositionsDispo();
    EXPECT_STREQ("daffy", p[0].name);
    EXPECT_EQ(4000, p[0].score);
    EXPECT_EQ(3, p[0].boutons[1]);
    EXPECT_EQ(-1, p[0].boutons[2]);
    EXPECT_EQ(0, p[1].score);
    EXPECT_FLOAT_EQ(46.5f, p[1].position[36]);
    EXPECT_EQ(2, numberOfPositionsInDir(d.c_str()));
    for (int slot : {2, 3, 63})
        for (int b = 0; b < nbBoutonsPosition; b++) EXPECT_EQ(-2, p[slot].boutons[b]) << slot;

    SkiPosition all;
    writeText(d + "all", positionText("all", "0 1 2 3 4 5", 0));
    ASSERT_EQ(0, importPosition((d + "all").c_str(), &all));
    EXPECT_EQ(10000, all.score);
}

TEST(SkierPositionFiles, PoseRoundTripAndRefusedFiles)
{
    TempDir dir;
    std::string d = dir.path() + "/";
    // The current pose written as a position file comes back unchanged.
    changePosition(playerRun.pose, builtInPoses.virGauchePosition);
    float written[37];
    lirePoseCourante(playerRun.pose, written);
    std::string text = "carve 2 -1 -1 -1 -1 -1";
    for (float v : written) text += " " + std::to_string(v);
    writeText(d + "0", text);
    // A file cut short is refused and its slot stays empty.
    writeText(d + "1", positionText("cut", "1 2 -1 -1 -1 -1", 0).substr(0, 40));
    testing::internal::CaptureStderr();
    loadPositions(d.c_str());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find(d + "1")) << err;
    SkiPosition* p = getPositionsDispo();
    EXPECT_EQ(2000, p[0].score);
    changePosition(playerRun.pose, builtInPoses.reposPosition);
    changePosition(playerRun.pose, p[0].position);
    float back[37];
    lirePoseCourante(playerRun.pose, back);
    for (int i = 0; i < nbJointsPose; i++) EXPECT_FLOAT_EQ(builtInPoses.virGauchePosition[i], back[i]) << i;
    EXPECT_EQ(-2, p[1].boutons[0]);

    SkiPosition kept = p[0];
    testing::internal::CaptureStderr();
    EXPECT_EQ(1, importPosition((d + "absent").c_str(), &kept));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("Can't open the trick pose"));
    EXPECT_STREQ("carve", kept.name);

    // Button codes that are no trick button are refused (one once overflowed the score).
    for (const char* buttons : {"1 -50077731 -1 -1 -1 -1", "0 6 -1 -1 -1 -1", "-2 -1 -1 -1 -1 -1"}) {
        writeText(d + "odd", positionText("odd", buttons, 0));
        testing::internal::CaptureStderr();
        EXPECT_EQ(1, importPosition((d + "odd").c_str(), &kept)) << buttons;
        testing::internal::GetCapturedStderr();
        EXPECT_STREQ("carve", kept.name);
    }
}
