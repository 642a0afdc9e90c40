// Loading a run's track: takes the track's directory name, fills the track model and the three obstacle
// models with their display lists, starts the run's sound loops and resets the spray, traces and sweep.
#include "shell/initGame.h"

#include <cstdio>

#include "fileio/gameFolders.h"
#include "render/Generic3dObjectDraw.h"
#include "render/SnowParticleEngine.h"
#include "render/skiTraces.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "sound/gameSounds.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "fileio/safeOpen.h"

static const int trackPathSize = 1024;
static const int obstacleModels = obstacleModelLists;

struct TrackPaths {
    char track[trackPathSize];
    char models[obstacleModels][trackPathSize];
};

// In the order of their lists (render/Generic3dObjectDraw.h).
static Generic3DObject* const modelObjects[obstacleModels] = {&classicTree, &classicBomb, &classicRail};
static const char* const modelFiles[obstacleModels] = {"tree.3d", "bomb.3d", "rail.3d"};

static int fits(int written) { return written >= 0 && written < trackPathSize; }

static int buildPaths(const char* trackName, TrackPaths* p)
{
    std::string track = trackPath(trackName, std::string(trackName) + ".btrk");
    if (!fits(snprintf(p->track, trackPathSize, "%s", track.c_str()))) return 0;
    for (int i = 0; i < obstacleModels; i++) {
        std::string model = trackPath(trackName, modelFiles[i]);
        if (!fits(snprintf(p->models[i], trackPathSize, "%s", model.c_str()))) return 0;
    }
    return 1;
}

static int canOpen(const char* path)
{
    FILE* f = openBoundedOrSay(path, CONTENT_FILE_BOUND);
    if (f) fclose(f);
    return f != nullptr;
}

// The model reader ends the program on a missing file; a track without its models is refused instead.
static int modelsPresent(const TrackPaths& p)
{
    for (int i = 0; i < obstacleModels; i++)
        if (!canOpen(p.models[i])) {
            noteTrackRefusal("Track not loaded: can't open its obstacle model %s", modelFiles[i]);
            return 0;
        }
    return 1;
}

// A refused model is left empty by its reader and simply not drawn.
static void loadObstacleModels(const TrackPaths& p)
{
    makeObjectLists();
    for (int i = 0; i < obstacleModels; i++) {
        modelObjects[i]->init();
        modelObjects[i]->load(p.models[i]);
        compileObjectList(*modelObjects[i], (ObstacleModelList)i);
    }
}

int initGame(TrackModel& track, const char* trackName)
{
    static TrackPaths paths;
    if (!trackName || !buildPaths(trackName, &paths)) {
        noteTrackRefusal("Track name missing or too long: not loaded");
        return trackLoadCantOpen;
    }
    // Checked before anything is loaded, so a refused track leaves the model as it was.
    if (!canOpen(paths.track)) return importTrackFromBinaryFile(track, paths.track);
    if (!modelsPresent(paths)) return trackLoadNoModel;
    int loaded = importTrackFromBinaryFile(track, paths.track);
    if (loaded != trackLoadOk) return loaded;
    loadObstacleModels(paths);
    initSkiSndLoop();
    initWindLoopSnd();
    if (snowSprays.particleEngineSkier) snowSprays.particleEngineSkier->initParticlesProps();
    skiTraces.reset();
    // The rider starts at the track's start line; the first sweep starts there too.
    reinitCollisionSweep(playerRun, track.depart, yTheoObj(track.points, track.faces, track.depart, playerRun.motion.Zobjet, maxTrackFaces),
                         playerRun.motion.Zobjet);
    return trackLoadOk;
}
