// kescontent RECIPES DATA: writes every file of the game's data directory from the recipes.
#include "content.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

static void makeDir(const std::string& path) { mkdir(path.c_str(), 0755); }

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: kescontent RECIPES DATA\n");
        return 1;
    }
    std::string data = argv[2];
    makeDir(data);
    for (const char* sub : {"/prefs", "/gui", "/tracks", "/models", "/positions", "/bgmusics", "/sounds",
                            "/sounds/gui", "/sounds/game", "/sounds/themes"})
        makeDir(data + sub);
    std::string recipes = argv[1];
    genPrefs(recipes, data);
    genGuiPictures(recipes, data);
    genTracks(recipes, data);
    genRiders(recipes, data);
    genPositions(recipes, data);
    genSounds(recipes, data);
    genMusic(recipes, data);
    return 0;
}
