// Takes a freshly generated tree and the data folder; moves the new files in, removes what the last
// run made and this one did not, and never touches a file the player owns.
#include "content.h"

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "fileio/atomicWrite.h"
#include "fileio/gameFolders.h"
#include "shell/padMap.h"

const char* const GENERATED_LIST = GENERATED_LIST_FILE;

static bool exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

static void listFiles(const std::string& root, const std::string& rel, std::vector<std::string>& out)
{
    DIR* d = opendir((root + "/" + rel).c_str());
    if (!d) return;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string path = rel.empty() ? name : rel + "/" + name;
        struct stat st;
        if (lstat((root + "/" + path).c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) listFiles(root, path, out);
        else out.push_back(path);
    }
    closedir(d);
}

std::vector<std::string> generatedFiles(const std::string& data)
{
    std::vector<std::string> files;
    std::ifstream in(data + "/" + GENERATED_LIST);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) files.push_back(line);
    return files;
}

// Seeded for the player, then the player's: written only where there is none yet, never listed as
// the build's own, so that neither a rebuild nor `make clean` takes an edited one away.
static bool isPlayerSeed(const std::string& rel) { return rel == KEYS_MAP_FILE || rel == PAD_MAP_FILE; }

// Folders emptied by a removal go too, up to the data folder itself.
static void removeEmptyParents(const std::string& data, std::string rel)
{
    for (size_t slash = rel.rfind('/'); slash != std::string::npos; slash = rel.rfind('/')) {
        rel.resize(slash);
        if (rmdir((data + "/" + rel).c_str()) != 0) return;
    }
}

static bool moveIn(const std::string& fresh, const std::string& data, const std::string& rel)
{
    std::string to = data + "/" + rel;
    if (!makeParentFolders(to) || rename((fresh + "/" + rel).c_str(), to.c_str()) != 0) {
        contentError("Can't move %s into %s", rel.c_str(), data.c_str());
        return false;
    }
    return true;
}

int publishContent(const std::string& fresh, const std::string& data)
{
    std::vector<std::string> made;
    listFiles(fresh, "", made);
    std::sort(made.begin(), made.end());
    std::string list;
    for (const std::string& rel : made) {
        if (isPlayerSeed(rel) && exists(data + "/" + rel)) continue;
        if (!moveIn(fresh, data, rel)) return 1;
        if (!isPlayerSeed(rel)) list += rel + "\n";
    }
    for (const std::string& rel : generatedFiles(data)) {
        if (std::binary_search(made.begin(), made.end(), rel) || isPlayerSeed(rel)) continue;
        if (remove((data + "/" + rel).c_str()) == 0) removeEmptyParents(data, rel);
    }
    char why[FILE_WHY_CHARS];
    if (!writeBytesAtomically((data + "/" + GENERATED_LIST).c_str(), list.data(), list.size(), why)) {
        contentError("Can't write %s/%s: %s", data.c_str(), GENERATED_LIST, why);
        return 1;
    }
    return 0;
}

static int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

void removeTree(const std::string& root)
{
    if (exists(root)) nftw(root.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}
