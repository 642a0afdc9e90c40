// Text track files: any text is refused or loaded, never read or written out of bounds.
#include "fuzzInput.h"
#include "run/runState.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    // The terrain queries place a rider: they place this one.
    static RunState rider;
    // The fuzzer's own track: a refused file leaves it as the last good one left it.
    static TrackModel track;
    if (importTrackFromTextFile(track, fuzzInputFile(data, size, ".trk")) == trackLoadOk) {
        // A loaded track must answer terrain queries anywhere on it, and its rescue choice stay in the list.
        for (float x = -1000; x < 340000; x += 17000) {
            float normal[3];
            placeObjetAndGetAngle(rider.rider.ground, track.points, track.faces, x, -30000.0f, maxTrackFaces, -45.0f, normal);
            int r = track.findFirstReplace(x, 0.0f, 0.0f);
            if (r < -1 || r >= maxReplacePoints) __builtin_trap();
        }
    }
    return 0;
}
