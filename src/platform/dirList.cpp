#include "platform/dirList.h"

#include <dirent.h>

#include <algorithm>

bool listDirectory(const char* dir, std::vector<std::string>& names, size_t maxNames)
{
    names.clear();
    DIR* d = opendir(dir);
    if (!d) return false;
    std::vector<std::string> all;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue; // ".", ".." and hidden entries
        all.push_back(e->d_name);
    }
    closedir(d);
    std::sort(all.begin(), all.end());
    if (all.size() > maxNames) all.resize(maxNames);
    names.swap(all);
    return true;
}
