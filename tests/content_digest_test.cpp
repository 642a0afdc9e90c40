// The whole data tree as the build makes it: two runs of the content tool give the same bytes,
// and the tree holds every file the game opens for each recipe.
#include "support/recipes.h"
#include "track/surfaceTextures.h"
#include "support/testFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// 64-bit FNV-1a, fed file by file.
struct Fnv {
    uint64_t h = 14695981039346656037ull;
    void add(const unsigned char* p, size_t n)
    {
        for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 1099511628211ull;
    }
    void add(const std::string& s) { add((const unsigned char*)s.c_str(), s.size() + 1); }
};

bool isDir(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Digest of every regular file under root, keyed by its path relative to root.
void digestTree(const std::string& root, const std::string& rel, std::map<std::string, uint64_t>& out)
{
    for (const std::string& name : dirEntries(root + "/" + rel)) {
        std::string path = rel.empty() ? name : rel + "/" + name;
        if (isDir(root + "/" + path)) {
            digestTree(root, path, out);
            continue;
        }
        Fnv f;
        if (FILE* in = fopen((root + "/" + path).c_str(), "rb")) {
            unsigned char block[1 << 16];
            size_t n;
            while ((n = fread(block, 1, sizeof block, in)) > 0) f.add(block, n);
            fclose(in);
        }
        out[path] = f.h;
    }
}

uint64_t treeDigest(const std::map<std::string, uint64_t>& files)
{
    Fnv f;
    for (const auto& kv : files) {
        f.add(kv.first);
        f.add((const unsigned char*)&kv.second, sizeof kv.second);
    }
    return f.h;
}

int trickCount()
{
    std::ifstream in(RECIPES + "/tricks.txt");
    std::string line, word;
    int n = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        if (words >> word && word == "trick") n++;
    }
    return n;
}

// Whether the track's recipe names its tune ("music NAME").
bool recipePicksMusic(const std::string& track)
{
    std::ifstream in(RECIPES + "/tracks/" + track + ".track");
    std::string line, word;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        if (words >> word && word == "music") return true;
    }
    return false;
}

// Every file the game opens, derived from the recipes rather than from the generators.
std::vector<std::string> expectedFiles()
{
    std::vector<std::string> files = {"prefs/keys.map", "prefs/pad.map"};
    for (const char* gui : {"Font.bmp", "Font2.bmp", "logo.bmp", "home.bmp", "help.bmp", "initials.bmp", "scores.bmp",
                            "menus.bmp", "logoff.bmp", "boules.bmp", "maskt.bmp", "medalSide.bmp", "vide.bmp",
                            "bomb.bmp", "snow.bmp"})
        files.push_back(std::string("gui/") + gui);
    for (const std::string& t : recipeNames("tracks", ".track")) {
        std::string dir = "tracks/" + t + "/";
        for (const char* f : {".btrk", ".trk", ".desc", ".world"}) files.push_back(dir + t + f);
        if (recipePicksMusic(t)) files.push_back(dir + t + ".music");
        for (const char* f : {"tree.3d", "bomb.3d", "rail.3d"}) files.push_back(dir + f);
        for (const char* f : {"vide", "soleil", "cylinder", "front", "left", "right", "back", "up", "down",
                              "traceRun", "traceBreak", "skyFront", "skyLeft", "skyRight", "skyUp"})
            files.push_back(dir + "texObj/" + f + ".bmp");
        for (int k = 0; k < trackSurfacePictures; k++) files.push_back(dir + "texTrack/" + std::to_string(k) + ".bmp");
    }
    for (const std::string& r : recipeNames("riders", ".rider"))
        for (const std::string& f : {r + ".3d", r + ".car", std::string("skin.bmp")})
            files.push_back("models/" + r + "/" + f);
    for (int i = 0; i < trickCount(); i++) files.push_back("positions/" + std::to_string(i));
    for (const char* snd : {"gui/select135", "gui/enter134", "gui/back136", "game/skiloop129", "game/landing130",
                            "game/crash131", "game/bonus132", "game/replace133", "themes/kestruneintro128",
                            "themes/ostyle137", "game/rocketLaunch", "game/rocketExplode", "game/grindRail",
                            "game/clingRail", "game/wind", "game/boost"})
        files.push_back(std::string("sounds/") + snd + ".aif");
    return files;
}

