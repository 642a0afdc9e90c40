// The world built round a track: the grid's own corners where the grid is drawn, banks rising beyond
// them, scenery where the recipe's lines put it and never in the rideable field, the light of the sun.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>

#include "support/recipes.h"
#include "support/testFiles.h"
#include "trackWorld.h"

namespace {

const int ROWS = 200, COLUMNS = 72;
const float CELL_LENGTH = 1684, CELL_WIDTH = 1123;
// Every scenery line once, and a high bank on the side the day's sun shines from (-Z).
const char* const LINED = "slalom 20 60 10 1.6\narch 100 4\nhut 4 -5\nfence 10 14 2\nflags 30 40 10 6\n"
                          "treeline 20 40 16 30 1 9\nrocks 50 60 20 30 7 3\nbank 0 200 -16 9000\nweather snow";

struct Built {
    TrackRecipe r;
    TrackMesh m;
    WorldScene w;
};

// A shipped recipe, with lines added at its end; each built once a process (none is changed).
const Built& build(const std::string& track, const std::string& added = "")
{
    static std::map<std::string, Built> made;
    auto found = made.find(track + "\n" + added);
    if (found != made.end()) return found->second;
    Built& b = made[track + "\n" + added];
    TempDir dir;
    std::string path = dir.file(track + ".track");
    std::ifstream in(RECIPES + "/tracks/" + track + ".track");
    std::ofstream out(path);
    out << in.rdbuf() << "\n" << added << "\n";
    out.close();
    EXPECT_EQ(readTrackRecipe(path, b.r), 0) << added;
    buildTrackMesh(b.r, b.m);
    buildTrackWorld(b.r, b.m, b.w);
    return b;
}

float terrain(const WorldScene& w, int gridRow, int gridColumn)
{
    return w.heights[(size_t)(gridRow + w.firstRow) * w.columns() + gridColumn + w.gridColumn0];
}

std::map<int, int> placementsByModel(const WorldScene& w)
{
    std::map<int, int> n;
    for (const WorldPlacement& p : w.placements) n[p.model]++;
    return n;
}

} // namespace

TEST(ContentWorld, GridCornersAreTheTracksOwnWhereItIsDrawnAndBanksRiseBeyond)
{
    const Built& b = build("meadow");
    const WorldScene& w = b.w;
    EXPECT_EQ(worldSceneFault(w), "");
    int edge = (int)std::ceil(b.r.bounds + 1.5f);
    for (int row = 0; row < ROWS; row++) {
        EXPECT_EQ(w.firstCell[row], COLUMNS / 2 - edge) << row;
        EXPECT_EQ(w.lastCell[row], COLUMNS / 2 - 1 + edge) << row;
        // every corner of a drawn cell is the track's own: no crack between the grid and the world
        for (int j = w.firstCell[row]; j <= w.lastCell[row] + 1; j++)
            for (int i : {row, row + 1})
                ASSERT_EQ(terrain(w, i, j), b.m.points[3 * (i * (COLUMNS + 1) + j) + 1]) << i << " " << j;
        // beyond, the ground rises into banks on both sides
        for (int side : {-1, 1}) {
            int outside = COLUMNS / 2 - side * (edge + 5);
            EXPECT_GT(terrain(w, row, outside), b.m.points[3 * (row * (COLUMNS + 1) + outside) + 1] + 1000) << row;
        }
    }
    // the terrain reaches past both ends of the grid and far out to the sides
    EXPECT_LT(w.xs.front(), -30 * CELL_LENGTH);
    EXPECT_GT(w.xs.back(), (ROWS + 80) * CELL_LENGTH);
    EXPECT_GT(w.zs.front(), 150000);
    EXPECT_LT(w.zs.back(), -150000);
}

