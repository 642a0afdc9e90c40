// Takes a path and a size bound; returns an open stream, or nothing and why the file was not taken.
#include "fileio/safeOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>

static std::map<std::string, std::string> refusedPaths;

static const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return strerror(EISDIR);
    if (S_ISFIFO(mode)) return "a pipe, not a file";
    if (S_ISSOCK(mode)) return "a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a file";
    return "not a regular file";
}

static FILE* refuse(const char* path, OpenOutcome* outcome, char* why, const char* reason)
{
    refusedPaths[path] = reason;
    if (outcome) *outcome = openRefused;
    if (why) snprintf(why, OPEN_WHY_CHARS, "%s", reason);
    return nullptr;
}

FILE* openBounded(const char* path, size_t maxBytes, OpenOutcome* outcome, char* why)
{
    if (outcome) *outcome = openedFine;
    if (why) why[0] = '\0';
    refusedPaths.erase(path); // only the latest open counts: a player may have mended the file
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for ever.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            if (outcome) *outcome = openMissing;
            if (why) snprintf(why, OPEN_WHY_CHARS, "%s", strerror(errno));
            return nullptr;
        }
        return refuse(path, outcome, why, strerror(errno));
    }
    struct stat st;
    char reason[OPEN_WHY_CHARS];
    const char* refusal = nullptr;
    if (fstat(fd, &st) != 0) refusal = strerror(errno);
    else if (!S_ISREG(st.st_mode)) refusal = kindOf(st.st_mode);
    else if ((unsigned long long)st.st_size > maxBytes) {
        snprintf(reason, sizeof reason, "larger than %zu bytes", maxBytes);
        refusal = reason;
    }
    FILE* f = refusal ? nullptr : fdopen(fd, "rb");
    if (!f) {
        if (!refusal) refusal = strerror(errno);
        close(fd);
        return refuse(path, outcome, why, refusal);
    }
    return f;
}

FILE* openBoundedOrSay(const char* path, size_t maxBytes)
{
    OpenOutcome outcome;
    char why[OPEN_WHY_CHARS];
    FILE* f = openBounded(path, maxBytes, &outcome, why);
    if (outcome == openRefused) printf("%s refused (%s): not read\n", path, why);
    return f;
}

const char* refusalOf(const char* path)
{
    auto found = refusedPaths.find(path);
    return found == refusedPaths.end() ? nullptr : found->second.c_str();
}
void forgetRefusals() { refusedPaths.clear(); }
