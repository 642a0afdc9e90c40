// The two optional renderer settings kept in "gfx.prefs", both off by default: mipmapped track
// surfaces (smooth distant textures) and fog in the sky's colour (distance haze).
#pragma once

struct RenderSettings {
    short smoothDistantTextures = 0;  // 0 or 1
    short distanceHaze = 0;           // 0 or 1
};
extern RenderSettings renderSettings;

// The haze colour of a sky face (RGB, bottom row first): the mean of the band just above its
// horizon, the far sky the terrain fades into. out gets three values in 0..1.
void hazeColourOfSky(const unsigned char* rgb, int width, int height, float out[3]);
// Reads the track's front sky face for the haze colour (only when the haze is on).
void loadDistanceHaze(const char* trackName);
// Fog on for what stands on the ground (terrain, traces, obstacles, rider) when the haze is on;
// the sky is drawn before and the HUD after, both without it.
void beginDistanceHaze();
void endDistanceHaze();
