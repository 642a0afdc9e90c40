// Track models side by side: a load, a restore and a bomb's kicker change only the model they are given.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "fileio/swapthings.h"
#include "support/planeTrack.h"
#include "support/testFiles.h"
#include "support/trackFiles.h"
#include "run/runState.h"
#include "track/planLib.h"
#include "track/surfaceTextures.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

// The builder's sections: 5 holds the bombs, 10 the vertices (x, y, z each).
const int bombsSection = 5;
const int verticesSection = 10;
const float otherFirstHeight = 777.0f;

// A model has no padding: equal bytes are equal tracks.
bool sameTrack(const TrackModel& a, const TrackModel& b) { return memcmp(&a, &b, sizeof(TrackModel)) == 0; }

struct TrackModels : ::testing::Test {
    TempDir dir;
    std::string planePath = dir.file("plane.btrk");
    std::string otherPath = dir.file("other.btrk");
    std::unique_ptr<TrackModel> shown;  // what the game's track held before

    void SetUp() override
    {
        storeByteOrder(0);
        TrackFileBuilder plane = planeTrackFileBuilder(2);
        TrackFileBuilder other = plane;
        other.title = "Other_Track";
        other.sections[bombsSection][0].i = 9;
        other.sections[verticesSection][1].f = otherFirstHeight;
        writeBytes(planePath, plane.binary());
        writeBytes(otherPath, other.binary());
        shown = std::make_unique<TrackModel>(loadedTrack);
    }
};

TEST_F(TrackModels, EachLoadFillsOnlyTheModelItIsGiven)
{
    auto first = std::make_unique<TrackModel>();
    auto second = std::make_unique<TrackModel>();
    ASSERT_EQ(importTrackFromBinaryFile(*first, planePath.c_str()), trackLoadOk);
    auto firstLoaded = std::make_unique<TrackModel>(*first);
    ASSERT_EQ(importTrackFromBinaryFile(*second, otherPath.c_str()), trackLoadOk);

    EXPECT_TRUE(sameTrack(*first, *firstLoaded)) << "the second load wrote into the first model";
    EXPECT_STREQ(first->nomPiste, "Plane_Track");
    EXPECT_STREQ(second->nomPiste, "Other_Track");
    EXPECT_EQ(first->bombsQty, 4);
    EXPECT_EQ(second->bombsQty, 9);
    EXPECT_NE(first->points[0][1], otherFirstHeight);
    EXPECT_EQ(second->points[0][1], otherFirstHeight);
    EXPECT_TRUE(sameTrack(loadedTrack, *shown)) << "a load into another model changed the game's track";

    // A refused file leaves its model as it was; the restore then gives back the last file accepted.
    writeBytes(dir.file("cut.btrk"), std::vector<unsigned char>(300, 0));
    EXPECT_EQ(importTrackFromBinaryFile(*first, dir.file("cut.btrk").c_str()), trackLoadCorrupt);
    EXPECT_TRUE(sameTrack(*first, *firstLoaded));
    EXPECT_EQ(restoreLoadedTrack(*first), 0) << "the refusal forgot the last file";
    ASSERT_EQ(importTrackFromBinaryFile(*second, otherPath.c_str()), trackLoadOk);
    auto restored = std::make_unique<TrackModel>();
    ASSERT_EQ(restoreLoadedTrack(*restored), 1);
    EXPECT_TRUE(sameTrack(*restored, *second));
    EXPECT_TRUE(sameTrack(*first, *firstLoaded));
    EXPECT_TRUE(sameTrack(loadedTrack, *shown));
}

TEST_F(TrackModels, ABombRaisesTheGroundOfTheModelItIsGivenOnly)
{
    buildPlaneTrack(true);
    for (TexData& t : loadedTrack.textures) t.texIndex = texPacked;
    auto bombed = std::make_unique<TrackModel>(loadedTrack);
    auto before = std::make_unique<TrackModel>(loadedTrack);
    const int f = 10 * facesParRangee + 70, g = f + 4 * facesParRangee;
    setNbTrackTextures(trackSurfacePictures);
    GroundContact under;
    under.numeroFaceCourante = f;
    int raised = addJumpTwdIntrack(under, *bombed, 0);
    setNbTrackTextures(0);

    ASSERT_EQ(raised, (int)bombed->faces[g][0]);
    EXPECT_FLOAT_EQ(bombed->points[raised][1], before->points[raised][1] + 1000);
    EXPECT_EQ(bombed->textures[g].texIndex, texBombRamp);
    EXPECT_TRUE(sameTrack(loadedTrack, *before)) << "the bomb raised the game's track";
    for (TexData& t : loadedTrack.textures) t.texIndex = 0;
}

}  // namespace
