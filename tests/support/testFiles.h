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
    int owner;  // the process that made it: a death test's child exits through our destructors too
};

// While it lives, no file of this process may grow past `bytes`: writes fail as on a full disk
// ("File too large"), without the signal that would end the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long bytes);
    ~FileSizeLimit();

private:
    long oldSoft, oldHard;
    void (*oldHandler)(int);
};

// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> folderNames(const std::string& dir);

// The text as one word for the shell: in single quotes, its own single quotes escaped.
std::string shellQuoted(const std::string& text);

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
void writeText(const std::string& path, const std::string& text);
std::vector<unsigned char> readBytes(const std::string& path);

// Allegro without a display or sound, as picture loaders need it; once per test process.
void ensureAllegroForFiles();
