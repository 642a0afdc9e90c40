// Collision sweep: sample points, trees, pick-ups, bombs, rails and the rescue placement.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "run/fall.h"
#include "run/rescueFlight.h"
#include "run/runEvents.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTick.h"
#include "sound/gameSounds.h"
#include "support/autopilot.h"
#include "support/planeTrack.h"
#include "support/soundRecorder.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/rescue.h"
#include "track/trackModel.h"

namespace {

coord at(float x, float y, float z) { return coord{x, y, z}; }

int samples(float fromX, float toX, coord* out)
{
    return initPointsToCollideTest(at(fromX, 0, 0), at(toX, 0, 0), out, 90, std::fabs(toX - fromX));
}

TEST(TrackSweepSamples, ShortMovesTestOnlyTheNewPosition)
{
    coord out[maxPointsToTest];
    EXPECT_EQ(samples(0, 270, out), 1);
    EXPECT_FLOAT_EQ(out[0].x, 270);
    EXPECT_EQ(samples(0, 0, out), 1);
    EXPECT_EQ(initPointsToCollideTest(at(0, 0, 0), at(5, 0, 0), out, 90, NAN), 1);
    EXPECT_EQ(initPointsToCollideTest(at(0, 0, 0), at(5, 0, 0), out, 90, INFINITY), 1);
    EXPECT_FLOAT_EQ(out[0].x, 5);
}

TEST(TrackSweepSamples, PointsEvery180UnitsAfterTheFirst270)
{
    coord out[maxPointsToTest];
    ASSERT_EQ(samples(0, 450, out), 2);
    EXPECT_FLOAT_EQ(out[0].x, 270);
    EXPECT_FLOAT_EQ(out[1].x, 450);
    ASSERT_EQ(samples(1000, 2000, out), 6);
    const float expected[] = {1270, 1450, 1630, 1810, 1990, 2000};
    for (int i = 0; i < 6; i++) EXPECT_FLOAT_EQ(out[i].x, expected[i]);
    // along a diagonal the points follow the direction of travel
    coord from = at(0, 0, 0), to = at(600, 0, 800);
    ASSERT_EQ(initPointsToCollideTest(from, to, out, 90, 1000), 6);
    EXPECT_NEAR(out[0].x, 162, 1e-3);
    EXPECT_NEAR(out[0].z, 216, 1e-3);
}

TEST(TrackSweepSamples, LongMovesKeepTheLastHundredPoints)
{
    coord out[maxPointsToTest + 1];
    out[maxPointsToTest].x = -1;  // guard element, must stay untouched
    int n = samples(0, 50000, out);
    ASSERT_EQ(n, maxPointsToTest);
    EXPECT_FLOAT_EQ(out[99].x, 50000);
    EXPECT_FLOAT_EQ(out[98].x, 270 + 276 * 180);  // last sample before 50000
    EXPECT_FLOAT_EQ(out[0].x, 270 + 178 * 180);
    EXPECT_FLOAT_EQ(out[maxPointsToTest].x, -1);
    // exactly one hundred fits without dropping anything
    ASSERT_EQ(samples(0, 270 + 98 * 180 + 1, out), 100);
    EXPECT_FLOAT_EQ(out[0].x, 270);
}

struct Sweep : ::testing::Test {
    TrackModel& track = loadedTrack;
    void SetUp() override
    {
        buildPlaneTrack(true);
        track.initObstacles();
        reinitCollisionSweep(playerRun, 0, 0, 0);
        playerRun.scores.totalCollectable = 0;
        resetCollectedBomb(playerRun, 0);
        setContact(playerRun, 0);
        playerRun.motion.vitessePrecedente = 3000;
    }
    int add(int type, float x, float y, float z)
    {
        int i = 0;
        while (!isObstacleListEnd(track.containerObstacles[i])) i++;
        track.containerObstacles[i].x = x, track.containerObstacles[i].y = y, track.containerObstacles[i].z = z;
        track.containerObstacles[i].type = type;
        playerRun.rider.collision.taken[i] = 0;
        return i;
    }
    int move(float x0, float y0, float z0, float x1, float y1, float z1)
    {
        playerRun.rider.collision.xPrecCol = x0, playerRun.rider.collision.yPrecCol = y0, playerRun.rider.collision.zPrecCol = z0;
        playerRun.motion.Xobjet = x1, playerRun.motion.Yobjet = y1, playerRun.motion.Zobjet = z1;
        return detectCollision(playerRun, loadedTrack);
    }
};

TEST_F(Sweep, TreesKnockOverOnlyAheadAndWithinHalfACell)
{
    add(obstacleSapin, 5000, 0, 0);
    EXPECT_TRUE(move(4000, 100, 0, 4900, 100, 0));
    EXPECT_FLOAT_EQ(playerRun.rider.collision.xPrecCol, 4900);
    // inside the sphere but already passed in X
    EXPECT_FALSE(move(5000, 100, 0, 5000, 100, 0));
    EXPECT_FALSE(move(5010, 100, 0, 5050, 100, 0));
    // beside the tree, more than half a cell across
    EXPECT_FALSE(move(4000, 100, 600, 4950, 100, 600));
    // the crown is hit above the trunk sphere, nothing above the crown
    EXPECT_TRUE(move(4950, 700, 0, 4950, 700, 0));
    EXPECT_FALSE(move(4950, 850, 0, 4950, 850, 0));
}

TEST_F(Sweep, ObstaclesAfterTheListEndAreIgnored)
{
    TrackModel& track = loadedTrack;
    add(obstacleSapin, 100000, 0, 0);
    track.containerObstacles[2] = track.containerObstacles[0];
    track.containerObstacles[2].x = 5000;  // after the end record at 1
    EXPECT_FALSE(move(4000, 100, 0, 4900, 100, 0));
    // a full list with no end record is scanned to its last element
    for (int i = 0; i < maxObstacles; i++) {
        track.containerObstacles[i].x = 100000, track.containerObstacles[i].y = 0, track.containerObstacles[i].z = 0;
        track.containerObstacles[i].type = obstacleSapin;
    }
    track.containerObstacles[maxObstacles - 1].x = 5000;
    EXPECT_TRUE(move(4000, 100, 0, 4900, 100, 0));
}

TEST_F(Sweep, CollectablesAreCountedOnce)
{
    int a = add(obstacleCollectable, 5000, 0, 0);
    add(obstacleCollectable, 6000, 0, 0);
    clearRunEvents(playerRun);
    EXPECT_FALSE(move(4000, 100, 0, 4800, 100, 0));
    EXPECT_EQ(playerRun.scores.totalCollectable, 1);
    EXPECT_EQ(playerRun.rider.collision.boomF, 1);
    EXPECT_EQ(pilotEventCount(RUN_EV_COLLECTABLE), 1);  // its sound
    EXPECT_EQ(playerRun.rider.collision.taken[a], 1);
    EXPECT_EQ(playerRun.rider.collision.indiceDernierCollectable, a);
    // the same place again: already taken, even once another was the last one picked up
    EXPECT_FALSE(move(4000, 100, 0, 4800, 100, 0));
    EXPECT_EQ(playerRun.scores.totalCollectable, 1);
    EXPECT_EQ(playerRun.rider.collision.boomF, 0);
    move(5400, 100, 0, 5800, 100, 0);
    EXPECT_EQ(playerRun.scores.totalCollectable, 2);
    move(4000, 100, 0, 4800, 100, 0);
    EXPECT_EQ(playerRun.scores.totalCollectable, 2);
    EXPECT_EQ(pilotEventCount(RUN_EV_COLLECTABLE), 2);
    EXPECT_EQ(getCollectedBomb(playerRun), 0);
    EXPECT_EQ(pilotEventCount(RUN_EV_BOMB_PICKED), 0);
    clearRunEvents(playerRun);
}

TEST_F(Sweep, BombsAddToTheCounterOnce)
{
    resetCollectedBomb(playerRun, 2);
    int b = add(obstacleBomb, 5000, 0, 0);
    clearRunEvents(playerRun);
    move(4000, 0, 0, 4700, 0, 0);
    EXPECT_EQ(getCollectedBomb(playerRun), 3);
    EXPECT_EQ(playerRun.rider.collision.bombF, 1);
    EXPECT_EQ(playerRun.rider.collision.indiceDerniereBombe, b);
    EXPECT_EQ(playerRun.scores.totalCollectable, 0);
    move(4000, 0, 0, 4700, 0, 0);
    EXPECT_EQ(getCollectedBomb(playerRun), 3);
    EXPECT_EQ(playerRun.rider.collision.bombF, 0);
    // out of reach: a bomb sphere is low on the ground
    add(obstacleBomb, 8000, 0, 0);
    move(7000, 500, 0, 7900, 500, 0);
    EXPECT_EQ(getCollectedBomb(playerRun), 3);
    EXPECT_EQ(pilotEventCount(RUN_EV_BOMB_PICKED), 1);
    EXPECT_EQ(pilotEventCount(RUN_EV_COLLECTABLE), 0);
    clearRunEvents(playerRun);
}

TEST_F(Sweep, LandingOnARailFromAboveGrinds)
{
    add(obstacleRail, 5000, 0, 0);
    EXPECT_FALSE(move(6000, 200, 0, 6000, 100, 10));
    EXPECT_EQ(playerRun.rider.collision.usingYRail, 1);
    EXPECT_FLOAT_EQ(playerRun.rider.collision.yRail, 66);
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 3000 / 1.05, 0.01);
    // already grinding: rising on the bar still rides it; leaving it ends the grind
    EXPECT_FALSE(move(6000, 100, 0, 6200, 120, 0));
    EXPECT_EQ(playerRun.rider.collision.usingYRail, 1);
    EXPECT_EQ(playerRun.rider.collision.lastUsingYRail, 1);
    EXPECT_FALSE(move(6200, 120, 0, 6300, 600, 0));
    EXPECT_EQ(playerRun.rider.collision.usingYRail, 0);
}

