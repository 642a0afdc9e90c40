// The drawing half of a run frame: everything displayGame shows after the frame's simulation,
// from the camera to the buffer flip. Reads the run state only, apart from
// the drawing's own state (camera bank, the firework's flash).
// The simulation has already moved the displayed pitch, skinned the rider (transformSkier), advanced
// the fall and the replacement fade (alphaFond, replacement): the drawing only reads them.
#pragma once

void drawGameFrame();
// The 3-D part of the frame alone (camera, sky, terrain, obstacles, rider, rescue), without the HUD
// or the flip.
void drawRunScene();
