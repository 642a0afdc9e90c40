#include <gtest/gtest.h>

#include "platform/displaySize.h"
#include "render/viewFrame.h"

static void expectBox(PixelBox b, int x, int y, int w, int h)
{
    EXPECT_EQ(b.x, x);
    EXPECT_EQ(b.y, y);
    EXPECT_EQ(b.w, w);
    EXPECT_EQ(b.h, h);
}

TEST(ViewFrame, MenuBoxIsTheCentredFourThirdsBox)
{
    expectBox(fittedBox(800, 600, 800, 600), 0, 0, 800, 600);
    expectBox(fittedBox(1280, 720, 800, 600), 160, 0, 960, 720);
    expectBox(fittedBox(1366, 768, 800, 600), 171, 0, 1024, 768);
    expectBox(fittedBox(1920, 1080, 800, 600), 240, 0, 1440, 1080);
    expectBox(fittedBox(1280, 1024, 800, 600), 0, 32, 1280, 960);  // narrower: bands above and below
}

TEST(ViewFrame, OverlayIsFittedCentredAndReachesTheWindowEdges)
{
    OverlayFrame f = overlayFrameFor(800, 600);
    EXPECT_EQ(f.left, 0.0f);
    EXPECT_EQ(f.right, 640.0f);
    EXPECT_EQ(f.bottom, 0.0f);
    EXPECT_EQ(f.top, 480.0f);

    f = overlayFrameFor(1920, 1080);  // 2.25 pixels a unit, 853.3 units across
    EXPECT_NEAR(f.left, -106.67f, 0.01f);
    EXPECT_NEAR(f.right, 746.67f, 0.01f);
    EXPECT_EQ(f.bottom, 0.0f);
    EXPECT_EQ(f.top, 480.0f);

    f = overlayFrameFor(960, 720);  // the menu box of a 1280 x 720 window: exactly the 640 x 480 space
    EXPECT_NEAR(f.left, 0.0f, 1e-4f);
    EXPECT_NEAR(f.right, 640.0f, 1e-4f);

    f = overlayFrameFor(1280, 1024);
    EXPECT_EQ(f.left, 0.0f);
    EXPECT_NEAR(f.bottom, -16.0f, 1e-4f);
}

TEST(ViewFrame, ProjectionKeepsTheOldLookAtFourThirdsAndWidensBeyond)
{
    EXPECT_EQ(projectionAspectFor(800, 600), 1.0);
    EXPECT_EQ(projectionAspectFor(1024, 768), 1.0);
    EXPECT_DOUBLE_EQ(projectionAspectFor(1920, 1080), 4.0 / 3.0);
}

TEST(DisplaySize, KeepsTheWindowSizeAndRefusesAnEmptyOne)
{
    setDisplaySize(1280, 720);
    EXPECT_EQ(displayDesc().width, 1280);
    EXPECT_EQ(displayDesc().height, 720);
    EXPECT_DOUBLE_EQ(displayDesc().aspect, 1280.0 / 720.0);
    setDisplaySize(0, 720);
    EXPECT_EQ(displayDesc().width, 800);
    EXPECT_EQ(displayDesc().height, 600);
    EXPECT_DOUBLE_EQ(displayDesc().aspect, 800.0 / 600.0);
}
