// Takes Allegro's joystick state and the pad map; returns which of the game's actions the pad holds.
#include "shell/padInput.h"

#include <cstdio>
#include <cstring>

static_assert(PAD_MAX_BUTTONS == MAX_JOYSTICK_BUTTONS, "pad map buttons follow Allegro's");
static_assert(PAD_MAX_AXES == MAX_JOYSTICK_STICKS * MAX_JOYSTICK_AXIS, "pad map axes follow Allegro's");

static bool padPresent = false;
static PadMap padMap;
static short heldNow[PA_COUNT];

// Signed position of the n-th axis over every stick, 0 when the pad has no such axis.
static int axisPosition(const JOYSTICK_INFO& pad, int n)
{
    for (int s = 0; s < pad.num_sticks && s < MAX_JOYSTICK_STICKS; s++) {
        const JOYSTICK_STICK_INFO& stick = pad.stick[s];
        int axes = stick.num_axis < MAX_JOYSTICK_AXIS ? stick.num_axis : MAX_JOYSTICK_AXIS;
        if (n < axes) return (stick.flags & JOYFLAG_UNSIGNED) ? stick.axis[n].pos - 128 : stick.axis[n].pos;
        n -= axes;
    }
    return 0;
}

static bool bindingHeld(const JOYSTICK_INFO& pad, const PadBinding& b)
{
    if (b.kind == PB_BUTTON) return b.index < pad.num_buttons && b.index < MAX_JOYSTICK_BUTTONS && pad.button[b.index].b;
    if (b.kind == PB_AXIS) return axisPosition(pad, b.index) * b.sign > PAD_DEAD_ZONE;
    return false;
}

void padActionsFrom(const JOYSTICK_INFO& pad, const PadMap& m, short held[PA_COUNT])
{
    for (int a = 0; a < PA_COUNT; a++) {
        held[a] = 0;
        for (const PadBinding& b : m.bind[a]) held[a] |= bindingHeld(pad, b) ? 1 : 0;
    }
    if (m.bind[PA_SHIFT][0].kind == PB_NONE && m.bind[PA_SHIFT][1].kind == PB_NONE) return;
    // The trick buttons are shared: the shift says which three they are.
    int silenced = held[PA_SHIFT] ? PA_TRICK1 : PA_TRICK4;
    for (int t = 0; t < 3; t++) held[silenced + t] = 0;
}

int installPad(const char* mapPath)
{
    memset(heldNow, 0, sizeof heldNow);
    padPresent = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
    if (!padPresent) {
        printf("No gamepad: keyboard only\n");
        return 0;
    }
    printf("Gamepad: %d sticks, %d buttons; map %s\n", joy[0].num_sticks, joy[0].num_buttons, mapPath);
    loadPadMap(mapPath, padMap);
    return 1;
}

void pollPad()
{
    if (!padPresent) return;
    poll_joystick();
    padActionsFrom(joy[0], padMap, heldNow);
}

short padHeld(int action) { return action >= 0 && action < PA_COUNT ? heldNow[action] : 0; }
