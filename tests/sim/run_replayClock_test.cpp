// The replay's clock and the ride it drives: paused, at every speed, stepped and jumped back and on,
// the run state is the one a straight ride has at the same tick, bit for bit; and the timeline's marks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "recordedRun.h"
#include "run/replayClock.h"
#include "run/replayMarks.h"
#include "run/replayRide.h"
#include "run/runTick.h"
#include "skier/positionDef.h"
#include "track/planLib.h"

namespace {

using namespace recorded_run;

const double frame = 1.0 / 60;

// What a tick leaves that the player sees or that counts.
struct Moment {
    float x, y, z, speed, rotX, rotY, rotZ, lean, time, jumpBuffer;
    float pose[poseAngles];
    int score, collectables, bombs, jumpPoints;
    short fallen, contact, finished, fakie, rescue, replacement;
    bool operator==(const Moment& o) const { return memcmp(this, &o, sizeof *this) == 0; }
};

Moment momentNow()
{
    Moment m;
    memset(&m, 0, sizeof m);  // padding too: compared byte for byte
    m.x = simRun.motion.Xobjet, m.y = simRun.motion.Yobjet, m.z = simRun.motion.Zobjet, m.speed = simRun.motion.vitessePrecedente;
    m.rotX = simRun.orientation.rotSkierX, m.rotY = simRun.orientation.rotSkierY, m.rotZ = simRun.orientation.rotSkierZ, m.lean = simRun.orientation.angleDePlacementEffectif;
    m.time = simRun.timing.totalTime, m.jumpBuffer = simRun.motion.bufferJump;
    lirePoseCourante(simRun.pose, m.pose);
    m.score = simRun.scores.totalScore, m.collectables = simRun.scores.totalCollectable, m.bombs = getCollectedBomb(simRun);
    m.jumpPoints = simRun.scores.bufferScoreJump;
    m.fallen = simRun.phases.chute, m.contact = (short)getContact(simRun), m.finished = simRun.motion.skieurArrive, m.fakie = simRun.phases.fakie;
    m.rescue = simRun.phases.askForRescue, m.replacement = (short)simRun.phases.replacement;
    return m;
}

struct ReplayRiding : ::testing::Test {
    static BestRun recorded;
    static std::vector<Moment> straight;  // the state at every tick of one ride from the start
    static std::vector<ReplayMark> marks;
    static void SetUpTestSuite()
    {
        KeptConditions kept;
        recorded = recordRun();
        straight.clear();
        marks.clear();
        ReplayRide r;
        beginReplayRide(simRun, loadedTrack, &r, recorded.rec.input);
        straight.push_back(momentNow());
        ReplayMarkWatch watch;
        ReplayRideHooks hooks;
        hooks.afterTick = [&](short) {
            straight.push_back(momentNow());
            watchReplayTick(simRun, watch, (long)straight.size() - 1, &marks);
        };
        rideReplayTo(simRun, loadedTrack, &r, (long)recorded.rec.input.ticks, 1, hooks);
        endReplayRide(&r);
        kept.giveBack();
    }
    KeptConditions before;
    ReplayRide ride;
    ReplayClock clock;
    void SetUp() override
    {
        before = KeptConditions();
        loadTrack();
        ASSERT_TRUE(beginReplayRide(simRun, loadedTrack, &ride, recorded.rec.input));
        startReplayClock(clock, (long)recorded.rec.input.ticks);
    }
    void TearDown() override
    {
        endReplayRide(&ride);
        before.giveBack();
    }
    long lastTick() const { return (long)recorded.rec.input.ticks; }
    // One drawn frame as the replay screen has it: the clock moves on, the run state follows.
    void frames(int n, double seconds = frame)
    {
        for (int k = 0; k < n; k++) {
            advanceReplayClock(clock, seconds);
            rideReplayTo(simRun, loadedTrack, &ride, clock.tick, 1);
        }
    }
    void command(ReplayCommand c)
    {
        commandReplayClock(clock, c);
        rideReplayTo(simRun, loadedTrack, &ride, clock.tick, 0);
    }
    void expectStraightAt(long tick, const char* what)
    {
        ASSERT_EQ(clock.tick, tick) << what;
        ASSERT_EQ(ride.ridden, tick) << what;
        EXPECT_TRUE(momentNow() == straight[tick]) << what << " at tick " << tick;
    }
};
BestRun ReplayRiding::recorded;
std::vector<Moment> ReplayRiding::straight;
std::vector<ReplayMark> ReplayRiding::marks;

TEST(ReplayClockAlone, SpeedsPauseStallsAndTheEnd)
{
    ReplayClock c;
    startReplayClock(c, 1000);
    const long perSecond = ticksIn(1.0);
    const int speedTicks[replaySpeedCount] = {15, 30, 60, 120, 240};  // per second at 60 ticks a second
    for (int s = 0; s < replaySpeedCount; s++) {
        startReplayClock(c, 100000);
        c.speed = s;
        for (int k = 0; k < 240; k++) advanceReplayClock(c, 1.0 / 240);  // one second in short frames
        EXPECT_EQ(c.tick, speedTicks[s] * perSecond / 60) << replaySpeedNames[s];
    }
    startReplayClock(c, 1000);
    c.speed = replayQuarter;
    advanceReplayClock(c, frame);
    EXPECT_EQ(c.tick, 0);
    EXPECT_NEAR(replayFraction(c), 0.25f, 1e-5) << "a quarter tick shown between the two";
    commandReplayClock(c, replayTogglePause);
    for (int k = 0; k < 100; k++) advanceReplayClock(c, frame);
    EXPECT_EQ(c.tick, 0) << "paused";
    EXPECT_NEAR(replayFraction(c), 0.25f, 1e-5);
    commandReplayClock(c, replayTogglePause);
    c.speed = replayNormal;
    advanceReplayClock(c, 3.0);  // a stall: one tick, not three seconds' worth
    EXPECT_EQ(c.tick, 1);
    for (int k = 0; k < 5000; k++) advanceReplayClock(c, frame);
    EXPECT_EQ(c.tick, 1000) << "stops at the last tick";
    EXPECT_TRUE(replayAtEnd(c));
    EXPECT_EQ(replayFraction(c), 0.0f);
    for (int k = 0; k < 10; k++) commandReplayClock(c, replayFaster);
    EXPECT_EQ(c.speed, replayFourfold) << "no faster than the fastest";
    for (int k = 0; k < 10; k++) commandReplayClock(c, replaySlower);
    EXPECT_EQ(c.speed, replayQuarter);
}

TEST(ReplayClockAlone, StepsPauseJumpsStayInsideAndRestartPlays)
{
    ReplayClock c;
    startReplayClock(c, 1000);
    const long jump = ticksIn(replayJumpSeconds);
    commandReplayClock(c, replayStepBack);
    EXPECT_EQ(c.tick, 0) << "nothing before the start line";
    EXPECT_TRUE(c.paused) << "a step pauses";
    commandReplayClock(c, replayStepForward);
    commandReplayClock(c, replayStepForward);
    EXPECT_EQ(c.tick, 2);
    commandReplayClock(c, replayJumpForward);
    EXPECT_EQ(c.tick, 2 + jump);
    EXPECT_TRUE(c.paused) << "a jump keeps the pause";
    commandReplayClock(c, replayJumpBack);
    commandReplayClock(c, replayJumpBack);
    EXPECT_EQ(c.tick, 0);
    for (int k = 0; k < 1000 / jump + 2; k++) commandReplayClock(c, replayJumpForward);
    EXPECT_EQ(c.tick, 1000) << "nothing after the last tick";
    commandReplayClock(c, replayStepForward);
    EXPECT_EQ(c.tick, 1000);
    c.speed = replayDouble;
    commandReplayClock(c, replayRestart);
    EXPECT_EQ(c.tick, 0);
    EXPECT_FALSE(c.paused) << "a restart plays";
    EXPECT_EQ(c.speed, replayDouble) << "at the speed chosen";
}

// Every speed for a few seconds, from wherever the one before left it: the state of a straight ride.
TEST_F(ReplayRiding, EverySpeedShowsTheStraightRidesStates)
{
    expectStraightAt(0, "the start line");
    for (int s : {replayNormal, replayQuarter, replayHalf, replayDouble, replayFourfold}) {
        clock.speed = s;
        long from = clock.tick;
        for (int k = 0; k < 180; k++) {
            frames(1);
            ASSERT_EQ(ride.ridden, clock.tick);
            ASSERT_TRUE(momentNow() == straight[clock.tick]) << replaySpeedNames[s] << " at tick " << clock.tick;
        }
        EXPECT_NEAR((double)(clock.tick - from), 180 * replaySpeedFactors[s], 1.0) << replaySpeedNames[s];
    }
    command(replayTogglePause);
    long at = clock.tick;
    frames(120);
    expectStraightAt(at, "paused");
}

TEST_F(ReplayRiding, StepsAndJumpsBackAndOnLandOnTheStraightRidesStates)
{
    frames(40 * 60);  // forty seconds in: past jumps, tricks and falls
    long t = clock.tick;
    command(replayStepBack);
    expectStraightAt(t - 1, "a step back");
    command(replayStepBack);
    command(replayStepBack);
    expectStraightAt(t - 3, "three steps back");
    command(replayStepForward);
    expectStraightAt(t - 2, "a step on after steps back");
    const long jump = ticksIn(replayJumpSeconds);
    command(replayJumpBack);
    expectStraightAt(t - 2 - jump, "five seconds back");
    command(replayJumpForward);
    command(replayJumpForward);
    expectStraightAt(t - 2 + jump, "ten seconds on");
    command(replayTogglePause);
    frames(30);
    expectStraightAt(t - 2 + jump + 30, "playing on after the jumps");
    for (int k = 0; k < 40; k++) command(replayJumpForward);
    expectStraightAt(lastTick(), "the end");
    EXPECT_EQ(simRun.motion.skieurArrive, 1);
    EXPECT_EQ(runScoreSoFar(simRun), recorded.finalScore);
    EXPECT_EQ(simRun.timing.totalTime, recorded.finalTime);
    command(replayStepBack);
    expectStraightAt(lastTick() - 1, "a step back from the end");
    command(replayRestart);
    expectStraightAt(0, "restarted");
    frames(90);
    expectStraightAt(90, "ridden on from the restart");
}

// Ticks ridden on are heard; a move back rides from the start line without a sound.
TEST_F(ReplayRiding, OnlyTheTicksRiddenOnAreHeard)
{
    int heard = 0, silent = 0, starts = 0;
    ReplayRideHooks hooks;
    hooks.fromStart = [&] { starts++; };
    hooks.afterTick = [&](short h) { (h ? heard : silent)++; };
    rideReplayTo(simRun, loadedTrack, &ride, 600, 1, hooks);
    EXPECT_EQ(heard, 600);
    rideReplayTo(simRun, loadedTrack, &ride, 500, 1, hooks);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(silent, 500);
    EXPECT_EQ(heard, 600);
    rideReplayTo(simRun, loadedTrack, &ride, 800, 0, hooks);
    EXPECT_EQ(silent, 800) << "a jump on is not heard either";
    EXPECT_EQ(rideReplayTo(simRun, loadedTrack, &ride, lastTick() + 100, 1, hooks), lastTick()) << "no tick past the recording";
}

TEST_F(ReplayRiding, TheTimelineMarksJumpsTricksAndFallsWhereTheyHappen)
{
    int count[replayMarkKindCount] = {};
    long previous = 0;
    for (const ReplayMark& m : marks) {
        ASSERT_GE(m.tick, previous) << "in tick order";
        ASSERT_GT(m.tick, 0);
        ASSERT_LE(m.tick, lastTick());
        previous = m.tick;
        count[m.kind]++;
        const Moment &before = straight[m.tick - 1], &at = straight[m.tick];
        if (m.kind == replayMarkTrick) EXPECT_GT(at.score, before.score) << "points banked at tick " << m.tick;
        if (m.kind == replayMarkFall) EXPECT_TRUE(at.fallen && !before.fallen) << "falls at tick " << m.tick;
        if (m.kind == replayMarkJump) {
            EXPECT_TRUE(!at.contact && before.contact) << "takes off at tick " << m.tick;
            for (long k = m.tick; k < m.tick + ticksIn(replayJumpLeastSeconds); k++)
                ASSERT_FALSE(straight[k].contact) << "a flight, not a bump, at tick " << m.tick;
        }
    }
    EXPECT_GE(count[replayMarkJump], 5);
    EXPECT_GE(count[replayMarkTrick], 3);
    EXPECT_GE(count[replayMarkFall], 1);
    EXPECT_LE(count[replayMarkTrick], count[replayMarkJump]) << "a trick is landed from a jump";
}

}  // namespace
