// Takes a film's plan, its sound and its frames; writes them through temporaries beside the film and
// renames them into place only when all of it succeeded.
#include "shell/filmOutput.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/pngFile.h"
#include "platform/filmSound.h"
#include "fileio/gameFolders.h"

static const char* const PART_SUFFIX = ".part";
static const char* const FILM_EXTENSION = ".mp4";
static const char* const SOUND_IN_FRAMES = "sound.wav";
static const int PNG_LEVEL = 1;       // fast: a frame a few tens of milliseconds
static const int SAME_NAME_TRIES = 100;

static std::string lettersAndDigits(const std::string& s)
{
    std::string out;
    for (char c : s)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out += c;
    return out.empty() ? "run" : out;
}

std::string filmName(const std::string& track, const std::string& rider, int score, time_t when)
{
    struct tm t;
    localtime_r(&when, &t);
    char date[32];
    strftime(date, sizeof date, "%Y-%m-%d_%H%M", &t);
    return lettersAndDigits(track) + "_" + lettersAndDigits(rider) + "_" + std::to_string(score) + "_" + date;
}

static bool exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// "<name>.<pid>.part", or ".wav.part" for the sound.
static std::string partOf(const std::string& path, const char* kind = "")
{
    return path + "." + std::to_string((long)getpid()) + kind + PART_SUFFIX;
}

static bool failWith(std::string& why, const std::string& what, int error)
{
    why = what + " (" + strerror(error ? error : EIO) + ")";
    return false;
}

// A write that failed: the disk full told apart from the rest.
static std::string writeFailure(const char* what, const std::string& error)
{
    if (error == strerror(ENOSPC) || error == strerror(EDQUOT)) return "the disk is full (" + error + ")";
    return std::string(what) + " could not be written (" + error + ")";
}

// Only what a film's frames folder holds is removed from it: its frames and its sound.
static void removeFramesFolder(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        const char* n = e->d_name;
        short frame = strncmp(n, "frame", 5) == 0 && strstr(n, ".png") != nullptr;
        if (frame || strcmp(n, SOUND_IN_FRAMES) == 0) unlinkat(dirfd(dir), n, 0);
    }
    closedir(dir);
    rmdir(folder.c_str());
}

static std::string finalFor(const FilmOutputPlan& p)
{
    if (!p.path.empty()) return p.path;
    return p.folder + "/" + p.name + (p.pngFrames ? "" : FILM_EXTENSION);
}

bool beginFilmOutput(FilmOutput& o, const FilmOutputPlan& plan, std::string& why)
{
    o = FilmOutput();
    o.plan = plan;
    o.finalPath = finalFor(plan);
    if (plan.path.empty() && !makeParentFolders(plan.folder + "/x"))
        return failWith(why, "can't make the folder " + plan.folder, errno);
    if (plan.path.empty()) sweepAbandonedFilms(plan.folder);
    o.partPath = partOf(o.finalPath);
    if (plan.pngFrames && mkdir(o.partPath.c_str(), 0755) != 0)
        return failWith(why, "can't write in the folder of " + o.finalPath, errno);
    o.soundPath = plan.pngFrames ? o.partPath + "/" + SOUND_IN_FRAMES : partOf(o.finalPath, ".wav");
    if (!plan.withSound) return true;
    std::string error;
    if (openWav(o.sound, o.soundPath, filmSoundRate, filmSoundChannels, error)) return true;
    why = "can't write in the folder of " + o.finalPath + " (" + error + ")";
    abandonFilmOutput(o);
    return false;
}

bool addFilmSound(FilmOutput& o, const short* stereo, long frames, std::string& why)
{
    std::string error;
    if (appendWav(o.sound, stereo, frames, error)) return true;
    why = writeFailure("the sound", error);
    return false;
}

bool beginFilmPictures(FilmOutput& o, std::string& why)
{
    std::string error;
    if (o.plan.withSound && !closeWav(o.sound, error)) {
        why = writeFailure("the sound", error);
        return false;
    }
    o.picturing = 1;
    if (o.plan.pngFrames) return true;
    FilmEncoderSetup s;
    s.program = o.plan.encoder;
    s.width = o.plan.width, s.height = o.plan.height, s.fps = o.plan.fps;
    s.soundFile = o.plan.withSound ? o.soundPath : "";
    s.output = o.partPath;
    return startFilmEncoder(o.encoder, s, why);
}

