#include "support/testFiles.h"

#include <allegro.h>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

TempDir::TempDir()
{
    char pattern[] = "/tmp/kestrune-test-XXXXXX";
    dir = mkdtemp(pattern);
    owner = getpid();
}

std::string shellQuoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

TempDir::~TempDir()
{
    if (getpid() != owner) return;
    std::string cmd = "rm -rf " + shellQuoted(dir);
    if (system(cmd.c_str()) != 0) fprintf(stderr, "could not remove %s\n", dir.c_str());
}

FileSizeLimit::FileSizeLimit(long bytes)
{
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    oldSoft = (long)old.rlim_cur;
    oldHard = (long)old.rlim_max;
    oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = {(rlim_t)bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &low);
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit old = {(rlim_t)oldSoft, (rlim_t)oldHard};
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
}

std::vector<std::string> folderNames(const std::string& dir)
{
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (struct dirent* e = readdir(d))
        if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
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
