// One simulated run frame (controls, physics, collisions, trick input, skinning) on the track with the
// most obstacles, the rider pushing straight down and restarting at the finish.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>

#include <string>

#include "content.h"
#include "fileio/swapthings.h"
#include "platform/gameClock.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/trickInput.h"
#include "shell/keymap.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "track/bombstuff.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

static const int benchFps = 60;
static const long frameMs = 1000 / benchFps;

static int obstacleCount()
{
    const TrackModel& track = loadedTrack;
    int n = 0;
    while (n < maxObstacles && !isObstacleListEnd(track.containerObstacles[n])) n++;
    return n;
}

// ./data/tracks when the data has been built, else tracks generated from the recipes.
static std::string tracksDir()
{
    DIR* d = opendir("./data/tracks");
    if (d) {
        closedir(d);
        return "./data/tracks";
    }
    std::string tmp = "/tmp/kestrune_run_bench";
    mkdir(tmp.c_str(), 0755);
    mkdir((tmp + "/tracks").c_str(), 0755);
    genTracks(std::string(KESTRUNE_SOURCE_DIR) + "/recipes", tmp);
    return tmp + "/tracks";
}

static std::string busiestTrack()
{
    storeByteOrder(0);
    std::string dir = tracksDir(), best;
    int most = -1;
    DIR* d = opendir(dir.c_str());
    if (!d) return best;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::string path = dir + "/" + e->d_name + "/" + e->d_name + ".btrk";
        if (importTrackFromBinaryFile(loadedTrack, path.c_str()) == trackLoadOk && obstacleCount() > most) {
            most = obstacleCount();
            best = path;
        }
    }
    closedir(d);
    return best;
}

static std::string riderLoaded = "no rider";

static int loadGeneratedRider()
{
    DIR* d = opendir("./data/models");
    if (!d) return 0;
    int loaded = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::string path = std::string("./data/models/") + e->d_name + "/" + e->d_name + ".3d";
        reinitSkierData(playerRider);
        if (loadMs3d(playerRider, path.c_str()) == 0) {
            riderLoaded = path;
            loaded = 1;
            break;
        }
    }
    closedir(d);
    return loaded;
}

// A generated rider, else the full-table rider the skinning benchmark writes, else none.
static void loadSomeRider()
{
    if (loadGeneratedRider()) return;
    reinitSkierData(playerRider);
    if (loadMs3d(playerRider, "/tmp/kestrune_bench_rider.3d") != 0) reinitSkierData(playerRider);
    else riderLoaded = "/tmp/kestrune_bench_rider.3d";
}

// The record of the next frame: the clock one frame on, holding the given button or none.
static RunInput nextFrame(int button)
{
    gameClockAdvance(frameMs);
    RunInput in;
    if (button >= 0) in.held[button] = 1;
    in.clockMs = gameClock();
    in.frameps = benchFps;
    return in;
}

static void startRun(const std::string& track)
{
    const TrackModel& model = loadedTrack;
    videPileBoutons(playerRun);
    reinitGameVar(playerRun, loadedTrack);
    importTrackFromBinaryFile(loadedTrack, track.c_str());
    resetCollectedBomb(playerRun, model.bombsQty);
    placeSkierAtStart(playerRun, loadedTrack, gameClock());
    simulateGameFrame(playerRun, loadedTrack, nextFrame(RB_JUMP));
    for (int i = 0; i < 2 * benchFps && playerRun.timing.DEPART != 1; i++) simulateGameFrame(playerRun, loadedTrack, nextFrame(-1));
}

// range(0): 1 with a rider model to skin, 0 without (the run's own cost).
static void BM_SimulateGameFrame(benchmark::State& state)
{
    std::string track = busiestTrack();
    if (track.empty()) {
        state.SkipWithError("no track");
        return;
    }
    riderLoaded = "no rider";
    reinitSkierData(playerRider);
    if (state.range(0)) loadSomeRider();
    theTrasher->weight = 70.0f;
    currentKeymap[KM_UP] = KEY_UP;
    gameClockSetManual(100000);
    playerRun.timing.frameps = benchFps;
    startRun(track);
    for (auto _ : state) {
        simulateGameFrame(playerRun, loadedTrack, nextFrame(RB_UP));
        if (playerRun.motion.skieurArrive) {
            state.PauseTiming();
            startRun(track);
            state.ResumeTiming();
        }
    }
    gameClockSetReal();
    state.SetLabel(track + ", " + riderLoaded + ", " + std::to_string(playerRider.nbFaces) + " faces");
}
BENCHMARK(BM_SimulateGameFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
