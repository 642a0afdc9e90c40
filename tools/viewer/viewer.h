// kesview: pictures of the generated riders, poses and tracks, drawn with the game's own loaders
// and drawing functions, for looking at the content.
#pragma once

#include <string>

const int viewerWidth = 1024;
const int viewerHeight = 768;

// Clears the window to snow white, so colours are judged against the snow.
void clearToSnow();
// Reads the window's colour buffer and writes it as dir/name.tga; 1 when written.
int savePicture(const std::string& dir, const std::string& name);

// One picture per rider and angle with the neutral pose and the named tricks, and one with every trick.
void viewRiders(const std::string& outDir);
// Per track: the terrain and its obstacles from above in quarters, and low chase-like views.
void viewTracks(const std::string& outDir);

// The rider placed on the loaded track at (x, z) as at a run's start, and one chase-camera frame of the
// run's scene drawn round him.
void placeChaseRider(float x, float z);
void drawChaseFrame();
// The loaded track's effects seen by the chase camera: spray, landing burst, bomb burst, rescue rocket.
void viewEffects(const std::string& outDir, const std::string& track);
