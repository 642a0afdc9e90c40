// The autopilot rides every generated track straight down, pushing.
#include "content.h"
#include "seededTrack.h"
#include "trackGen.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/landing.h"
#include "run/lesson.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "screens/choixPiste.h"
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
    const TrackModel& track = loadedTrack;
    static void SetUpTestSuite() { storeByteOrder(0); }
    void SetUp() override { pilotInstallKeys(); }
    void TearDown() override { pilotReleaseKeys(); }

    // A run as the game loop prepares it: reset, load, bombs, start placement.
    void prepareRun(const std::string& name, const std::string& data = shippedTracksData())
    {
        pilotNewRun();
        std::string path = data + "/tracks/" + name + "/" + name + ".btrk";
        ASSERT_EQ(importTrackFromBinaryFile(loadedTrack, path.c_str()), trackLoadOk) << name;
        resetCollectedBomb(playerRun, track.bombsQty);
        placeSkierAtStart(playerRun, loadedTrack, pilotClock());
    }
};

TEST_F(RunTracks, StraightRunWithPushesFinishesEveryShippedTrack)
{
    const TrackModel& track = loadedTrack;
    std::vector<std::string> names = recipeNames("tracks", ".track");
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        for (int rate : {30, 60}) {
            pilotInstallKeys();
            prepareRun(name);
            float t = pilotStraightRun(rate, 600);
            EXPECT_GT(t, 0.0f) << name << " at " << rate << " fps: stuck at X " << playerRun.motion.Xobjet << " of " << track.arrivee;
            EXPECT_EQ(playerRun.motion.skieurArrive, 1) << name;
            EXPECT_EQ(playerRun.scores.vuScores, 0) << name;
            printf("[ finish   ] %s at %d fps: %.2f s, score %d, collectables %d\n", name.c_str(), rate, t,
                   playerRun.scores.totalScore, playerRun.scores.totalCollectable);
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
            float row = playerRun.motion.Xobjet / longueurFace;
            PilotKeys k;
            for (const LineRail& l : rails) {
                k.space = k.space || (row > l.kickerRow - 1.5f && row < l.kickerRow + l.ramp);
                if ((playerRun.rider.collision.usingYRail || playerRun.rider.collision.lastUsingYRail) && row > l.kickerRow && row < l.railRow + 2)
                    ground.insert((int)l.kickerRow);
            }
            k.up = !k.space;  // pushing is not steering: only the jump key at the kickers
            return k;
        });
        EXPECT_EQ(playerRun.motion.skieurArrive, 1) << rate << " fps: stopped at row " << playerRun.motion.Xobjet / longueurFace;
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
        if (playerRun.phases.chute) {
            k.enter = playerRun.motion.skieurStop && !playerRun.phases.askForRescue && waitFrames++ % 2 == 0; // one press, then let go
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
        if (getContact(playerRun) == 0) {
            airFrames++;
            chargeFrames = 0;
            k.trick[0] = lesson.step == LESSON_RESCUE || (lesson.step == LESSON_TRICK && airFrames < fps / 10);
            return;
        }
        airFrames = 0;
        k.up = std::fabs(playerRun.motion.vitessePrecedente) < 2000.0f;
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
            lessonAfterFrame(playerRun, playerRun.timing.diffTemps);
            clearRunEvents(playerRun); // as the game loop does once the frame's sounds and snow are out
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

// The kickers the marked line runs over.
std::vector<TrackFeature> lineKickers(const TrackRecipe& r)
{
    std::vector<TrackFeature> out;
    for (const TrackFeature& k : r.features) {
        float lane = recipeLaneAt(r, k.args[0]);
        if (k.kind == "kicker" && lane >= k.args[1] && lane <= k.args[2]) out.push_back(k);
    }
    return out;
}

// What the flight from one line kicker came to.
struct KickerFlight {
    float row = 0, air = 0, degrees = 0, landedRow = 0;
    bool flown = false, fell = false, railGround = false;
};

// How a rider takes the line kickers: pushing over them (thrown by the lip alone), charging the jump up
// each one and letting it go before the lip, or that and a back flip held from the take-off until the
// turn is nearly whole.
enum KickerStyle { overTheLip, chargedJump, chargedFlip };

// Rides down the marked line pushing and takes each line kicker in its style. Fallen and stopped, it
// calls the rescue.
struct KickerPilot {
    const TrackRecipe& recipe;
    std::vector<TrackFeature> kickers;
    std::vector<LineRail> rails;
    std::vector<KickerFlight> flights;
    KickerStyle style;
    int from = -1, waitFrames = 0, falls = 0;
    short wasFallen = 0;
    static constexpr float CHARGE_ROWS = 1.5f, LET_GO_BEFORE_LIP = 0.5f, TAKE_OFF_ROWS = 2, NEARLY_WHOLE = 340;

    KickerPilot(const TrackRecipe& r, KickerStyle s) : recipe(r), kickers(lineKickers(r)), rails(lineRails(r)), style(s)
    {
        for (const TrackFeature& k : kickers) flights.push_back(KickerFlight{k.args[0]});
    }
    int kickerAt(float row) const
    {
        for (size_t i = 0; i < kickers.size(); i++)
            if (row > kickers[i].args[0] - CHARGE_ROWS && row < kickers[i].args[0] + kickers[i].args[4] - LET_GO_BEFORE_LIP) return (int)i;
        return -1;
    }
    int kickerJustLeft(float row) const
    {
        for (size_t i = 0; i < kickers.size(); i++) {
            float lip = kickers[i].args[0] + kickers[i].args[4];
            if (row > kickers[i].args[0] && row < lip + TAKE_OFF_ROWS) return (int)i;
        }
        return -1;
    }
    void note(float row)
    {
        bool air = getContact(playerRun) == 0;
        if (air && from < 0 && !playerRun.rider.collision.usingYRail) from = kickerJustLeft(row);
        if (air && from >= 0) {
            KickerFlight& f = flights[from];
            f.flown = true;
            f.air += playerRun.timing.diffTemps;
            f.degrees = std::max(f.degrees, std::fabs(playerRun.orientation.rotSkierZ));
            f.landedRow = row;
        } else if (!air && from >= 0) {
            flights[from].fell = playerRun.phases.chute != 0;  // the touch-down is judged on the tick it lands
            from = -1;
        }
        if (playerRun.phases.chute && !wasFallen) falls++;
        wasFallen = playerRun.phases.chute;
        for (const LineRail& l : rails)
            if ((playerRun.rider.collision.usingYRail || playerRun.rider.collision.lastUsingYRail) && row > l.kickerRow && row < l.railRow + 2)
                for (KickerFlight& f : flights)
                    if (f.row == l.kickerRow) f.railGround = true;
    }
    PilotKeys keys()
    {
        float row = playerRun.motion.Xobjet / longueurFace;
        note(row);
        PilotKeys k;
        if (playerRun.phases.chute) {
            k.enter = playerRun.motion.skieurStop && !playerRun.phases.askForRescue && waitFrames++ % 2 == 0;
            return k;
        }
        waitFrames = 0;
        k.space = style != overTheLip && kickerAt(row) >= 0;
        k.up = !k.space && getContact(playerRun) == 1;
        k.down = style == chargedFlip && getContact(playerRun) == 0 && from >= 0 && std::fabs(playerRun.orientation.rotSkierZ) < NEARLY_WHOLE;
        return k;
    }
};

// A start placed on a kicker would throw the rider before the countdown is over.
bool startsOnAKicker(const TrackRecipe& r)
{
    float lane = recipeLaneAt(r, r.startRow);
    for (const TrackFeature& k : r.features)
        if (k.kind == "kicker" && r.startRow >= k.args[0] - 1 && r.startRow <= k.args[0] + k.args[4] + 1 &&
            lane >= k.args[1] - 1 && lane <= k.args[2] + 1)
            return true;
    return false;
}

// How many collectables the recipe puts on the marked line.
int lineCollectables(const TrackRecipe& r)
{
    int n = 0;
    for (const TrackFeature& f : r.features)
        if (f.kind == "collect") n += (int)f.args[2];
    return n;
}

// A line that never leaves the middle of the track: the autopilot, riding straight, rides all of it.
bool straightLine(const TrackRecipe& r)
{
    for (const TrackFeature& f : r.features)
        if (f.kind == "lane" && f.args[1] != 0) return false;
    return true;
}

// Collectables lie between the start and the finish and inside the field.
void expectCollectablesOnTheField(const std::string& name, const TrackRecipe& r)
{
    for (const TrackFeature& f : r.features)
        if (f.kind == "collect") {
            EXPECT_TRUE(f.args[0] > r.startRow && f.args[1] < r.finishRow) << name << ": collectables past the ends";
            EXPECT_LT(std::fabs(f.args[3] + recipeLaneAt(r, f.args[0])), r.bounds) << name << ": collectables off the field";
        }
}

// What a track's rides came to, for its report line.
struct TrackRides {
    float seconds[2] = {0, 0};
    int falls[2] = {0, 0}, collected = 0;
};

// One track in data: the start is clear of the kickers, a rider pushing over the kickers and one charging
// the jump at each reach the finish within maxSeconds, no flight from a line kicker ends off the grid or
// in a fall when the lip alone throws the rider, and each rail on the line is ground by one of them from
// the kicker before it; its collectables lie on the field, and on a straight line the pushing rider picks
// up at least half of them when asked to count (a shipped line may run up a half-pipe's walls).
TrackRides checkTrackIsRideable(RunTracks& t, const std::string& name, const TrackRecipe& recipe,
                                const std::string& data, float maxSeconds, bool countCollected)
{
    const float LAST_LANDING_ROW = 199;
    TrackRides out;
    EXPECT_FALSE(startsOnAKicker(recipe)) << name;
    std::set<float> ground;
    for (KickerStyle style : {overTheLip, chargedJump}) {
        t.prepareRun(name, data);
        pilotStart(60);
        KickerPilot pilot(recipe, style);
        pilotRide(60, maxSeconds, [&](int) { return pilot.keys(); });
        EXPECT_EQ(playerRun.motion.skieurArrive, 1) << name << " in style " << style << ": stopped at row " << playerRun.motion.Xobjet / longueurFace
                                   << " after " << playerRun.timing.totalTime << " s";
        for (const KickerFlight& f : pilot.flights) {
            if (f.railGround) ground.insert(f.row);
            EXPECT_LT(f.landedRow, LAST_LANDING_ROW) << name << ": the flight from row " << f.row << " leaves the grid";
            if (style == overTheLip) EXPECT_FALSE(f.fell) << name << ": thrown from row " << f.row << " into a fall at row " << f.landedRow;
        }
        out.seconds[style] = playerRun.timing.totalTime;
        out.falls[style] = pilot.falls;
        if (style == overTheLip) out.collected = playerRun.scores.totalCollectable;
    }
    for (const LineRail& l : lineRails(recipe))
        EXPECT_TRUE(ground.count(l.kickerRow)) << name << ": the rail at row " << l.railRow << " is never reached";
    expectCollectablesOnTheField(name, recipe);
    if (countCollected && straightLine(recipe))
        EXPECT_GE(2 * out.collected, lineCollectables(recipe)) << name << ": " << out.collected << " collectables of "
                                                           << lineCollectables(recipe);
    return out;
}

TEST_F(RunTracks, EveryShippedTrackIsRideableWithItsLineRailsReachedFromTheirKickers)
{
    const float MAX_SECONDS = 300;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        TrackRecipe recipe;
        ASSERT_EQ(0, readTrackRecipe(RECIPES + "/tracks/" + name + ".track", recipe));
        TrackRides rides = checkTrackIsRideable(*this, name, recipe, shippedTracksData(), MAX_SECONDS, false);
        printf("[ ridden   ] %s: %.1f s and %.1f s, %d and %d falls, %d collectables\n", name.c_str(), rides.seconds[0],
               rides.seconds[1], rides.falls[0], rides.falls[1], rides.collected);
    }
}

