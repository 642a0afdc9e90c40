// Cost of one collision sweep against a full obstacle list, and of the terrain queries of a frame.
#include <benchmark/benchmark.h>

#include "run/runState.h"
#include "shell/playerRun.h"
#include "support/planeTrack.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

// 1000 obstacles of every type along the rider's line, `spacing` apart, within half a cell of it
// across and out of his reach in height so that none is hit.
static void fillObstacles(float spacing, float height)
{
    TrackModel& track = loadedTrack;
    track.initObstacles();
    for (int i = 0; i < maxObstacles; i++) {
        ObstacleRecord& o = track.containerObstacles[i];
        o.x = 500.0f + spacing * i;
        o.y = height;
        o.z = (i % 3 - 1) * 300.0f;
        o.type = i % 4;
    }
}

// Arguments: the rider's movement since the previous sweep (250 is one frame at the top speed of
// 5000 per second at 20 frames per second; 18000 fills the 100 sample points), the spacing of the
// obstacles (18: all 1000 packed on the first 18000 units; 336: spread over the whole track), and
// their height.
static void BM_DetectCollisionSweep(benchmark::State& state)
{
    buildPlaneTrack(false);
    fillObstacles((float)state.range(1), (float)state.range(2));
    setContact(playerRun, 0);
    float move = (float)state.range(0);
    for (auto _ : state) {
        reinitCollisionSweep(playerRun, 0.0f, 0.0f, 0.0f);
        playerRun.motion.Xobjet = move, playerRun.motion.Yobjet = 0.0f, playerRun.motion.Zobjet = 0.0f;
        benchmark::DoNotOptimize(detectCollision(playerRun, loadedTrack));
    }
}
BENCHMARK(BM_DetectCollisionSweep)
    ->Args({250, 336, 20000})
    ->Args({18000, 336, 20000})
    ->Args({250, 18, 20000})
    ->Args({18000, 18, 20000});

// 1000 ground placements with slope and normal, spread over the whole grid.
static void BM_TerrainQueries(benchmark::State& state)
{
    const TrackModel& track = loadedTrack;
    buildPlaneTrack(false);
    float normal[3];
    for (auto _ : state) {
        unsigned int seed = 12345;
        float sum = 0.0f;
        for (int i = 0; i < 1000; i++) {
            seed = seed * 1103515245u + 12345u;
            float x = (float)(seed % 336000u) + 400.0f;
            float z = (float)((seed >> 8) % 80000u) - 40000.0f;
            sum += placeObjetAndGetAngle(playerRun.rider.ground, track.points, track.faces, x, z, maxTrackFaces, (float)(i % 90), normal);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TerrainQueries);
