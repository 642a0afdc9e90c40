// Two runs on one track in one process, stepped in turn tick by tick: each comes to exactly what it
// comes to ridden alone, so nothing of one rider's run lives outside his RunState.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "recordedRun.h"
#include "simRun.h"
#include "trickSequence.h"

namespace {

const long clockStart = 100000;
const double drawRate = 60;
const long maxFrames = 150 * 60;
const char* const trackName = "ironpark";

// What a tick leaves that the player sees or that counts.
struct Moment {
    float x, y, z, speed, rotX, rotY, rotZ, pitch, time;
    int score, collectables, bombs;
    short contact, fallen, finished, fakie;
    int degreesOff;  // the landing judge's last verdict
    float pose[nbPoseAngles], skiEnds[nbSkiEnds][3], ankleLift, roll;  // the skeleton as posed
    bool operator==(const Moment& o) const { return memcmp(this, &o, sizeof *this) == 0; }
};

// posed: the pose the tick actually worked in, read inside the tick.
Moment momentOf(const RunState& r, const RiderPose& posed)
{
    Moment m;
    memset(&m, 0, sizeof m);  // padding too: compared byte for byte
    m.x = r.motion.Xobjet, m.y = r.motion.Yobjet, m.z = r.motion.Zobjet, m.speed = r.motion.vitessePrecedente;
    m.rotX = r.orientation.rotSkierX, m.rotY = r.orientation.rotSkierY, m.rotZ = r.orientation.rotSkierZ;
    m.pitch = r.orientation.angleDePlacementEffectif, m.time = r.timing.totalTime;
    m.score = r.scores.totalScore, m.collectables = r.scores.totalCollectable, m.bombs = r.nbCollectedBomb;
    m.contact = (short)r.rider.ground.contact, m.fallen = r.phases.chute, m.finished = r.motion.skieurArrive;
    m.fakie = r.phases.fakie;
    m.degreesOff = r.rider.landing.lastDegreesOff;
    memcpy(m.pose, posed.angles, sizeof m.pose);
    memcpy(m.skiEnds, posed.skiEnds, sizeof m.skiEnds);
    m.ankleLift = posed.transTotalSkier, m.roll = posed.angleZTemp;
    return m;
}

std::string describe(const Moment& m)
{
    char t[256];
    snprintf(t, sizeof t, "x %.3f y %.3f z %.3f v %.3f rot %.2f %.2f %.2f pitch %.2f t %.4f score %d c %d b %d contact %d fall %d end %d fakie %d off %d knees %.2f %.2f nose %.2f lift %.2f",
             m.x, m.y, m.z, m.speed, m.rotX, m.rotY, m.rotZ, m.pitch, m.time, m.score, m.collectables, m.bombs,
             m.contact, m.fallen, m.finished, m.fakie, m.degreesOff, m.pose[rotGenouR], m.pose[rotGenouL],
             m.skiEnds[noseSkiGauche][1], m.ankleLift);
    return t;
}

// One rider: his run, his clock, his input record and what each of his ticks came to.
struct Rider {
    RunState run;
    RunTicker ticker;
    std::function<RunInput(long)> input;
    std::vector<Moment> ticks;
    long frame = 0;
};

void loadTrack()
{
    storeByteOrder(0);
    std::string path = std::string(KESTRUNE_SOURCE_DIR) + "/data/tracks/" + trackName + "/" + trackName + ".btrk";
    ASSERT_EQ(importTrackFromBinaryFile(loadedTrack, path.c_str()), trackLoadOk);
}

// As the game loop starts a run: reset before the track is loaded (the reset clears the track's
// start and finish), placed at the start line after.
void resetRider(Rider& r)
{
    reinitGameVar(r.run, loadedTrack);
    videPileBoutons(r.run);
}

void placeRider(Rider& r)
{
    const TrackModel& track = loadedTrack;
    resetCollectedBomb(r.run, track.bombsQty);
    placeSkierAtStart(r.run, loadedTrack, clockStart);
    clearRunEvents(r.run);
    startRunTicker(r.ticker, clockStart);
}

bool done(const Rider& r) { return r.run.motion.skieurArrive || r.frame >= maxFrames; }

// One drawn frame of this rider's run: the ticks it makes due, each one's moment kept.
void drawnFrame(Rider& r)
{
    RunInput in = r.input((long)(r.frame++ * 1000.0 / drawRate));
    in.frameps = (float)drawRate;
    runDrawnFrame(r.ticker, r.run, loadedTrack, 1.0 / drawRate, in, [&r] {
        r.ticks.push_back(momentOf(r.run, r.run.pose));
        clearRunEvents(r.run);
    });
}

void rideAlone(Rider& r)
{
    resetRider(r);
    loadTrack();
    placeRider(r);
    while (!done(r)) drawnFrame(r);
}

void expectSameRide(const Rider& alone, const Rider& beside, const char* who)
{
    ASSERT_EQ(alone.ticks.size(), beside.ticks.size()) << who << ": ticks to the finish";
    for (size_t i = 0; i < alone.ticks.size(); i++)
        ASSERT_TRUE(alone.ticks[i] == beside.ticks[i]) << who << " differs at tick " << i << ": "
                                                       << describe(alone.ticks[i]) << " / " << describe(beside.ticks[i]);
}

RunInput straightDown(long ms) { return recordAt(ms, false); }

// The trick sequence without its bombs: a fired bomb raises the track itself, which both riders share.
RunInput tricksNoBomb(long ms)
{
    RunInput in = recordAt(ms, true);
    in.held[RB_BOMB] = 0;
    return in;
}

// The same kind of run a second and a half later in its cycle: other jumps, other tricks held at
// other times, so that the two riders' poses and landings differ tick by tick.
RunInput otherTricksNoBomb(long ms)
{
    RunInput in = recordAt(ms < 100 ? ms : ms + 1500, true);
    in.held[RB_BOMB] = 0;
    return in;
}

// Both riders on one loaded track, one drawn frame of each in turn (the leading one first), until
// both are over the line.
void rideInTurn(Rider& leading, Rider& following)
{
    resetRider(leading);
    resetRider(following);
    loadTrack();
    placeRider(leading);
    placeRider(following);
    while (!done(leading) || !done(following)) {
        if (!done(leading)) drawnFrame(leading);
        if (!done(following)) drawnFrame(following);
    }
}

// Ticks at which the two rides' skeletons differ: interleaving them shows a shared pose only then.
int ticksPosedApart(const Rider& a, const Rider& b)
{
    int apart = 0;
    for (size_t i = 0; i < a.ticks.size() && i < b.ticks.size(); i++)
        apart += memcmp(a.ticks[i].pose, b.ticks[i].pose, sizeof a.ticks[i].pose) != 0;
    return apart;
}

}  // namespace

