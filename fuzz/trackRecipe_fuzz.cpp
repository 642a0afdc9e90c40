// Track recipes: any text is refused or read, and a recipe that is read builds a sound track, never
// running for ever, casting a number an int cannot hold or leaving a height that is not a number.
#include "fuzzInput.h"
#include "trackGen.h"

// Building a track costs rows x features per corner: a long recipe (the shipped seeds) is only read,
// so that every input stays well inside the fuzzer's time limit.
static const size_t MAX_BUILT_FEATURES = 8;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    TrackRecipe r;
    if (readTrackRecipe(fuzzInputFile(data, size, ".track"), r) != 0 || r.features.size() > MAX_BUILT_FEATURES) return 0;
    TrackMesh m;
    buildTrackMesh(r, m);
    int line = 0;
    if (!trackMeshFault(r, m, &line).empty()) __builtin_trap();
    return 0;
}
