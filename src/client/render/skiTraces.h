// Marks the skis leave in the snow: the last 49 pairs of edge points.
#pragma once

#include "core/ThreeDPoint.h"

struct TrackModel;
struct RiderPose;

const int maxTracePairs = 49;

class SkiTraces {
public:
    int count;
    short first;
    short full;
    ThreeDPoint* left[50];
    ThreeDPoint* right[50];
    unsigned int texture[50];

    SkiTraces();
    ~SkiTraces();
    SkiTraces(const SkiTraces&) = delete;
    SkiTraces& operator=(const SkiTraces&) = delete;
    // Takes ownership of both points.
    void add(ThreeDPoint* l, ThreeDPoint* r, unsigned int tex);
    // The newest pair moved to l and r (added when there is none); takes ownership of both.
    void replaceLast(ThreeDPoint* l, ThreeDPoint* r, unsigned int tex);
    void reset();
    void draw();
};

extern SkiTraces skiTraces;

// Which ski ends make this frame's pair (0 right nose, 1 left nose, 2 right tail, 3 left tail) and
// the texTrackStuff slot of the segment.
void chooseTracePair(short isFakie, float braking, float heading, int* leftPick, int* rightPick, int* slot);
// Lays this frame's pair under skis drawn at riderPos, or clears
// the list in the air and after a fall; a stopped rider keeps it. One pair a tick: frames drawn
// within the same tick (tick, -1 for none) move its pair along with the skis, so the marks are as
// long at any frame rate.
void updateTraces(const TrackModel& track, RiderPose& pose, const float* riderPos, long tick);
// Updates the trace list for this run frame and draws it.
void drawTraces(const TrackModel& track, RiderPose& pose, const float* riderPos, long tick);
