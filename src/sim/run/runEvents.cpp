// Takes the frame's events one by one; keeps them in order until the client has consumed them.
#include "run/runEvents.h"

#include "run/runState.h"


void emitRunEvent(RunEventKind kind)
{
    if (tickRun->events.count >= maxRunEvents) {
        tickRun->events.dropped++;
        return;
    }
    RunEvent& e = tickRun->events.items[tickRun->events.count++];
    e.kind = kind;
    e.x = tickRun->motion.Xobjet;
    e.y = tickRun->motion.Yobjet;
    e.z = tickRun->motion.Zobjet;
}

const RunEventList& runEvents() { return tickRun->events; }

void clearRunEvents()
{
    tickRun->events.count = 0;
    tickRun->events.dropped = 0;
}
