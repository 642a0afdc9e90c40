// Takes the frame's events one by one; keeps them in order until the client has consumed them.
#include "run/runEvents.h"

#include "run/runState.h"


void emitRunEvent(RunState& run, RunEventKind kind)
{
    if (run.events.count >= maxRunEvents) {
        run.events.dropped++;
        return;
    }
    RunEvent& e = run.events.items[run.events.count++];
    e.kind = kind;
    e.x = run.motion.Xobjet;
    e.y = run.motion.Yobjet;
    e.z = run.motion.Zobjet;
}

const RunEventList& runEvents(const RunState& run) { return run.events; }

void clearRunEvents(RunState& run)
{
    run.events.count = 0;
    run.events.dropped = 0;
}
