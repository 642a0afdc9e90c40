// The chase camera on every shipped track, ridden by the autopilot down the line (jumping its kickers)
// and weaving across it (up the banks and half-pipe walls): the eye stays above the snow, nothing
// stands between it and the rider, the horizon leans a few degrees at most, the run's state is left
// as it was. And the pull-in itself.
#include "content.h"
#include "trackGen.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "render/drawnState.h"
#include "core/graphicLib.h"
#include "render/scene.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "support/autopilot.h"
#include "support/planeTrack.h"
#include "support/recipes.h"
#include "support/testFiles.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {
    const TrackModel& track = loadedTrack;

const float EYE_ABOVE_SNOW = 50.0f;  // the near plane is 5 away: this keeps the snow well out of it
const int LINE_CHECKS = 64;
const float RIDER_MIDDLE = 100.0f;

float groundAt(float x, float z) { return yTheoObj(track.points, track.faces, x, z, (float)maxTrackFaces); }

// Where the drawing puts the eye: the rider-frame eye turned back by the view's bank and heading.
void eyeOf(const DrawnState& d, float eye[3])
{
    const double deg = M_PI / 180.0;
    double h = d.viewHeading * deg, b = d.viewBank * deg;
    eye[0] = d.pos[0] + (float)(d.eyeBack * cos(h) + d.eyeUp * sin(b) * sin(h));
    eye[1] = d.pos[1] + (float)(d.eyeUp * cos(b));
    eye[2] = d.pos[2] + (float)(d.eyeBack * sin(h) - d.eyeUp * sin(b) * cos(h));
}

// The lowest height of the line from the rider's middle to the eye above the snow (from a tenth of
// the way out: right at the rider the line starts at his middle).
float lineClearance(const float from[3], const float to[3])
{
    float least = 1e9f;
    for (int k = LINE_CHECKS / 10; k <= LINE_CHECKS; k++) {
        float s = (float)k / LINE_CHECKS, p[3];
        for (int i = 0; i < 3; i++) p[i] = from[i] + s * (to[i] - from[i]);
        float c = p[1] - groundAt(p[0], p[2]);
        if (c < least) least = c;
    }
    return least;
}

struct CameraRide {
    int ticks = 0, pulledIn = 0, failures = 0;
    float leastEye = 1e9f, leastLine = 1e9f, mostTilt = 0;
    void check(const std::string& where)
    {
        int runHalfPipe = playerRun.phases.rotSkierYAvantSautHalfPipe;
        float runSun = playerRun.tricks.derniereRotYAvtSaut;
        DrawnState d = captureDrawnState();
        if ((runHalfPipe != playerRun.phases.rotSkierYAvantSautHalfPipe || runSun != playerRun.tricks.derniereRotYAvtSaut) && failures++ < 3)
            ADD_FAILURE() << where << ": the camera wrote the run's state";
        if (d.replacement || d.rescue) return;  // the rescue lifts the view out of the scene on purpose
        float eye[3], middle[3] = {d.pos[0], d.pos[1] + RIDER_MIDDLE, d.pos[2]};
        eyeOf(d, eye);
        float eyeClear = eye[1] - groundAt(eye[0], eye[2]), lineClear = lineClearance(middle, eye);
        ticks++;
        pulledIn += d.eyeBack > -699.0f;
        leastEye = std::fmin(leastEye, eyeClear);
        leastLine = std::fmin(leastLine, lineClear);
        mostTilt = std::fmax(mostTilt, std::fabs(d.viewBank));
        if (failures < 3 && (eyeClear < EYE_ABOVE_SNOW || lineClear < 0)) {
            failures++;
            ADD_FAILURE() << where << ": at row " << d.pos[0] / longueurFace << " z " << d.pos[2] << " the eye is "
                          << eyeClear << " above the snow, the line of sight " << lineClear;
        }
    }
};

struct RenderCameraRides : ::testing::Test {
    const TrackModel& track = loadedTrack;
    static void SetUpTestSuite() { storeByteOrder(0); }
    void SetUp() override { pilotInstallKeys(); }
    void TearDown() override
    {
        pilotReleaseKeys();
        viewChoice = 1;
    }
    void prepareRun(const std::string& name)
    {
        pilotNewRun();
        // the game's own data, as the build makes it: no tracks generated for this test alone
        std::string path = std::string(KESTRUNE_SOURCE_DIR) + "/data/tracks/" + name + "/" + name + ".btrk";
        ASSERT_EQ(importTrackFromBinaryFile(loadedTrack, path.c_str()), trackLoadOk) << name;
        resetCollectedBomb(playerRun, track.bombsQty);
        placeSkierAtStart(playerRun, loadedTrack, pilotClock());
        resetDrawnTicks(&drawnTicks);
    }
};

