// The run drawn between its ticks: the blend of two drawn states, the teleports it does not blend
// across, and a run drawn at any fraction left exactly as a run that was never drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "render/drawnState.h"
#include "render/scene.h"
#include "render/skiTraces.h"
#include "run/ghostRun.h"
#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "skier/ghostRider.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/rescue.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

const long clockStart = 200000;

DrawnState blankState()
{
    DrawnState d;
    memset(&d, 0, sizeof d);  // padding too: compared byte for byte
    return d;
}

bool sameBytes(const DrawnState& a, const DrawnState& b) { return memcmp(&a, &b, sizeof a) == 0; }

// Two ticks of a spin over the half turn, a step down the track and a landing between them.
void twoTicks(DrawnState* a, DrawnState* b)
{
    *a = blankState(), *b = blankState();
    a->pos[0] = 1000, b->pos[0] = 1100;
    a->pos[1] = 50, b->pos[1] = 30;
    a->yaw = 170, b->yaw = -170;
    a->airPitch = -350, b->airPitch = 0;
    a->pose[4] = 179, b->pose[4] = -179;
    a->pose[5] = 10, b->pose[5] = 30;
    a->viewHeading = 20, b->viewHeading = 24;
    a->eyeUp = 500, b->eyeUp = 700;
    a->contact = 0, b->contact = 1;
    a->face = 10, b->face = 12;
    a->ghostShown = b->ghostShown = 1;
    a->ghost.pos[0] = 900, b->ghost.pos[0] = 960;
    a->ghost.yaw = -175, b->ghost.yaw = 175;
}

float wrapped(float a)
{
    float w = fmodf(a, 360.0f);
    return w < 0 ? w + 360.0f : w;
}

TEST(DrawnState, BlendGoesTheShortWayAndEndsOnBothTicksExactly)
{
    DrawnState a, b;
    twoTicks(&a, &b);
    EXPECT_TRUE(sameBytes(interpolateDrawn(a, b, 0.0f), a));
    EXPECT_TRUE(sameBytes(interpolateDrawn(a, b, 1.0f), b));
    // a fraction outside the tick is held to it
    EXPECT_TRUE(sameBytes(interpolateDrawn(a, b, -0.2f), a));
    EXPECT_TRUE(sameBytes(interpolateDrawn(a, b, 1.5f), b));

    DrawnState q = interpolateDrawn(a, b, 0.25f);
    EXPECT_FLOAT_EQ(1025, q.pos[0]);
    EXPECT_FLOAT_EQ(45, q.pos[1]);
    EXPECT_NEAR(175, wrapped(q.yaw), 1e-3);         // 170 to -170 through 180, not through 0
    EXPECT_NEAR(7.5f, wrapped(q.airPitch), 1e-3);   // -350 is 10: a quarter of the way to 0
    EXPECT_NEAR(179.5f, wrapped(q.pose[4]), 1e-3);  // joints too
    EXPECT_FLOAT_EQ(15, q.pose[5]);
    EXPECT_FLOAT_EQ(21, q.viewHeading);
    EXPECT_FLOAT_EQ(550, q.eyeUp);
    EXPECT_EQ(0, q.contact);  // flags and the triangle of the nearer tick
    EXPECT_EQ(10, q.face);
    EXPECT_FLOAT_EQ(915, q.ghost.pos[0]);
    EXPECT_NEAR(182.5f, wrapped(q.ghost.yaw), 1e-3);  // -175 to 175 through 180

    DrawnState r = interpolateDrawn(a, b, 0.75f);
    EXPECT_EQ(1, r.contact);
    EXPECT_EQ(12, r.face);
    EXPECT_NEAR(185, wrapped(r.yaw), 1e-3);

    // a ghost that shows at one tick only is not blended with the other's leftovers
    b.ghostShown = 0;
    EXPECT_FLOAT_EQ(900, interpolateDrawn(a, b, 0.25f).ghost.pos[0]);
    EXPECT_EQ(0, interpolateDrawn(a, b, 0.75f).ghostShown);
}

