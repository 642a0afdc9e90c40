// The content tool as the build runs it, on a copy of the recipes: a recipe it cannot read fails the
// build naming the file and line and leaves the data as it was; a deleted recipe's track goes while
// its scores stay; `make clean` (scripts/cleandata.sh) takes the generated files and nothing else.
#include "support/recipes.h"
#include "support/testFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "fileio/gameFolders.h"
#include "shell/padMap.h"
#include "shell/systemPortUtils.h"

namespace {

struct ToolRun {
    int status;
    std::string errors;
};

ToolRun runTool(const std::string& recipes, const std::string& data, const TempDir& scratch)
{
    std::string errors = scratch.file("errors.txt");
    std::string cmd = std::string(KESCONTENT_EXE) + " " + recipes + " " + data + " >/dev/null 2>" + errors;
    int status = system(cmd.c_str());
    std::ifstream in(errors);
    std::stringstream text;
    text << in.rdbuf();
    return ToolRun{status, text.str()};
}

// The recipes with only their first few tracks: what these tests check is the same for one track as
// for all, and each track is seconds of the tool's time.
std::string copyRecipes(const TempDir& scratch, size_t tracks)
{
    std::string copy = scratch.file("recipes");
    EXPECT_EQ(0, system(("cp -r " + RECIPES + " " + copy).c_str()));
    std::vector<std::string> names = recipeNames("tracks", ".track");
    for (size_t i = tracks; i < names.size(); i++)
        EXPECT_EQ(0, remove((copy + "/tracks/" + names[i] + ".track").c_str())) << names[i];
    return copy;
}

int lineCount(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) n++;
    return n;
}

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string textOf(const std::string& path)
{
    std::vector<unsigned char> b = readBytes(path);
    return std::string(b.begin(), b.end());
}

void listTree(const std::string& root, const std::string& rel, std::set<std::string>& out)
{
    for (const std::string& name : dirEntries(root + "/" + rel)) {
        std::string path = rel.empty() ? name : rel + "/" + name;
        struct stat st;
        stat((root + "/" + path).c_str(), &st);
        if (S_ISDIR(st.st_mode)) listTree(root, path, out);
        else out.insert(path);
    }
}

} // namespace

TEST(ContentBuild, AnUnreadableRecipeFailsNamingFileAndLineAndLeavesTheDataAsItWas)
{
    TempDir scratch;
    std::string recipes = copyRecipes(scratch, 1);
    std::string data = scratch.file("data");
    makeParentFolders(data + "/gui/logo.bmp");
    writeText(data + "/gui/logo.bmp", "the old picture");

    std::string track = recipes + "/tracks/" + recipeNames("tracks", ".track")[0] + ".track";
    { std::ofstream(track, std::ios::app) << "kicker 60 -3 three 400 2\n"; }
    ToolRun bad = runTool(recipes, data, scratch);
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.errors.find(track + ":" + std::to_string(lineCount(track)) + ":"), std::string::npos) << bad.errors;
    EXPECT_EQ(textOf(data + "/gui/logo.bmp"), "the old picture");
    EXPECT_FALSE(exists(data + "/.generated"));
    EXPECT_FALSE(exists(data + "/.kescontent-new"));

    std::string first = recipeNames("tracks", ".track")[0] + ".track";
    EXPECT_EQ(0, system(("cp " + RECIPES + "/tracks/" + first + " " + recipes + "/tracks/").c_str()));
    std::string rider = recipes + "/riders/" + recipeNames("riders", ".rider")[0] + ".rider";
    { std::ofstream(rider, std::ios::app) << "weight heavy\n"; }
    bad = runTool(recipes, data, scratch);
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.errors.find(rider + ":" + std::to_string(lineCount(rider)) + ":"), std::string::npos) << bad.errors;
    EXPECT_EQ(textOf(data + "/gui/logo.bmp"), "the old picture");
}

TEST(ContentBuild, ADeletedRecipesTrackGoesAndCleaningKeepsEveryPlayersFile)
{
    TempDir scratch;
    std::string recipes = copyRecipes(scratch, 2);
    std::string data = scratch.file("data");
    ASSERT_EQ(runTool(recipes, data, scratch).status, 0);

    std::vector<std::string> tracks = recipeNames("tracks", ".track");
    tracks.resize(2);
    std::set<std::string> playerFiles = {USER_PREFS_FILE, GFX_PREFS_FILE, KEYS_MAP_FILE, PAD_MAP_FILE};
    for (const std::string& t : tracks) playerFiles.insert(trackFile(t, "top.sc"));
    for (const std::string& f : playerFiles) writeText(data + "/" + f, "the player's " + f);

    const std::string gone = tracks[0];
    ASSERT_EQ(0, remove((recipes + "/tracks/" + gone + ".track").c_str()));
    ASSERT_EQ(runTool(recipes, data, scratch).status, 0);
    EXPECT_FALSE(exists(data + "/" + trackFile(gone, gone + ".btrk")));
    EXPECT_FALSE(exists(data + "/" + trackFile(gone, "texObj")));
    EXPECT_TRUE(exists(data + "/" + trackFile(tracks[1], tracks[1] + ".btrk")));
    for (const std::string& f : playerFiles) EXPECT_EQ(textOf(data + "/" + f), "the player's " + f) << f;

    // The folder kept for its scores is no track to the game.
    useGameFolders(GameFolders{data, data, "screenshots", false});
    chargeNomPistes();
    resetGameFolders();
    ASSERT_EQ(gameLists.nbTotalPistes, (int)tracks.size() - 1);
    for (int i = 0; i < gameLists.nbTotalPistes; i++) EXPECT_NE(gameLists.listePistes[i], gone);

    std::string clean = std::string(KESTRUNE_SOURCE_DIR) + "/scripts/cleandata.sh " + data;
    ASSERT_EQ(0, system(clean.c_str()));
    std::set<std::string> left;
    listTree(data, "", left);
    EXPECT_EQ(left, playerFiles);
    EXPECT_FALSE(exists(data + "/.generated"));
}

