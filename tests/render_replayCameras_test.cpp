// The replay's far, trackside and free cameras on a plane track: each keeps its eye inside the world
// (over the grid, above the snow, under the sky), the trackside camera stands still while the rider
// passes it and hands him on to the next, the free camera goes where its keys say, and a view's
// terrain rows cover what it looks at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/replayCameras.h"
#include "support/planeTrack.h"
#include "track/planLib.h"
#include "track/trackModel.h"

namespace {
    const TrackModel& track = loadedTrack;

float groundAt(float x, float z) { return yTheoObj(track.points, track.faces, x, z, (float)maxTrackFaces); }

void expectInWorld(const float eye[3], const char* where)
{
    const float lastX = (float)longueurPisteEnFaces * longueurFace, halfZ = (float)(largeurPisteEnFaces / 2) * largeurFace;
    EXPECT_GT(eye[0], 0) << where;
    EXPECT_LT(eye[0], lastX) << where;
    EXPECT_LT(std::fabs(eye[2]), halfZ) << where;
    float over = eye[1] - groundAt(eye[0], eye[2]);
    EXPECT_GE(over, worldEyeClearance - 0.5f) << where;
    EXPECT_LE(over, worldEyeHighest + 0.5f) << where;
}

// A straight recorded path down the track at z, one sample every 500 units.
RunRecording straightPath(float z)
{
    RunRecording rec;
    for (float x = 1000; x < 300000; x += 500) {
        RunSample s{};
        s.pos[0] = x, s.pos[1] = planeTrackHeight(x, z), s.pos[2] = z;
        rec.samples.push_back(s);
    }
    return rec;
}

class RenderReplayCameras : public ::testing::Test {
protected:
    void SetUp() override { buildPlaneTrack(false); }
};

TEST_F(RenderReplayCameras, AnEyeOutsideTheWorldIsBroughtIn)
{
    const TrackModel& track = loadedTrack;
    const float outside[][3] = {{-5000, 0, 0}, {1e7f, 0, 0}, {50000, -1e6f, 0}, {50000, 1e6f, 0},
                                {50000, 0, 1e6f}, {50000, 0, -1e6f}, {NAN, NAN, NAN}};
    for (const auto& o : outside) {
        float eye[3] = {o[0], o[1], o[2]};
        keepEyeInWorld(track.points, track.faces, eye);
        expectInWorld(eye, "brought in");
    }
    float inside[3] = {50000, groundAt(50000, 2000) + 900, 2000};
    float kept[3] = {inside[0], inside[1], inside[2]};
    keepEyeInWorld(track.points, track.faces, kept);
    for (int k = 0; k < 3; k++) EXPECT_FLOAT_EQ(inside[k], kept[k]) << "an eye inside stays where it is";
}

TEST_F(RenderReplayCameras, TheFarViewLooksAtTheRiderFromHighBehind)
{
    const TrackModel& track = loadedTrack;
    for (float x : {3000.0f, 150000.0f, 335000.0f}) {
        float rider[3] = {x, planeTrackHeight(x, 38000), 38000};  // at the grid's edge: the eye is kept in
        WorldView v;
        farView(track.points, track.faces, rider, &v);
        expectInWorld(v.eye, "far view");
        EXPECT_FLOAT_EQ(v.target[0], rider[0]);
        EXPECT_GT(v.target[1], rider[1]);
        EXPECT_FLOAT_EQ(v.target[2], rider[2]);
    }
    float rider[3] = {150000, planeTrackHeight(150000, 0), 0};
    WorldView v;
    farView(track.points, track.faces, rider, &v);
    EXPECT_LT(v.eye[0], rider[0] - 1000) << "behind him";
    EXPECT_GT(v.eye[1], rider[1] + 1000) << "above him";
}

TEST_F(RenderReplayCameras, ATracksideCameraStandsStillAsTheRiderPassesItThenHandsHimOn)
{
    const TrackModel& track = loadedTrack;
    RunRecording path = straightPath(5000);
    int station = tracksideStation(20000);
    float stationX = tracksideStationX(station);
    ASSERT_GT(stationX + tracksidePassBy, 20000);
    ASSERT_LE(tracksideStationX(station - 1) + tracksidePassBy, 20000) << "the one before is passed";
    WorldView first, later;
    float r1[3] = {stationX - 9000, planeTrackHeight(stationX - 9000, 5000), 5000};
    float r2[3] = {stationX + tracksidePassBy - 1, planeTrackHeight(stationX, 5000), 5000};
    tracksideView(track.points, track.faces, path, r1, &first);
    tracksideView(track.points, track.faces, path, r2, &later);
    for (int k = 0; k < 3; k++) EXPECT_FLOAT_EQ(first.eye[k], later.eye[k]) << "the camera stands still";
    EXPECT_FLOAT_EQ(later.target[0], r2[0]) << "and turns to follow him";
    expectInWorld(first.eye, "trackside");
    EXPECT_NEAR(first.eye[0], stationX, 1);
    EXPECT_NEAR(std::fabs(first.eye[2] - 5000), 2200, 1) << "beside the line he rode";
    EXPECT_LT(first.eye[2], 5000) << "on the side of the track's middle";
    float r3[3] = {stationX + tracksidePassBy + 1, r2[1], 5000};
    EXPECT_EQ(station + 1, tracksideStation(r3[0])) << "past it, the next one takes him";
    WorldView next;
    tracksideView(track.points, track.faces, path, r3, &next);
    EXPECT_GT(next.eye[0], r3[0]) << "the next one stands ahead of him";
}

TEST_F(RenderReplayCameras, TheRecordedPathGivesWhereTheLineCrossed)
{
    RunRecording rec;
    EXPECT_FLOAT_EQ(-7, pathZAt(rec, 1000, -7)) << "no path: the fallback";
    for (int k = 0; k < 4; k++) {
        RunSample s{};
        s.pos[0] = 1000.0f * k, s.pos[2] = 100.0f * k;
        rec.samples.push_back(s);
    }
    EXPECT_FLOAT_EQ(200, pathZAt(rec, 1500, 0));
    EXPECT_FLOAT_EQ(300, pathZAt(rec, 99999, 0)) << "never got there: the last point";
}

TEST_F(RenderReplayCameras, TheFreeCameraGoesWhereItsKeysSayAndStaysInTheWorld)
{
    const TrackModel& track = loadedTrack;
    WorldView start = {{50000, groundAt(50000, 0) + 1000, 0}, {52000, groundAt(50000, 0) + 1000, 0}};
    FreeCamera c;
    freeCameraFrom(start, &c);
    EXPECT_NEAR(0, c.yaw, 1e-3);
    EXPECT_NEAR(0, c.pitch, 1e-3);
    WorldView shown;
    freeCameraView(c, &shown);
    EXPECT_NEAR(1, (shown.target[0] - shown.eye[0]) / std::hypot(shown.target[0] - shown.eye[0], shown.target[1] - shown.eye[1]), 1e-5)
        << "it looks where the view it started from looked";
    moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{1, 0, 0, 0, 0}, 0.5);
    EXPECT_NEAR(50000 + freeCameraSpeed / 2, c.eye[0], 1) << "forward, along its look";
    moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{0, 1, 0, 0, 0}, 0.5);
    EXPECT_NEAR(freeCameraSpeed / 2, c.eye[2], 1) << "to its right, +Z when it looks down the track";
    moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{0, 0, 0, 1, 0}, 1.5);
    EXPECT_NEAR(freeCameraTurnSpeed * 1.5, c.yaw, 1e-3);
    moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{0, 0, 0, 0, 1}, 100);
    EXPECT_FLOAT_EQ(freeCameraMaxPitch, c.pitch) << "it looks up no further than that";
    moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{0, 0, -1, 0, 0}, 100);
    expectInWorld(c.eye, "after going down a long way");
    EXPECT_NEAR(groundAt(c.eye[0], c.eye[2]) + worldEyeClearance, c.eye[1], 1);
    for (int k = 0; k < 20; k++) moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{1, 1, 1, 0, 0}, 10);
    expectInWorld(c.eye, "after flying off for long");
    FreeCamera still = c;
    moveFreeCamera(track.points, track.faces, &c, FreeCameraMove{1, 1, 1, 1, 1}, 0);
    EXPECT_EQ(0, memcmp(&still, &c, sizeof c)) << "no time, no move";
}

