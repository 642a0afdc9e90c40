// Takes the run state after each tick of a ride; gives the jumps, tricks landed and falls to mark.
#include "run/replayMarks.h"

#include <algorithm>

#include "run/runRecording.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "track/planLib.h"

// A jump is marked at its take-off once it has flown long enough: after what happened since, maybe.
static void markInOrder(std::vector<ReplayMark>* marks, ReplayMark m)
{
    auto at = std::upper_bound(marks->begin(), marks->end(), m.tick,
                               [](long t, const ReplayMark& k) { return t < k.tick; });
    marks->insert(at, m);
}

static void watchMoment(ReplayMarkWatch& w, long tick, short air, int banked, short fallen,
                        std::vector<ReplayMark>* marks)
{
    if (air && !w.inAir) w.takeOff = tick, w.jumpMarked = 0;
    w.inAir = air;
    if (air && !w.jumpMarked && tick - w.takeOff >= ticksIn(replayJumpLeastSeconds)) {
        markInOrder(marks, {w.takeOff, replayMarkJump});
        w.jumpMarked = 1;
    }
    if (banked > w.banked && !fallen) marks->push_back({tick, replayMarkTrick});
    w.banked = banked;
    if (fallen && !w.fallen) marks->push_back({tick, replayMarkFall});
    w.fallen = fallen;
}

void watchReplayTick(const RunState& run, ReplayMarkWatch& w, long tick, std::vector<ReplayMark>* marks)
{
    watchMoment(w, tick, getContact(run) == 0, run.scores.totalScore, run.phases.chute, marks);
}

void marksFromSamples(const RunRecording& rec, std::vector<ReplayMark>* marks)
{
    ReplayMarkWatch w;
    for (size_t k = 0; k < rec.samples.size(); k++) {
        const RunSample& s = rec.samples[k];
        long tick = ticksIn((double)k / recordRate);
        watchMoment(w, tick, !(s.flags & sampleContact), 0, (s.flags & sampleFallen) != 0, marks);
    }
}
