// Small helpers for tests that read and write files.
#pragma once

#include <string>
#include <vector>

// A fresh empty directory under /tmp, removed with its contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }

private:
    std::string dir;
};

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
void writeText(const std::string& path, const std::string& text);
std::vector<unsigned char> readBytes(const std::string& path);

// Allegro without a display or sound, as picture loaders need it; once per test process.
void ensureAllegroForFiles();
