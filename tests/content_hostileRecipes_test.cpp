// Track recipes a careless author writes: numbers out of range are refused with FILE:LINE before any
// of them is used, and a track whose built mesh is broken names the recipe line that broke it.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "support/recipes.h"
#include "support/testFiles.h"
#include "trackGen.h"

namespace {

// A shipped recipe with one line added at its end; the error said, or "" when it was read.
std::string readWithLine(const TempDir& dir, const std::string& added, int* lineNumber)
{
    std::string path = dir.file("meadow.track");
    std::ifstream in(RECIPES + "/tracks/meadow.track");
    std::ofstream out(path);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) out << line << "\n", n++;
    out << added << "\n";
    out.close();
    *lineNumber = n + 1;
    TrackRecipe r;
    testing::internal::CaptureStderr();
    int failed = readTrackRecipe(path, r);
    std::string said = testing::internal::GetCapturedStderr();
    return failed ? said : "";
}

} // namespace

TEST(HostileRecipes, EveryNumberOutsideItsRangeIsRefusedWithFileAndLine)
{
    TempDir dir;
    const char* const refused[][2] = {
        {"gates 0 2e7 1 3", "gates row 2e+07 is outside 0 to 200"},      // looped for ever
        {"gates 10 20 0.01 3", "gates step 0.01 is outside 1 to 200"},
        {"kicker 30 -3 3 900 0", "kicker ramp length 0 is outside 0.5 to 50"}, // divided by zero
        {"theme 1e30", "theme 1e+30 is outside 0 to 4"},                 // cast to int unchecked
        {"theme 5", "theme 5 is outside 0 to 4"},
        {"music nosuchtune", "music nosuchtune is not a tune the tool makes"},
        {"music ../../prefs/keys.map", "music ../../prefs/keys.map is not a tune the tool makes"},
        {"forest 10 20 -5 5 1e30 3", "forest count 1e+30 is outside 0 to 1000"},
        {"collect 10 20 -1 0", "collect count -1 is outside 0 to 1000"},
        {"tree 30 99", "tree cell 99 is outside -36 to 36"},
        {"wave 40 40 100 5", "wave must end after the row it starts"},
        {"halfpipe 10 20 3 0 500", "halfpipe wall width 0 is outside 0.5 to 36"},
        {"snow 0.9 2 0.9", "snow 2 is outside 0 to 1"},
        {"rescue 0", "rescue 0 is outside 1 to 200"},
        {"treeline 10 20 -40 200 0.5 3", "treeline cell 200 is outside -120 to 120"},
        {"treeline 10 20 20 40 1.5 3", "treeline density 1.5 is outside 0 to 1"},
        {"slalom 10 20 4 0", "slalom half gap 0 is outside 0.5 to 36"},
        {"arch 190 0.5", "arch half width 0.5 is outside 1 to 36"},
        {"bank 10 20 16 -5", "bank height -5 is outside 0 to 20000"},
        {"rocks 10 20 20 30 5000 1", "rocks count 5000 is outside 0 to 1000"},
        {"weather rainy", "weather rainy is none of clear, cloudy, snow, storm"},
    };
    for (const auto& c : refused) {
        int line = 0;
        std::string said = readWithLine(dir, c[0], &line);
        std::string where = dir.file("meadow.track") + ":" + std::to_string(line) + ": ";
        EXPECT_EQ(said, where + c[1] + "\n") << c[0];
    }
    int line = 0;
    std::string said = readWithLine(dir, "lane 40 2\nlane 40 3", &line);
    EXPECT_EQ(said, dir.file("meadow.track") + ":" + std::to_string(line + 1) + ": a second lane point on row 40\n");
    EXPECT_EQ(readWithLine(dir, "kicker 30 -3 3 900 0.5", &line), ""); // the edges of a range are fine
    EXPECT_EQ(readWithLine(dir, "theme 4", &line), "");
    EXPECT_EQ(readWithLine(dir, "music coldsun", &line), "");
    EXPECT_EQ(readWithLine(dir, "forest 10 20 -36 36 1000 2147483647", &line), "");
    EXPECT_EQ(readWithLine(dir, "treeline 0 200 -120 120 1 5", &line), "");
    EXPECT_EQ(readWithLine(dir, "weather storm", &line), "");
}

TEST(HostileRecipes, ABrokenMeshNamesTheLineThatMadeItAndShippedTracksHaveNone)
{
    for (const std::string& name : recipeNames("tracks", ".track")) {
        TrackRecipe r;
        ASSERT_EQ(readTrackRecipe(RECIPES + "/tracks/" + name + ".track", r), 0);
        TrackMesh m;
        buildTrackMesh(r, m);
        int line = -1;
        EXPECT_EQ(trackMeshFault(r, m, &line), "") << name;
        EXPECT_EQ(line, 0);
    }
    // What the range checks keep out of a recipe file, made by hand: a ramp of length 0 on line 7.
    TrackRecipe r;
    r.features.push_back({"slope", {0, 200, 10}, 3});
    r.features.push_back({"kicker", {30, -3, 3, 900, 0}, 7});
    TrackMesh m;
    buildTrackMesh(r, m);
    int line = 0;
    EXPECT_EQ(trackMeshFault(r, m, &line), "the height at row 30, column 33 is not a number");
    EXPECT_EQ(line, 7);

    r.features.pop_back();
    buildTrackMesh(r, m);
    m.faces[5] = (unsigned)(m.points.size() / 3);
    EXPECT_EQ(trackMeshFault(r, m, &line), "a face names a vertex past the grid");
    EXPECT_EQ(line, 0);
    buildTrackMesh(r, m);
    m.arrivee = m.depart;
    EXPECT_EQ(trackMeshFault(r, m, &line), "the start is not before the finish");
}
