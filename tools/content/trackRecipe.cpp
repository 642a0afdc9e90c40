// Takes a track recipe file and returns its settings, features and the terrain height they describe.
#include "trackGen.h"
#include "content.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

static const float DEFAULT_SLOPE_DEG = 10.0f;
static const float TOP_HEIGHT = 70000.0f;  // height of the first row; only differences matter
static const float CELL_LENGTH = 1684.0f;
static const float PI = 3.14159265f;
static const int ROWS = 200, COLUMNS = 72;

// Number of numbers each feature takes.
static const std::map<std::string, size_t> FEATURE_ARITY = {
    {"slope", 3}, {"wave", 4},   {"kicker", 5}, {"halfpipe", 5}, {"booster", 4}, {"rail", 2},
    {"tree", 2},  {"forest", 6}, {"gates", 4},  {"lane", 2},     {"collect", 4}, {"bomb", 2},
};

static std::string baseName(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return file.substr(0, file.find('.'));
}

static bool readNumbers(std::istringstream& in, float* out, int n)
{
    for (int k = 0; k < n; k++)
        if (!(in >> out[k])) return false;
    return true;
}

static bool readSetting(const std::string& key, std::istringstream& in, TrackRecipe& r)
{
    float v;
    if (key == "title") return (bool)(in >> r.title);
    if (key == "spot") return readNumbers(in, r.spot, 3);
    if (key == "snow") return readNumbers(in, r.snow, 3);
    if (key == "desc") {
        std::string rest;
        std::getline(in, rest);
        size_t first = rest.find_first_not_of(' ');
        r.desc.push_back(first == std::string::npos ? std::string() : rest.substr(first));
        return true;
    }
    if (!(in >> v)) return false;
    if (key == "theme") r.theme = (int)v;
    else if (key == "bombs") r.bombs = (int)v;
    else if (key == "view") r.view = (int)v;
    else if (key == "start") r.startRow = v;
    else if (key == "finish") r.finishRow = v;
    else if (key == "bounds") r.bounds = v;
    else if (key == "rescue") r.rescueEvery = std::max(1, (int)v);
    else return false;
    return true;
}

int readTrackRecipe(const std::string& path, TrackRecipe& r)
{
    std::ifstream file(path);
    if (!file) {
        contentError("Can't open %s", path.c_str());
        return 1;
    }
    r = TrackRecipe();
    r.name = baseName(path);
    r.title = r.name;
    std::string line;
    for (int number = 1; std::getline(file, line); number++) {
        std::istringstream in(line);
        std::string key;
        if (!(in >> key) || key[0] == '#') continue;
        auto arity = FEATURE_ARITY.find(key);
        bool ok;
        if (arity != FEATURE_ARITY.end()) {
            TrackFeature f{key, std::vector<float>(arity->second)};
            ok = readNumbers(in, f.args.data(), (int)f.args.size());
            if (ok) r.features.push_back(f);
        } else {
            ok = readSetting(key, in, r);
        }
        if (!ok) {
            contentError("%s:%i: can't read \"%s\"", path.c_str(), number, line.c_str());
            return 1;
        }
    }
    if (!(r.startRow >= 1 && r.startRow < r.finishRow && r.finishRow < ROWS - 1)) {
        contentError("%s: start and finish must lie between rows 1 and %i", path.c_str(), ROWS - 1);
        return 1;
    }
    return 0;
}

static float slopeOfRow(const TrackRecipe& r, int row)
{
    float deg = DEFAULT_SLOPE_DEG;
    for (const TrackFeature& f : r.features)
        if (f.kind == "slope" && row >= f.args[0] && row < f.args[1]) deg = f.args[2];
    return deg;
}

static float baseHeight(const TrackRecipe& r, int i)
{
    float h = TOP_HEIGHT;
    for (int k = 0; k < i; k++) h -= CELL_LENGTH * std::tan(slopeOfRow(r, k) * PI / 180.0f);
    return h;
}

static float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

// Raised half-pipe walls: a flat floor, quarter-round walls, then a flat deck at full height.
static float halfPipeOffset(const std::vector<float>& a, float row, float zc)
{
    float r0 = a[0], r1 = a[1], floorHalf = a[2], wall = a[3], height = a[4];
    float blend = clamp01((row - r0) / 2) * clamp01((r1 - row) / 2);
    float t = clamp01((std::fabs(zc) - floorHalf) / wall);
    return blend * height * t * t;
}

static float featureOffset(const TrackFeature& f, float i, float zc)
{
    const std::vector<float>& a = f.args;
    if (f.kind == "kicker") {
        float row = a[0], ramp = a[4];
        if (zc < a[1] || zc > a[2]) return 0;
        if (i >= row && i <= row + ramp) return a[3] * (i - row) / ramp;
        return 0;  // the row after the lip drops back to the slope
    }
    if (f.kind == "halfpipe") return halfPipeOffset(a, i, zc);
    if (f.kind == "wave" && i >= a[0] && i <= a[1]) {
        float along = std::sin(PI * (i - a[0]) / (a[1] - a[0]));
        return a[2] * along * along * std::sin(2 * PI * (i - a[0]) / a[3]) * std::cos(2 * PI * zc / 6);
    }
    return 0;
}

float recipeCornerHeight(const TrackRecipe& r, int i, int j)
{
    float zc = (float)(COLUMNS / 2 - j);
    float h = baseHeight(r, i);
    for (const TrackFeature& f : r.features) h += featureOffset(f, (float)i, zc);
    return h;
}

float recipeLaneAt(const TrackRecipe& r, float row)
{
    std::vector<std::pair<float, float>> pts;
    for (const TrackFeature& f : r.features)
        if (f.kind == "lane") pts.push_back({f.args[0], f.args[1]});
    if (pts.empty()) return 0;
    std::sort(pts.begin(), pts.end());
    if (row <= pts.front().first) return pts.front().second;
    for (size_t k = 1; k < pts.size(); k++)
        if (row <= pts[k].first) {
            float t = (row - pts[k - 1].first) / (pts[k].first - pts[k - 1].first);
            return pts[k - 1].second + t * (pts[k].second - pts[k - 1].second);
        }
    return pts.back().second;
}
