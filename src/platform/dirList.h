// Sorted names of a directory's entries, hidden ones skipped.
#pragma once

#include <string>
#include <vector>

// Entry names of dir in byte order, without "." and ".." and without any name beginning with '.'.
// At most maxNames names are returned. Returns false when the directory cannot be read.
bool listDirectory(const char* dir, std::vector<std::string>& names, size_t maxNames);
