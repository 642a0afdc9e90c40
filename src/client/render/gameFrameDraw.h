// The drawing half of a run frame: everything displayGame shows after the ticks of the frame,
// from the camera to the buffer flip. It draws a DrawnState (drawnState.h) and never changes the
// run: the rider is skinned in the drawn moment's pose and given his tick's pose back afterwards.
#pragma once

struct DrawnState;
struct WorldView;

// A camera other than the chase: fills the view of the drawn moment and says 1, or says 0 for the chase.
typedef short (*WorldViewFn)(const DrawnState& d, WorldView* out);

// The frame of the run between its last two ticks, fraction (0 to 1) of the way from the one
// before to the last one (tickFraction); tick is the last one's number (the ski marks lay a pair
// a tick). overlay, when given, draws over the HUD before the flip (a replay's own lines); view, when
// given, chooses the camera.
void drawRunFrame(float fraction, long tick, void (*overlay)() = nullptr, WorldViewFn view = nullptr);
// The frame of the run as it stands (a replay that puts the rider in place, the track viewer).
void drawGameFrame(void (*overlay)() = nullptr, WorldViewFn view = nullptr);
// The same for a film: drawn where drawing goes (a film's off-screen frame), never flipped, without
// a replay's lines; of the run between its ticks, or as it stands.
void drawFilmFrame(float fraction, long tick, WorldViewFn view = nullptr);
void drawFilmFrameAsItStands(WorldViewFn view = nullptr);
// The 3-D part of the frame alone (camera, sky, terrain, obstacles, rider, rescue), without the HUD
// or the flip: of a drawn state (tick as above, -1 lays a pair of marks every call), or of the run
// as it stands.
void drawRunSceneAt(const DrawnState& d, long tick, WorldViewFn view = nullptr);
void drawRunScene();
