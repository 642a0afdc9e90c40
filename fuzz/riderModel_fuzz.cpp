// Rider and obstacle model text: any input is refused or loads into tables that skin and stay in bounds.
#include <memory>

#include "fuzzInput.h"
#include "core/graphicLib.h"
#include "skier/Generic3dObject.h"
#include "skier/positionDef.h"
#include "skier/riderPose.h"
#include "skier/skierLib.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static bool ready = false;
    if (!ready) preCalculateTrigoTables();
    ready = true;
    // Posing and skinning work in a rider's pose: this one.
    static RiderPose pose;
    const char* path = fuzzInputFile(data, size, ".3d");
    reinitSkierData(playerRider);
    if (loadMs3d(playerRider, path) == 0) {
        changePosition(pose, builtInPoses.okPosition1);
        majRotationsBones(pose, playerRider);
        transformSkierEtat(pose, playerRider, 10, 20, 0, 1);
        if (playerRider.nbTriangles > maxTrianglesToDraw || playerRider.nbVertices > maxVerticesSkier) __builtin_trap();
    }
    static std::unique_ptr<Generic3DObject> obj(new Generic3DObject());
    obj->init();
    if (obj->load(path) == 0 && obj->indexFaceDernierGroupe > maxFacesObj) __builtin_trap();
    return 0;
}