// A fresh run on a shipped track, as the game loop prepares one, the camera and ghost at rest.
void prepareRun(const std::string& name)
{
    const TrackModel& track = loadedTrack;
    storeByteOrder(0);
    theTrasher->weight = 70.0f;
    dropGhostRun();
    videPileBoutons(playerRun);
    reinitGameVar(playerRun, loadedTrack);
    playerRun.orientation.amplitudeRotationX = 0.0f;
    playerRun.phases.sautLincolnLoopDroite = playerRun.phases.sautLincolnLoopGauche = 0;
    viewChoice = 1, chaseCamera.mouvCamX = 0;
    std::string path = std::string(KESTRUNE_SOURCE_DIR) + "/data/tracks/" + name + "/" + name + ".btrk";
    ASSERT_EQ(importTrackFromBinaryFile(loadedTrack, path.c_str()), trackLoadOk) << path;
    resetCollectedBomb(playerRun, track.bombsQty);
    placeSkierAtStart(playerRun, loadedTrack, clockStart);
    startRunTicker(runTicker, clockStart);
    clearRunEvents(playerRun);
    skiTraces.reset();
    resetDrawnTicks(&drawnTicks);
    noteTickDrawn(&drawnTicks, 1);
}

TEST(DrawnState, ARiderPutBackOnTheTrackIsNotBlendedAcross)
{
    const TrackModel& track = loadedTrack;
    prepareRun("meadow");
    playerRun.motion.Xobjet = track.depart + 20000, playerRun.motion.Zobjet = 3000;
    clearRunEvents(playerRun);
    noteTickDrawn(&drawnTicks, tickTeleported());
    ASSERT_EQ(0, tickTeleported());
    float before = drawnTicks.current.pos[0];
    replaceSkierOperation(playerRun, loadedTrack);
    ASSERT_EQ(1, tickTeleported());
    ASSERT_NE(before, playerRun.motion.Xobjet) << "the rescue point is elsewhere";
    // an ordinary tick would be blended from where he was...
    DrawnTicks blended = drawnTicks;
    noteTickDrawn(&blended, 0);
    EXPECT_NE(playerRun.motion.Xobjet, drawnMoment(blended, 0.5f).pos[0]);
    // ...the teleport is drawn where he is now, at every fraction
    noteTickDrawn(&drawnTicks, tickTeleported());
    EXPECT_TRUE(sameBytes(drawnTicks.previous, drawnTicks.current));
    for (float f : {0.0f, 0.3f, 1.0f}) {
        EXPECT_EQ(playerRun.motion.Xobjet, drawnMoment(drawnTicks, f).pos[0]) << f;
        EXPECT_EQ(playerRun.motion.Zobjet, drawnMoment(drawnTicks, f).pos[2]) << f;
    }
    clearRunEvents(playerRun);
}

// Everything of the run and of the rider's skinning that a tick leaves, byte for byte.
std::vector<unsigned char> runStateBytes()
{
    std::vector<unsigned char> b;
    auto put = [&b](const void* p, size_t n) {
        const unsigned char* c = (const unsigned char*)p;
        b.insert(b.end(), c, c + n);
    };
    const float floats[] = {playerRun.motion.Xobjet, playerRun.motion.Yobjet, playerRun.motion.Zobjet, playerRun.motion.Xprec, playerRun.motion.vitessePrecedente, playerRun.motion.acceleration, playerRun.motion.velocity, playerRun.motion.YavantSaut,
                            playerRun.motion.bufferJump, playerRun.motion.freinage, playerRun.orientation.rotSkierY, playerRun.orientation.rotSkierX, playerRun.orientation.rotSkierZ, playerRun.orientation.rotSkierYAvantSaut,
                            playerRun.orientation.amplitudeRotationX, playerRun.orientation.amplitudeRotationY, playerRun.orientation.amplitudeRotationZ, playerRun.orientation.angleCourant,
                            playerRun.orientation.angleDePlacementEffectif, playerRun.phases.rotFakieSolRight, playerRun.phases.rotFakieSolLeft, playerRun.phases.angleFaceCour,
                            playerRun.phases.rotationChute, playerRun.phases.tempsChute, playerRun.tricks.deroulementFigure,
                            playerRun.tricks.deroulementFreinage, playerRun.timing.totalTime, getXobjet_inc(playerRun), getYobjetCour(playerRun), playerRun.pose.transTotalSkier,
                            playerRun.pose.angleZTemp};
    put(floats, sizeof floats);
    const int ints[] = {playerRun.scores.totalScore, playerRun.scores.totalCollectable, playerRun.scores.bufferScoreJump, playerRun.phases.chute, getContact(playerRun), playerRun.phases.fakie, playerRun.phases.askForRescue,
                        playerRun.phases.replacement, playerRun.phases.putBackTicks, playerRun.phases.numFaceCour, getNumeroFaceCourante(playerRun), playerRun.motion.skieurArrive, (int)playerRun.timing.runTicks,
                        getCollectedBomb(playerRun)};
    put(ints, sizeof ints);
    float pose[poseAngles];
    lirePoseCourante(playerRun.pose, pose);
    put(pose, sizeof pose);
    for (int j = 0; j < nbJointsSquelette; j++) put(playerRider.bones[j].rotation, sizeof playerRider.bones[j].rotation);
    for (float* end : playerRun.pose.skiEnds)
        put(end, 3 * sizeof(float));
    put(playerRun.orientation.faceUpVector, sizeof playerRun.orientation.faceUpVector);
    put(playerRun.orientation.skierFrontVector, sizeof playerRun.orientation.skierFrontVector);
    return b;
}

