// Takes nothing but the data directory and writes the default key map.
#include "content.h"

#include <cstdio>

// One lowercase letter per line, in slot order; the bomb key is fixed by the game.
static const char* KEYS_MAP =
    "# Kestrune key map: one lowercase letter per line, in this order.\n"
    "# left, right, down, up, left side, right side, trick1 .. trick6\n"
    "s\nf\nd\ne\nw\nr\nj\nk\nl\nu\ni\no\n";

void genPrefs(const std::string&, const std::string& data)
{
    std::string path = data + "/prefs/keys.map";
    FILE* f = fopen(path.c_str(), "w");
    if (!f) {
        fprintf(stderr, "Can't open %s\n", path.c_str());
        return;
    }
    fputs(KEYS_MAP, f);
    fclose(f);
}
