// The loaders read paths, so each fuzz input is written to a scratch file of this process first.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

#include "fileio/swapthings.h"

inline const char* fuzzInputFile(const unsigned char* data, size_t size, const char* suffix = "")
{
    static std::string path;
    if (path.empty()) {
        storeByteOrder(0);  // as the game does before reading any file
        path = "/tmp/kestrune_fuzz_" + std::to_string(getpid()) + suffix;
    }
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return path.c_str();
    if (size) fwrite(data, 1, size, f);
    fclose(f);
    return path.c_str();
}
