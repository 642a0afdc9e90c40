// The drawing half of a run frame: everything displayGame shows after the frame's simulation,
// from the camera to the buffer flip and the F7-F10 switches. Reads the run state only, apart from
// the drawing's own state (camera bank, displayed pitch, rescue rocket, fade) and `frameps`.
#pragma once

void drawGameFrame();
