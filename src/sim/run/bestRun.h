// A track's best run file ("best.run" beside the track's "top.sc"): a small header (magic,
// version, track and rider names, sample count, final score and time) and the recording's
// samples, every number big-endian. Version 2 appends the run's input: the ride's conditions and
// every tick's buttons as spans of equal ticks, so that the run can be ridden again.
#pragma once

#include <cstddef>
#include <vector>

#include "run/runRecording.h"

const int bestRunSamplesVersion = 1;  // header and samples: a ghost only
const int bestRunInputVersion = 2;    // the same, then the input
const unsigned long bestRunSpanTicksMax = 65535;  // a longer hold is written as several spans
const int bestRunNameChars = 256;
const size_t bestRunSampleBytes = 4 * (1 + 3 + 5 + poseAngles) + 1;

struct BestRun {
    char track[bestRunNameChars];
    char rider[bestRunNameChars];
    int finalScore;
    float finalTime;
    RunRecording rec;
};

// Version 2 when the recording holds its whole input (wholeInput), version 1 otherwise.
void encodeBestRun(const BestRun& run, std::vector<unsigned char>* out);
// nullptr when the bytes are a sound best run of expectedTrack (of any track when it is null), else
// why not (run then undefined). A version 1 file gives no input.
const char* decodeBestRun(const unsigned char* bytes, size_t size, const char* expectedTrack, BestRun* run);

// The largest best run file read (a whole run's samples at most).
extern const size_t BEST_RUN_FILE_BOUND;
// A track's best run, in the track's folder like its scores.
extern const char* const BEST_RUN_FILE;
// Written to a temporary file beside path, then renamed over it: 1 on any failure (path untouched,
// why as writeFileAtomically gives it; may be null).
int saveBestRun(const char* path, const BestRun& run, char* why = nullptr);
// 0 when loaded; 1 when missing or refused, after one line saying which and why.
int loadBestRun(const char* path, const char* expectedTrack, BestRun* run);
