// Takes a finished run's recording; writes it as the track's best run in the player's folder.
#include "shell/keepBestRun.h"

#include <cstdio>
#include <string>

#include "fileio/atomicWrite.h"
#include "run/bestRun.h"
#include "fileio/gameFolders.h"
#include "run/ghostRun.h"
#include "shell/playerRun.h"

int keepBestRun(const char* trackDir, const char* rider, int finalScore, float finalTime, char* why)
{
    if (!playerRun.recording.finished || playerRun.recording.samples.empty()) {
        if (why) snprintf(why, FILE_WHY_CHARS, "no recording of the whole run");
        return 1;
    }
    static BestRun best;
    snprintf(best.track, sizeof best.track, "%s", trackDir);
    snprintf(best.rider, sizeof best.rider, "%s", rider);
    best.finalScore = finalScore;
    best.finalTime = finalTime;
    best.rec = playerRun.recording;
    std::string path = playerWritePath(trackFile(trackDir, BEST_RUN_FILE));
    int failed = saveBestRun(path.c_str(), best, why);
    if (failed) printf("Best run %s not saved: %s\n", path.c_str(), why ? why : "");
    clearRecording(&best.rec);
    return failed;
}
