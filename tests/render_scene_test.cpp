// Terrain window strips, chase camera and its lift, view bank, switches, obstacles in view, shadow plane.
#include <allegro.h>
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "render/graphImage.h"
#include "render/scene.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/keys.h"
#include "shell/prefs.h"
#include "shell/runSwitches.h"
#include "support/planeTrack.h"
#include "track/planLib.h"
#include "track/trackModel.h"

namespace {

struct Emitted {
    int t;
    short newStrip;
};

void record(int t, short newStrip, void* ctx) { ((std::vector<Emitted>*)ctx)->push_back({t, newStrip}); }

std::vector<TexData> plainSurfaces()
{
    std::vector<TexData> texs(maxTrackFaces);
    for (TexData& t : texs) {
        t = TexData();
        t.coord[0][0] = 0.5f, t.coord[0][1] = 0.0f;
    }
    return texs;
}

std::vector<Emitted> walk(int face, std::vector<TexData>& texs)
{
    std::vector<Emitted> out;
    walkTerrainWindow(face, texs.data(), record, &out);
    return out;
}

}  // namespace

TEST(RenderTerrainWindow, RowsAroundTheRiderAndTheirStrips)
{
    std::vector<TexData> texs = plainSurfaces();
    const int row = facesParRangee;
    const int f = 50 * row + 70;  // mid-track, mid-row
    std::vector<Emitted> out = walk(f, texs);
    // 14 rows of 49 or 50 triangles from c - 24 (made even) to c + 24 (made odd)
    ASSERT_EQ(14u * 50u, out.size());
    EXPECT_EQ(f - 2 * row - 24 + 0, out.front().t);
    EXPECT_EQ(f + 11 * row + 25, out.back().t);
    for (size_t i = 0; i < out.size(); i++) {
        bool rowStart = i % 50 == 0;
        EXPECT_EQ(rowStart, out[i].newStrip == 1) << "at " << out[i].t;
    }
}

TEST(RenderTerrainWindow, StripsBreakAtTexturesAndPatchStarts)
{
    std::vector<TexData> texs = plainSurfaces();
    const int f = 50 * facesParRangee + 70;
    const int inRow = f + 3;
    texs[inRow].texIndex = 2;       // texture change, and back on the next triangle
    texs[inRow + 8].coord[0][0] = 1.0f;  // first corner at (1, 1): a new patch
    texs[inRow + 8].coord[0][1] = 1.0f;
    texs[inRow + 12].coord[0][0] = 1.0f;  // (1, 0.5): not a patch start
    texs[inRow + 12].coord[0][1] = 0.5f;
    std::vector<Emitted> out = walk(f, texs);
    std::vector<int> starts;
    for (const Emitted& e : out)
        if (e.newStrip && e.t > f - 30 && e.t < f + 30) starts.push_back(e.t);
    EXPECT_EQ((std::vector<int>{f - 24, inRow, inRow + 1, inRow + 8}), starts);
}

TEST(RenderTerrainWindow, ClampsAtTheStartAndStopsBeforeTheEnd)
{
    std::vector<TexData> texs = plainSurfaces();
    // first row: the two rows behind clamp to triangle 0, and are empty (they end before it)
    std::vector<Emitted> out = walk(10, texs);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(0, out.front().t);
    EXPECT_EQ(1, out.front().newStrip);
    for (const Emitted& e : out) ASSERT_GE(e.t, 0);
    // near the end of the mesh: no triangle at or beyond 28797, and the rows ending there are cut
    const int lastRowStart = maxTrackFaces - facesParRangee;
    out = walk(lastRowStart + 130, texs);
    ASSERT_FALSE(out.empty());
    // the rider's own row would end at 28797: it and the rows ahead are not drawn
    for (const Emitted& e : out) ASSERT_LT(e.t, lastRowStart);
    EXPECT_EQ(lastRowStart - 1, out.back().t);
    // a face number out of the mesh is clamped, not read past
    EXPECT_FALSE(walk(-5, texs).empty());
    walk(maxTrackFaces + 500, texs);
}

TEST(RenderTerrainWindow, TextureNamesStayInTheTable)
{
    const TrackModel& track = loadedTrack;
    unsigned int names[maxTrackTextures];
    for (int i = 0; i < maxTrackTextures; i++) names[i] = 100 + i;
    setNbTrackTextures(3);
    EXPECT_EQ(102u, terrainTextureName(2, names));
    EXPECT_EQ(0u, terrainTextureName(3, names));
    EXPECT_EQ(0u, terrainTextureName(-1, names));
    EXPECT_EQ(0u, terrainTextureName(1000000, names));
    setNbTrackTextures(0);
}

float groundAt(float x, float z)
{
    const TrackModel& track = loadedTrack;
    return yTheoObj(track.points, track.faces, x, z, (float)maxTrackFaces);
}

