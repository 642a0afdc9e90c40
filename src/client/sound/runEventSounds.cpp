// Takes the run frame's events; plays the sound of each at its volume and pan.
#include "sound/runEventSounds.h"

#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

struct EventSound {
    SndSample** sample;
    float* volume;
    float* pan;
};

// Indexed by RunEventKind; events of the effects alone have no sample.
static const EventSound eventSounds[RUN_EV_KIND_COUNT] = {
    {&gameSounds.fallSnd, &gameSounds.volChute, &gameSounds.panoChute},                   // RUN_EV_FALL
    {&gameSounds.landingSnd, &gameSounds.volChute, &gameSounds.panoChute},                // RUN_EV_LANDING
    {&gameSounds.landingSnd, &gameSounds.volChute, &gameSounds.panoChute},                // RUN_EV_LANDING_FALL
    {nullptr, nullptr, nullptr},                         // RUN_EV_SPRAY_BURST
    {nullptr, nullptr, nullptr},                         // RUN_EV_SPRAY_STOP
    {nullptr, nullptr, nullptr},                         // RUN_EV_PUT_BACK
    {&gameSounds.rocketExplodeSnd, &gameSounds.volGui, &gameSounds.panoGui},              // RUN_EV_BOMB_FIRED
    {&gameSounds.boostSnd, &gameSounds.volCollectable, &gameSounds.panoCollectable},      // RUN_EV_BOOST
    {&gameSounds.clingRailSnd, &gameSounds.volReplace, &gameSounds.panoReplace},          // RUN_EV_RAIL_CLING
    {&gameSounds.rocketLaunchSnd, &gameSounds.volGui, &gameSounds.panoGui},               // RUN_EV_RESCUE_LAUNCH
    {&gameSounds.rocketExplodeSnd, &gameSounds.volGui, &gameSounds.panoGui},              // RUN_EV_RESCUE_FIREWORK
    {&gameSounds.replaceSnd, &gameSounds.volReplace, &gameSounds.panoReplace},            // RUN_EV_REPLACED
    {nullptr, nullptr, nullptr},                         // RUN_EV_GRIND_START: a loop, below
    {nullptr, nullptr, nullptr},                         // RUN_EV_GRIND_STOP
    {&gameSounds.bonusSnd, &gameSounds.volCollectable, &gameSounds.panoCollectable},      // RUN_EV_COLLECTABLE
    {&gameSounds.bonusSnd, &gameSounds.volCollectable, &gameSounds.panoCollectable},      // RUN_EV_BOMB_PICKED
};

SndSample* runEventSample(RunEventKind kind)
{
    if (kind < 0 || kind >= RUN_EV_KIND_COUNT || !eventSounds[kind].sample) return nullptr;
    return *eventSounds[kind].sample;
}

void playRunEventSounds(const RunEventList& events)
{
    for (int i = 0; i < events.count; i++) {
        RunEventKind kind = events.items[i].kind;
        if (kind == RUN_EV_GRIND_START) startGrind();
        if (kind == RUN_EV_GRIND_STOP) stopGrind();
        const EventSound& s = eventSounds[kind];
        if (s.sample) wrpPlaySound(*s.sample, *s.volume, *s.pan, wrpNormalPitch);
    }
}
