// Takes the film's size, rate, sound file and output; runs ffmpeg on a pipe, feeds it frames, and
// tells whether it made the film and, when not, why (its own words, the disk full told apart).
#include "platform/filmEncoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

const char* const FILM_ENCODER_PROGRAM = "ffmpeg";

static const char* const VIDEO_QUALITY = "20";  // x264's constant rate factor: good, not huge
static const char* const SOUND_BITRATE = "192k";
static const size_t LOG_TAIL = 4096;            // the encoder's last words read back
static const char* const DISK_FULL_WORDS[] = {"No space left on device", "Disk quota exceeded", "File too large"};

static bool canRun(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string findProgram(const std::string& name, const char* searchPath)
{
    if (name.empty()) return "";
    if (name.find('/') != std::string::npos) return canRun(name) ? name : "";
    std::string path = searchPath ? searchPath : "";
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find(':', at);
        if (end == std::string::npos) end = path.size();
        std::string folder = end > at ? path.substr(at, end - at) : ".";
        std::string candidate = folder + "/" + name;
        if (canRun(candidate)) return candidate;
        at = end + 1;
    }
    return "";
}

std::vector<std::string> filmEncoderArguments(const FilmEncoderSetup& s)
{
    std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
    std::vector<std::string> a = {s.program, "-hide_banner", "-nostats", "-loglevel", "error", "-y",
                                  "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size, "-r", std::to_string(s.fps),
                                  "-i", "pipe:0"};
    if (!s.soundFile.empty()) a.insert(a.end(), {"-i", s.soundFile});
    a.insert(a.end(), {"-map", "0:v"});
    if (!s.soundFile.empty()) a.insert(a.end(), {"-map", "1:a", "-c:a", "aac", "-b:a", SOUND_BITRATE});
    a.insert(a.end(), {"-c:v", "libx264", "-preset", "veryfast", "-crf", VIDEO_QUALITY, "-pix_fmt", "yuv420p",
                       "-movflags", "+faststart", "-f", "mp4", s.output});
    return a;
}

static void closeFd(int& fd)
{
    if (fd >= 0) close(fd);
    fd = -1;
}

// The scratch file the encoder talks into: gone from the folder at once, read through its descriptor.
static int scratchLog()
{
    FILE* f = tmpfile();
    if (!f) return -1;
    int fd = dup(fileno(f));
    fclose(f);
    return fd;
}

bool startFilmEncoder(FilmEncoder& e, const FilmEncoderSetup& s, std::string& why)
{
    e = FilmEncoder();
    int pipeEnds[2];
    e.log = scratchLog();
    if (e.log < 0 || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        why = std::string("can't start ") + FILM_ENCODER_PROGRAM + ": " + strerror(errno);
        closeFd(e.log);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], 0);
    posix_spawn_file_actions_adddup2(&actions, e.log, 1);
    posix_spawn_file_actions_adddup2(&actions, e.log, 2);
    std::vector<std::string> args = filmEncoderArguments(s);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int failed = posix_spawn(&e.pid, s.program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[0]);
    e.input = pipeEnds[1];
    if (failed != 0) {
        why = std::string("can't start ") + s.program + ": " + strerror(failed);
        e.pid = -1;
        closeFd(e.input);
        closeFd(e.log);
        return false;
    }
    return true;
}

// A write to an encoder that has ended fails with EPIPE instead of ending the game.
static bool writeAll(int fd, const unsigned char* bytes, size_t size, int* error)
{
    struct sigaction ignore = {}, kept;
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &kept);
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *error = errno;
            break;
        }
        done += (size_t)n;
    }
    sigaction(SIGPIPE, &kept, nullptr);
    return done == size;
}

static std::string logTail(int fd)
{
    if (fd < 0) return "";
    off_t end = lseek(fd, 0, SEEK_END);
    off_t from = end > (off_t)LOG_TAIL ? end - (off_t)LOG_TAIL : 0;
    std::string text(LOG_TAIL, '\0');
    ssize_t n = pread(fd, &text[0], LOG_TAIL, from);
    text.resize(n > 0 ? (size_t)n : 0);
    return text;
}

FilmEncoderFailure failureInLog(const std::string& log, std::string& why)
{
    for (const char* words : DISK_FULL_WORDS)
        if (log.find(words) != std::string::npos) {
            why = std::string("the disk is full (") + words + ")";
            return encoderDiskFull;
        }
    size_t end = log.find_last_not_of(" \r\n\t");
    if (end == std::string::npos) {
        why = std::string(FILM_ENCODER_PROGRAM) + " stopped without a word";
        return encoderStopped;
    }
    size_t start = log.find_last_of('\n', end);
    start = start == std::string::npos ? 0 : start + 1;
    why = std::string(FILM_ENCODER_PROGRAM) + " stopped: " + log.substr(start, end + 1 - start);
    return encoderStopped;
}

// The encoder's end: its exit status, or -1 when it was ended by a signal.
static int waitForEncoder(FilmEncoder& e)
{
    int status = 0;
    pid_t got;
    do got = waitpid(e.pid, &status, 0);
    while (got < 0 && errno == EINTR);
    e.pid = -1;
    if (got < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool sendFilmFrame(FilmEncoder& e, const unsigned char* rgb, size_t bytes, std::string& why)
{
    int error = 0;
    if (e.input >= 0 && writeAll(e.input, rgb, bytes, &error)) {
        e.framesSent++;
        return true;
    }
    // it stopped taking frames: it has ended, or is ending; its own words say why
    closeFd(e.input);
    if (e.pid > 0) waitForEncoder(e);
    if (failureInLog(logTail(e.log), why) == encoderStopped && error != EPIPE && error != 0)
        why += std::string(" (") + strerror(error) + ")";
    closeFd(e.log);
    return false;
}

FilmEncoderFailure finishFilmEncoder(FilmEncoder& e, std::string& why)
{
    if (e.pid <= 0) {
        why = std::string(FILM_ENCODER_PROGRAM) + " was not running";
        return encoderNotStarted;
    }
    closeFd(e.input);
    int status = waitForEncoder(e);
    FilmEncoderFailure f = encoderFine;
    if (status != 0) {
        f = failureInLog(logTail(e.log), why);
        if (f == encoderStopped && status > 0) why += " (exit status " + std::to_string(status) + ")";
    }
    closeFd(e.log);
    return f;
}

void stopFilmEncoder(FilmEncoder& e)
{
    closeFd(e.input);
    if (e.pid > 0) {
        kill(e.pid, SIGTERM);
        waitForEncoder(e);
    }
    closeFd(e.log);
}
