#include <gtest/gtest.h>

#include <cmath>

#include "run/runState.h"
#include "support/planeTrack.h"
#include "track/planLib.h"
#include "track/surfaceTextures.h"
#include "track/trackModel.h"

static int faceAt(float x, float z)
{
    const TrackModel& track = loadedTrack;
    return findCurrentFace(track.points, track.faces, x, z, maxTrackFaces);
}

TEST(TrackPlanLib, CellBoundariesFollowTheTruncatedCoordinate)
{
    buildPlaneTrack(false);
    EXPECT_EQ(faceAt(3368.0f, 500), 70 + 144);
    EXPECT_EQ(faceAt(3368.5f, 500), 70 + 144);
    EXPECT_EQ(faceAt(3369.0f, 500), 70 + 288);
    EXPECT_EQ(faceAt(2000, 0), 70 + 144);
    EXPECT_EQ(faceAt(2000, -0.99f), 70 + 144);
    EXPECT_EQ(faceAt(2000, -1.0f), 72 + 144);
    EXPECT_EQ(faceAt(2000, 1123.5f), 70 + 144);
    EXPECT_EQ(faceAt(2000, 1124.0f), 68 + 144);
}

TEST(TrackPlanLib, PositionsOffTheGridAreClampedOntoIt)
{
    RunState rider;  // the run the placing queries leave their ground contact in
    const TrackModel& track = loadedTrack;
    buildPlaneTrack(false);
    const float xs[] = {-5000, 0, 0.5f, 336800, 400000, NAN};
    const float zs[] = {-60000, -40428, 0, 40428, 60000, NAN};
    for (float x : xs)
        for (float z : zs) {
            int f = faceAt(x, z);
            EXPECT_GE(f, 0);
            EXPECT_LE(f, maxTrackFaces - 2);
            EXPECT_EQ(f % 2, 0);
            yTheoObjSettingFaceNumber(rider.rider.ground, track.points, track.faces, x, z, maxTrackFaces, 1);
            EXPECT_GE(getNumeroFaceCourante(rider), 0);
            EXPECT_LE(getNumeroFaceCourante(rider), maxTrackFaces - 1);
        }
    EXPECT_EQ(faceAt(400000, 500), 199 * 144 + 70);
}

TEST(TrackPlanLib, TriangleChoiceAndHeightsOnAPlane)
{
    RunState rider;  // the run the placing queries leave their ground contact in
    const TrackModel& track = loadedTrack;
    buildPlaneTrack(false);
    // Cell 35 of row 2: x 3368..5052, z 0..1123; its diagonal runs from (5052, 0) up to (3368, 1123).
    yTheoObjSettingFaceNumber(rider.rider.ground, track.points, track.faces, 3400, 1000, maxTrackFaces, 1);
    EXPECT_EQ(getNumeroFaceCourante(rider), 288 + 70);
    yTheoObjSettingFaceNumber(rider.rider.ground, track.points, track.faces, 5000, 100, maxTrackFaces, 1);
    EXPECT_EQ(getNumeroFaceCourante(rider), 288 + 71);
    // exactly on the diagonal stays on the first triangle
    yTheoObjSettingFaceNumber(rider.rider.ground, track.points, track.faces, 4210, 561.5f, maxTrackFaces, 1);
    EXPECT_EQ(getNumeroFaceCourante(rider), 288 + 70);
    const float pos[][2] = {{3400, 1000}, {5000, 100}, {100000, -20000.5f}, {250000.25f, 33000}};
    for (auto& p : pos)
        EXPECT_NEAR(yTheoObj(track.points, track.faces, p[0], p[1], maxTrackFaces), planeTrackHeight(p[0], p[1]), 0.5f);
}

