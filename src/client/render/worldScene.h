// The world drawn round a track's grid, as its "NAME.world" file holds it: the track's sun and haze,
// the light on every grid corner, where the grid gives way to the banks, the terrain round it out to
// the horizon, and the models (trees, rocks, flags, gates, fences, hut, arch) standing on it. None of
// it is ever met by the rider: collisions keep to the track file.
#pragma once

#include <string>
#include <vector>

// A model corner: place, unit normal times 127, colour before the light.
struct WorldModelVertex {
    float p[3];
    signed char n[3];
    unsigned char c[3];
};

// A model standing in the world, turned by yaw degrees about Y and scaled: the model drawn near it,
// the simpler ones drawn in the middle band and the far one (-1: none, nothing is drawn there). A
// placement with no near model stands for one of the track's own trees: the game draws that tree as an
// obstacle in the window ahead of the rider, and the world only past it.
struct WorldPlacement {
    int model, mid, far;
    float x, y, z, yaw, scale;
};

// Weather of a track's sky: how much snow falls.
const int worldWeatherClear = 0, worldWeatherCloudy = 1, worldWeatherSnow = 2, worldWeatherStorm = 3;

struct WorldScene {
    float sun[3] = {0, 1, 0};  // unit, towards the sun
    float haze[3] = {1, 1, 1};  // the sky's colour at the horizon, 0..1
    float hazeDistance = 1;     // where the haze hides 63 % of the land (as the sky faces are hazed)
    int weather = worldWeatherClear;
    // Per grid corner (the track file's numbering), RGB: the light the surface pictures are
    // multiplied by, and the colour the grid is drawn in from afar, without its pictures.
    std::vector<unsigned char> gridLight, gridFar;
    // Per grid row: the first and last cell (0 at +Z) the grid draws; the terrain round it the rest.
    std::vector<short> firstCell, lastCell;
    // The terrain round the grid: rows along X (growing) and columns across Z (from +Z to -Z, as the
    // grid's); row firstRow lies on grid row 0 (X 0) and column gridColumn0 on grid column 0 (+Z
    // edge), and where they overlap the grid's corners they are its corners. Heights and RGB colours
    // per corner, row by row; each cell split as the grid's.
    int firstRow = 0, gridColumn0 = 0;
    std::vector<float> xs, zs, heights;
    std::vector<unsigned char> colours;
    std::vector<std::vector<WorldModelVertex>> models;  // three corners a triangle
    std::vector<WorldPlacement> placements;

    int rows() const { return (int)xs.size(); }
    int columns() const { return (int)zs.size(); }
};

// Bounds a file must keep to: a damaged count is refused, never allocated.
const int worldMaxRows = 2048, worldMaxColumns = 1024, worldMaxModels = 64, worldMaxModelTriangles = 4096;
const int worldMaxPlacements = 100000;

// Reads a world file; 0 when read, otherwise 1 (missing) or 2 (damaged), with why said in *why.
// A refused file leaves w empty.
int readWorldFile(const char* path, WorldScene& w, std::string* why);
// Writes one; 0 when written.
int writeWorldFile(const char* path, const WorldScene& w);
// Whether a scene's sizes agree with each other and the grid's (what the reader checks).
std::string worldSceneFault(const WorldScene& w);
