// Takes the keyboard and the pad each replay frame; gives the replay clock's commands, and the names of
// the controls for the help line and the list of keys.
#include "screens/replayControls.h"

#include <cstring>
#include <string>

#include "shell/keys.h"

static const double STEP_REPEAT_AFTER = 0.4, STEP_REPEAT_EVERY = 0.05;  // a held step key steps on and on

// Keyboard / pad (the pad's default map): what it does, and its name on the help line.
struct ReplayControlName {
    const char* full;
    const char* brief;
};
static const ReplayControlName CONTROL_NAMES[] = {
    {"P, Space / Start: pause", "P pause"},
    {"Up, Down / cross: speed", "Up/Down speed"},
    {"Left, Right / cross: 5 s", "Left/Right 5 s"},
    {", . / LT, RT: one frame", ", . frame"},
    {"R / Y: restart", "R restart"},
    {"C / B: camera   F10: shot", "C camera"},
    {"H / X: keys   Esc: scores", "H keys  Esc back"},
    // the free camera's, while paused: on the help line only when it is the camera
    {"WASD QE IJKL: free cam", "WASD QE move  IJKL look"},
};
static const int CONTROL_COUNT = sizeof CONTROL_NAMES / sizeof CONTROL_NAMES[0];
static const int FREE_CAMERA_CONTROLS = 1;
static_assert(CONTROL_COUNT == 2 * replayKeyRows, "two controls a row of the list");

const char* const replayKeyList[replayKeyRows][2] = {
    {CONTROL_NAMES[0].full, CONTROL_NAMES[1].full},
    {CONTROL_NAMES[2].full, CONTROL_NAMES[3].full},
    {CONTROL_NAMES[4].full, CONTROL_NAMES[5].full},
    {CONTROL_NAMES[6].full, CONTROL_NAMES[7].full},
};

const char* replayHelpLine(short freeCamera)
{
    static std::string lines[2];
    std::string& line = lines[freeCamera ? 1 : 0];
    int count = freeCamera ? CONTROL_COUNT : CONTROL_COUNT - FREE_CAMERA_CONTROLS;
    if (line.empty())
        for (int k = 0; k < count; k++) line += std::string(k ? "  " : "") + CONTROL_NAMES[k].brief;
    return line.c_str();
}

// Each held key counts one way or the other.
static float heldAxis(char less, char more) { return (float)(keyLetterHeld(more) - keyLetterHeld(less)); }

void readReplayControls(ReplayControlsRead& out)
{
    memset(&out, 0, sizeof out);
    // every detector is asked each frame: each answers from its own previous call
    short pause = keyPauseNoRepeat(), space = keySpaceNoRepeat();
    out.command[replayTogglePause] = pause || space;
    out.command[replayFaster] = keyUpNoRepeat();
    out.command[replaySlower] = keyDownNoRepeat();
    out.command[replayJumpBack] = keyLeftNoRepeat();
    out.command[replayJumpForward] = keyRightNoRepeat();
    out.command[replayStepBack] = keyCommaRepeat(STEP_REPEAT_AFTER, STEP_REPEAT_EVERY);
    out.command[replayStepForward] = keyStopRepeat(STEP_REPEAT_AFTER, STEP_REPEAT_EVERY);
    out.command[replayRestart] = keyReplayRestartNoRepeat();
    out.listKeys = keyHNoRepeat();
    out.nextCamera = keyCameraNoRepeat();
    out.freeMove = FreeCameraMove{heldAxis('s', 'w'), heldAxis('a', 'd'), heldAxis('q', 'e'), heldAxis('j', 'l'),
                                  heldAxis('k', 'i')};
}
