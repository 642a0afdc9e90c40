// Takes seeds (today's, a typed one) and the player's folder; runs the content tool on them, moves its
// finished tracks into the player's tracks and says on the track screen what went wrong.
#include "shell/trackBuilds.h"

#include <ftw.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "run/bestRun.h"
#include "platform/childProgram.h"
#include "platform/dirList.h"
#include "fileio/gameFolders.h"
#include "platform/utcDate.h"
#include "screens/choixPiste.h"
#include "screens/score.h"
#include "shell/gameLoop.h"
#include "shell/systemPortUtils.h"
#include "track/seededTracks.h"

// The tool writes here first: a half-made track is never listed, and a crash leaves nothing in tracks/.
static const char* const STAGING_FOLDER = ".trackbuild";
static const int LINE_CHARS = 300;

struct TrackBuild {
    int pid = -1;
    std::string seed;
    bool typed = false;
};

static TrackBuild building;
static char line[LINE_CHARS] = "";
static bool dayChecked = false;

static bool isFolder(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

static void removeTree(const std::string& root)
{
    struct stat st;
    if (lstat(root.c_str(), &st) == 0) nftw(root.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

static std::string stagingFolder() { return gameFolders().player + "/" + STAGING_FOLDER; }

static std::string whatIsBuilt(const std::string& seed, bool typed)
{
    return typed ? "the track of seed " + seed : "the track of the day";
}

static void say(const std::string& text)
{
    snprintf(line, sizeof line, "%s", text.c_str());
    if (!text.empty()) printf("%s\n", line);
    redrawAllMenu = 0;
}

static int refuse(const std::string& why)
{
    say(why);
    return 1;
}

static bool trackIsThere(const std::string& dir)
{
    return isRegularFile(playerTracksFolder() + "/" + dir + "/" + dir + ".btrk");
}

int pruneDayTracks(const std::string& tracksFolder, int kept)
{
    std::vector<std::string> names;
    if (tracksFolder.empty() || !listDirectory(tracksFolder.c_str(), names, SIZE_MAX)) return 0;
    std::vector<DayTrackFound> found;
    for (const std::string& n : names) {
        std::string own = tracksFolder + "/" + n + "/";
        if (trackDay(n) != 0 && isFolder(tracksFolder + "/" + n)) found.push_back({n, isRegularFile(own + SCORE_FILE) || isRegularFile(own + BEST_RUN_FILE)});
    }
    int removed = 0;
    for (const std::string& dir : dayTracksToRemove(found, kept)) {
        removeTree(tracksFolder + "/" + dir);
        removed++;
    }
    return removed;
}

void startDayTrackIfMissing()
{
    if (dayChecked) return;
    dayChecked = true;
    std::string seed = daySeed(todayUtc());
    if (seed.empty()) {
        say("No track of the day: the system's clock gives no date");
        return;
    }
    pruneDayTracks(playerTracksFolder(), DAY_TRACKS_KEPT);
    if (!trackIsThere(seededTrackName(seed))) startSeedBuild(seed, false);
}

int startSeedBuild(const std::string& seed, bool typed)
{
    std::string what = whatIsBuilt(seed, typed), dir = seededTrackName(seed);
    if (building.pid >= 0) return refuse("Wait: " + whatIsBuilt(building.seed, building.typed) + " is being built");
    if (dir.empty()) return refuse("A seed is 1 to " + std::to_string(SEED_MAX_LENGTH) + " letters or digits");
    if (trackIsThere(dir)) {
        refreshTrackList(dir.c_str());
        return 0;
    }
    std::string tool = contentToolPath();
    if (tool.empty()) return refuse("Can't build " + what + ": no kescontent beside the game");
    if (gameFolders().player.empty()) return refuse("Can't build " + what + ": no folder for the player's files");
    removeTree(stagingFolder());
    if (!makeParentFolders(stagingFolder() + "/tracks/")) return refuse("Can't build " + what + ": can't make " + stagingFolder());
    building.pid = startChildProgram({tool, "--seeded-track", seed, stagingFolder()});
    if (building.pid < 0) return refuse("Can't build " + what + ": " + tool + " did not start");
    building.seed = seed;
    building.typed = typed;
    say("Building " + what + "...");
    return 0;
}

bool trackBuildRunning() { return building.pid >= 0; }

// The tool's folder holds the track's file and its thumbnail: anything less is no track.
static bool publishBuilt(const std::string& dir, std::string& why)
{
    std::string made = stagingFolder() + "/tracks/" + dir, to = playerTracksFolder() + "/" + dir;
    if (!isRegularFile(made + "/" + dir + ".btrk") || !isRegularFile(made + "/texObj/front.bmp")) {
        why = "the content tool left no whole track";
        return false;
    }
    if (!makeParentFolders(to) || rename(made.c_str(), to.c_str()) != 0) {
        why = "can't move it into " + playerTracksFolder();
        return false;
    }
    return true;
}

void pollTrackBuilds()
{
    int status = 0;
    if (building.pid < 0 || !childProgramEnded(building.pid, status)) return;
    building.pid = -1;
    std::string dir = seededTrackName(building.seed), what = whatIsBuilt(building.seed, building.typed), why;
    bool ok = status == 0 && publishBuilt(dir, why);
    if (status != 0) why = "kescontent failed (status " + std::to_string(status) + "; a full disk?)";
    removeTree(stagingFolder());
    if (!ok) {
        say("Can't build " + what + ": " + why);
        return;
    }
    say("");
    pruneDayTracks(playerTracksFolder(), DAY_TRACKS_KEPT);
    refreshTrackList(building.typed ? dir.c_str() : nullptr);
}

const char* trackBuildLine() { return line; }

void finishTrackBuilds()
{
    if (building.pid < 0) return;
    waitChildProgram(building.pid);
    building.pid = -1;
    removeTree(stagingFolder());
}
