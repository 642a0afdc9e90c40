// Takes the rider's state frame by frame; returns the fixed-rate recording and its interpolation.
#include "run/runRecording.h"

#include <cmath>

#include "core/graphicLib.h"

static const double sampleTimeSlack = 1e-4;  // in samples: far under a tick, far over a float's rounding

void clearRecording(RunRecording* rec)
{
    rec->samples.clear();
    rec->full = 0;
    rec->finished = 0;
    clearInputRecording(&rec->input);
}

void recordFrame(RunRecording* rec, double rideSeconds, const RunSample& now)
{
    if (rec->finished || rec->full || !(rideSeconds >= 0)) return;
    // A slow frame covers several sample times: each gets this frame's state. A sample time that falls
    // on a tick is taken at that tick, not at the next one after a rounding of the clock.
    while ((double)rec->samples.size() <= rideSeconds * recordRate + sampleTimeSlack) {
        if ((int)rec->samples.size() >= maxRecordedSamples) {
            rec->full = 1;
            return;
        }
        rec->samples.push_back(now);
    }
    if (now.flags & sampleFinished) {
        if (rec->samples.empty()) rec->samples.push_back(now);
        else rec->samples.back() = now;
        rec->finished = 1;
    }
}

// Recorded angles may jump by whole turns (a spin's heading is folded back on landing): they are
// blended the short way round.
RunSample blendSamples(const RunSample& a, const RunSample& b, float f)
{
    RunSample s = f < 0.5f ? a : b;
    s.runTime = lerp(a.runTime, b.runTime, f);
    for (int k = 0; k < 3; k++) s.pos[k] = lerp(a.pos[k], b.pos[k], f);
    s.yaw = lerpDegrees(a.yaw, b.yaw, f);
    s.pitch = lerpDegrees(a.pitch, b.pitch, f);
    s.roll = lerpDegrees(a.roll, b.roll, f);
    s.tumble = lerpDegrees(a.tumble, b.tumble, f);
    s.lean = lerpDegrees(a.lean, b.lean, f);
    for (int k = 0; k < poseAngles; k++) s.pose[k] = lerpDegrees(a.pose[k], b.pose[k], f);
    return s;
}

int sampleAt(const RunRecording& rec, double rideSeconds, RunSample* out)
{
    int n = (int)rec.samples.size();
    if (n == 0) return 0;
    double at = rideSeconds * recordRate;
    if (!(at > 0)) {
        *out = rec.samples[0];
    } else if (at >= n - 1) {
        *out = rec.samples[n - 1];
    } else {
        int k = (int)at;
        *out = blendSamples(rec.samples[k], rec.samples[k + 1], (float)(at - k));
    }
    return 1;
}

int timeAtDistance(const RunRecording& rec, float x, float* runTime)
{
    const std::vector<RunSample>& s = rec.samples;
    for (size_t k = 0; k < s.size(); k++) {
        if (s[k].pos[0] < x) continue;
        if (k == 0) {
            *runTime = s[0].runTime;
        } else {
            float x0 = s[k - 1].pos[0], x1 = s[k].pos[0];
            float f = x1 > x0 ? (x - x0) / (x1 - x0) : 1.0f;
            *runTime = lerp(s[k - 1].runTime, s[k].runTime, f);
        }
        return 1;
    }
    return 0;
}

int gapToRecording(const RunRecording& rec, float x, float runTime, float* gap)
{
    float then;
    if (!timeAtDistance(rec, x, &then)) return 0;
    *gap = runTime - then;
    return 1;
}