TEST(ContentWorld, SceneryLinesPutTheirModelsAndNoTreeStandsInTheField)
{
    const Built& plain = build("meadow");
    std::map<int, int> n = placementsByModel(plain.w);
    // without scenery lines: an arch at the finish, a hut before the start, ropes and edge markers
    EXPECT_EQ(n[worldArch], 1);
    EXPECT_EQ(n[worldHut], 1);
    EXPECT_GT(n[worldFence], 10);
    EXPECT_GT(n[worldFlag], 40);
    EXPECT_EQ(n[worldGateRed] + n[worldGateBlue], 0);
    for (const WorldPlacement& p : plain.w.placements) {
        if (p.model == worldArch) EXPECT_FLOAT_EQ(p.x, plain.r.finishRow * CELL_LENGTH);
        if (p.model == worldHut) EXPECT_LT(p.x, plain.r.startRow * CELL_LENGTH);
    }
    const Built& lined = build("meadow", LINED);
    n = placementsByModel(lined.w);
    EXPECT_EQ(n[worldArch], 1);
    EXPECT_EQ(n[worldHut], 1);
    EXPECT_EQ(n[worldGateRed], 3);  // rows 20, 40, 60 on one side, 30 and 50 on the other
    EXPECT_EQ(n[worldGateBlue], 2);
    EXPECT_EQ(n[worldFlag], 4);
    EXPECT_EQ(n[worldRock], 7);
    EXPECT_EQ(n[worldFence], (int)std::ceil(4 * CELL_LENGTH / worldFenceStep));
    EXPECT_EQ(lined.w.weather, worldWeatherSnow);
    EXPECT_EQ(lined.w.lastCell[100], COLUMNS / 2 - 1 + 16);  // the bank line put the -Z edge at 16 cells
    for (const WorldPlacement& p : lined.w.placements) {
        if (p.model == worldArch) EXPECT_FLOAT_EQ(p.x, 100 * CELL_LENGTH);
        if (p.model == worldHut) EXPECT_FLOAT_EQ(p.z, -5 * CELL_WIDTH);
        if (p.model == worldGateRed || p.model == worldGateBlue) EXPECT_NEAR(std::fabs(p.z), 1.6f * CELL_WIDTH, 1);
    }
    // scenery trees (near models) and rocks stand clear of the field, on the ground
    for (const Built* b : {&plain, &lined})
        for (const WorldPlacement& p : b->w.placements) {
            bool scenery = (p.model >= worldFir && p.model < worldFir + worldTreeSpecies * worldTreeLooks) || p.model == worldRock;
            if (!scenery) continue;
            EXPECT_GE(std::fabs(p.z) / CELL_WIDTH, b->r.bounds + 0.5f) << p.model;
            EXPECT_NEAR(p.y, worldHeightAt(b->w, p.x, p.z), 100.0f);
        }
    // the track's own trees stand in the far bands only, at their place
    const Built& wood = build("timberline");
    int trackTrees = 0;
    for (const WorldPlacement& p : wood.w.placements) trackTrees += p.model < 0;
    int obstacleTrees = 0;
    for (const TrackObstacle& o : wood.m.obstacles) obstacleTrees += o.type == 0;
    EXPECT_EQ(trackTrees, obstacleTrees);
}

TEST(ContentWorld, TheSunLightsTheSlopesFacingItAndBanksShadeTheGrid)
{
    const Built& b = build("meadow", LINED);
    const WorldScene& w = b.w;
    auto light = [&](int i, int j) {
        const unsigned char* c = &w.gridLight[3 * (i * (COLUMNS + 1) + j)];
        return (c[0] + c[1] + c[2]) / 3.0f;
    };
    // open level snow in the sun reads light but not white, so that spray and marks show on it
    float open = light(60, 36);
    EXPECT_GT(open, 200);
    EXPECT_LT(open, 250);
    // the day's sun stands towards -Z: a high bank there shades the grid's edge on that side
    EXPECT_LT(light(60, 36 + 16), open - 40);
    // the +Z bank rises towards +Z and faces the sun, the -Z one faces away from it
    float facingSun = 0, facingAway = 0;
    for (int t = w.firstRow + 40; t < w.firstRow + 160; t++) {
        const unsigned char* a = &w.colours[((size_t)t * w.columns() + w.gridColumn0 + 36 - 21) * 3];
        const unsigned char* c = &w.colours[((size_t)t * w.columns() + w.gridColumn0 + 36 + 19) * 3];
        facingSun += a[0] + a[1] + a[2], facingAway += c[0] + c[1] + c[2];
    }
    EXPECT_GT(facingSun, 1.1f * facingAway);
}
