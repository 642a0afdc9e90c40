// Takes a track recipe file and returns its settings, features and the terrain height they describe.
#include "trackGen.h"
#include "audio.h"
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

static const int VIEW_COUNT = 4, MAX_BOMBS = 99, MAX_OBSTACLES = 1000;
static const float HALF = COLUMNS / 2;
static const float MAX_SLOPE_DEG = 60, MAX_HEIGHT = 20000, MAX_RAMP_ROWS = 50, MIN_RAMP_ROWS = 0.5f;
static const float MAX_SEED = 2147483647.0f;

// What each number of a feature means and the range it must lie in: rows inside the grid, cells across
// it, counts and sizes bounded (a count or a step that loops for ever, a ramp of length 0 are refused).
struct NumberRange {
    const char* name;
    float lo, hi;
};
static const NumberRange ROW = {"row", 0, ROWS}, CELL = {"cell", -HALF, HALF};
// The world round the grid reaches past it: scenery may stand this many cells out from the middle.
static const float SCENERY_HALF = 120;
static const NumberRange SCENERY_CELL = {"cell", -SCENERY_HALF, SCENERY_HALF};
static const NumberRange MAX_BANK = {"height", 0, MAX_HEIGHT}, SHARE = {"density", 0, 1};
static const std::map<std::string, std::vector<NumberRange>> FEATURE_NUMBERS = {
    {"slope", {ROW, ROW, {"angle", -MAX_SLOPE_DEG, MAX_SLOPE_DEG}}},
    {"wave", {ROW, ROW, {"height", -MAX_HEIGHT, MAX_HEIGHT}, {"period", 1, ROWS}}},
    {"kicker", {ROW, CELL, CELL, {"height", -MAX_HEIGHT, MAX_HEIGHT}, {"ramp length", MIN_RAMP_ROWS, MAX_RAMP_ROWS}}},
    {"halfpipe", {ROW, ROW, {"floor half-width", 0, HALF}, {"wall width", MIN_RAMP_ROWS, HALF}, {"height", 0, MAX_HEIGHT}}},
    {"booster", {ROW, ROW, CELL, CELL}},
    {"rail", {ROW, CELL}},
    {"tree", {ROW, CELL}},
    {"forest", {ROW, ROW, CELL, CELL, {"count", 0, MAX_OBSTACLES}, {"seed", 0, MAX_SEED}}},
    {"gates", {ROW, ROW, {"step", 1, ROWS}, {"offset", -HALF, HALF}}},
    {"lane", {ROW, CELL}},
    {"collect", {ROW, ROW, {"count", 0, MAX_OBSTACLES}, {"offset", -HALF, HALF}}},
    {"bomb", {ROW, CELL}},
    // scenery: drawn round the line, never met by the rider
    {"bank", {ROW, ROW, CELL, MAX_BANK}},
    {"treeline", {ROW, ROW, SCENERY_CELL, SCENERY_CELL, SHARE, {"seed", 0, MAX_SEED}}},
    {"rocks", {ROW, ROW, SCENERY_CELL, SCENERY_CELL, {"count", 0, MAX_OBSTACLES}, {"seed", 0, MAX_SEED}}},
    {"flags", {ROW, ROW, {"step", 1, ROWS}, {"offset", -HALF, HALF}}},
    {"slalom", {ROW, ROW, {"step", 1, ROWS}, {"half gap", 0.5f, HALF}}},
    {"fence", {ROW, ROW, {"offset", -HALF, HALF}}},
    {"hut", {ROW, {"offset", -HALF, HALF}}},
    {"arch", {ROW, {"half width", 1, HALF}}},
};
static const std::map<std::string, NumberRange> SETTING_NUMBERS = {
    {"theme", {"theme", 0, TRACK_THEME_COUNT - 1}}, {"bombs", {"bombs", 0, MAX_BOMBS}}, {"view", {"view", 0, VIEW_COUNT - 1}},
    {"start", {"start row", 0, ROWS}}, {"finish", {"finish row", 0, ROWS}}, {"bounds", {"bounds", 1, HALF}},
    {"rescue", {"rescue", 1, ROWS}}, {"spot", {"spot", 0, 4}}, {"snow", {"snow", 0, 1}},
};

// Why v does not fit its range, or an empty string.
static std::string outOfRange(float v, const NumberRange& range)
{
    if (std::isfinite(v) && v >= range.lo && v <= range.hi) return "";
    char why[160];
    snprintf(why, sizeof why, "%s %g is outside %g to %g", range.name, v, range.lo, range.hi);
    return why;
}

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

static std::string rangeOfAll(const float* v, int n, const NumberRange& range)
{
    for (int k = 0; k < n; k++)
        if (!outOfRange(v[k], range).empty()) return outOfRange(v[k], range);
    return "";
}

// A setting's numbers after they were read: empty when they all fit.
static std::string checkSetting(const std::string& key, const TrackRecipe& r, float v)
{
    auto range = SETTING_NUMBERS.find(key);
    if (range == SETTING_NUMBERS.end()) return "";
    if (key == "spot") return rangeOfAll(r.spot, 3, range->second);
    if (key == "snow") return rangeOfAll(r.snow, 3, range->second);
    return outOfRange(v, range->second);
}