struct RenderCamera : ::testing::Test {
    void SetUp() override
    {
        buildPlaneTrack(true);
        reinitGameVar(playerRun, loadedTrack);
        playerRun.motion.Xobjet = 50 * longueurFace, playerRun.motion.Zobjet = 0;
        playerRun.motion.Yobjet = groundAt(playerRun.motion.Xobjet, playerRun.motion.Zobjet);
        setYobjetCour(playerRun, playerRun.motion.Yobjet);
        playerRun.orientation.rotSkierY = 0;
        viewChoice = 1;
        setContact(playerRun, 1);
    }
    void TearDown() override { viewChoice = 1; }
};

TEST_F(RenderCamera, ViewDistancesAndTerrainLift)
{
    TrackModel& track = loadedTrack;
    float back, up;
    for (int v : {1, 2, 3, 7}) {
        viewChoice = v;
        chaseCameraEye(loadedTrack, 0, &back, &up);
        float wantBack = v == 2 ? -1200 : v == 3 ? -1500 : -700;
        float wantUp = v == 2 ? 1000 : v == 3 ? 1400 : 500;
        EXPECT_EQ(wantBack, back) << v;
        EXPECT_EQ(wantUp, up) << v;
    }
    // the rider at the foot of a wall of snow 2000 high that rises from 1684 behind him: the eye
    // 1500 behind stands on its face and is lifted to 150 above it
    viewChoice = 3;
    int row = (int)(playerRun.motion.Xobjet / longueurFace) - 1;
    for (int q = 0; q <= largeurPisteEnFaces; q++) track.points[row * (largeurPisteEnFaces + 1) + q][1] += 2000;
    chaseCameraEye(loadedTrack, 0, &back, &up);
    float eyeGround = groundAt(playerRun.motion.Xobjet - 1500, playerRun.motion.Zobjet);
    EXPECT_NEAR(eyeGround + 150 - groundAt(playerRun.motion.Xobjet, playerRun.motion.Zobjet), up, 1.0f);
    EXPECT_EQ(-1500, back) << "the line to him runs above the face: the eye stays where it is";
    // turned by 90 degrees the eye is beside him, on flat ground: no lift needed there
    playerRun.orientation.rotSkierY = 89;
    chaseCameraEye(loadedTrack, 89, &back, &up);
    EXPECT_EQ(1400, up);
}

TEST_F(RenderCamera, BankFollowsTheHeadingByAFewDegreesAtMost)
{
    resetChaseCamera();
    ViewTurn t;
    playerRun.orientation.rotSkierY = 6;
    stepViewTurn(&t);
    EXPECT_TRUE(t.turn && t.bank);
    EXPECT_EQ(6, t.heading);
    EXPECT_NEAR(-2, t.bankAngle, 1e-5);
    EXPECT_NEAR(5, chaseCamera.sunHeading, 1e-4);
    playerRun.orientation.rotSkierY = 30;  // a traverse of a side slope: the horizon leans 3 degrees, not 10
    stepViewTurn(&t);
    EXPECT_NEAR(-cameraMaxTilt, t.bankAngle, 1e-5);
    playerRun.orientation.rotSkierY = -45;
    stepViewTurn(&t);
    EXPECT_NEAR(cameraMaxTilt, t.bankAngle, 1e-5);
    playerRun.orientation.rotSkierY = 75;  // beyond 60: the last bank stays
    stepViewTurn(&t);
    EXPECT_NEAR(cameraMaxTilt, t.bankAngle, 1e-5);
    EXPECT_EQ(75, t.heading);
    // in the air: take-off heading, no bank; none while a ground half-turn is flagged
    setContact(playerRun, 0);
    playerRun.orientation.rotSkierYAvantSaut = 12;
    stepViewTurn(&t);
    EXPECT_TRUE(t.turn);
    EXPECT_FALSE(t.bank);
    EXPECT_EQ(12, t.heading);
    playerRun.phases.changementFakieSolLeft = 1;
    stepViewTurn(&t);
    EXPECT_FALSE(t.turn);
    playerRun.phases.changementFakieSolLeft = 0;
}