// A hundred seeds, words and numbers, each built as the game builds it and ridden like a shipped track,
// within the time the generator's layout allows.
TEST_F(RunTracks, AHundredSeededTracksAreRideableLikeTheShippedOnes)
{
    TempDir data;
    float slowest = 0;
    for (int n = 0; n < 100; n++) {
        std::string seed = n % 3 ? std::to_string(20260000 + n * 37) : "day" + std::to_string(n);
        std::string name = seededTrackName(seed);
        ASSERT_EQ(buildSeededTrack(seed, data.path(), true), 0) << seed;
        TrackRecipe recipe;
        ASSERT_EQ(0, readTrackRecipe(data.path() + "/tracks/" + name + "/" + name + ".track", recipe));
        TrackRides rides = checkTrackIsRideable(*this, name, recipe, data.path(), SEEDED_RIDE_MAX_SECONDS, true);
        slowest = std::max({slowest, rides.seconds[0], rides.seconds[1]});
    }
    printf("[ seeds    ] slowest ride %.1f s of %.0f allowed\n", slowest, SEEDED_RIDE_MAX_SECONDS);
}

// A charged jump from at least one line kicker of each track lasts long enough for a whole back flip
// landed at the default level.
TEST_F(RunTracks, AChargedJumpFromALineKickerCarriesAWholeFlipOnEveryTrack)
{
    const int DEFAULT_LEVEL = 0;
    applyLevelTolerances(DEFAULT_LEVEL);
    for (const std::string& name : recipeNames("tracks", ".track")) {
        TrackRecipe recipe;
        ASSERT_EQ(0, readTrackRecipe(RECIPES + "/tracks/" + name + ".track", recipe));
        prepareRun(name);
        pilotStart(60);
        KickerPilot pilot(recipe, chargedFlip);
        pilotRide(60, 300, [&](int) { return pilot.keys(); });
        int landed = 0;
        std::string seen;
        for (const KickerFlight& f : pilot.flights) {
            char line[96];
            snprintf(line, sizeof line, " [row %.0f to %.1f: %.2f s, %.0f deg%s]", f.row, f.landedRow, f.air, f.degrees,
                     f.fell ? ", fell" : "");
            seen += line;
            landed += f.flown && !f.fell && f.degrees >= 360 - toleranceAngleFrontAndBack;
        }
        printf("[ flips    ] %s:%s, %d falls, score %d\n", name.c_str(), seen.c_str(), pilot.falls, playerRun.scores.totalScore);
        EXPECT_GE(landed, 1) << name << ":" << seen;
    }
}

}  // namespace
