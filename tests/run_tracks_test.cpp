// The autopilot rides every generated track straight down, pushing.
#include "content.h"
#include "trackGen.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/lesson.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "screens/nameEntry.h"
#include "support/autopilot.h"
#include "support/recipes.h"
#include "support/testFiles.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

struct RunTracks : ::testing::Test {
    static void SetUpTestSuite() { storeByteOrder(0); }
    void SetUp() override { pilotInstallKeys(); }
    void TearDown() override { pilotReleaseKeys(); }

    // A run as the game loop prepares it: reset, load, bombs, start placement.
    void prepareRun(const std::string& name)
    {
        pilotNewRun();
        std::string path = shippedTracksData() + "/tracks/" + name + "/" + name + ".btrk";
        ASSERT_EQ(importTrackFromBinaryFile(path.c_str()), trackLoadOk) << name;
        resetCollectedBomb(bombsQty);
        placeSkierAtStart(pilotClock());
    }
};

TEST_F(RunTracks, StraightRunWithPushesFinishesEveryShippedTrack)
{
    std::vector<std::string> names = recipeNames("tracks", ".track");
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        for (int rate : {30, 60}) {
            pilotInstallKeys();
            prepareRun(name);
            float t = pilotStraightRun(rate, 600);
            EXPECT_GT(t, 0.0f) << name << " at " << rate << " fps: stuck at X " << Xobjet << " of " << arrivee;
            EXPECT_EQ(skieurArrive, 1) << name;
            EXPECT_EQ(vuScores, 0) << name;
            printf("[ finish   ] %s at %d fps: %.2f s, score %d, collectables %d\n", name.c_str(), rate, t,
                   totalScore, totalCollectable);
            RecordProperty(name + "_" + std::to_string(rate) + "fps_seconds", std::to_string(t));
        }
    }
}

// Kickers across the marked line with a rail on the line just behind them: row of the kicker's foot,
// its ramp length in rows and the rail's row.
struct LineRail {
    float kickerRow, ramp, railRow;
};

std::vector<LineRail> lineRails(const TrackRecipe& r)
{
    const float RAIL_ROWS_BEHIND = 12, RAIL_OFF_LINE = 1;
    std::vector<LineRail> out;
    for (const TrackFeature& k : r.features) {
        if (k.kind != "kicker") continue;
        float lane = recipeLaneAt(r, k.args[0]);
        if (lane < k.args[1] || lane > k.args[2]) continue;
        for (const TrackFeature& rail : r.features)
            if (rail.kind == "rail" && rail.args[0] > k.args[0] && rail.args[0] <= k.args[0] + RAIL_ROWS_BEHIND &&
                std::fabs(rail.args[1] - recipeLaneAt(r, rail.args[0])) < RAIL_OFF_LINE)
                out.push_back({k.args[0], k.args[4], rail.args[0]});
    }
    return out;
}

// A new player on Iron Park rides the marked line straight down pushing, presses nothing but the jump
// key at the kickers (held up the kicker, let go at its lip) and grinds at least two rails, drawn at
// any rate from 20 frames a second to 144 (the run's ticks are the same at every rate).
TEST_F(RunTracks, IronParkRailsAreReachedFromTheLineWithTheJumpKeyOnly)
{
    TrackRecipe recipe;
    ASSERT_EQ(0, readTrackRecipe(RECIPES + "/tracks/ironpark.track", recipe));
    std::vector<LineRail> rails = lineRails(recipe);
    ASSERT_GE(rails.size(), 2u) << "Iron Park needs two rails behind kickers on its line";
    for (int rate : {20, 30, 45, 60, 144}) {
        prepareRun("ironpark");
        pilotStart(rate);
        std::set<int> ground;
        pilotRide(rate, 600, [&](int) {
            float row = Xobjet / longueurFace;
            PilotKeys k;
            for (const LineRail& l : rails) {
                k.space = k.space || (row > l.kickerRow - 1.5f && row < l.kickerRow + l.ramp);
                if ((usingYRail || lastUsingYRail) && row > l.kickerRow && row < l.railRow + 2)
                    ground.insert((int)l.kickerRow);
            }
            k.up = !k.space;  // pushing is not steering: only the jump key at the kickers
            return k;
        });
        EXPECT_EQ(skieurArrive, 1) << rate << " fps: stopped at row " << Xobjet / longueurFace;
        EXPECT_GE(ground.size(), 2u) << rate << " fps: rails ground behind " << ground.size() << " of "
                                     << rails.size() << " kickers";
    }
}

// What a new player is asked to do, frame by frame: push, steer each way, jump, hold and let go a
// trick, fall on purpose (trick held at touch-down) and ask for the rescue. Jumps are charged on the
// ground and let go; in the air the trick key is held a moment, or all the way down to make the fall.
struct LessonRider {
    int chargeFrames = 0, airFrames = 0, waitFrames = 0;
    PilotKeys keys(int fps)
    {
        PilotKeys k;
        if (chute) {
            k.enter = skieurStop && !askForRescue && waitFrames++ % 2 == 0; // one press, then let go
            return k;
        }
        waitFrames = 0;
        switch (lesson.step) {
        case LESSON_PUSH: k.up = true; break;
        case LESSON_STEER:
            k.up = true;
            (lesson.steeredRight ? k.left : k.right) = true;
            break;
        case LESSON_JUMP:
        case LESSON_TRICK:
        case LESSON_RESCUE: jump(k, fps); break;
        default: break;
        }
        return k;
    }
    void jump(PilotKeys& k, int fps)
    {
        if (getContact() == 0) {
            airFrames++;
            chargeFrames = 0;
            k.trick[0] = lesson.step == LESSON_RESCUE || (lesson.step == LESSON_TRICK && airFrames < fps / 10);
            return;
        }
        airFrames = 0;
        k.up = std::fabs(vitessePrecedente) < 2000.0f;
        k.space = chargeFrames++ < fps; // a second's crouch, then let go
        if (chargeFrames > fps + fps / 2) chargeFrames = 0;
    }
};

TEST_F(RunTracks, TheLessonIsRiddenStepByStepOnTheGentlestTrackWithTheExpectedKeys)
{
    for (int fps : {30, 60}) {
        prepareRun("meadow");
        startLesson();
        pilotStart(fps);
        LessonRider rider;
        std::vector<int> shown = {lesson.step};
        int frames = 0;
        for (; frames < fps * 300 && !lessonOver(); frames++) {
            pilotFrame(fps, rider.keys(fps));
            lessonAfterFrame(diffTemps);
            clearRunEvents(); // as the game loop does once the frame's sounds and snow are out
            if (lesson.step != shown.back()) shown.push_back(lesson.step);
        }
        for (int s = 0; s < LESSON_STEPS; s++) EXPECT_EQ(lesson.done[s], 1) << "step " << s << " at " << fps << " fps";
        EXPECT_EQ(shown, (std::vector<int>{LESSON_PUSH, LESSON_STEER, LESSON_JUMP, LESSON_TRICK, LESSON_RESCUE,
                                           LESSON_STEPS}))
            << fps << " fps";
        EXPECT_TRUE(lessonOver()) << fps << " fps, " << frames << " frames";
        printf("[ lesson   ] %d fps: done in %.1f s\n", fps, frames / (float)fps);
        stopLesson();
    }
}

}  // namespace
