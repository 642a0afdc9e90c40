#include "support/testFiles.h"

#include <allegro.h>
#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

TempDir::TempDir()
{
    char pattern[] = "/tmp/kestrune-test-XXXXXX";
    dir = mkdtemp(pattern);
}

TempDir::~TempDir()
{
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) fprintf(stderr, "could not remove %s\n", dir.c_str());
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::vector<unsigned char> out;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return out;
    int c;
    while ((c = fgetc(f)) != EOF) out.push_back((unsigned char)c);
    fclose(f);
    return out;
}

void ensureAllegroForFiles()
{
    static bool done = false;
    if (!done) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        done = true;
    }
}
