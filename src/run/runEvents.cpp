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
    e.x = Xobjet;
    e.y = Yobjet;
    e.z = Zobjet;
}

const RunEventList& runEvents() { return eventList; }

void clearRunEvents()
{
    eventList.count = 0;
    eventList.dropped = 0;
}
