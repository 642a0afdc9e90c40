// Takes nothing but the data directory and writes the default key and pad maps, unless the player has them.
#include "content.h"
#include "gui.h"

#include <cstdio>

#include "shell/keymapFile.h"
#include "shell/padMap.h"

// The player's own map survives a rebuild of the data.
static void writeUnlessThere(const std::string& path, const std::string& text)
{
    if (FILE* existing = fopen(path.c_str(), "r")) {
        fclose(existing);
        return;
    }
    FILE* f = fopen(path.c_str(), "w");
    if (!f) {
        contentError("Can't open %s", path.c_str());
        return;
    }
    fputs(text.c_str(), f);
    fclose(f);
}

void genPrefs(const std::string&, const std::string& data)
{
    std::string keys = keymapFileHeader;
    for (int i = 0; i < 12; i++) keys += std::string(1, DEFAULT_KEYS[i]) + "\n";
    writeUnlessThere(data + "/prefs/keys.map", keys);
    PadMap pad;
    defaultPadMap(pad);
    writeUnlessThere(data + "/" + PAD_MAP_FILE, padMapText(pad));
}
