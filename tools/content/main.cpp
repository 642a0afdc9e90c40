// kescontent RECIPES DATA: writes every file of the game's data directory from the recipes.
// kescontent --icons DIR: writes the desktop icons.
// kescontent --seeded-track SEED DATA: writes the track of a seed into DATA/tracks/.
#include "content.h"
#include "seededTrack.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

typedef void (*Generator)(const std::string& recipes, const std::string& data);

static const Generator generators[] = {genPrefs,  genGuiPictures, genTracks, genRiders,
                                       genPositions, genSounds,   genMusic};

static void makeDir(const std::string& path) { mkdir(path.c_str(), 0755); }

// Everything is made in a fresh folder first: a recipe the tool cannot read fails the build and
// leaves the data as it was, rather than half new and half stale.
static bool generate(const std::string& recipes, const std::string& fresh)
{
    makeDir(fresh);
    for (const char* sub : {"/prefs", "/gui", "/tracks", "/models", "/positions", "/bgmusics", "/sounds",
                            "/sounds/gui", "/sounds/game", "/sounds/themes"})
        makeDir(fresh + sub);
    for (Generator g : generators) {
        g(recipes, fresh);
        if (contentErrorCount() > 0) return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--icons") {
        genIcons(argv[2]);
        return contentErrorCount() > 0 ? 1 : 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--seeded-track") {
        buildSeededTrack(argv[2], argv[3], false);
        return contentErrorCount() > 0 ? 1 : 0;
    }
    if (argc != 3) {
        fprintf(stderr, "usage: kescontent RECIPES DATA\n       kescontent --icons DIR\n"
                        "       kescontent --seeded-track SEED DATA\n");
        return 1;
    }
    std::string recipes = argv[1], data = argv[2];
    std::string fresh = data + "/" + NEW_CONTENT_FOLDER;
    makeDir(data);
    removeTree(fresh);
    bool ok = generate(recipes, fresh) && publishContent(fresh, data) == 0;
    removeTree(fresh);
    if (!ok) {
        fprintf(stderr, "kescontent: %i error(s), %s left as it was\n", contentErrorCount(), data.c_str());
        return 1;
    }
    return 0;
}