static std::string checkFeature(const TrackFeature& f)
{
    const std::vector<NumberRange>& ranges = FEATURE_NUMBERS.at(f.kind);
    for (size_t k = 0; k < ranges.size(); k++) {
        std::string why = outOfRange(f.args[k], ranges[k]);
        if (!why.empty()) return f.kind + " " + why;
    }
    if (f.kind == "wave" && !(f.args[1] > f.args[0])) return "wave must end after the row it starts";
    return "";
}

// "music NAME" picks the tune "bgmusics/NAME.flac": only one the tool makes.
static const std::string TUNE_EXTENSION = ".flac";

static std::string checkMusic(const std::string& file)
{
    for (int k = 0; k < NB_MUSIC_TUNES; k++)
        if (std::string(musicTunes[k].file) == "bgmusics/" + file) return "";
    return "music " + file.substr(0, file.size() - TUNE_EXTENSION.size()) + " is not a tune the tool makes";
}

static bool readMusic(std::istringstream& in, TrackRecipe& r)
{
    std::string stem;
    if (!(in >> stem)) return false;
    r.music = stem + TUNE_EXTENSION;
    return true;
}

// "weather NAME": the clouds and falling snow of the track's sky.
static std::string checkWeather(const std::string& name)
{
    for (int k = 0; k < TRACK_WEATHER_COUNT; k++)
        if (name == trackWeatherNames[k]) return "";
    return "weather " + name + " is none of clear, cloudy, snow, storm";
}

static bool readSetting(const std::string& key, std::istringstream& in, TrackRecipe& r, float* v)
{
    *v = 0;
    if (key == "title") return (bool)(in >> r.title);
    if (key == "weather") return (bool)(in >> r.weather);
    if (key == "music") return readMusic(in, r);
    if (key == "spot") return readNumbers(in, r.spot, 3);
    if (key == "snow") return readNumbers(in, r.snow, 3);
    if (key == "desc") {
        std::string rest;
        std::getline(in, rest);
        size_t first = rest.find_first_not_of(' ');
        r.desc.push_back(first == std::string::npos ? std::string() : rest.substr(first));
        return true;
    }
    if (!SETTING_NUMBERS.count(key) || !(in >> *v)) return false;
    // Checked before any cast: a number past an int's range is undefined behaviour there.
    if (!checkSetting(key, r, *v).empty()) return true;
    if (key == "theme") r.theme = (int)*v;
    else if (key == "bombs") r.bombs = (int)*v;
    else if (key == "view") r.view = (int)*v;
    else if (key == "start") r.startRow = *v;
    else if (key == "finish") r.finishRow = *v;
    else if (key == "bounds") r.bounds = *v;
    else if (key == "rescue") r.rescueEvery = std::max(1, (int)*v);
    return true;
}

// What is wrong with a setting line once read, "" when nothing is.
static std::string settingFault(const std::string& key, const TrackRecipe& r, float v)
{
    if (key == "music") return checkMusic(r.music);
    if (key == "weather") return checkWeather(r.weather);
    return checkSetting(key, r, v);
}

// Two lane points on one row would leave the line between them undefined.
static const TrackFeature* laneOnTheSameRow(const TrackRecipe& r)
{
    std::map<float, int> rows;
    for (const TrackFeature& f : r.features)
        if (f.kind == "lane" && rows[f.args[0]]++ > 0) return &f;
    return nullptr;
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
        auto numbers = FEATURE_NUMBERS.find(key);
        bool ok;
        std::string wrong;
        if (numbers != FEATURE_NUMBERS.end()) {
            TrackFeature f{key, std::vector<float>(numbers->second.size()), number};
            ok = readNumbers(in, f.args.data(), (int)f.args.size());
            if (ok) wrong = checkFeature(f);
            if (ok && wrong.empty()) r.features.push_back(f);
        } else {
            float v;
            ok = readSetting(key, in, r, &v);
            if (ok) wrong = settingFault(key, r, v);
        }
        if (!ok) {
            contentError("%s:%i: can't read \"%s\"", path.c_str(), number, line.c_str());
            return 1;
        }
        if (!wrong.empty()) {
            contentError("%s:%i: %s", path.c_str(), number, wrong.c_str());
            return 1;
        }
    }
    if (const TrackFeature* twin = laneOnTheSameRow(r)) {
        contentError("%s:%i: a second lane point on row %g", path.c_str(), twin->line, twin->args[0]);
        return 1;
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

std::vector<float> recipeRowHeights(const TrackRecipe& r)
{
    std::vector<float> rows(ROWS + 1);
    float h = TOP_HEIGHT;  // the same sums in the same order as baseHeight: the same floats
    for (int k = 0; k <= ROWS; k++) {
        rows[k] = h;
        h -= CELL_LENGTH * std::tan(slopeOfRow(r, k) * PI / 180.0f);
    }
    return rows;
}

float recipeCornerHeight(const TrackRecipe& r, int i, int j) { return recipeCornerHeightOn(r, baseHeight(r, i), i, j); }

float recipeCornerHeightOn(const TrackRecipe& r, float rowHeight, int i, int j)
{
    float zc = (float)(COLUMNS / 2 - j);
    float h = rowHeight;
    for (const TrackFeature& f : r.features) h += featureOffset(f, (float)i, zc);
    return h;
}

int recipeLineBehindHeight(const TrackRecipe& r, int i, int j)
{
    for (const TrackFeature& f : r.features) {
        TrackRecipe alone = r;
        alone.features.assign(1, f);
        if (!std::isfinite(recipeCornerHeight(alone, i, j))) return f.line;
    }
    return 0;
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