TEST_F(Sweep, GrindingNeverSlowsBelow1200)
{
    add(obstacleRail, 5000, 0, 0);
    playerRun.motion.vitessePrecedente = 1210;
    move(6000, 200, 0, 6000, 100, 0);
    EXPECT_FLOAT_EQ(playerRun.motion.vitessePrecedente, 1200);
    playerRun.motion.vitessePrecedente = 800;
    move(6000, 200, 0, 6000, 100, 0);
    EXPECT_FLOAT_EQ(playerRun.motion.vitessePrecedente, 1200);
    playerRun.motion.vitessePrecedente = 1500;
    move(6000, 200, 0, 6000, 100, 0);
    EXPECT_NEAR(playerRun.motion.vitessePrecedente, 1500 / 1.05, 0.01);
}

// A grind slows the rider as much in a second at either tick length, slow or fast enough for a
// tick's sweep to hold several samples.
struct GrindTicks : Sweep {
    void TearDown() override
    {
        runTickSeconds = 1.0 / runTicksPerSecond;
        playerRun.timing.runTicks = 0;
    }
    // The speed left after landing on the bar and grinding along it for `seconds` at `unitsPerSecond`,
    // the ticks counted as the run counts them (a slowdown is given as each 1/60 s ends).
    float grindAt(double ticksPerSecond, float unitsPerSecond, double seconds)
    {
        move(5100, 200, 0, 5100, 100, 0);  // onto the bar at the tuned tick
        EXPECT_EQ(playerRun.rider.collision.usingYRail, 1);
        playerRun.motion.vitessePrecedente = 20000;
        runTickSeconds = 1.0 / ticksPerSecond;
        float x = 5100, step = (float)(unitsPerSecond * runTickSeconds);
        long ticks = lround(seconds * ticksPerSecond);
        for (playerRun.timing.runTicks = 1; playerRun.timing.runTicks <= ticks; playerRun.timing.runTicks++, x += step) move(x, 100, 0, x + step, 100, 0);
        EXPECT_EQ(playerRun.rider.collision.usingYRail, 1) << "rode off the bar";
        runTickSeconds = 1.0 / runTicksPerSecond;
        return playerRun.motion.vitessePrecedente;
    }
};