// Push, and every three seconds a jump with a trick and a turn, and ENTER should he be down.
RunInput recordAt(long ms)
{
    RunInput in;
    long phase = ms % 3000;
    in.held[RB_JUMP] = ms < 100 || (ms > 3000 && phase >= 1000 && phase < 1400);
    in.held[RB_UP] = ms >= 1600;
    in.held[RB_TRICK1 + (ms / 3000) % 6] = ms > 3000 && phase >= 1400 && phase < 1900;
    in.held[RB_LEFT] = phase >= 2000 && phase < 2200;
    in.held[RB_RIGHT] = phase >= 2400 && phase < 2500;
    in.held[RB_ENTER] = phase >= 2600 && phase < 2700;
    return in;
}

// The run at drawRate for some seconds; every tick's state, and the drawing's own work after every
// drawn frame when draw is set (the blend at the frame's fraction and others, the rider skinned and
// given back, the ski traces laid).
// What the frames showed: how often a moving rider was shown where the frame before had him, by
// the last tick's place and by the drawn moment's.
struct FrameSteps {
    int moving = 0, tickStill = 0, drawnStill = 0;
};

std::vector<std::vector<unsigned char>> ride(double drawRate, bool draw, int* airTicks, int* turnedFrames,
                                             FrameSteps* steps = nullptr)
{
    float lastTickX = 0, lastDrawnX = 0;
    std::vector<std::vector<unsigned char>> ticks;
    // a run's reset reads the track before it (the rider's first height): twice on the same track
    // starts from the same state whatever was ridden before
    prepareRun("meadow");
    prepareRun("meadow");
    *airTicks = *turnedFrames = 0;
    long frames = (long)(14 * drawRate);
    for (long f = 0; f < frames && !playerRun.motion.skieurArrive; f++) {
        RunInput sampled = recordAt((long)floor(f * 1000.0 / drawRate + 1e-6));
        sampled.frameps = (float)drawRate;
        runDrawnFrame(runTicker, playerRun, loadedTrack, 1.0 / drawRate, sampled, [&] {
            noteTickDrawn(&drawnTicks, tickTeleported());
            clearRunEvents(playerRun);
            ticks.push_back(runStateBytes());
            if (!getContact(playerRun)) (*airTicks)++;
        });
        if (!draw) continue;
        float drawnX = drawnMoment(drawnTicks, tickFraction(runTicker)).pos[0];
        if (steps && fabsf(playerRun.motion.vitessePrecedente) > 1000 && !playerRun.phases.chute) {
            steps->moving++;
            steps->tickStill += playerRun.motion.Xobjet == lastTickX;
            steps->drawnStill += drawnX == lastDrawnX;
        }
        lastTickX = playerRun.motion.Xobjet, lastDrawnX = drawnX;
        for (float fraction : {tickFraction(runTicker), 0.0f, 0.5f, 1.0f}) {
            DrawnState d = drawnMoment(drawnTicks, fraction);
            RiderPose drawn;
            poseRiderForDrawing(d, drawn);
            updateTraces(loadedTrack, drawn, d.pos, runTicker.ticks);
            restoreRiderPose();
            if (d.yaw != drawnTicks.current.yaw) (*turnedFrames)++;
        }
    }
    skiTraces.reset();
    return ticks;
}

