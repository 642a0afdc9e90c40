// A best run ridden again from its recorded input: the same run to the tick, and a file whose
// re-ride does not come to its score and time refused with its reason.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "run/bestRun.h"
#include "fileio/swapthings.h"
#include "fileio/gameFolders.h"
#include "run/ghostRun.h"
#include "run/landing.h"
#include "run/reRide.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runScore.h"
#include "run/runState.h"
#include "simRun.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "recordedRun.h"

namespace {

using namespace recorded_run;

bool sameSample(const RunSample& a, const RunSample& b)
{
    return a.runTime == b.runTime && !memcmp(a.pos, b.pos, sizeof a.pos) && a.yaw == b.yaw && a.pitch == b.pitch &&
           a.roll == b.roll && a.tumble == b.tumble && a.lean == b.lean && !memcmp(a.pose, b.pose, sizeof a.pose) &&
           a.flags == b.flags;
}

std::string describe(const RunSample& s)
{
    char t[400];
    snprintf(t, sizeof t, " t %.4f x %.3f y %.3f z %.3f yaw %.3f pitch %.3f roll %.3f tumble %.3f lean %.3f flags %d pose0 %.3f",
             s.runTime, s.pos[0], s.pos[1], s.pos[2], s.yaw, s.pitch, s.roll, s.tumble, s.lean, s.flags, s.pose[0]);
    std::string out = t;
    for (int i = 0; i < poseAngles; i++) if (s.pose[i] != 0) out += " " + std::to_string(i) + ":" + std::to_string(s.pose[i]);
    return out;
}

struct ReRide : ::testing::Test {
    static BestRun recorded;
    static void SetUpTestSuite()
    {
        KeptConditions kept;
        recorded = recordRun();
        kept.giveBack();
    }
    KeptConditions before;
    void SetUp() override
    {
        before = KeptConditions();
        loadTrack();
        setConditions(95.0f, 20);  // the player's own, not the run's
    }
    void TearDown() override { before.giveBack(); }
    void expectConditionsGivenBack()
    {
        EXPECT_EQ(theTrasher->weight, 95.0f);
        EXPECT_EQ(toleranceAngleRightAndLeft, 20);
        EXPECT_EQ(toleranceAngleLeftSideAndRightSide, 20);
    }
};
BestRun ReRide::recorded;

TEST_F(ReRide, ARecordedRunRidesAgainToTheSameScoreTimeAndSamples)
{
    const BestRun& run = recorded;
    ASSERT_TRUE(wholeInput(run.rec.input));
    ASSERT_TRUE(run.rec.finished);
    EXPECT_GT(run.finalScore, 100000) << "tricks and collectables scored";
    EXPECT_LT(run.rec.input.spans.size(), run.rec.input.ticks / 10) << "spans of equal ticks";
    // Another run first, left in the air with bombs fired: the re-ride starts from the track's file.
    ASSERT_TRUE(freshRunOnLoadedTrack(simRun, loadedTrack));
    placeSkierAtStart(simRun, loadedTrack, 0);
    for (long ms = 0; ms < 30000; ms += 1000 / 60)
        runDrawnFrame(runTicker, simRun, loadedTrack, 1.0 / 60, recordAt((ms * 7) % 40000 + 20000, true), [] { clearRunEvents(simRun); });
    auto began = std::chrono::steady_clock::now();
    EXPECT_EQ(reRideBestRun(simRun, loadedTrack, run), nullptr);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    printf("[ re-ride  ] %lu ticks (%.1f s of run) ridden again in %.3f s\n", run.rec.input.ticks,
           run.rec.input.ticks / 60.0, seconds);
    EXPECT_EQ(runScoreSoFar(simRun), run.finalScore);
    EXPECT_EQ(simRun.timing.totalTime, run.finalTime);
    ASSERT_EQ(simRun.recording.samples.size(), run.rec.samples.size());
    for (size_t k = 0; k < run.rec.samples.size(); k++)
        ASSERT_TRUE(sameSample(simRun.recording.samples[k], run.rec.samples[k])) << "sample " << k << describe(simRun.recording.samples[k]) << " / " << describe(run.rec.samples[k]);
    expectConditionsGivenBack();
    // Written and read back, it rides again the same.
    std::vector<unsigned char> bytes;
    encodeBestRun(run, &bytes);
    BestRun back;
    ASSERT_EQ(decodeBestRun(bytes.data(), bytes.size(), track, &back), nullptr);
    EXPECT_EQ(reRideBestRun(simRun, loadedTrack, back), nullptr);
}

TEST_F(ReRide, ARunThatDoesNotComeToItsScoreOrTimeIsRefused)
{
    BestRun run = recorded;
    run.finalScore += 1;
    EXPECT_STREQ(reRideBestRun(simRun, loadedTrack, run), "it rides to another score");
    run = recorded;
    run.finalTime += 1.0f / 60;
    EXPECT_STREQ(reRideBestRun(simRun, loadedTrack, run), "it rides to another time");
    // Two seconds of braking half way down, in spans of the file: the same header, another ride.
    run = recorded;
    InputRecording& in = run.rec.input;
    unsigned long tick = 0;
    for (HeldSpan& s : in.spans) {
        if (tick >= in.ticks / 2 && tick < in.ticks / 2 + 120) s.held = 1u << RB_DOWN;
        tick += s.ticks;
    }
    EXPECT_NE(reRideBestRun(simRun, loadedTrack, run), nullptr) << "spans changed";
    // The jump key never held: the countdown never begins.
    run = recorded;
    for (HeldSpan& s : run.rec.input.spans) s.held &= (unsigned short)~(1u << RB_JUMP);
    EXPECT_STREQ(reRideBestRun(simRun, loadedTrack, run), "it rides short of the finish");
    // Cut short before the line.
    run = recorded;
    run.rec.input.spans.resize(run.rec.input.spans.size() / 2);
    EXPECT_STREQ(reRideBestRun(simRun, loadedTrack, run), "it rides short of the finish");
    run = recorded;
    run.rec.input.ridden.ticksPerSecond = 120;
    EXPECT_STREQ(reRideBestRun(simRun, loadedTrack, run), "ridden at another tick rate");
    run = recorded;
    clearInputRecording(&run.rec.input);
    EXPECT_STREQ(reRideBestRun(simRun, loadedTrack, run), "no input to ride");
    expectConditionsGivenBack();
}

// The ghost of a run with its input is ridden again at load: a good one races, a changed one is
// refused with one line, and either way the rider's run starts fresh.
TEST_F(ReRide, TheGhostIsRiddenAgainAtLoadAndATamperedOneRefused)
{
    const TrackModel& model = loadedTrack;
    char folder[] = "/tmp/kesrerideXXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    GameFolders f = gameFolders();
    GameFolders mine = f;
    mine.player = folder;
    useGameFolders(mine);
    std::string path = playerWritePath(trackFile(track, BEST_RUN_FILE));
    BestRun run = recorded;
    ASSERT_EQ(saveBestRun(path.c_str(), run), 0);
    EXPECT_EQ(prepareGhostRun(simRun, loadedTrack, track, 1), 1);
    EXPECT_STREQ(ghostRefusal, "");
    EXPECT_EQ(ghostRun.rec.samples.size(), run.rec.samples.size());
    EXPECT_EQ(simRun.timing.DEPART, 0);
    EXPECT_EQ(simRun.scores.totalScore, 0);
    EXPECT_EQ(getCollectedBomb(simRun), model.bombsQty) << "the run is fresh for the rider";
    run.finalScore += 50000;  // one collectable more than was picked up
    ASSERT_EQ(saveBestRun(path.c_str(), run), 0);
    EXPECT_EQ(prepareGhostRun(simRun, loadedTrack, track, 1), 0);
    EXPECT_STREQ(ghostRefusal, "best.run refused, it rides to another score, no ghost");
    EXPECT_TRUE(ghostRun.rec.samples.empty());
    EXPECT_EQ(simRun.motion.skieurArrive, 0);
    EXPECT_EQ(simRun.scores.totalScore, 0);
    expectConditionsGivenBack();
    dropGhostRun();
    remove(path.c_str());
    useGameFolders(f);
}

}  // namespace