// Jumps every kicker it meets: the jump key held up the ramp, let go at the lip.
bool atAKicker(const TrackRecipe& r)
{
    float row = playerRun.motion.Xobjet / longueurFace;
    for (const TrackFeature& k : r.features)
        if (k.kind == "kicker" && row > k.args[0] - 1.5f && row < k.args[0] + k.args[4]) return true;
    return false;
}

}  // namespace

TEST_F(RenderCameraRides, EyeAboveTheSnowAndInSightOfTheRiderOnEveryShippedTrack)
{
    const int FPS = 60;  // a tick a frame: the camera steps as in the game
    const int WEAVE_TICKS = 50;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        TrackRecipe recipe;
        ASSERT_EQ(0, readTrackRecipe(RECIPES + "/tracks/" + name + ".track", recipe));
        for (int view : {1, 3})
            for (bool weave : {false, true}) {
                std::string where = name + (weave ? " weaving" : " down the line") + " in view " + std::to_string(view);
                prepareRun(name);
                viewChoice = view;
                pilotStart(FPS);
                CameraRide ride;
                pilotRide(FPS, 240, [&](int f) {
                    ride.check(where);
                    PilotKeys k;
                    k.space = atAKicker(recipe);
                    k.up = !k.space;
                    k.enter = playerRun.phases.chute && playerRun.motion.skieurStop && f % 2 == 0;  // back on the track after a fall
                    if (weave) (f / WEAVE_TICKS % 2 ? k.left : k.right) = true;
                    return k;
                });
                EXPECT_GT(ride.ticks, 600) << where;
                EXPECT_LE(ride.mostTilt, cameraMaxTilt + 1e-3f) << where;
                printf("[ camera   ] %s: %d ticks, pulled in on %d, eye at least %.0f above the snow, line %.0f, "
                       "tilt at most %.1f\n",
                       where.c_str(), ride.ticks, ride.pulledIn, ride.leastEye, ride.leastLine, ride.mostTilt);
            }
    }
}

// A ridge of snow 3000 high just behind the rider (the lip of a kicker he has ridden over): the eye
// beyond it comes in along the line of sight to stand on his side of it, still above the snow.
TEST(RenderCameraPullIn, ARidgeBetweenEyeAndRiderBringsTheEyeIn)
{
    TrackModel& track = loadedTrack;
    buildPlaneTrack(true);
    const int ridgeRow = 50;
    for (int q = 0; q <= largeurPisteEnFaces; q++) track.points[ridgeRow * (largeurPisteEnFaces + 1) + q][1] += 3000;
    float pos[3] = {ridgeRow * longueurFace + 300.0f, 0, 0};
    pos[1] = groundAt(pos[0], 0);
    for (int view : {1, 2, 3}) {
        float back, up, fullBack, fullUp;
        cameraDistances(view, &fullBack, &fullUp);
        chaseEyeOver(track.points, track.faces, pos, pos[1], 0, view, &back, &up);
        EXPECT_GT(back, fullBack) << "view " << view << ": pulled in";
        EXPECT_LT(back, 0) << view;
        float eye[3] = {pos[0] + back, pos[1] + up, 0}, middle[3] = {pos[0], pos[1] + RIDER_MIDDLE, 0};
        EXPECT_GE(lineClearance(middle, eye), 0) << view;
        EXPECT_GE(eye[1] - groundAt(eye[0], 0), EYE_ABOVE_SNOW) << view;
    }
    // with the ridge gone the eye goes back out to its full distance
    buildPlaneTrack(true);
    float back, up;
    pos[1] = groundAt(pos[0], 0);
    chaseEyeOver(track.points, track.faces, pos, pos[1], 0, 1, &back, &up);
    EXPECT_EQ(-700, back);
    EXPECT_EQ(500, up);
    // a wall beside him (a half-pipe wall) when the view is turned towards it, at any heading
    for (int q = 0; q <= 30; q++)
        for (int r = 0; r <= longueurPisteEnFaces; r++) track.points[r * (largeurPisteEnFaces + 1) + q][1] += 3000;
    pos[2] = 5.0f * largeurFace - 300;  // the wall's foot 300 to his left (+Z): 3000 high over a cell
    for (float heading : {-90.0f, -60.0f, -20.0f}) {
        chaseEyeOver(track.points, track.faces, pos, pos[1], heading, 1, &back, &up);
        double h = heading * DEG_TO_RAD_GAME;
        float eye[3] = {pos[0] + back * (float)cos(h), pos[1] + up, pos[2] + back * (float)sin(h)};
        float middle[3] = {pos[0], pos[1] + RIDER_MIDDLE, pos[2]};
        EXPECT_GE(eye[1] - groundAt(eye[0], eye[2]), EYE_ABOVE_SNOW) << heading;
        EXPECT_GE(lineClearance(middle, eye), 0) << heading;
    }
}
