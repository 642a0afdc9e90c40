// The free-text description shown beside a track's thumbnail: takes its file, returns at most a buffer's worth of text.
#include "screens/choixPiste.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gameFolders.h"

// Only a plain file is read, and never more than fits: a link to an endless device or a pipe with no
// writer must not hold the track screen.
int readDescriptionFile(const char* path, char* out, int size)
{
    memset(out, 0, size);
    snprintf(out, size, " ");
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        printf("Track description %s is not a plain file: not shown\n", path);
        close(fd);
        return 1;
    }
    size_t used = 0;
    while ((int)used < size - 1) {
        ssize_t n = read(fd, out + used, size - 1 - used);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        used += n;
    }
    out[used] = '\0';
    close(fd);
    return 0;
}

int loadTrackDescription(const char* trackDir, char* out, int size)
{
    std::string path = dataPath(trackFile(trackDir, std::string(trackDir) + ".desc"));
    return readDescriptionFile(path.c_str(), out, size);
}
