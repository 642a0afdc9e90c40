// Takes nothing but the data directory and writes the default key map, unless the player has one.
#include "content.h"
#include "gui.h"

#include <cstdio>

#include "shell/keymapFile.h"

void genPrefs(const std::string&, const std::string& data)
{
    std::string path = data + "/prefs/keys.map";
    if (FILE* existing = fopen(path.c_str(), "r")) {
        fclose(existing); // the player's own map survives a rebuild of the data
        return;
    }
    FILE* f = fopen(path.c_str(), "w");
    if (!f) {
        contentError("Can't open %s", path.c_str());
        return;
    }
    fputs(keymapFileHeader, f);
    for (int i = 0; i < 12; i++) fprintf(f, "%c\n", DEFAULT_KEYS[i]);
    fclose(f);
}
