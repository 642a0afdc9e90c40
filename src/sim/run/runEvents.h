// Takes what a run frame makes happen (a sound, a burst of snow, the rescue's steps); gives the list
// to the sound layer and the effects after the frame. The simulation itself plays and draws nothing.
#pragma once

struct RunState;

enum RunEventKind {
    RUN_EV_FALL,            // the rider falls (hit an obstacle, or landed badly)
    RUN_EV_LANDING,         // touch-down of a jump: thud and a burst of snow
    RUN_EV_LANDING_FALL,    // landed on his back: thud, no snow
    RUN_EV_SPRAY_BURST,     // a burst of snow under the skis (half turn, braking)
    RUN_EV_SPRAY_STOP,      // the skis' burst is cut (a new run)
    RUN_EV_PUT_BACK,        // the rider is put back on the track: his snow and ski traces start again
    RUN_EV_BOMB_FIRED,      // a bomb goes off ahead of the rider
    RUN_EV_BOOST,           // onto a booster
    RUN_EV_RAIL_CLING,      // a rail is hit
    RUN_EV_RESCUE_LAUNCH,   // the rescue rocket leaves the snow
    RUN_EV_RESCUE_FIREWORK, // the rocket bursts
    RUN_EV_REPLACED,        // the fade after the rider is put back begins
    RUN_EV_GRIND_START,     // onto a rail: the grind's loop starts
    RUN_EV_GRIND_STOP,      // off the rail
    RUN_EV_COLLECTABLE,     // a bonus picked up ("BONUS!")
    RUN_EV_BOMB_PICKED,     // a bomb picked up ("Explosive!")
    RUN_EV_KIND_COUNT
};

// The rider's position when it happened: the listener decides volume and pan from it.
struct RunEvent {
    RunEventKind kind;
    float x, y, z;
};

static const int maxRunEvents = 32;

struct RunEventList {
    RunEvent items[maxRunEvents];
    int count;
    int dropped;  // past the end of a full list (none in a sane frame)
};

// Appends an event at the rider's position.
void emitRunEvent(RunState& run, RunEventKind kind);
const RunEventList& runEvents(const RunState& run);
// The consumer empties the list after it has played and drawn what is in it.
void clearRunEvents(RunState& run);
