// The replay's controls on the keyboard and the pad: read once a frame into the clock's commands, and
// named for the player in one table (the help line and the list of keys are made from it).
#pragma once

#include "render/replayCameras.h"
#include "run/replayClock.h"

struct ReplayControlsRead {
    short command[replayCommandCount];
    short listKeys;    // show the list of keys again
    short nextCamera;  // the next of the replay's cameras
    FreeCameraMove freeMove;  // the free camera's keys held
};

// The keys and pad buttons held this frame, as commands.
void readReplayControls(ReplayControlsRead& out);

// The list of keys: rows of two cells ("P, Space / Start: pause").
const int replayKeyRows = 4;
extern const char* const replayKeyList[replayKeyRows][2];
// The help line of the short names ("P pause  Up/Down speed ..."), with the free camera's keys when
// it is the camera.
const char* replayHelpLine(short freeCamera = 0);