TEST_F(GrindTicks, AGrindSlowsAsMuchEverySecondAtEitherTickLength)
{
    add(obstacleRail, 5000, 0, 0);
    // 100 units a 1/60 s: one sample a tick; 500: three (270, 450, 500)
    const float slow = 6000, fast = 30000;
    EXPECT_NEAR(grindAt(60, slow, 0.05), 20000 / powf(1.05f, 3), 1.0f);
    EXPECT_NEAR(grindAt(120, slow, 0.05), 20000 / powf(1.05f, 3), 1.0f);
    EXPECT_NEAR(grindAt(60, fast, 0.05), 20000 / powf(1.05f, 9), 1.0f);
    EXPECT_NEAR(grindAt(120, fast, 0.05), 20000 / powf(1.05f, 9), 1.0f);
    EXPECT_NEAR(grindAt(240, fast, 0.05), 20000 / powf(1.05f, 9), 1.0f);
}

TEST_F(Sweep, RailsCrashFromTheGroundWhileRisingOrOffLine)
{
    add(obstacleRail, 5000, 0, 0);
    setContact(playerRun, 1);
    EXPECT_TRUE(move(6000, 200, 0, 6000, 100, 0));
    setContact(playerRun, 0);
    EXPECT_TRUE(move(6000, 0, 0, 6000, 100, 0));
    EXPECT_EQ(playerRun.rider.collision.usingYRail, 0);
    // touching the bar 80 units across it
    EXPECT_TRUE(move(6000, 200, 80, 6000, 100, 80));
    EXPECT_FALSE(move(6000, 200, 60, 6000, 100, 60));
    EXPECT_FLOAT_EQ(playerRun.motion.vitessePrecedente, 3000 / 1.05f);
}

