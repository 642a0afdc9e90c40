// Recording a run, interpolating it, the gap to a ghost, and a ghost that leaves the run alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "run/bestRun.h"
#include "run/ghostRun.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "skier/ghostRider.h"
#include "skier/positionDef.h"
#include "support/autopilot.h"
#include "support/testFiles.h"

static const float planeStart = 2000.0f;
static const float planeFinish = 60000.0f;

// Field by field: a sample's padding is not part of it.
static bool sameSample(const RunSample& a, const RunSample& b)
{
    return a.runTime == b.runTime && !memcmp(a.pos, b.pos, sizeof a.pos) && a.yaw == b.yaw && a.pitch == b.pitch &&
           a.roll == b.roll && a.tumble == b.tumble && a.lean == b.lean && !memcmp(a.pose, b.pose, sizeof a.pose) &&
           a.flags == b.flags;
}

static RunSample at(float t, float x)
{
    RunSample s;
    memset(&s, 0, sizeof s);
    s.runTime = t;
    s.pos[0] = x;
    return s;
}

TEST(RunRecording, SamplesAtAFixedRateWhateverTheFrames)
{
    RunRecording rec;
    clearRecording(&rec);
    recordFrame(&rec, 0.0, at(0, 1));
    EXPECT_EQ(rec.samples.size(), 1u);
    recordFrame(&rec, 0.01, at(0, 2));  // before the next sample time
    EXPECT_EQ(rec.samples.size(), 1u);
    recordFrame(&rec, 0.26, at(0, 3));  // a slow frame covers samples 1 to 5
    ASSERT_EQ(rec.samples.size(), 6u);
    for (int k = 1; k <= 5; k++) EXPECT_EQ(rec.samples[k].pos[0], 3.0f);
    RunSample last = at(0, 4);
    last.flags = sampleFinished;
    recordFrame(&rec, 0.27, last);  // the finish replaces the sample of its time slot
    EXPECT_EQ(rec.finished, 1);
    ASSERT_EQ(rec.samples.size(), 6u);
    EXPECT_EQ(rec.samples.back().pos[0], 4.0f);
    recordFrame(&rec, 1.0, at(0, 5));
    EXPECT_EQ(rec.samples.size(), 6u) << "nothing after the finish";
}

TEST(RunRecording, ThirtyMinutesFitAndLongerRunsStopRecording)
{
    RunRecording rec;
    clearRecording(&rec);
    recordFrame(&rec, countdownLength + 30 * 60.0, at(0, 1));
    EXPECT_EQ(rec.full, 0);
    recordFrame(&rec, 40 * 60.0, at(0, 2));
    EXPECT_EQ(rec.full, 1);
    EXPECT_EQ((int)rec.samples.size(), maxRecordedSamples);
    EXPECT_EQ(rec.samples.back().pos[0], 2.0f);
}

TEST(RunRecording, InterpolatesBetweenTwoSamplesAndAnglesTheShortWay)
{
    RunSample a = at(1.0f, 100.0f), b = at(1.05f, 200.0f);
    a.yaw = 350.0f, b.yaw = 10.0f;        // across the fold
    a.pose[3] = -40.0f, b.pose[3] = 40.0f;
    a.flags = sampleContact, b.flags = sampleFallen;
    RunRecording rec;
    clearRecording(&rec);
    rec.samples = {a, b};
    RunSample s;
    ASSERT_EQ(sampleAt(rec, 0.25 / recordRate, &s), 1);
    EXPECT_FLOAT_EQ(s.pos[0], 125.0f);
    EXPECT_FLOAT_EQ(s.runTime, 1.0125f);
    EXPECT_FLOAT_EQ(s.yaw, 355.0f);
    EXPECT_FLOAT_EQ(s.pose[3], -20.0f);
    EXPECT_EQ(s.flags, sampleContact);
    ASSERT_EQ(sampleAt(rec, 0.75 / recordRate, &s), 1);
    EXPECT_FLOAT_EQ(fmodf(s.yaw + 360.0f, 360.0f), 5.0f);
    EXPECT_EQ(s.flags, sampleFallen);
    sampleAt(rec, -3.0, &s);
    EXPECT_EQ(s.pos[0], 100.0f) << "before the start: the first sample";
    sampleAt(rec, 99.0, &s);
    EXPECT_EQ(s.pos[0], 200.0f) << "after its finish the ghost stays at its last sample";
    clearRecording(&rec);
    EXPECT_EQ(sampleAt(rec, 0.0, &s), 0);
}

class RunGhost : public ::testing::Test {
protected:
    void SetUp() override
    {
        pilotInstallKeys();
        dropGhostRun();
    }
    void TearDown() override
    {
        dropGhostRun();
        pilotReleaseKeys();
    }
    // Pushing and steering on a sloped plane, one jump with a spin; 30 frames a second.
    static PilotKeys lively(int f)
    {
        PilotKeys k;
        k.up = f % 50 < 20;
        k.left = f % 90 > 70;
        k.right = f % 130 > 115;
        k.space = f > 200 && f < 215;
        k.trick[0] = f > 216 && f < 222;
        return k;
    }
    static void rideLively()
    {
        pilotPlaneRun(false, planeStart, planeFinish);
        pilotStart(30);
        pilotRide(30, 120, lively);
    }
};

