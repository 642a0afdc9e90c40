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
    {"F8: camera   F10: picture", "F8 camera"},
    {"H / X: these keys", "H keys"},
    {"Esc / Back: scores", "Esc back"},
};
static const int CONTROL_COUNT = sizeof CONTROL_NAMES / sizeof CONTROL_NAMES[0];
static_assert(CONTROL_COUNT == 2 * replayKeyRows, "two controls a row of the list");

const char* const replayKeyList[replayKeyRows][2] = {
    {CONTROL_NAMES[0].full, CONTROL_NAMES[1].full},
    {CONTROL_NAMES[2].full, CONTROL_NAMES[3].full},
    {CONTROL_NAMES[4].full, CONTROL_NAMES[5].full},
    {CONTROL_NAMES[6].full, CONTROL_NAMES[7].full},
};

const char* replayHelpLine()
{
    static std::string line;
    if (line.empty())
        for (int k = 0; k < CONTROL_COUNT; k++) line += std::string(k ? "  " : "") + CONTROL_NAMES[k].brief;
    return line.c_str();
}

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
}
