// Binary track files: any bytes are refused or loaded, never read or written out of bounds.
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
    if (importTrackFromBinaryFile(track, fuzzInputFile(data, size, ".btrk")) == trackLoadOk) {
        // A loaded track must answer terrain queries anywhere on it.
        for (float x = -1000; x < 340000; x += 17000) {
            yTheoObj(track.points, track.faces, x, 0.0f, maxTrackFaces);
            float normal[3];
            placeObjetAndGetAngle(rider.rider.ground, track.points, track.faces, x, 30000.0f, maxTrackFaces, 45.0f, normal);
        }
    }
    return 0;
}
