// kesview: pictures of the generated riders, poses and tracks, drawn with the game's own loaders
// and drawing functions, for looking at the content.
#pragma once

#include <string>

// The window's size: 1024 x 768 unless "size=WxH" is given.
extern int viewerWidth;
extern int viewerHeight;

// Clears the window to snow white, so colours are judged against the snow.
void clearToSnow();
// Reads the window's colour buffer and writes it as dir/name.tga; 1 when written.
int savePicture(const std::string& dir, const std::string& name);

// One picture per rider and angle with the neutral pose and the named tricks, and one with every trick.
void viewRiders(const std::string& outDir);
// Per track: the terrain and its obstacles from above in quarters, and low chase-like views.
void viewTracks(const std::string& outDir);
// Per track only the chase camera's run scene at the start, mid-course, in the air over the first
// kicker's landing and before the finish (shot_TRACK_start, _mid, _air, _finish): the same places on
// every build, for comparing one build's look with another's.
void viewTrackShots(const std::string& outDir);
// Per track only the effects (viewEffects), with the game's rider.
void viewTrackEffects(const std::string& outDir);
// Per track the time the run scene takes to draw at the start, mid-course and before the finish: the
// process's time over `frames` frames, in ms a frame, printed one line a track; with compare, drawn
// without the world round the track and with it, in turn.
void benchTrackScenes(int frames, bool compare);

// The rider placed on the loaded track at (x, z) as at a run's start, and one chase-camera frame of the
// run's scene drawn round him.
void placeChaseRider(float x, float z);
void drawChaseFrame();
// The loaded track's effects seen by the chase camera: spray, landing burst, bomb burst, rescue rocket.
void viewEffects(const std::string& outDir, const std::string& track);