TEST_F(Sweep, RailSupportsKnockOver)
{
    add(obstacleRail, 5000, 0, 0);
    EXPECT_TRUE(move(5400, -1000, 0, 5500, -1000, 0));  // support at 500.6
    EXPECT_TRUE(move(7939, -3300, 0, 7939, -3300, 0));  // the last, longest support
    EXPECT_FALSE(move(7950, -3300, 0, 7950, -3300, 0));  // rails are not looked at this far behind
    EXPECT_FALSE(move(5700, -1000, 0, 5800, -1000, 0));  // between supports
    EXPECT_FALSE(move(4000, -2500, 0, 4990, -2500, 0));  // below the first support
    EXPECT_EQ(playerRun.rider.collision.usingYRail, 0);
}

TEST_F(Sweep, RailSpheresAreHitUpToTheirEdges)
{
    int r = add(obstacleRail, 5000, 1000, 0);
    setContact(playerRun, 1);
    EXPECT_TRUE(isCollisionRail(playerRun, loadedTrack, 90, 5000 + 2955 + 139, 1066, -1, r, 1));  // top of the last support
    EXPECT_FALSE(isCollisionRail(playerRun, loadedTrack, 90, 5000 + 2955 + 141, 1066, -1, r, 1));
    EXPECT_TRUE(isCollisionRail(playerRun, loadedTrack, 90, 5000 - 9 - 139, 1066, -1, r, 1));
    EXPECT_TRUE(isCollisionRail(playerRun, loadedTrack, 90, 5000 - 9, 1000 - 2134 - 139, -1, r, 1));  // foot of the first support
    EXPECT_FALSE(isCollisionRail(playerRun, loadedTrack, 90, 5000 - 9, 1000 - 2134 - 141, -1, r, 1));
    EXPECT_TRUE(isCollisionRail(playerRun, loadedTrack, 90, 5000 + 2955, 1000 - 3434 - 139, -1, r, 1));  // foot of the last one
    EXPECT_TRUE(isCollisionRail(playerRun, loadedTrack, 90, 5000 + 1720, 566, -1 + 139, r, 1));
    EXPECT_FALSE(isCollisionRail(playerRun, loadedTrack, 90, 5000 + 1720, 566, -1 + 141, r, 1));
}

TEST_F(Sweep, GrindStartsOnceAndStopsWhenTheRailEndsAsEvents)
{
    add(obstacleRail, 5000, 0, 0);
    clearRunEvents(playerRun);
    move(6000, 200, 0, 6000, 100, 0);
    move(6000, 100, 0, 6100, 100, 0);
    EXPECT_EQ(pilotEventCount(RUN_EV_GRIND_START), 1);
    EXPECT_EQ(pilotEventCount(RUN_EV_GRIND_STOP), 0);
    move(6100, 100, 0, 6200, 600, 0);
    EXPECT_EQ(pilotEventCount(RUN_EV_GRIND_STOP), 1);
    clearRunEvents(playerRun);
    setContact(playerRun, 1);
    EXPECT_TRUE(move(6000, 200, 0, 6000, 100, 0));
    ASSERT_EQ(runEvents(playerRun).count, 1);  // the cling of the crash, where the rider is
    EXPECT_EQ(runEvents(playerRun).items[0].kind, RUN_EV_RAIL_CLING);
    EXPECT_FLOAT_EQ(runEvents(playerRun).items[0].x, playerRun.motion.Xobjet);
    clearRunEvents(playerRun);
}

TEST_F(Sweep, ObstacleIndexOutsideTheListIsNoHit)
{
    EXPECT_FALSE(isCollisionSapin(loadedTrack, 90, 0, 0, 0, -1));
    EXPECT_FALSE(isCollisionCollectable(loadedTrack, 90, 0, 0, 0, maxObstacles));
    EXPECT_FALSE(isCollisionBomb(loadedTrack, 90, 0, 0, 0, 100000));
    EXPECT_FALSE(isCollisionRail(playerRun, loadedTrack, 90, 0, 0, 0, maxObstacles, 1));
}