// The camera creeps its own copy of the half-pipe heading: the run's stays as the wall set it.
TEST_F(RenderCamera, HalfPipeHeadingCreepsWithoutWritingTheRun)
{
    resetChaseCamera();
    ViewTurn t;
    setContact(playerRun, 0);
    playerRun.phases.inHalfPipe = 1, playerRun.phases.inInterieurHalfPipe = 0;
    playerRun.orientation.rotSkierYAvantSaut = 7, playerRun.phases.rotSkierYAvantSautHalfPipe = 0;  // onto the wall, heading 0
    float sunBefore = playerRun.tricks.derniereRotYAvtSaut;
    std::vector<float> headings;
    for (int i = 0; i < 3; i++) {
        stepViewTurn(&t);
        headings.push_back(t.heading);
    }
    EXPECT_EQ((std::vector<float>{2, 4, 6}), headings);
    EXPECT_EQ(0, playerRun.phases.rotSkierYAvantSautHalfPipe);
    EXPECT_EQ(sunBefore, playerRun.tricks.derniereRotYAvtSaut);
    // a new wall sets the run's heading again: the camera starts from it
    playerRun.phases.rotSkierYAvantSautHalfPipe = 10;
    playerRun.orientation.rotSkierYAvantSaut = -7;
    stepViewTurn(&t);
    EXPECT_EQ(8, t.heading);
    setContact(playerRun, 1);
    playerRun.orientation.rotSkierY = 40;
    stepViewTurn(&t);
    EXPECT_EQ(10, playerRun.phases.rotSkierYAvantSautHalfPipe);
    EXPECT_EQ(sunBefore, playerRun.tricks.derniereRotYAvtSaut) << "the sun's turn is the camera's own";
    playerRun.phases.inHalfPipe = 0;
}

TEST_F(RenderCamera, F8AndF9Cycle)
{
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    resetKeyDetectors();
    auto press = [](int k, void (*handler)()) {
        key[k] = 1;
        handler();
        handler();  // held: counted once
        key[k] = 0;
        handler();
    };
    std::vector<int> views;
    for (int i = 0; i < 3; i++) {
        press(KEY_F8, handleToggleView);
        views.push_back(viewChoice);
    }
    EXPECT_EQ((std::vector<int>{2, 3, 1}), views);
    shadowState.ombre = 0;
    std::vector<int> shadows;
    for (int i = 0; i < 3; i++) {
        press(KEY_F9, handleToggleOmbre);
        shadows.push_back(shadowState.ombre);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 0}), shadows);
}

TEST(RenderObstacles, WindowAheadTakenAndRails)
{
    const float x = 10000;
    ObstacleRecord o = {};
    o.type = obstacleSapin;
    o.x = x - 1;
    EXPECT_FALSE(obstacleInView(o, 0, x));
    o.x = x + 12 * longueurFace - 1;
    EXPECT_TRUE(obstacleInView(o, 0, x));
    o.x = x + 12 * longueurFace;
    EXPECT_FALSE(obstacleInView(o, 0, x));
    o.type = obstacleRail;
    o.x = x - 2000;
    EXPECT_TRUE(obstacleInView(o, 0, x));
    o.x = x - 3000;
    EXPECT_FALSE(obstacleInView(o, 0, x));
    o.x = x + 100;
    for (int type : {obstacleCollectable, obstacleBomb}) {
        o.type = type;
        EXPECT_TRUE(obstacleInView(o, 0, x));
        EXPECT_FALSE(obstacleInView(o, 1, x));
    }
    o.type = 9;
    EXPECT_FALSE(obstacleInView(o, 0, x));
}

TEST_F(RenderCamera, ShadowPlaneIsTheGroundUnderTheRider)
{
    const TrackModel& track = loadedTrack;
    buildPlaneTrack(false);
    playerRun.motion.Zobjet = 2000;
    setNumeroFaceCourante(playerRun, findCurrentFace(track.points, track.faces, playerRun.motion.Xobjet, playerRun.motion.Zobjet, (float)maxTrackFaces));
    playerRun.motion.Yobjet = groundAt(playerRun.motion.Xobjet, playerRun.motion.Zobjet) + 300;  // in the air
    shadowPlaneUnderRider(loadedTrack, getNumeroFaceCourante(playerRun), playerRun.motion.Xobjet, playerRun.motion.Yobjet, groundAt(playerRun.motion.Xobjet, playerRun.motion.Zobjet));
    for (int i = 0; i < 3; i++) EXPECT_NEAR(-300, shadowState.lilPoints[i][1], 0.5f);
    // a point of the rider frame falls onto y = -300 along the line from the light
    float p[4] = {100, 50, 20, 1}, q[4] = {0, 0, 0, 0};
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) q[r] += shadowState.shadowMat[c][r] * p[c];
    EXPECT_NEAR(-300, q[1] / q[3], 0.05f);
}

TEST_F(RenderCamera, CrossSlopeOfBothTrianglesOfACell)
{
    // a plane rising by 0.1 per unit toward +Z: every triangle has the same cross slope
    buildPlaneTrack(false);
    const float expected = atan2f(-0.1f * largeurFace, (float)largeurFace) * 57.29f;
    const int cell = 60 * facesParRangee + 2 * 30;
    EXPECT_NEAR(expected, angleLateral(loadedTrack, cell), 0.01f);
    EXPECT_NEAR(expected, angleLateral(loadedTrack, cell + 1), 0.01f);
    buildPlaneTrack(true);
    EXPECT_NEAR(0.0f, angleLateral(loadedTrack, cell), 1e-4);
    EXPECT_NEAR(0.0f, angleLateral(loadedTrack, cell + 1), 1e-4);
    EXPECT_EQ(0.0f, angleLateral(loadedTrack, -1));
}
