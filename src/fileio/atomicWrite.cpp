// Takes a path and the bytes to store (or a filler), returns whether the file was replaced and why not.
#include "fileio/atomicWrite.h"
#include "fileio/safeOpen.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

static const int TEMP_NAME_TRIES = 16;

static std::atomic<int> writesUnderWay{0};
// What follows the file's own name in its temporary's name: the writer's pid and a serial number.
static const char* const TEMP_SUFFIX_FORMAT = ".%ld-%u.tmp";

static void tellWhy(char* why, int err)
{
    if (why) snprintf(why, FILE_WHY_CHARS, "%s", strerror(err ? err : EIO));
}

static std::string folderOf(const char* path)
{
    const char* slash = strrchr(path, '/');
    if (!slash) return ".";
    if (slash == path) return "/";
    return std::string(path, slash - path);
}

// A new file beside path that nobody else uses; the umask decides its permissions as for any new file.
static int openTemporary(const char* path, std::string* temp)
{
    static unsigned serial = 0;
    for (int i = 0; i < TEMP_NAME_TRIES; i++) {
        char suffix[48];
        snprintf(suffix, sizeof suffix, TEMP_SUFFIX_FORMAT, (long)getpid(), serial++);
        *temp = std::string(path) + suffix;
        if (temp->size() >= PATH_MAX) {
            errno = ENAMETOOLONG;
            return -1;
        }
        int fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The rename itself is on disk only once the folder is synced; a folder that refuses is no failure.
static void syncFolder(const char* path)
{
    int fd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The writer's pid when rest is exactly a temporary's suffix, else 0.
static long temporaryWriter(const char* rest)
{
    static const std::string scan = std::string(TEMP_SUFFIX_FORMAT) + "%n";
    long pid = 0;
    unsigned serial = 0;
    int end = 0;
    if (sscanf(rest, scan.c_str(), &pid, &serial, &end) != 2 || end == 0 || rest[end] != '\0') return 0;
    return pid;
}

// A save killed half-way leaves its temporary file behind. The next good save of the same file clears
// those whose writer is gone, so the player's folder does not slowly fill with them.
static void sweepAbandonedTemporaries(const char* path)
{
    const char* slash = strrchr(path, '/');
    std::string base = slash ? slash + 1 : path;
    DIR* dir = opendir(folderOf(path).c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (strncmp(name, base.c_str(), base.size()) != 0) continue;
        long pid = temporaryWriter(name + base.size());
        if (pid <= 0 || pid == (long)getpid()) continue;
        if (kill((pid_t)pid, 0) == 0 || errno != ESRCH) continue;  // its writer may still be at work
        unlinkat(dirfd(dir), name, 0);
    }
    closedir(dir);
}

int atomicWritesUnderWay() { return writesUnderWay.load(); }

static bool writeThroughTemporary(const char* path, FileFiller fill, const void* context, char* why)
{
    std::string temp;
    int fd = openTemporary(path, &temp);
    if (fd < 0) {
        tellWhy(why, errno);
        return false;
    }
    FILE* f = fdopen(fd, "wb");
    if (!f) {
        int err = errno;
        close(fd);
        unlink(temp.c_str());
        tellWhy(why, err);
        return false;
    }
    errno = 0;
    bool ok = fill(f, context) && fflush(f) == 0 && !ferror(f) && fsync(fileno(f)) == 0;
    int err = errno;
    if (fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && rename(temp.c_str(), path) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        tellWhy(why, err);
        return false;
    }
    syncFolder(path);
    sweepAbandonedTemporaries(path);
    return true;
}

// A file the game refused to read (a pipe, a device, one far too large) is the player's business: it is
// neither read nor replaced.
static const char* reasonToKeep(const char* path)
{
    struct stat st;
    // (a folder is refused by the rename itself, with the system's reason)
    if (stat(path, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return "it is not a regular file";
    if (refusalOf(path)) return "it could not be read, so it is kept as it is";
    return nullptr;
}

bool writeFileAtomically(const char* path, FileFiller fill, const void* context, char* why)
{
    if (const char* keep = reasonToKeep(path)) {
        if (why) snprintf(why, FILE_WHY_CHARS, "%s", keep);
        return false;
    }
    writesUnderWay++;
    bool ok = writeThroughTemporary(path, fill, context, why);
    writesUnderWay--;
    return ok;
}

struct ByteSpan {
    const void* bytes;
    size_t size;
};

static bool fillBytes(FILE* f, const void* context)
{
    const ByteSpan* span = (const ByteSpan*)context;
    return span->size == 0 || fwrite(span->bytes, 1, span->size, f) == span->size;
}

bool writeBytesAtomically(const char* path, const void* bytes, size_t size, char* why)
{
    ByteSpan span = {bytes, size};
    return writeFileAtomically(path, fillBytes, &span, why);
}
