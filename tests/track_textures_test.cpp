// Releasing the track's surface textures stays within the names loaded and within the table.
#include <gtest/gtest.h>

#include "render/graphImage.h"
#include "track/planLib.h"

TEST(TrackTextures, ReleasesOnlyTheLoadedNames)
{
    unsigned int names[maxTrackTextures + 1];
    for (unsigned int i = 0; i <= maxTrackTextures; i++) names[i] = 100 + i;
    setNbTrackTextures(3);
    libereTexturesTrack(names);
    EXPECT_EQ(names[0], 0u);
    EXPECT_EQ(names[2], 0u);
    EXPECT_EQ(names[3], 103u);
    setNbTrackTextures(-1);  // the texture directory could not be listed
    libereTexturesTrack(names);
    EXPECT_EQ(names[3], 103u);
    setNbTrackTextures(maxTrackTextures + 5);
    libereTexturesTrack(names);
    EXPECT_EQ(names[maxTrackTextures - 1], 0u);
    EXPECT_EQ(names[maxTrackTextures], 100u + maxTrackTextures);
    setNbTrackTextures(0);
}
