// Takes the current folder, the program's path and the environment; returns where data and player files are.
#include "fileio/gameFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#ifndef KESTRUNE_TOOL_FROM_BIN
#define KESTRUNE_TOOL_FROM_BIN "../lib/games/kestrune"
#endif
#ifndef KESTRUNE_DATA_FROM_BIN
#define KESTRUNE_DATA_FROM_BIN "../share/games/kestrune"
#endif

const char* const DATA_MARKER_FILE = "gui/logo.bmp";
const char* const USER_PREFS_FILE = "prefs/user.prefs";
const char* const GFX_PREFS_FILE = "prefs/gfx.prefs";
const char* const KEYS_MAP_FILE = "prefs/keys.map";
const char* const GENERATED_LIST_FILE = ".generated";

static const char* const CHECKOUT_DATA = "data";
static const char* const FROM_BUILD_FOLDER = "../data"; // checkout/build/kestrune
static const char* const PLAYER_SUBFOLDER = "kestrune";
static const char* const XDG_DEFAULT_FROM_HOME = ".local/share";
static const char* const SCREENSHOT_FOLDER = "screenshots";
static const char* const VIDEO_FOLDER = "videos";
static const char* const CONTENT_TOOL = "kescontent";
static const char* const CHECKOUT_TOOL_FOLDER = "tools"; // build/kestrune beside build/tools/kescontent

static GameFolders current = {"./data", "./data", SCREENSHOT_FOLDER, false, VIDEO_FOLDER};

bool isRegularFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

static std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// "/usr/games/../share/x" becomes "/usr/share/x", so that messages show the place a person would type.
static std::string tidyPath(const std::string& path)
{
    if (path.empty() || path[0] != '/') return path;
    std::vector<std::string> parts;
    size_t at = 1;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string out;
    for (const std::string& p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}

// $XDG_DATA_HOME counts only when absolute; otherwise ~/.local/share, as the XDG rules say.
static std::string playerFolderOf(const FolderSearch& s)
{
    if (!s.xdgDataHome.empty() && s.xdgDataHome[0] == '/') return s.xdgDataHome + "/" + PLAYER_SUBFOLDER;
    if (!s.home.empty()) return s.home + "/" + XDG_DEFAULT_FROM_HOME + "/" + PLAYER_SUBFOLDER;
    return "";
}

static GameFolders checkoutFolders(const std::string& data)
{
    return GameFolders{data, data, SCREENSHOT_FOLDER, false, VIDEO_FOLDER};
}

bool findGameFolders(const FolderSearch& search, GameFolders& out, std::string& whyNot)
{
    std::string here = search.workDir == "." ? "./" + std::string(CHECKOUT_DATA) : search.workDir + "/" + CHECKOUT_DATA;
    std::string exeDir = folderOf(search.exePath);
    std::string installed = tidyPath(exeDir + "/" + KESTRUNE_DATA_FROM_BIN);
    std::string buildTree = tidyPath(exeDir + "/" + FROM_BUILD_FOLDER);
    if (isRegularFile(here + "/" + DATA_MARKER_FILE)) {
        out = checkoutFolders(here);
        out.programDir = search.exePath.empty() ? "" : exeDir;
        return true;
    }
    if (!search.exePath.empty() && isRegularFile(installed + "/" + DATA_MARKER_FILE)) {
        std::string player = playerFolderOf(search);
        out = GameFolders{installed, player, player.empty() ? "" : player + "/" + SCREENSHOT_FOLDER, true,
                          player.empty() ? "" : player + "/" + VIDEO_FOLDER, exeDir};
        return true;
    }
    if (!search.exePath.empty() && isRegularFile(buildTree + "/" + DATA_MARKER_FILE)) {
        out = checkoutFolders(buildTree);
        out.programDir = search.exePath.empty() ? "" : exeDir;
        return true;
    }
    whyNot = "Can't find the game's data (" + std::string(DATA_MARKER_FILE) + ") in " + here;
    if (!search.exePath.empty()) whyNot += ", " + installed + " or " + buildTree;
    return false;
}

static std::string envOrEmpty(const char* name)
{
    const char* v = getenv(name);
    return v ? v : "";
}

static std::string ownProgramPath()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    buf[n] = '\0';
    return buf;
}

bool initGameFolders(std::string& whyNot)
{
    FolderSearch s{".", ownProgramPath(), envOrEmpty("XDG_DATA_HOME"), envOrEmpty("HOME")};
    GameFolders found;
    if (!findGameFolders(s, found, whyNot)) return false;
    current = found;
    return true;
}

void useGameFolders(const GameFolders& folders) { current = folders; }
void resetGameFolders() { current = checkoutFolders("./" + std::string(CHECKOUT_DATA)); }
const GameFolders& gameFolders() { return current; }

std::string dataPath(const std::string& inData) { return current.data + "/" + inData; }

std::string playerReadPath(const std::string& inPlayer)
{
    std::string own = current.player + "/" + inPlayer;
    if (!current.player.empty() && isRegularFile(own)) return own;
    return dataPath(inPlayer);
}

std::string playerWritePath(const std::string& inPlayer)
{
    // No home to write into: an empty name, so that the write fails and says so.
    if (current.player.empty()) return "";
    std::string path = current.player + "/" + inPlayer;
    makeParentFolders(path);
    return path;
}

std::string trackFile(const std::string& trackDir, const std::string& fileName)
{
    return "tracks/" + trackDir + "/" + fileName;
}

std::string trackPath(const std::string& trackDir, const std::string& fileName)
{
    if (!current.player.empty() && current.player != current.data &&
        isRegularFile(current.player + "/" + trackFile(trackDir, trackDir + ".btrk")))
        return current.player + "/" + trackFile(trackDir, fileName);
    return dataPath(trackFile(trackDir, fileName));
}

std::string playerTracksFolder() { return current.player.empty() ? "" : current.player + "/tracks"; }

std::string contentToolPath()
{
    if (current.programDir.empty()) return "";
    for (const std::string& folder : {current.programDir + "/" + CHECKOUT_TOOL_FOLDER,
                                      tidyPath(current.programDir + "/" + KESTRUNE_TOOL_FROM_BIN), current.programDir}) {
        std::string path = folder + "/" + CONTENT_TOOL;
        if (isRegularFile(path) && access(path.c_str(), X_OK) == 0) return path;
    }
    return "";
}

std::string screenshotPath(const std::string& fileName)
{
    return current.screenshots.empty() ? "" : current.screenshots + "/" + fileName;
}

std::string videosFolder() { return current.videos; }

bool makeParentFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}
