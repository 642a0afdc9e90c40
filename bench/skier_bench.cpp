// Per-frame rider skinning cost: pose copy and full transform of the heaviest rider found in
// ./data/models, or of a rider filling the model tables when none has been generated.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <cstdio>
#include <string>

#include "core/graphicLib.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "shell/playerRun.h"

static std::string heaviestGeneratedRider()
{
    std::string best;
    int most = -1;
    DIR* d = opendir("./data/models");
    if (!d) return best;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::string path = std::string("./data/models/") + e->d_name + "/" + e->d_name + ".3d";
        reinitSkierData(playerRider);
        if (loadMs3d(playerRider, path.c_str()) == 0 && playerRider.nbFaces > most) {
            most = playerRider.nbFaces;
            best = path;
        }
    }
    closedir(d);
    return best;
}

// 2000 triangles over 2000 vertices spread over the posed joints, with the 22-joint skeleton.
static std::string fullRider()
{
    static const char* const bones[22][2] = {
        {"jbassin", "sans"}, {"jbascolonne", "jbassin"}, {"jhanchegauche", "jbassin"},
        {"jhanchedroite", "jbassin"}, {"jgenoudroite", "jhanchedroite"}, {"jgenougauche", "jhanchegauche"},
        {"jchevillegauche", "jgenougauche"}, {"jchevilledroite", "jgenoudroite"},
        {"jpieddroite", "jchevilledroite"}, {"jpiedgauche", "jchevillegauche"}, {"jmidcolonne", "jbascolonne"},
        {"jcou", "jmidcolonne"}, {"jtete", "jcou"}, {"jsommettete", "jtete"}, {"jepaulegauche", "jmidcolonne"},
        {"jcoudegauche", "jepaulegauche"}, {"jpoignetgauche", "jcoudegauche"},
        {"jmaingauche", "jpoignetgauche"}, {"jepauledroite", "jmidcolonne"},
        {"jcoudedroite", "jepauledroite"}, {"jpoignetdroite", "jcoudedroite"},
        {"jmaindroite", "jpoignetdroite"}};
    std::string path = "/tmp/kestrune_bench_rider.3d";
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return "";
    fprintf(f, "Frames: 1\nFrame: 1\nMeshes: 1\nbody 0 0\n2000\n");
    for (int i = 0; i < 2000; i++) fprintf(f, "0 %d %d %d 0 0 %d\n", i % 40, -(i % 200), i % 30, i % 22);
    fprintf(f, "1\n0 0 1\n2000\n");
    for (int i = 0; i < 2000; i++) fprintf(f, "0 %d %d %d 0 0 0 1\n", i, (i + 1) % 2000, (i + 2) % 2000);
    fprintf(f, "Materials: 1\nskin 1 1 1 1 1 1 1 1 0 0 0 1 0 0 0 1 0 1 \"\" \"\"\nBones: 22\n");
    for (auto& b : bones) fprintf(f, "%s %s 8 0 0 0 0 0 0 0 0\n", b[0], b[1]);
    fclose(f);
    return path;
}

static void BM_SkinRiderFrame(benchmark::State& state)
{
    preCalculateTrigoTables();
    std::string path = heaviestGeneratedRider();
    if (path.empty()) path = fullRider();
    reinitSkierData(playerRider);
    if (path.empty() || loadMs3d(playerRider, path.c_str()) != 0) {
        state.SkipWithError("no rider to skin");
        return;
    }
    state.SetLabel(path + ", " + std::to_string(playerRider.nbFaces) + " triangles");
    changePosition(playerRun.pose, builtInPoses.virGauchePosition);
    float heading = 0;
    for (auto _ : state) {
        majRotationsBones(playerRun.pose, playerRider);
        transformSkierEtat(playerRun.pose, playerRider, 8, heading, 0, 1);
        heading += 1;
        benchmark::DoNotOptimize(playerRider.triangles[0].position[0][0]);
    }
}
BENCHMARK(BM_SkinRiderFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