TEST_F(RunGhost, RecordedRunSavedAndLoadedGivesBackTheSameSamples)
{
    rideLively();
    ASSERT_EQ(playerRun.motion.skieurArrive, 1);
    ASSERT_EQ(playerRun.recording.finished, 1);
    const std::vector<RunSample>& s = playerRun.recording.samples;
    EXPECT_NEAR(s.size(), (countdownLength + playerRun.timing.totalTime) * recordRate, 2.0);
    EXPECT_EQ(s.back().flags & sampleFinished, sampleFinished);
    EXPECT_EQ(s.back().runTime, playerRun.timing.totalTime);
    EXPECT_NEAR(s[recordRate].pos[0], planeStart, 1.0f) << "the countdown's second stands at the start";

    TempDir dir;
    BestRun saved, loaded;
    strcpy(saved.track, "plane");
    strcpy(saved.rider, "tolvek");
    saved.finalScore = playerRun.scores.totalScore;
    saved.finalTime = playerRun.timing.totalTime;
    saved.rec = playerRun.recording;
    ASSERT_EQ(saveBestRun(dir.file("best.run").c_str(), saved), 0);
    ASSERT_EQ(loadBestRun(dir.file("best.run").c_str(), "plane", &loaded), 0);
    ASSERT_EQ(loaded.rec.samples.size(), s.size());
    for (size_t k = 0; k < s.size(); k++)
        ASSERT_TRUE(sameSample(loaded.rec.samples[k], s[k])) << "sample " << k;
}

TEST_F(RunGhost, GapOnAStraightRunAgainstASlowerRecording)
{
    pilotPlaneRun(false, planeStart, planeFinish);
    ASSERT_GT(pilotStraightRun(30, 120), 0.0f);
    // The same run a third slower: it reached every point at 4/3 of the rider's time.
    ghostRun.rec = playerRun.recording;
    for (RunSample& g : ghostRun.rec.samples) g.runTime *= 4.0f / 3.0f;
    ghostReady = 1;

    pilotPlaneRun(false, planeStart, planeFinish);
    pilotStart(30);
    float gap;
    EXPECT_EQ(ghostGapNow(playerRun, &gap), 1);
    EXPECT_NEAR(gap, 0.0f, 0.04f) << "level at the start (to a frame)";
    int shown = 0;
    pilotRide(30, 120, [&](int f) {
        if (f > 30 && ghostGapNow(playerRun, &gap)) {
            shown++;
            EXPECT_NEAR(gap, -playerRun.timing.totalTime / 3.0f, 0.06f) << "at " << playerRun.timing.totalTime << " s";
        }
        PilotKeys k;
        k.up = true;
        return k;
    });
    EXPECT_GT(shown, 100);
    EXPECT_EQ(ghostGapNow(playerRun, &gap), 0) << "no gap once finished";

    // Against a faster recording the gap is positive.
    for (RunSample& g : ghostRun.rec.samples) g.runTime *= 0.5f;
    pilotPlaneRun(false, planeStart, planeFinish);
    pilotStart(30);
    pilotRide(30, 10, [](int) { PilotKeys k; k.up = true; return k; });
    ASSERT_EQ(ghostGapNow(playerRun, &gap), 1);
    EXPECT_NEAR(gap, playerRun.timing.totalTime / 3.0f, 0.06f);
    EXPECT_GT(gap, 0.0f);
}

struct RunOutcome {
    float x, y, z, heading, speed, time;
    int score;
    short fakieFlag;
    float pose[poseAngles];
};

static RunOutcome outcome()
{
    RunOutcome o;
    memset(&o, 0, sizeof o);  // padding too: outcomes are compared byte for byte
    o.x = playerRun.motion.Xobjet, o.y = playerRun.motion.Yobjet, o.z = playerRun.motion.Zobjet, o.heading = playerRun.orientation.rotSkierY, o.speed = playerRun.motion.vitessePrecedente;
    o.time = playerRun.timing.totalTime, o.score = playerRun.scores.totalScore, o.fakieFlag = playerRun.phases.fakie;
    lirePoseCourante(playerRun.pose, o.pose);
    return o;
}

TEST_F(RunGhost, AGhostNeverChangesTheRidersRun)
{
    // A first run leaves the frame's own memories (arm swing, surface, rate) as every later one
    // does; two runs after it agree, which is what makes the comparison mean something.
    rideLively();
    rideLively();
    ASSERT_EQ(playerRun.motion.skieurArrive, 1);
    RunOutcome alone = outcome();
    rideLively();
    RunOutcome again = outcome();
    ASSERT_EQ(0, memcmp(&alone, &again, sizeof alone)) << "the same keys ride differently without a ghost";
    RunRecording first = playerRun.recording;

    // The same keys with that run as a ghost, posed every frame as the drawing does.
    ghostRun.rec = first;
    ghostReady = 1;
    memset(&ghostRider, 0, sizeof ghostRider);
    int posed = 0;
    pilotPlaneRun(false, planeStart, planeFinish);
    pilotStart(30);
    pilotRide(30, 120, [&](int f) {
        RunSample g;
        float gap;
        if (ghostSampleNow(playerRun, &g)) {
            beginGhostPose(&ghostRider, g);
            posed++;
        }
        ghostGapNow(playerRun, &gap);
        return lively(f);
    });
    EXPECT_GT(posed, 100);
    RunOutcome raced = outcome();
    EXPECT_EQ(0, memcmp(&alone, &raced, sizeof alone)) << "x " << alone.x << " / " << raced.x;
    ASSERT_EQ(playerRun.recording.samples.size(), first.samples.size());
    for (size_t k = 0; k < first.samples.size(); k++)
        ASSERT_TRUE(sameSample(playerRun.recording.samples[k], first.samples[k])) << "sample " << k;
}