struct Rescue : ::testing::Test {
    void SetUp() override
    {
        buildPlaneTrack(false);
        loadedTrack.initReplaceSkier();
        playerRun.motion.Xobjet = 7000, playerRun.motion.Yobjet = 9999, playerRun.motion.Zobjet = 300;
        playerRun.phases.chute = 1;
        playerRun.phases.replacement = 0;
        playerRun.motion.vitessePrecedente = 2500;
        playerRun.orientation.rotSkierY = 45;
    }
};

TEST_F(Rescue, PutsTheRiderStandingOnTheNearestPointAbove)
{
    TrackModel& track = loadedTrack;
    const float xs[] = {1000, 5000, 9000};
    for (int i = 0; i < 3; i++) track.replaceSkier[i][0] = xs[i], track.replaceSkier[i][1] = 0, track.replaceSkier[i][2] = -2000;
    replaceSkierOperation(playerRun, loadedTrack);
    EXPECT_FLOAT_EQ(playerRun.motion.Xobjet, 5000);
    EXPECT_FLOAT_EQ(playerRun.motion.Zobjet, -2000);
    EXPECT_NEAR(playerRun.motion.Yobjet, planeTrackHeight(5000, -2000), 0.5);
    EXPECT_FLOAT_EQ(getXobjet_inc(playerRun), 5000);
    EXPECT_FLOAT_EQ(playerRun.rider.collision.xPrecCol, 5000);
    EXPECT_FLOAT_EQ(playerRun.rider.collision.zPrecCol, -2000);
    EXPECT_FLOAT_EQ(playerRun.rider.collision.yPrecCol, playerRun.motion.Yobjet);
    EXPECT_FLOAT_EQ(playerRun.motion.Xprec, 5000);
    EXPECT_EQ(playerRun.phases.numFaceCour, getNumeroFaceCourante(playerRun));
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.phases.replacement, 1);
    EXPECT_FLOAT_EQ(playerRun.motion.vitessePrecedente, 0);
    EXPECT_FLOAT_EQ(playerRun.orientation.rotSkierY, 0);
}

TEST_F(Rescue, WithoutRescuePointsTheRiderGetsUpWhereHeIs)
{
    replaceSkierOperation(playerRun, loadedTrack);
    EXPECT_FLOAT_EQ(playerRun.motion.Xobjet, 7000);
    EXPECT_FLOAT_EQ(playerRun.motion.Zobjet, 300);
    EXPECT_NEAR(playerRun.motion.Yobjet, planeTrackHeight(7000, 300), 0.5);
    EXPECT_EQ(playerRun.phases.chute, 0);
    EXPECT_EQ(playerRun.phases.replacement, 1);
}

}  // namespace

// The run counts the rescue itself: no drawing is needed for the rider to be put back.
TEST_F(Rescue, RocketThenFireworkThenPutBackCountedByTheRun)
{
    resetRescueFlight(playerRun);
    clearRunEvents(playerRun);
    playerRun.timing.frameps = 60;
    playerRun.phases.askForRescue = 1, playerRun.phases.endOfRescue = 0;
    std::vector<RunEventKind> kinds;
    std::vector<float> lifts;
    int frames = 0;
    for (; playerRun.phases.askForRescue && frames < 1000; frames++) {
        rescueProgress(playerRun, loadedTrack);
        lifts.push_back(playerRun.rescueFlight.cameraLift);
        for (int i = 0; i < runEvents(playerRun).count; i++) kinds.push_back(runEvents(playerRun).items[i].kind);
        clearRunEvents(playerRun);
    }
    ASSERT_LT(frames, 1000);
    ASSERT_EQ(kinds.size(), 3u);
    EXPECT_EQ(kinds[0], RUN_EV_RESCUE_LAUNCH);
    EXPECT_EQ(kinds[1], RUN_EV_RESCUE_FIREWORK);
    EXPECT_EQ(kinds[2], RUN_EV_PUT_BACK);
    EXPECT_EQ(playerRun.phases.replacement, 1);
    EXPECT_EQ(playerRun.phases.endOfRescue, 1);
    EXPECT_GT(lifts[0], 0.0f);  // the rocket climbs from its first tick
    EXPECT_GT(lifts[frames / 2], 1000.0f);
    EXPECT_FLOAT_EQ(playerRun.rescueFlight.cameraLift, 0.0f);  // ready for the next rescue
    // The next rescue takes exactly as long.
    playerRun.phases.askForRescue = 1, playerRun.phases.endOfRescue = 0;
    int again = 0;
    for (; playerRun.phases.askForRescue && again < 1000; again++) rescueProgress(playerRun, loadedTrack);
    EXPECT_EQ(again, frames);
    clearRunEvents(playerRun);
}
