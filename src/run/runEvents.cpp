// Takes the frame's events one by one; keeps them in order until the client has consumed them.
#include "run/runEvents.h"

#include "run/runState.h"

static RunEventList eventList;

void emitRunEvent(RunEventKind kind)
{
    if (eventList.count >= maxRunEvents) {
        eventList.dropped++;
        return;
    }
    RunEvent& e = eventList.items[eventList.count++];
    e.kind = kind;
    e.x = tickRun->motion.Xobjet;
    e.y = tickRun->motion.Yobjet;
    e.z = tickRun->motion.Zobjet;
}

const RunEventList& runEvents() { return eventList; }

void clearRunEvents()
{
    eventList.count = 0;
    eventList.dropped = 0;
}
