// A run as the eye saw it: the rider's visible state sampled at a fixed rate on the ride clock,
// bounded in length, and what a ghost or a replay needs from it (a state at any time, the time at
// which a distance down the track was reached).
#pragma once

#include <vector>

#include "run/inputRecording.h"

const int recordRate = 20;                                   // samples a second, the game's pace
const float countdownLength = 1.0f;                          // the ride clock's first second
const int maxRecordedSamples = (30 * 60 + 2) * recordRate;   // a 30-minute run and its countdown
const int poseAngles = 37;

enum SampleFlag { sampleContact = 1, sampleFallen = 2, sampleFakie = 4, sampleFinished = 8 };

// The rider as drawn: yaw includes a ground half-turn under way, pitch and roll are the air
// rotations (0 on the snow), tumble the fall's roll, lean the displayed slope pitch.
struct RunSample {
    float runTime;
    float pos[3];
    float yaw, pitch, roll, tumble, lean;
    float pose[poseAngles];
    unsigned char flags;
};

struct RunRecording {
    std::vector<RunSample> samples;  // sample k was taken at ride clock k / recordRate
    short full;                      // the bound was reached: recording stopped, the run went on
    short finished;                  // the finish sample is the last one
    InputRecording input;            // every tick's buttons up to the finish (may be empty: an older file)
};

void clearRecording(RunRecording* rec);
// Takes the state of this frame for every sample time up to rideSeconds not taken yet; nothing
// once finished or full.
void recordFrame(RunRecording* rec, double rideSeconds, const RunSample& now);
// The state at ride clock t, interpolated between the two samples around it (angles the short
// way round); before the first sample the first, after the last the last. 0 for an empty recording.
int sampleAt(const RunRecording& rec, double rideSeconds, RunSample* out);
// Linear blend of two samples at fraction f (flags of the nearer one).
RunSample blendSamples(const RunSample& a, const RunSample& b, float f);
// Run time at which the recording first reached distance x down the track; 0 when it never did.
int timeAtDistance(const RunRecording& rec, float x, float* runTime);
// Gap of a rider at x after runTime seconds to the recording ("+" behind, "-" ahead); 0 when the
// recording never got that far.
int gapToRecording(const RunRecording& rec, float x, float runTime, float* gap);
