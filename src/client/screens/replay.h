// The track's best run played back from the score table: chase camera, the HUD of the moment shown,
// pause, speeds, steps, jumps and restart on the replay's keys, a timeline, F8 views, ESC back.
#pragma once

#include "shell/screenFlow.h"

// Loads the track's best run and its rider: 0 when the replay starts, 1 when there is none to play.
int openReplay(const char* trackDir);
// One frame of the replay in the score table's place; replayClosed at ESC or after the finish.
ScreenEvent replayFrame();

// The score table's run is kept while another rides over the run state (the replay, a film), and
// given back with the track as its file has it.
void keepTableRun();
void giveTableRunBack();
// The run drawn from its start line: nothing before it to draw between, no ski marks yet.
void drawFromStartLine();
