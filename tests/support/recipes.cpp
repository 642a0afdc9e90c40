#include "support/recipes.h"

#include "content.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "fileio/swapthings.h"
#include "support/testFiles.h"

const std::string RECIPES = std::string(KESTRUNE_SOURCE_DIR) + "/recipes";

std::vector<std::string> dirEntries(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> recipeNames(const std::string& kind, const std::string& ext)
{
    std::vector<std::string> names;
    for (const std::string& e : dirEntries(RECIPES + "/" + kind))
        if (e.size() > ext.size() && e.compare(e.size() - ext.size(), ext.size(), ext) == 0)
            names.push_back(e.substr(0, e.size() - ext.size()));
    return names;
}

const std::string& builtData()
{
    static const std::string data = std::string(KESTRUNE_SOURCE_DIR) + "/data";
    struct stat st;
    if (stat((data + "/.generated").c_str(), &st) != 0) {
        fprintf(stderr, "%s was not generated: run make data first\n", data.c_str());
        abort();
    }
    return data;
}

const std::string& shippedTracksData() { return builtData(); }