TEST(TrackPlanLib, SlopeSignAndNormals)
{
    RunState rider;  // the run the placing queries leave their ground contact in
    const TrackModel& track = loadedTrack;
    buildPlaneTrack(false);
    float n[3];
    float down = placeObjetAndGetAngle(rider.rider.ground, track.points, track.faces, 10000, 200, maxTrackFaces, 0, n);
    EXPECT_NEAR(down, std::atan(-0.3f) * 57.29f, 0.05f);
    EXPECT_EQ(getContact(rider), 1);
    EXPECT_NEAR(getYobjetCour(rider), planeTrackHeight(10000, 200), 0.5f);
    EXPECT_GT(n[1], 0.9f);
    EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f, 1e-4f);
    // across the slope towards +Z the ground rises
    EXPECT_GT(placeObjetAndGetAngle(rider.rider.ground, track.points, track.faces, 10000, 200, maxTrackFaces, 80, n), 0);
    buildPlaneTrack(true);
    const float headings[] = {0, 45, -60, 170};
    for (float h : headings) EXPECT_NEAR(placeObjetAndGetAngle(rider.rider.ground, track.points, track.faces, 10000, 200, maxTrackFaces, h, n), 0, 1e-4f);
}

TEST(TrackPlanLib, KickerIsRaisedAheadOfTheHeading)
{
    RunState rider;  // the run the placing queries leave their ground contact in
    TrackModel& track = loadedTrack;
    const int f = 10 * 144 + 70;
    const struct { float angle; int offset; } cases[] = {{0, 576}, {85, -8}, {-85, 8}, {100, 576}, {20, 3 * 144 - 2}};
    for (auto& c : cases) {
        buildPlaneTrack(true);
        setNumeroFaceCourante(rider, f);
        int g = f + c.offset;
        int v = addJumpTwdIntrack(rider.rider.ground, track, c.angle);
        EXPECT_EQ(v, (int)track.faces[g][0]) << c.angle;
        EXPECT_FLOAT_EQ(track.points[track.faces[g][0]][1], 1100);
        EXPECT_FLOAT_EQ(track.points[track.faces[g][1]][1], 600);
        EXPECT_FLOAT_EQ(track.points[track.faces[g][2]][1], 1100);
    }
    buildPlaneTrack(true);
    setNumeroFaceCourante(rider, 197 * 144 + 70);
    EXPECT_EQ(addJumpTwdIntrack(rider.rider.ground, track, 0), -1);
    for (int i = 0; i < maxTrackVertices; i++) ASSERT_FLOAT_EQ(track.points[i][1], 100);
}

// The raised cell takes the bomb ramp picture; a track of the six older pictures keeps its own.
TEST(TrackPlanLib, BombRampCellShowsItsPictureWhenTheTrackHasOne)
{
    RunState rider;  // the run the placing queries leave their ground contact in
    TrackModel& track = loadedTrack;
    const int f = 10 * 144 + 70, g = f + 576;
    for (int pictures : {trackSurfacePictures, 6}) {
        buildPlaneTrack(true);
        for (TexData& t : track.textures) t.texIndex = texPacked;
        setNbTrackTextures(pictures);
        setNumeroFaceCourante(rider, f);
        ASSERT_GE(addJumpTwdIntrack(rider.rider.ground, track, 0), 0);
        int expected = pictures > texBombRamp ? texBombRamp : texPacked;
        EXPECT_EQ(track.textures[g].texIndex, expected) << pictures;
        EXPECT_EQ(track.textures[g + 1].texIndex, expected) << "the other triangle of the cell";
        EXPECT_EQ(track.textures[g - 1].texIndex, texPacked) << "the cell beside";
        EXPECT_EQ(track.textures[f].texIndex, texPacked) << "the rider's own cell";
    }
    for (TexData& t : track.textures) t.texIndex = 0;
    setNbTrackTextures(0);
}

TEST(TrackModel, RescuePointChoice)
{
    TrackModel& track = loadedTrack;
    track.initReplaceSkier();
    EXPECT_EQ(track.findFirstReplace(7000, 0, 0), -1);
    const float xs[] = {1000, 5000, 9000};
    for (int i = 0; i < 3; i++) {
        track.replaceSkier[i][0] = xs[i];
        track.replaceSkier[i][1] = 10;
        track.replaceSkier[i][2] = 20;
    }
    EXPECT_EQ(track.findFirstReplace(7000, 10, 20), 1);
    EXPECT_EQ(track.findFirstReplace(20000, 10, 20), 2);
    // above every point, just past the start: the first point, not the last one by the finish
    EXPECT_EQ(track.findFirstReplace(500, 10, 20), 0);
    for (int i = 0; i < maxReplacePoints; i++) track.replaceSkier[i][0] = 1000.0f + i;
    EXPECT_EQ(track.findFirstReplace(500, 10, 20), 0);
    track.initReplaceSkier();
}
