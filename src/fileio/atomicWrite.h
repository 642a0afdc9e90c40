// Player files written whole or not at all: a temporary file in the same folder, synced, then renamed over the old one.
#pragma once

#include <cstddef>
#include <cstdio>

const int FILE_WHY_CHARS = 256; // room for the system's reason a write failed

// Writes the file's bytes into the open temporary file; returns false when a write failed.
typedef bool (*FileFiller)(FILE* f, const void* context);

// True when path now holds exactly what fill wrote; temporary files of path left by earlier writers that
// were killed are then removed. Otherwise false, path is as it was, no temporary file is left and why
// (FILE_WHY_CHARS, may be null) holds the system's reason, e.g. "No space left on device".
bool writeFileAtomically(const char* path, FileFiller fill, const void* context, char* why);
// The same for bytes already in memory.
bool writeBytesAtomically(const char* path, const void* bytes, size_t size, char* why);
// How many atomic writes are between their first byte and their rename, in every thread.
int atomicWritesUnderWay();
