// The run alone, with no display, sound or keyboard: the same records give the same run, bit for bit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/trickInput.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

const long clockStart = 100000;
const float riderWeight = 70.0f;

// What a frame leaves behind that the player can see or that counts.
struct Snapshot {
    float x, y, z, speed, rotX, rotY, rotZ, pitch, time;
    int score, collectables, bombs;
    short fallen, contact, finished, fakie, rescue, replacement;
    bool operator==(const Snapshot& o) const { return memcmp(this, &o, sizeof *this) == 0; }
};

Snapshot snapshot()
{
    Snapshot s;
    memset(&s, 0, sizeof s);  // padding too: compared byte for byte
    s.x = Xobjet, s.y = Yobjet, s.z = Zobjet, s.speed = vitessePrecedente;
    s.rotX = rotSkierX, s.rotY = rotSkierY, s.rotZ = rotSkierZ, s.pitch = angleDePlacementEffectif;
    s.time = totalTime, s.score = totalScore, s.collectables = totalCollectable, s.bombs = getCollectedBomb();
    s.fallen = chute, s.contact = (short)getContact(), s.finished = skieurArrive, s.fakie = fakie;
    s.rescue = askForRescue, s.replacement = (short)replacement;
    return s;
}

std::string describe(const Snapshot& s)
{
    char t[256];
    snprintf(t, sizeof t, "x %.3f y %.3f z %.3f v %.3f rot %.2f %.2f %.2f pitch %.2f score %d fall %d contact %d fakie %d t %.4f c %d b %d r %d %d",
             s.x, s.y, s.z, s.speed, s.rotX, s.rotY, s.rotZ, s.pitch, s.score, s.fallen, s.contact, s.fakie, s.time, s.collectables, s.bombs, s.rescue, s.replacement);
    return t;
}

struct Ride {
    std::vector<Snapshot> frames;
    std::vector<int> events;  // kinds, with -1 closing each frame
    float finish = -1;
};

std::string trackPath(const std::string& name)
{
    return std::string(KESTRUNE_SOURCE_DIR) + "/data/tracks/" + name + "/" + name + ".btrk";
}

// A fresh run on a shipped track, as the game loop prepares one.
void prepareRun(const std::string& name)
{
    storeByteOrder(0);
    theTrasher->weight = riderWeight;
    videPileBoutons();
    reinitGameVar();
    amplitudeRotationX = 0.0f;
    sautLincolnLoopDroite = sautLincolnLoopGauche = 0;
    ASSERT_EQ(importTrackFromBinaryFile(trackPath(name).c_str()), trackLoadOk) << name;
    resetCollectedBomb(bombsQty);
    placeSkierAtStart(clockStart);
    clearRunEvents();
}

// The recorded sequence, by time so that every frame rate rides the same one: push, and every few
// seconds a jump with a trick, a turn, a bomb, and ENTER for a rescue should the rider be down.
RunInput recordAt(long ms, int fps, bool tricks)
{
    RunInput in;
    in.clockMs = clockStart + ms;
    in.frameps = (float)fps;
    long phase = ms % 3000;
    in.held[RB_JUMP] = ms < 100 || (tricks && phase >= 1000 && phase < 1400);
    in.held[RB_UP] = ms > 1500;
    if (!tricks || ms < 4000) return in;
    in.held[RB_TRICK1 + (ms / 3000) % 6] = phase >= 1400 && phase < 1900;
    in.held[RB_LEFT] = phase >= 2000 && phase < 2060;
    in.held[RB_RIGHT] = phase >= 2400 && phase < 2460;
    in.held[RB_BOMB] = phase >= 2900 && ms > 20000;
    in.held[RB_ENTER] = (ms / 500) % 2 == 1 && phase < 1000;
    return in;
}

Ride ride(const std::string& track, int fps, float maxSeconds, bool tricks)
{
    Ride r;
    prepareRun(track);
    int frames = (int)(maxSeconds * fps);
    for (int f = 1; f <= frames && !skieurArrive; f++) {
        simulateGameFrame(recordAt((long)f * 1000 / fps, fps, tricks));
        r.frames.push_back(snapshot());
        for (int i = 0; i < runEvents().count; i++) r.events.push_back(runEvents().items[i].kind);
        r.events.push_back(-1);
        clearRunEvents();
    }
    if (skieurArrive) r.finish = totalTime;
    return r;
}

TEST(RunDeterminism, SameTrackAndRecordsGiveTheSameRunAndEvents)
{
    Ride a = ride("ironpark", 60, 120, true);
    Ride b = ride("ironpark", 60, 120, true);
    ASSERT_EQ(a.frames.size(), b.frames.size());
    for (size_t i = 0; i < a.frames.size(); i++) ASSERT_TRUE(a.frames[i] == b.frames[i]) << "frame " << i << ": " << describe(a.frames[i]) << " / " << describe(b.frames[i]);
    EXPECT_EQ(a.events, b.events);
    EXPECT_EQ(a.finish, b.finish);
    printf("[ ridden   ] %zu frames, %zu events, finish %.2f s, score %d\n", a.frames.size(), a.events.size() - a.frames.size(), a.finish, a.frames.back().score);
    // The sequence did something worth comparing: the rider moved, and sounds and snow happened.
    EXPECT_GT(a.frames.back().x - a.frames.front().x, 1000.0f);
    EXPECT_GT(a.events.size(), a.frames.size() + 5);
}

TEST(RunDeterminism, ThirtyAndSixtyRecordsASecondFinishWithinTenPercent)
{
    for (const char* track : {"gullypipe", "meadow", "timberline"}) {
        float t30 = ride(track, 30, 600, false).finish;
        float t60 = ride(track, 60, 600, false).finish;
        ASSERT_GT(t30, 0.0f) << track;
        ASSERT_GT(t60, 0.0f) << track;
        EXPECT_NEAR(t30, t60, 0.1f * t60) << track;
    }
}

} // namespace
