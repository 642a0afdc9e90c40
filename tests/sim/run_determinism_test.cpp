// The run alone, with no display, sound or keyboard: the same records give the same run, bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/runEvents.h"
#include "run/runFeedback.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "simRun.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "run/timedInput.h"
#include "run/trickInput.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "trickSequence.h"

namespace {

const long clockStart = 100000;
const float riderWeight = 70.0f;

// What a frame leaves behind that the player can see or that counts.
struct Snapshot {
    float x, y, z, speed, rotX, rotY, rotZ, pitch, time, groundY, stopped;
    int score, collectables, bombs, face;
    short fallen, contact, finished, fakie, rescue, replacement;
    bool operator==(const Snapshot& o) const { return memcmp(this, &o, sizeof *this) == 0; }
};

Snapshot snapshot()
{
    Snapshot s;
    memset(&s, 0, sizeof s);  // padding too: compared byte for byte
    s.x = simRun.motion.Xobjet, s.y = simRun.motion.Yobjet, s.z = simRun.motion.Zobjet, s.speed = simRun.motion.vitessePrecedente;
    s.rotX = simRun.orientation.rotSkierX, s.rotY = simRun.orientation.rotSkierY, s.rotZ = simRun.orientation.rotSkierZ, s.pitch = simRun.orientation.angleDePlacementEffectif;
    s.time = simRun.timing.totalTime, s.score = simRun.scores.totalScore, s.collectables = simRun.scores.totalCollectable, s.bombs = getCollectedBomb(simRun);
    s.fallen = simRun.phases.chute, s.contact = (short)getContact(simRun), s.finished = simRun.motion.skieurArrive, s.fakie = simRun.phases.fakie;
    s.rescue = simRun.phases.askForRescue, s.replacement = (short)simRun.phases.replacement;
    s.groundY = getYobjetCour(simRun), s.face = getNumeroFaceCourante(simRun), s.stopped = (float)simRun.told.stoppedSeconds;
    return s;
}

std::string describe(const Snapshot& s)
{
    char t[256];
    snprintf(t, sizeof t, "x %.3f y %.3f z %.3f v %.3f rot %.2f %.2f %.2f pitch %.2f score %d fall %d contact %d fakie %d t %.4f c %d b %d r %d %d ground %d %.3f stopped %.3f",
             s.x, s.y, s.z, s.speed, s.rotX, s.rotY, s.rotZ, s.pitch, s.score, s.fallen, s.contact, s.fakie, s.time, s.collectables, s.bombs, s.rescue, s.replacement, s.face, s.groundY, s.stopped);
    return t;
}

std::string trackPath(const std::string& name)
{
    return std::string(KESTRUNE_SOURCE_DIR) + "/data/tracks/" + name + "/" + name + ".btrk";
}

// A fresh run on a shipped track, as the game loop prepares one.
void prepareRun(const std::string& name)
{
    const TrackModel& track = loadedTrack;
    storeByteOrder(0);
    theTrasher->weight = riderWeight;
    videPileBoutons(simRun);
    reinitGameVar(simRun, loadedTrack);
    simRun.orientation.amplitudeRotationX = 0.0f;
    simRun.phases.sautLincolnLoopDroite = simRun.phases.sautLincolnLoopGauche = 0;
    ASSERT_EQ(importTrackFromBinaryFile(loadedTrack, trackPath(name).c_str()), trackLoadOk) << name;
    resetCollectedBomb(simRun, track.bombsQty);
    placeSkierAtStart(simRun, loadedTrack, clockStart);
    clearRunEvents(simRun);
}

// What a run came to, as the rider would tell it.
struct Outcome {
    float finish = -1, highest = 0, airTime = 0, topSpeed = 0;
    int score = 0;
    std::vector<float> grindSeconds, speedOffRail;  // each grind: how long, and the speed it left the rail at
};

struct Ride {
    std::vector<Snapshot> ticks;
    std::vector<int> events;  // kinds, with -1 closing each tick
    Outcome out;
};

// The highest flight above the last take-off, and the time off the ground, tick by tick.
struct FlightTally {
    float takeOffY = 0, groundY = 0;
    short wasOnGround = 1;
    void tick(Outcome& o)
    {
        short ground = (short)getContact(simRun);
        if (wasOnGround && !ground) takeOffY = groundY;
        groundY = simRun.motion.Yobjet;
        if (simRun.motion.vitessePrecedente > o.topSpeed) o.topSpeed = simRun.motion.vitessePrecedente;
        if (!ground) {
            o.airTime += (float)runTickSeconds;
            if (simRun.motion.Yobjet - takeOffY > o.highest) o.highest = simRun.motion.Yobjet - takeOffY;
        }
        wasOnGround = ground;
        if (simRun.rider.collision.usingYRail && !grinding) o.grindSeconds.push_back(0);
        if (simRun.rider.collision.usingYRail) o.grindSeconds.back() += (float)runTickSeconds;
        if (grinding && !simRun.rider.collision.usingYRail) o.speedOffRail.push_back(simRun.motion.vitessePrecedente);
        grinding = simRun.rider.collision.usingYRail;
    }
    short grinding = 0;
};

// Drawn frames at drawRate, the records sampled at each, the ticks run as they fall due.
// Stopped early, after the first tick where leaveWhen holds, when one is given.
Ride ride(const std::string& track, double drawRate, float maxSeconds, const std::function<RunInput(long)>& input,
          const std::function<bool()>& leaveWhen = nullptr)
{
    Ride r;
    FlightTally flight;
    prepareRun(track);
    startRunTicker(runTicker, clockStart);
    long frames = (long)(maxSeconds * drawRate);
    bool left = false;
    for (long f = 0; f < frames && !simRun.motion.skieurArrive && !left; f++) {
        RunInput sampled = input((long)floor(f * 1000.0 / drawRate + 1e-6));
        sampled.frameps = (float)drawRate;
        runDrawnFrame(runTicker, simRun, loadedTrack, 1.0 / drawRate, sampled, [&] {
            if (r.out.finish >= 0) return;  // ticks after the finish, within the frame
            r.ticks.push_back(snapshot());
            for (int i = 0; i < runEvents(simRun).count; i++) r.events.push_back(runEvents(simRun).items[i].kind);
            r.events.push_back(-1);
            clearRunEvents(simRun);
            flight.tick(r.out);
            if (simRun.motion.skieurArrive) r.out.finish = simRun.timing.totalTime;
            left = left || (leaveWhen && leaveWhen());
        });
    }
    r.out.score = simRun.scores.totalScore;
    return r;
}

Ride rideTricks(const std::string& track, double drawRate, float maxSeconds)
{
    return ride(track, drawRate, maxSeconds, [](long ms) { return recordAt(ms, true); });
}

void expectSameTicks(const Ride& a, const Ride& b, const std::string& what)
{
    ASSERT_EQ(a.ticks.size(), b.ticks.size()) << what;
    for (size_t i = 0; i < a.ticks.size(); i++)
        ASSERT_TRUE(a.ticks[i] == b.ticks[i]) << what << " tick " << i << ": " << describe(a.ticks[i]) << " / " << describe(b.ticks[i]);
    EXPECT_EQ(a.events, b.events) << what;
    EXPECT_EQ(a.out.finish, b.out.finish) << what;
    EXPECT_EQ(a.out.score, b.out.score) << what;
    EXPECT_EQ(a.out.highest, b.out.highest) << what;
    EXPECT_EQ(a.out.airTime, b.out.airTime) << what;
}

TEST(RunDeterminism, SameTrackAndRecordsGiveTheSameRunAndEvents)
{
    Ride a = rideTricks("ironpark", 60, 120);
    Ride b = rideTricks("ironpark", 60, 120);
    expectSameTicks(a, b, "ironpark twice");
    printf("[ ridden   ] %zu ticks, %zu events, finish %.2f s, score %d, highest flight %.0f, air %.2f s\n",
           a.ticks.size(), a.events.size() - a.ticks.size(), a.out.finish, a.out.score, a.out.highest, a.out.airTime);
    // The sequence did something worth comparing: the rider moved, flew, and sounds and snow happened.
    EXPECT_GT(a.ticks.back().x - a.ticks.front().x, 1000.0f);
    EXPECT_GT(a.events.size(), a.ticks.size() + 5);
    EXPECT_GT(a.out.highest, 500.0f);
    EXPECT_GT(a.out.airTime, 2.0f);
    // The feel at 60 frames a second is kept: the same sequence, ridden by the game as it was before
    // the run had its own clock (one step a frame), came to these.
    const float finishBefore = 85.20f, highestBefore = 6171, airBefore = 11.15f, scoreBefore = 89927;
    EXPECT_NEAR(a.out.finish, finishBefore, 0.05f * finishBefore);
    EXPECT_NEAR(a.out.highest, highestBefore, 0.05f * highestBefore);
    EXPECT_NEAR(a.out.airTime, airBefore, 0.05f * airBefore);
    EXPECT_NEAR((float)a.out.score, scoreBefore, 0.05f * scoreBefore);
}

// The run steps on its own clock: drawn slowly or fast, the same input gives the same ticks, the
// same flights and the same score.
TEST(RunDeterminism, EveryDrawnRateGivesTheSameTicksFlightsAndScore)
{
    for (const char* track : {"ironpark", "meadow"}) {
        Ride reference = rideTricks(track, 60, 90);
        EXPECT_GT(reference.out.highest, 500.0f) << track;
        for (double rate : {20.0, 30.0, 120.0}) {
            Ride other = rideTricks(track, rate, 90);
            expectSameTicks(reference, other, std::string(track) + " at " + std::to_string((int)rate) + " fps");
        }
    }
}

// A pass-through of 100 ms at 20 frames a second, a tap shorter than a tick at 144: each counts once.
TEST(RunDeterminism, AKeyTappedBetweenTicksCountsOnce)
{
    prepareRun("meadow");
    startRunTicker(runTicker, clockStart);
    RunInput none, jump;
    jump.held[RB_JUMP] = 1;
    // Two samples at 1/144 s between two ticks: held, then let go before the tick falls due.
    runDrawnFrame(runTicker, simRun, loadedTrack, 0.004, jump);
    EXPECT_EQ(simRun.timing.LETSGO, 0);
    runDrawnFrame(runTicker, simRun, loadedTrack, 0.004, none);
    EXPECT_EQ(runTicker.ticks, 0);
    EXPECT_EQ(runDrawnFrame(runTicker, simRun, loadedTrack, 0.009, none), 1);
    EXPECT_EQ(simRun.timing.LETSGO, 1) << "the tap started the countdown";
    // A frame of three ticks: the first has the held key, all three the latest sample.
    long before = runTicker.ticks;
    EXPECT_EQ(runDrawnFrame(runTicker, simRun, loadedTrack, 0.05, none), 3);
    EXPECT_EQ(runTicker.ticks, before + 3);
}

// A stall is dropped: one tick, not a quarter second's worth caught up.
TEST(RunDeterminism, ALongStallIsDroppedNotCaughtUp)
{
    prepareRun("meadow");
    startRunTicker(runTicker, clockStart);
    RunInput none;
    EXPECT_EQ(runDrawnFrame(runTicker, simRun, loadedTrack, 2.0, none), 1);
    EXPECT_EQ(runDrawnFrame(runTicker, simRun, loadedTrack, 0.25, none), 15);
    EXPECT_EQ(runDrawnFrame(runTicker, simRun, loadedTrack, 1.0 / 120, none), 0);
    EXPECT_EQ(runDrawnFrame(runTicker, simRun, loadedTrack, 1.0 / 120, none), 1);
}

// Everything in the run is stated per second: halving the tick moves nothing a player sees by
// more than 2 %: finish times straight down, and a jump's height, time in the air and points.
struct HalfTick : ::testing::Test {
    void TearDown() override { runTickSeconds = 1.0 / runTicksPerSecond; }
    Outcome at(double ticksPerSecond, const std::string& track, float seconds, const std::function<RunInput(long)>& input)
    {
        runTickSeconds = 1.0 / ticksPerSecond;
        Outcome o = ride(track, 60, seconds, input).out;
        runTickSeconds = 1.0 / runTicksPerSecond;
        return o;
    }
};

void expectWithin(float a, float b, float share, const std::string& what)
{
    EXPECT_NEAR(a, b, share * fabsf(b)) << what;
}

TEST_F(HalfTick, FinishTimesMoveUnderTwoPercent)
{
    auto straight = [](long ms) { return recordAt(ms, false); };
    for (const char* track : {"gullypipe", "ironpark", "meadow", "timberline"}) {
        Outcome a = at(runTicksPerSecond, track, 300, straight), b = at(2 * runTicksPerSecond, track, 300, straight);
        ASSERT_GT(a.finish, 0) << track;
        printf("[ half tick] %s: finish %.2f / %.2f s\n", track, a.finish, b.finish);
        expectWithin(b.finish, a.finish, 0.02f, std::string(track) + " finish");
    }
}

// Push to speed, then a charged jump from the snow with a spin, a flip and a trick held.
RunInput oneJump(long ms)
{
    RunInput in = recordAt(ms, false);
    in.held[RB_JUMP] = ms < 100 || (ms >= 3000 && ms < 3600);
    in.held[RB_RIGHT] = ms >= 3500 && ms < 3700;  // set on the snow with the jump key, spun in the air
    in.held[RB_UP] = ms >= 1600 && (ms < 2900 || ms >= 4100);
    in.held[RB_TRICK1] = ms >= 3650 && ms < 3850;
    return in;
}

TEST_F(HalfTick, AJumpsHeightAirTimeAndPointsMoveUnderTwoPercent)
{
    Outcome a = at(runTicksPerSecond, "meadow", 5.5f, oneJump), b = at(2 * runTicksPerSecond, "meadow", 5.5f, oneJump);
    printf("[ half tick] jump: highest %.0f / %.0f, air %.3f / %.3f s, points %d / %d\n", a.highest, b.highest,
           a.airTime, b.airTime, a.score, b.score);
    ASSERT_GT(a.highest, 300.0f);
    ASSERT_GT(a.score, 1000);
    expectWithin(b.highest, a.highest, 0.02f, "highest flight");
    // Touch-down is a threshold crossed on a tick: it is seen up to a tick late at either length.
    EXPECT_NEAR(b.airTime, a.airTime, 0.02f * a.airTime + 1.01 / runTicksPerSecond) << "air time";
    expectWithin((float)b.score, (float)a.score, 0.02f, "points");
}

// Iron Park's first booster takes the rider from a push to some 38,000: as fast at either tick length.
TEST_F(HalfTick, ABoosterGivesTheSameSpeedUnderTwoPercent)
{
    auto straight = [](long ms) { return recordAt(ms, false); };
    Outcome a = at(runTicksPerSecond, "ironpark", 8, straight), b = at(2 * runTicksPerSecond, "ironpark", 8, straight);
    printf("[ half tick] booster: top speed %.0f / %.0f\n", a.topSpeed, b.topSpeed);
    ASSERT_GT(a.topSpeed, 30000.0f) << "the booster was not ridden";
    expectWithin(b.topSpeed, a.topSpeed, 0.02f, "speed off the booster");
}

// Iron Park ridden down its marked line pushing, the jump key held up the two kickers that throw
// the rider onto the rails behind them and let go at their lips: the grinds, the flights off the
// rails' ends and the finish come out alike at either tick length.
RunInput lineKickers(long ms)
{
    struct Kicker { float row, ramp; };
    const Kicker onTheLine[] = {{24, 1}, {88, 1}};  // the recipe's kickers across lane 0
    RunInput in = recordAt(ms, false);
    float row = simRun.motion.Xobjet / longueurFace;
    for (const Kicker& k : onTheLine) in.held[RB_JUMP] = in.held[RB_JUMP] || (row > k.row - 1.5f && row < k.row + k.ramp);
    in.held[RB_UP] = in.held[RB_UP] && !in.held[RB_JUMP];
    return in;
}

// Landing on the bar and leaving it are thresholds crossed on a tick, seen up to a tick late at
// either length: a grind's time may differ by a tick, and its speed by a tick's slowdown (1.05 for
// each 180 units a 1/60 s covers past the first 270, and once more).
float oneTickOfGrinding(float speed)
{
    float perTick = speed / runTicksPerSecond;
    return powf(1.05f, 1 + (perTick > 270 ? ceilf((perTick - 270) / 180) : 0));
}

TEST_F(HalfTick, IronParksRailsAreGroundAlikeAtEitherTickLength)
{
    Outcome a = at(runTicksPerSecond, "ironpark", 150, lineKickers), b = at(2 * runTicksPerSecond, "ironpark", 150, lineKickers);
    printf("[ half tick] rails: points %d / %d, finish %.2f / %.2f s\n", a.score, b.score, a.finish, b.finish);
    ASSERT_GE(a.grindSeconds.size(), 2u) << "the line's two rails were not ground";
    ASSERT_EQ(b.grindSeconds.size(), a.grindSeconds.size());
    ASSERT_EQ(a.speedOffRail.size(), a.grindSeconds.size());
    ASSERT_EQ(b.speedOffRail.size(), a.speedOffRail.size());
    const float tick = 1.0f / runTicksPerSecond;
    for (size_t i = 0; i < a.grindSeconds.size(); i++) {
        printf("[ half tick] rail %zu: ground %.3f / %.3f s, left at %.0f / %.0f\n", i, a.grindSeconds[i],
               b.grindSeconds[i], a.speedOffRail[i], b.speedOffRail[i]);
        std::string rail = "rail " + std::to_string(i);
        EXPECT_GT(a.grindSeconds[i], 0.1f) << rail;
        EXPECT_NEAR(b.grindSeconds[i], a.grindSeconds[i], 0.02f * a.grindSeconds[i] + 1.01f * tick) << rail;
        float off = a.speedOffRail[i], spread = 1.02f * oneTickOfGrinding(off);
        EXPECT_GT(b.speedOffRail[i], off / spread) << rail;
        EXPECT_LT(b.speedOffRail[i], off * spread) << rail;
    }
    // Grinding is what scores on this line: 150,000 a second on a rail.
    EXPECT_GT(a.score, 50000);
    EXPECT_NEAR((float)b.score, (float)a.score, 0.02f * a.score + 150000 * tick * a.grindSeconds.size());
    ASSERT_GT(a.finish, 0) << "did not finish";
    expectWithin(b.finish, a.finish, 0.02f, "finish");
}

// A run in a process that has ridden other tracks before it, each left in the middle of something,
// rides as the same run ridden first: tick for tick, event for event.
TEST(RunDeterminism, ARunRidesTheSameAfterRunsLeftHalfwayOnOtherTracks)
{
    Ride first = rideTricks("ironpark", 60, 90);
    ASSERT_GT(first.out.highest, 500.0f);
    auto tricks = [](long ms) { return recordAt(ms, true); };
    auto straight = [](long ms) { return recordAt(ms, false); };
    struct Halfway {
        const char* what;
        const char* track;
        std::function<RunInput(long)> input;
        std::function<bool()> reached;
    };
    const Halfway left[] = {
        {"spinning in the air", "meadow", tricks, [] { return getContact(simRun) == 0 && simRun.orientation.amplitudeRotationY != 0; }},
        {"grinding", "ironpark", lineKickers, [] { return simRun.rider.collision.usingYRail != 0; }},
        {"on the booster", "ironpark", straight, [] { return simRun.motion.vitessePrecedente > 30000.0f; }},
        {"landing", "railgarden", tricks, [] { return simRun.phases.changementContact != 0 && simRun.tricks.deroulementFigure > 0; }},
        {"fallen", "gullypipe", tricks, [] { return simRun.phases.chute != 0; }},
        {"put back", "stormbowl", tricks, [] { return simRun.phases.replacement != 0; }},
    };
    for (const Halfway& h : left) {
        ride(h.track, 60, 150, h.input, h.reached);
        EXPECT_TRUE(!simRun.motion.skieurArrive && h.reached()) << h.track << " was never left " << h.what;
    }
    Ride again = rideTricks("ironpark", 60, 90);
    expectSameTicks(first, again, "ironpark after runs left halfway");
}

bool sameRiderState(const RiderState& a, const RiderState& b)
{
    const GroundContact &g = a.ground, &h = b.ground;
    const float *r = a.jump.ratesBefore, *q = b.jump.ratesBefore;
    return g.numeroFaceCourante == h.numeroFaceCourante && g.YobjetCour == h.YobjetCour && g.Xobjet_inc == h.Xobjet_inc &&
           g.contact == h.contact && g.ancienContact == h.ancienContact && g.previousSurface == h.previousSurface &&
           a.jump.exactJumpPoints == b.jump.exactJumpPoints && r[0] == q[0] && r[1] == q[1] && r[2] == q[2] &&
           a.landing.lastDegreesOff == b.landing.lastDegreesOff && a.poling.arm == b.poling.arm &&
           a.poling.head == b.poling.head && a.riddenSinceStart == b.riddenSinceStart;
}

bool sameSweep(const CollisionSweep& a, const CollisionSweep& b)
{
    return a.xPrecCol == b.xPrecCol && a.yPrecCol == b.yPrecCol && a.zPrecCol == b.zPrecCol &&
           a.usingYRail == b.usingYRail && a.lastUsingYRail == b.lastUsingYRail && a.yRail == b.yRail &&
           a.indiceDernierCollectable == b.indiceDernierCollectable && a.indiceDerniereBombe == b.indiceDerniereBombe &&
           a.boomF == b.boomF && a.bombF == b.bombF && a.lastHitObstacleType == b.lastHitObstacleType &&
           a.steps.samples == b.steps.samples && a.steps.onBar == b.steps.onBar &&
           a.steps.distance == b.steps.distance && a.steps.steps == b.steps.steps;
}

// Whatever the rider carried from tick to tick is started afresh with the run: a run begun over
// leftovers in every part of it rides as one begun clean, and ends holding the same.
TEST(RunDeterminism, WhatTheRiderCarriesIsStartedAfreshWithTheRun)
{
    simRun.rider = RiderState{};  // as a fresh process holds it
    Ride clean = rideTricks("meadow", 60, 60);
    const RiderState afterClean = simRun.rider;
    RiderState leftovers;
    leftovers.ground = {4321, -777.0f, 99999.0f, 0, 1, surfaceBooster};
    leftovers.jump.exactJumpPoints = 1234.75;
    leftovers.jump.ratesBefore[0] = leftovers.jump.ratesBefore[1] = leftovers.jump.ratesBefore[2] = 9.0f;
    leftovers.landing.lastDegreesOff = 80;
    leftovers.poling = {-12.0f, 33.0f};
    leftovers.collision = {-3000.0f, 8000.0f, 900.0f, 1, 1, 7777.0f, 12, 3, 1, 1, obstacleRail, {17, 9, 4000.0f, 2.5}};
    leftovers.riddenSinceStart = 1;
    simRun.rider = leftovers;
    Ride over = rideTricks("meadow", 60, 60);
    expectSameTicks(clean, over, "meadow over leftovers");
    EXPECT_TRUE(sameRiderState(afterClean, simRun.rider));
    EXPECT_TRUE(sameSweep(afterClean.collision, simRun.rider.collision));
    EXPECT_FALSE(sameRiderState(leftovers, simRun.rider));
    EXPECT_FALSE(sameSweep(leftovers.collision, simRun.rider.collision));
}

} // namespace