TEST(DrawnState, DrawingAtAnyFractionLeavesTheRunAsIfNeverDrawn)
{
    int air = 0, turned = 0, unused = 0;
    // The run keeps a few timers from the run before (the pose's blend after a turn): a first ride
    // leaves them as every later one of the same ride will.
    ride(144, false, &unused, &unused);
    std::vector<std::vector<unsigned char>> plain = ride(144, false, &unused, &unused);
    FrameSteps steps;
    std::vector<std::vector<unsigned char>> drawn = ride(144, true, &air, &turned, &steps);
    ASSERT_EQ(plain.size(), drawn.size());
    for (size_t i = 0; i < plain.size(); i++) {
        size_t at = 0;
        while (at < plain[i].size() && plain[i][at] == drawn[i][at]) at++;
        ASSERT_TRUE(plain[i] == drawn[i]) << "tick " << i << " byte " << at;
    }
    // the ride flew and turned, and the drawing showed moments other than the ticks
    EXPECT_GT(air, 20);
    EXPECT_GT(turned, 20);
    // at 144 frames a second most frames fall within a tick that another frame has shown: the
    // last tick's place stands still there, the drawn moment moves on every frame
    EXPECT_GT(steps.moving, 500);
    EXPECT_GT(steps.tickStill, steps.moving / 3);
    EXPECT_EQ(0, steps.drawnStill);
}

// A fall's rescue and put-back as the drawing gets them, one tick at a time.
struct RescueDrawn {
    std::vector<float> lift, climb, fade;
    std::vector<short> fading;
    float halfwayFade = -1;  // the fade drawn half way between two of its ticks
    size_t putBack = 0;      // the first tick after the put-back
};

RescueDrawn rideRescue()
{
    prepareRun("meadow");
    playerRun.timing.DEPART = 1, playerRun.timing.LETSGO = 0;
    playerRun.phases.chute = 1, playerRun.phases.tempsChute = 0, playerRun.motion.vitessePrecedente = 0;
    playerRun.phases.askForRescue = 1, playerRun.phases.endOfRescue = 0;
    RescueDrawn r;
    RunInput still;
    still.frameps = 60;
    for (int tick = 0; tick < 1500 && (playerRun.phases.askForRescue || playerRun.phases.replacement || !r.putBack); tick++) {
        runDrawnFrame(runTicker, playerRun, loadedTrack, 1.0 / 60, still, [&] {
            noteTickDrawn(&drawnTicks, tickTeleported());
            clearRunEvents(playerRun);
            r.lift.push_back(drawnTicks.current.rescueLift);
            r.climb.push_back(playerRun.rescueFlight.cameraLift);
            r.fade.push_back(drawnTicks.current.fadeAlpha);
            r.fading.push_back(drawnTicks.current.replacement);
            if (!r.putBack && playerRun.phases.replacement) r.putBack = r.lift.size();
            if (r.halfwayFade < 0 && r.putBack && r.lift.size() == r.putBack + 2)
                r.halfwayFade = drawnMoment(drawnTicks, 0.5f).fadeAlpha;
        });
    }
    return r;
}

TEST(DrawnState, TheRescueCameraFollowsTheRocketATickBehindAndTheFadeRunsItsCourse)
{
    RescueDrawn r = rideRescue();
    ASSERT_GT(r.putBack, 10u) << "the rescue never put the rider back";
    EXPECT_EQ(0.0f, r.lift[0]) << "the camera starts where it stood";
    float highest = 0;
    for (size_t i = 1; i + 1 < r.putBack; i++) {
        EXPECT_EQ(r.climb[i - 1], r.lift[i]) << "tick " << i;
        highest = std::max(highest, r.lift[i]);
    }
    EXPECT_GT(highest, 5000.0f);
    for (size_t i = r.putBack - 1; i < r.lift.size(); i++) EXPECT_EQ(0.0f, r.lift[i]) << "tick " << i;
    // the fade: from nearly clear down to dark over two seconds of ticks, then gone
    size_t fadeTicks = 0;
    for (size_t i = r.putBack - 1; i < r.fade.size() && r.fading[i]; i++, fadeTicks++) {
        EXPECT_LT(r.fade[i], 1.0f) << "tick " << i;
        if (i >= r.putBack) EXPECT_LT(r.fade[i], r.fade[i - 1]) << "tick " << i;
    }
    EXPECT_EQ(120u, fadeTicks);
    EXPECT_EQ(1.0f, r.fade.back());
    EXPECT_EQ(0, r.fading.back());
    float a = r.fade[r.putBack], b = r.fade[r.putBack + 1];
    EXPECT_FLOAT_EQ((a + b) / 2, r.halfwayFade) << "the fade is drawn between its ticks";
}

} // namespace