TEST(TwoRiders, SteppedInTurnEachRidesAsAlone)
{
    recorded_run::KeptConditions kept;
    recorded_run::setConditions(70.0f, 40);
    Rider pusher, trickster;
    pusher.input = straightDown;
    trickster.input = tricksNoBomb;
    rideAlone(pusher);
    rideAlone(trickster);
    // Worth comparing: both finish, on different lines, and the tricks score.
    ASSERT_TRUE(pusher.run.motion.skieurArrive);
    ASSERT_TRUE(trickster.run.motion.skieurArrive);
    ASSERT_NE(pusher.ticks.size(), trickster.ticks.size());
    EXPECT_GT(trickster.run.scores.totalScore, 0);

    Rider a, b;
    a.input = straightDown;
    b.input = tricksNoBomb;
    rideInTurn(a, b);
    expectSameRide(pusher, a, "the straight run");
    expectSameRide(trickster, b, "the trick run");
    EXPECT_EQ(pusher.run.scores.totalScore, a.run.scores.totalScore);
    EXPECT_EQ(trickster.run.scores.totalScore, b.run.scores.totalScore);
    EXPECT_EQ(pusher.run.timing.totalTime, a.run.timing.totalTime);
    EXPECT_EQ(trickster.run.timing.totalTime, b.run.timing.totalTime);
    kept.giveBack();
}

TEST(TwoRiders, DifferentTricksInTurnEachPosesAndLandsAsAlone)
{
    recorded_run::KeptConditions kept;
    recorded_run::setConditions(70.0f, 40);
    Rider first, second;
    first.input = tricksNoBomb;
    second.input = otherTricksNoBomb;
    rideAlone(first);
    rideAlone(second);
    ASSERT_TRUE(first.run.motion.skieurArrive);
    ASSERT_TRUE(second.run.motion.skieurArrive);
    EXPECT_GT(ticksPosedApart(first, second), 100);
    EXPECT_GT(first.run.scores.totalScore, 0);
    EXPECT_GT(second.run.scores.totalScore, 0);

    Rider a, b;
    a.input = tricksNoBomb;
    b.input = otherTricksNoBomb;
    rideInTurn(b, a);  // the second rider leads this time
    expectSameRide(first, a, "the first trick run");
    expectSameRide(second, b, "the second trick run");
    EXPECT_EQ(first.run.scores.totalScore, a.run.scores.totalScore);
    EXPECT_EQ(second.run.scores.totalScore, b.run.scores.totalScore);
    kept.giveBack();
}
