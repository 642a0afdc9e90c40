// Where the game's files are: the read-only data folder and the player's own writable folder.
#pragma once

#include <string>

// A data folder is one that holds this file.
extern const char* const DATA_MARKER_FILE;

// The player's files, relative to the player's folder (and to the data folder for shipped defaults).
extern const char* const USER_PREFS_FILE;
extern const char* const GFX_PREFS_FILE;
extern const char* const KEYS_MAP_FILE;
// In the data folder: the files the content tool made, one path a line (absent from an installed game).
extern const char* const GENERATED_LIST_FILE;

struct GameFolders {
    std::string data;        // read-only content: "./data" in a checkout
    std::string player;      // preferences, key map, scores; the data folder itself in a checkout
    std::string screenshots; // F10 pictures
    bool installed;          // data found beside an installed program rather than in a checkout
    std::string videos = ""; // films of best runs
    std::string programDir = ""; // the game's own folder, where its helper programs are looked for
};

// What the search looks at: the current folder, the program's own path, and the player's
// $XDG_DATA_HOME and $HOME (empty when unset).
struct FolderSearch {
    std::string workDir;
    std::string exePath;
    std::string xdgDataHome;
    std::string home;
};

// Looks for the data in workDir/data, then installed beside the program, then in the checkout
// holding the program's build folder. False, with a message naming every place looked at, when
// no candidate holds DATA_MARKER_FILE.
bool findGameFolders(const FolderSearch& search, GameFolders& out, std::string& whyNot);
// The search for this process ("." , /proc/self/exe and the environment), kept for every later path.
bool initGameFolders(std::string& whyNot);
void useGameFolders(const GameFolders& folders);
// Back to a checkout's ./data, which is also the state before initGameFolders.
void resetGameFolders();
const GameFolders& gameFolders();

// A regular file is there (not a folder, not a dangling link).
bool isRegularFile(const std::string& path);

// A shipped file: "gui/logo.bmp" gives "<data>/gui/logo.bmp".
std::string dataPath(const std::string& inData);
// The player's copy of a file when there is one, else the shipped default of the same name.
std::string playerReadPath(const std::string& inPlayer);
// Where the player's copy is written; its folders are made. The shipped default is never the target
// of a write from an installed game.
std::string playerWritePath(const std::string& inPlayer);
// "tracks/<trackDir>/<fileName>": a track's own file, shipped or the player's ("top.sc" ...).
std::string trackFile(const std::string& trackDir, const std::string& fileName);
// Where a track's own file is read: the player's folder for a track made for the player (a seeded
// one, built after the game was installed), else the data folder.
std::string trackPath(const std::string& trackDir, const std::string& fileName);
// The folder of the player's own tracks ("<player>/tracks"); "" with no player's folder.
std::string playerTracksFolder();
// The content tool that builds seeded tracks: beside the game in a checkout's build folder or in the
// installed game's lib folder; "" when there is none.
std::string contentToolPath();
// "<screenshots>/<fileName>".
std::string screenshotPath(const std::string& fileName);
// The folder films go in: "videos" beside "screenshots" in a checkout, the player's "videos/" when installed.
std::string videosFolder();

// Makes every missing folder on the way to path's last component; false when one cannot be made.
bool makeParentFolders(const std::string& path);
