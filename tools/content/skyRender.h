// The world round a track for its sky faces: height field, surfaces and light, seen from above the start.
#pragma once

#include "trackGen.h"

#include <vector>

struct SkyRgb {
    float r, g, b;
};

class SkyWorld {
public:
    SkyWorld(const TrackMesh& mesh, int seed);
    // Colour seen from the eye along a direction (any length is fine but dir[1] is read as its
    // sine only when the direction is normalised); theme 0 day, 1 dusk, 2 overcast, 3 storm, 4 dawn.
    SkyRgb colourAlong(const float* dir, int theme) const;
    float eye[3];

private:
    const TrackMesh& m;
    std::vector<float> heights, normals;
    std::vector<std::vector<TrackObstacle>> treesByRow;
    float highest;  // no ground anywhere rises above it: a ray climbing past it sees only sky
    std::vector<float> ceilings;  // per block of the height grid, no ground under it rises above this
    void buildCeilings();
    float ceilingAt(float x, float z) const;
    float clearUntil(const float* dir, float x, float z, float t, float* ceiling) const;
    float valleyHeight(float x, float z, int seed) const;
    bool onTrack(float x, float z) const;
    float treeLift(float x, float z) const;
    float heightAt(float x, float z) const;
    void normalAt(float x, float z, float* n) const;
    int surfaceTexture(float x, float z) const;
    SkyRgb groundColour(float x, float y, float z, float t, int theme) const;
};

// The theme's light as the sky faces are rendered in it: towards the sun, the sky at the horizon, the
// distance at which the haze has taken 63 % of the view, and the colours (0..255) of snow in light
// and in shade, of rock and of forest.
struct SkyThemeLight {
    float sun[3], zenith[3], horizon[3], hazeDistance, snowLit[3], snowShade[3], rock[3], forest[3];
};
SkyThemeLight skyThemeLight(int theme);
