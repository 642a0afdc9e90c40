// Track recipes and the track they build, shared by the track generator and its tests.
#pragma once

#include <string>
#include <vector>

// One feature line of a track recipe; X positions are in grid rows, Z in grid cells (signed, +Z positive).
struct TrackFeature {
    std::string kind;
    std::vector<float> args;
    int line = 0; // in its recipe file
};

// The looks a recipe's "theme" picks (sky, sun, snow light, trees): 0 day, 1 dusk, 2 overcast, 3 storm,
// 4 dawn.
const int TRACK_THEME_COUNT = 5;
// A recipe's "weather": the clouds and falling snow of its sky; without the line the theme's own
// (snow for overcast, storm for storm, clear for the others).
const int TRACK_WEATHER_COUNT = 4;
static const char* const trackWeatherNames[TRACK_WEATHER_COUNT] = {"clear", "cloudy", "snow", "storm"};

struct TrackRecipe {
    std::string name;   // directory name, from the recipe file name
    std::string title;  // one token
    int theme = 0;
    std::string music;  // the background tune's file name under bgmusics/, "" for a random one
    std::string weather;  // one of trackWeatherNames, "" for the theme's own
    int bombs = 0;
    int view = 0;
    float spot[3] = {1, 1, 1};
    float snow[3] = {0.9f, 0.92f, 0.95f};
    float startRow = 2, finishRow = 195;
    float bounds = 30;  // half-width in cells of the rideable field
    int rescueEvery = 5;
    std::vector<std::string> desc;
    std::vector<TrackFeature> features;
};

struct TrackObstacle {
    float x, y, z;
    int type;
};

struct TrackSurface {
    float st[6];
    int texIndex;
    int surface;
};

// The whole grid in the game's numbering: vertex row i, column j is i * 73 + j, column 0 at the +Z edge.
struct TrackMesh {
    std::vector<float> points;   // 14673 x 3
    std::vector<float> normals;  // 14673 x 3
    std::vector<unsigned> faces; // 28800 x 3
    std::vector<TrackSurface> surfaces;
    std::vector<TrackObstacle> obstacles;
    std::vector<float> rescue;   // n x 3, ordered along X
    float depart = 0, arrivee = 0;
};

// Reads a recipe; 1 with a message on standard error when the file cannot be read or a line is wrong
// (FILE:LINE and which number of it lies outside its range).
int readTrackRecipe(const std::string& path, TrackRecipe& out);
// Height of the recipe's terrain at the grid corner (row i, column j).
float recipeCornerHeight(const TrackRecipe& r, int i, int j);
// The same, quicker over a whole grid: the slope alone gives each row's height (rows 0 to 200), then
// the features add theirs at the corner.
std::vector<float> recipeRowHeights(const TrackRecipe& r);
float recipeCornerHeightOn(const TrackRecipe& r, float rowHeight, int i, int j);
// The recipe line of the feature that alone makes the corner's height infinite or NaN, 0 when none does.
int recipeLineBehindHeight(const TrackRecipe& r, int i, int j);
// What is wrong with a built track (a height or normal that is not finite, a face past the vertices, an
// obstacle or rescue point off the map, a start not before the finish), "" when nothing is; *line is then
// the recipe line that made it, 0 when no single line did.
std::string trackMeshFault(const TrackRecipe& r, const TrackMesh& m, int* line);
// Z (in cells) of the intended riding line at a row.
float recipeLaneAt(const TrackRecipe& r, float row);
void buildTrackMesh(const TrackRecipe& r, TrackMesh& m);
// Height of the mesh at (x, z), on the triangle the game picks there.
float meshHeightAt(const TrackMesh& m, float x, float z);
// Writes NAME.btrk, NAME.trk and NAME.desc into dir, and NAME.music (the tune's file name) when the
// recipe picks one; 1 when a file cannot be written.
int writeTrackFiles(const std::string& dir, const TrackRecipe& r, const TrackMesh& m);
// The surface picture of a cell (centre rc rows, zc cells) on or beside the kicker feature k, -1 when
// the cell is neither; a kicker with a rail just behind its lip gets the rail's markings.
int kickerCellTexture(const TrackRecipe& r, const std::vector<float>& k, float rc, float zc);
// The first six pictures' kind a picture reads as from afar (its snow, lane, ice ... family).
int surfaceFamily(int tex);
// The share of groomed lane a surface picture shows at (u, v) (u 1 at the cell's up-track side, v 0 at
// its +Z side): 0 for fresh snow, 1 for the lane, between on a lane edge, -1 for any other surface.
float laneShareOf(int tex, float u, float v);
// Writes tree.3d, bomb.3d and rail.3d into a track directory.
void genObstacleModels(const std::string& trackDir, int theme);
