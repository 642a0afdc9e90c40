// The content tool's generators. Every generator is deterministic: same recipes, same bytes.
#pragma once

#include <string>
#include <vector>

// An RGB picture, top row first in memory.
struct Picture {
    int width, height;
    std::vector<unsigned char> rgb;
    Picture(int w, int h);
    void set(int x, int y, int r, int g, int b);
};

// Writes a 24-bit bottom-up BMP; 1 when the file cannot be written.
int writeBmp(const std::string& path, const Picture& pic);

// Pictures, fonts, sounds, music and the key map (menus, HUD, sounds, tunes).
void genGuiPictures(const std::string& recipes, const std::string& data);
void genSounds(const std::string& recipes, const std::string& data);
void genMusic(const std::string& recipes, const std::string& data);
void genPrefs(const std::string& recipes, const std::string& data);

// The decoration and surface pictures of one track directory ("texObj/" and "texTrack/").
// theme selects the track's look (sky colours, snow tint), 0 being the default; seed shapes the
// mountains round the horizon, so that each track shows its own skyline.
void genTrackPictures(const std::string& trackDir, int theme, int seed);

// Tracks, riders and trick poses.
void genTracks(const std::string& recipes, const std::string& data);
void genRiders(const std::string& recipes, const std::string& data);
void genPositions(const std::string& recipes, const std::string& data);