void runTool(const std::string& data)
{
    std::string cmd = shellQuoted(KESCONTENT_EXE) + " " + shellQuoted(RECIPES) + " " + shellQuoted(data) + " >/dev/null";
    ASSERT_EQ(0, system(cmd.c_str())) << cmd;
}

} // namespace

// The tool and its folders reach the shell as one word each, whatever the checkout's path holds.
TEST(ContentTree, PathsWithSpacesAndQuotesReachTheShellWhole)
{
    TempDir dir;
    std::string odd = dir.file("a b'c $HOME");
    ASSERT_EQ(0, system(("mkdir " + shellQuoted(odd) + " && touch " + shellQuoted(odd + "/x")).c_str()));
    EXPECT_EQ(readBytes(odd + "/x").size(), 0u);
    struct stat st;
    EXPECT_EQ(0, stat((odd + "/x").c_str(), &st));
}

// One run of the tool against the build's own run of it (the data step): the same bytes. The built
// folder may also hold a player's files (scores, preferences, an edited key map, screenshots): only
// what the tool makes afresh is compared.
TEST(ContentTree, TwoRunsGiveTheSameBytesAndEveryExpectedFile)
{
    TempDir first;
    runTool(first.path());
    std::map<std::string, uint64_t> a, b;
    digestTree(first.path(), "", a);
    digestTree(builtData(), "", b);

    for (const auto& kv : a) {
        if (kv.first.compare(0, 6, "prefs/") == 0) continue;  // the tool leaves a player's maps as they are
        auto other = b.find(kv.first);
        ASSERT_NE(other, b.end()) << kv.first << " made by one run only";
        EXPECT_EQ(kv.second, other->second) << kv.first << " differs between two runs";
    }

    std::vector<std::string> expected = expectedFiles();
    EXPECT_GE(recipeNames("tracks", ".track").size(), 4u);
    EXPECT_GE(trickCount(), 24);
    for (const std::string& f : expected) EXPECT_TRUE(a.count(f)) << "missing " << f;
    for (const char* dir : {"prefs", "positions", "models", "bgmusics", "tracks", "gui"})
        EXPECT_TRUE(isDir(first.path() + "/" + dir)) << dir;
    // Nothing unexpected is written to the game's directories: a stray file there would be listed as
    // content (a texture slot, a rider, a track) by the game.
    std::string extra;
    for (const auto& kv : a)
        if (std::find(expected.begin(), expected.end(), kv.first) == expected.end() &&
            kv.first.compare(0, 9, "bgmusics/") != 0)
            extra += " " + kv.first;
    EXPECT_EQ("", extra) << "unexpected files";
    EXPECT_GE(dirEntries(first.path() + "/bgmusics").size(), 3u) << "background tunes";
    for (const std::string& t : recipeNames("tracks", ".track")) {
        std::string dir = first.path() + "/tracks/" + t + "/";
        EXPECT_GT(readBytes(dir + "texObj/front.bmp").size(), 256u * 256u * 3u) << t << ": no whole thumbnail";
        if (!recipePicksMusic(t)) continue;
        std::vector<unsigned char> bytes = readBytes(dir + t + ".music");
        std::string tune(bytes.begin(), bytes.end());
        EXPECT_TRUE(a.count("bgmusics/" + tune.substr(0, tune.find('\n')))) << t << " is ridden to " << tune;
    }
    printf("data tree: %zu files, digest %016llx\n", a.size(), (unsigned long long)treeDigest(a));
}