bool addFilmPicture(FilmOutput& o, const unsigned char* rgb, std::string& why)
{
    size_t bytes = (size_t)o.plan.width * o.plan.height * 3;
    if (!o.plan.pngFrames) {
        if (!sendFilmFrame(o.encoder, rgb, bytes, why)) return false;
        o.frames++;
        return true;
    }
    char name[32];
    snprintf(name, sizeof name, "/frame%05ld.png", o.frames);
    std::string error;
    if (!writePngFile(o.partPath + name, o.plan.width, o.plan.height, 3, rgb, PNG_LEVEL, error)) {
        why = writeFailure("a frame", error);
        return false;
    }
    o.frames++;
    return true;
}

// A name nobody has yet: the plan's, or with "_2", "_3" ... before its extension.
static std::string freeName(const std::string& path, short folder)
{
    if (!exists(path)) return path;
    size_t dot = folder ? std::string::npos : path.rfind('.');
    if (dot != std::string::npos && dot < path.rfind('/') + 1) dot = std::string::npos;
    std::string stem = dot == std::string::npos ? path : path.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : path.substr(dot);
    for (int k = 2; k < SAME_NAME_TRIES; k++) {
        std::string candidate = stem + "_" + std::to_string(k) + ext;
        if (!exists(candidate)) return candidate;
    }
    return path;
}

bool endFilmOutput(FilmOutput& o, std::string& why)
{
    if (!o.plan.pngFrames) {
        if (finishFilmEncoder(o.encoder, why) != encoderFine) return false;
        if (o.plan.withSound) unlink(o.soundPath.c_str());
    }
    // an explicit file is replaced, as any program's output; a film of the videos folder never is
    std::string target = o.plan.path.empty() ? freeName(o.finalPath, o.plan.pngFrames) : o.finalPath;
    if (rename(o.partPath.c_str(), target.c_str()) != 0) return failWith(why, "can't name it " + target, errno);
    char* whole = realpath(target.c_str(), nullptr);  // the screen says where, whatever the working folder
    o.finalPath = whole ? whole : target;
    free(whole);
    o.partPath.clear();
    o.soundPath.clear();
    return true;
}

void abandonFilmOutput(FilmOutput& o)
{
    if (o.sound.f) {
        fclose(o.sound.f);
        o.sound.f = nullptr;
    }
    stopFilmEncoder(o.encoder);
    if (o.plan.pngFrames && !o.partPath.empty()) removeFramesFolder(o.partPath);
    if (!o.plan.pngFrames && !o.partPath.empty()) unlink(o.partPath.c_str());
    if (!o.plan.pngFrames && !o.soundPath.empty()) unlink(o.soundPath.c_str());
    o.partPath.clear();
    o.soundPath.clear();
}

// The maker's pid of a temporary's name ("<film>.<pid>.part", "<film>.<pid>.wav.part"), 0 for another name.
static long partMaker(const std::string& name)
{
    size_t end = name.size() - strlen(PART_SUFFIX);
    if (name.size() <= strlen(PART_SUFFIX) || name.compare(end, std::string::npos, PART_SUFFIX) != 0) return 0;
    std::string rest = name.substr(0, end);
    if (rest.size() > 4 && rest.compare(rest.size() - 4, 4, ".wav") == 0) rest.resize(rest.size() - 4);
    size_t dot = rest.rfind('.');
    if (dot == std::string::npos || dot + 1 >= rest.size()) return 0;
    for (size_t i = dot + 1; i < rest.size(); i++)
        if (rest[i] < '0' || rest[i] > '9') return 0;
    return atol(rest.c_str() + dot + 1);
}

void sweepAbandonedFilms(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        long pid = partMaker(e->d_name);
        if (pid <= 0 || pid == (long)getpid()) continue;
        if (kill((pid_t)pid, 0) == 0 || errno != ESRCH) continue;  // its maker may be at work still
        std::string path = folder + "/" + e->d_name;
        struct stat st;
        if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) removeFramesFolder(path);
        else unlink(path.c_str());
    }
    closedir(dir);
}