TEST_F(RenderReplayCameras, AViewsTerrainRowsCoverWhatItLooksAt)
{
    int first, last;
    WorldView down = {{10 * longueurFace + 5, 0, 0}, {20 * longueurFace + 5, 0, 0}};
    viewRows(down, &first, &last);
    EXPECT_EQ(8, first);
    EXPECT_EQ(31, last) << "looking down the track: eleven rows past the aim";
    WorldView up = {{40 * longueurFace + 5, 0, 0}, {20 * longueurFace + 5, 0, 0}};
    viewRows(up, &first, &last);
    EXPECT_EQ(9, first) << "looking back up it: eleven rows past the aim";
    EXPECT_EQ(42, last);
    WorldView edge = {{5, 0, 0}, {199 * longueurFace, 0, 0}};
    viewRows(edge, &first, &last);
    EXPECT_EQ(0, first);
    EXPECT_EQ(longueurPisteEnFaces - 1, last) << "never past the grid";
}

TEST(RenderReplayCamerasChase, TheChasesWorldViewIsBehindTheRiderAlongTheHeading)
{
    const float pos[3] = {1000, 200, -300};
    WorldView v;
    chaseWorldView(pos, 90.0f, -700, 500, &v);
    EXPECT_NEAR(1000, v.eye[0], 1e-2);
    EXPECT_NEAR(700, v.eye[1], 1e-3);
    EXPECT_NEAR(-1000, v.eye[2], 1e-2) << "700 back along +Z";
    EXPECT_NEAR(1700, v.target[2], 1e-2);
}

}  // namespace
