// The run's F-key switches, read by the loop after the frame is shown: F10 screenshot, F9 shadow kind,
// F8 camera, F7 frame rate on the display, M mute.
#pragma once

void handleToggleView();
void handleToggleOmbre();
void handleToggleShowFps();
void handleToggleMute();
void handleRunSwitches();
