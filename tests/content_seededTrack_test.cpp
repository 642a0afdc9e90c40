// The seeded track generator: seeds accepted and refused, the same bytes from the same seed, a known
// seed's recipe, and a layout that leaves the line clear where kickers throw.
#include "content.h"
#include "seededTrack.h"
#include "trackGen.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/testFiles.h"

namespace {

std::string textOf(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// Every file under dir, as relative name and bytes, sorted by name.
void collectFiles(const std::string& dir, const std::string& rel, std::vector<std::pair<std::string, std::string>>& out)
{
    for (const std::string& n : folderNames(dir + rel)) {
        std::string path = dir + rel + "/" + n;
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            collectFiles(dir, rel + "/" + n, out);
            continue;
        }
        out.push_back({rel + "/" + n, textOf(path)});
    }
}

TEST(SeededTrack, SeedsAreLettersAndDigitsInEitherCaseAndNothingElse)
{
    EXPECT_EQ(seededTrackName("Powder"), "seedpowder");
    EXPECT_EQ(seededTrackName("20261210"), "seed20261210");
    EXPECT_EQ(seededTrackRecipe("POWDER"), seededTrackRecipe("powder"));
    for (const char* bad : {"", "two words", "../up", "tab\t", "thirteenchars", "dot.", "\xc3\xa9t\xc3\xa9"}) {
        EXPECT_EQ(seededTrackName(bad), "") << bad;
        EXPECT_EQ(seededTrackRecipe(bad), "") << bad;
        TempDir data;
        int errors = contentErrorCount();
        EXPECT_EQ(buildSeededTrack(bad, data.path(), true), 1) << bad;
        EXPECT_GT(contentErrorCount(), errors);
        EXPECT_TRUE(folderNames(data.path()).empty()) << bad << ": something was written";
    }
}

// The recipe of one seed is checked in: a change to the dice or the layout shows here first, and a build
// on another machine that drew another track would too.
TEST(SeededTrack, AKnownSeedDrawsItsCheckedInRecipe)
{
    std::string expected = textOf(std::string(KESTRUNE_SOURCE_DIR) + "/tests/expected/seedpowder.track");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(seededTrackRecipe("powder"), expected);
    EXPECT_NE(seededTrackRecipe("powder"), seededTrackRecipe("powdes"));
    EXPECT_NE(seededTrackRecipe("1"), seededTrackRecipe("2"));
}

TEST(SeededTrack, TwoBuildsOfOneSeedAreTheSameByteForByte)
{
    TempDir a, b;
    ASSERT_EQ(buildSeededTrack("kestrune", a.path(), false), 0);
    ASSERT_EQ(buildSeededTrack("Kestrune", b.path(), false), 0);
    std::vector<std::pair<std::string, std::string>> filesA, filesB;
    collectFiles(a.path(), "", filesA);
    collectFiles(b.path(), "", filesB);
    ASSERT_EQ(filesA.size(), filesB.size());
    for (const char* needed : {".btrk", ".trk", ".desc", ".music", ".track"}) {
        std::string file = "/tracks/seedkestrune/seedkestrune" + std::string(needed);
        bool found = false;
        for (const auto& f : filesA) found |= f.first == file;
        EXPECT_TRUE(found) << file;
    }
    EXPECT_GT(filesA.size(), 20u) << "the pictures, models and sky are missing";
    for (size_t k = 0; k < filesA.size(); k++) {
        EXPECT_EQ(filesA[k].first, filesB[k].first);
        EXPECT_TRUE(filesA[k].second == filesB[k].second) << filesA[k].first << " differs";
    }
}

// Over many seeds: each recipe reads back, has a kicker that throws far, keeps the trees off the line
// and the line clear for a big kicker's flight, and starts and ends on the grid.
TEST(SeededTrack, EverySeedsLayoutLeavesTheLineClearWhereItsKickersThrow)
{
    const float BIG_KICKER_HEIGHT = 1000, CLEAR_AFTER_BIG = 40, TREE_OFF_LINE = 8;
    TempDir dir;
    for (int n = 0; n < 200; n++) {
        std::string seed = n % 2 ? std::to_string(n * 7919) : "w" + std::to_string(n);
        std::string path = dir.file(seededTrackName(seed) + ".track");
        writeText(path, seededTrackRecipe(seed));
        TrackRecipe r;
        ASSERT_EQ(readTrackRecipe(path, r), 0) << seed;
        std::vector<float> lineRows, bigRows;
        for (const TrackFeature& f : r.features) {
            if (f.kind == "kicker" || f.kind == "wave" || f.kind == "rail") lineRows.push_back(f.args[0]);
            if (f.kind == "kicker" && f.args[3] >= BIG_KICKER_HEIGHT) bigRows.push_back(f.args[0]);
            if (f.kind == "tree") EXPECT_GE(std::fabs(f.args[1]), TREE_OFF_LINE) << seed;
            if (f.kind == "tree" || f.kind == "bomb") EXPECT_LE(std::fabs(f.args[1]), r.bounds) << seed;
        }
        ASSERT_FALSE(bigRows.empty()) << seed << ": no kicker for a flip";
        for (float big : bigRows) {
            EXPECT_LT(big + CLEAR_AFTER_BIG, r.finishRow) << seed << ": the flight from row " << big << " ends past the finish";
            for (float other : lineRows)
                EXPECT_FALSE(other > big && other < big + CLEAR_AFTER_BIG) << seed << ": row " << other << " under the flight from " << big;
        }
        EXPECT_LT(r.startRow, lineRows.front() - 8) << seed;
        EXPECT_EQ(r.desc.front(), "Seed: " + seededTrackName(seed).substr(4));
    }
}

}  // namespace
