#include <gtest/gtest.h>

#include <cmath>

#include "core/graphicLib.h"

TEST(Trigo, TablesRoundUpToWholeDegreesWithTheGameFactor)
{
    preCalculateTrigoTables();
    EXPECT_FLOAT_EQ(pcos(0.2f), (float)cos(1 * DEG_TO_RAD_GAME));
    EXPECT_FLOAT_EQ(psin(-0.5f), 0.0f);
    EXPECT_FLOAT_EQ(pcos(360), pcos(0));
    EXPECT_FLOAT_EQ(psin(-90.5f), (float)sin(-90 * DEG_TO_RAD_GAME));
    EXPECT_FLOAT_EQ(psin(450), psin(90));
    EXPECT_FLOAT_EQ(pcos(-359), cosTable[0]);
}

TEST(Vectors, RotationNormalizeDistanceAndLargest)
{
    ThreeDPoint p(1, 0, 0);
    applyRotationToPoint(&p, 0, 0, 90);
    EXPECT_NEAR(p.x, 0, 1e-5);
    EXPECT_NEAR(p.y, -1, 1e-5);
    ThreeDPoint q(0, 1, 0);
    applyRotationToPoint(&q, 90, 0, 0); // about X: y goes to z
    EXPECT_NEAR(q.y, 0, 1e-5);
    EXPECT_NEAR(q.z, 1, 1e-5);
    ThreeDPoint r(1, 0, 0);
    applyRotationToPoint(&r, 0, 90, 0); // about Y: x goes to -z
    EXPECT_NEAR(r.x, 0, 1e-5);
    EXPECT_NEAR(r.z, -1, 1e-5);

    float zero[3] = {0, 0, 0};
    normalize(zero);
    EXPECT_EQ(zero[0], 0);
    EXPECT_FLOAT_EQ(computeDistance(0, 0, 0, 3, 4, 12), 13);
    EXPECT_EQ(max37(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 99, 19, 20, 21, 22, 23, 24, 25, 26,
                    27, 28, 29, 30, 31, 32, 33, 34, 35, -1),
              99);
}
