// best.run: a refused file leaves no samples; an accepted one can be raced without reading outside it.
#include "run/bestRun.h"
#include "fuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static BestRun run;
    if (loadBestRun(fuzzInputFile(data, size), "seed", &run) != 0) {
        if (!run.rec.samples.empty()) __builtin_trap();
        return 0;
    }
    RunSample s;
    float t;
    for (double clock = -1.0; clock < run.rec.samples.size() / (double)recordRate + 1.0; clock += 0.37)
        if (!sampleAt(run.rec, clock, &s) || !(s.pos[0] == s.pos[0])) __builtin_trap();
    timeAtDistance(run.rec, run.rec.samples.back().pos[0], &t);
    return 0;
}
