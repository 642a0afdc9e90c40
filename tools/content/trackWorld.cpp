// Takes a track recipe and its grid; returns the world round it: where the grid gives way to banks,
// the terrain out to the horizon (a valley falling away past the finish, a mountain behind the start),
// the light on all of it from the theme's sun with the shade of banks and trees, and the trees, rocks
// and trackside models standing on it.
#include "trackWorld.h"
#include "content.h"
#include "skyRender.h"
#include "tiledNoise.h"
#include "track/surfaceTextures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

static const int ROWS = 200, COLUMNS = 72, CORNERS_PER_ROW = COLUMNS + 1;
static const float CELL_LENGTH = 1684, CELL_WIDTH = 1123, GRID_HALF_WIDTH = 36 * CELL_WIDTH;
static const float TRACK_LENGTH = ROWS * CELL_LENGTH;

// The terrain round the grid: rows before and after it, columns out from each side, each wider than
// the last, out to about 260000 either side.
static const int ROWS_BEHIND = 40, ROWS_AFTER = 110, OUT_COLUMNS = 26;
static const float OUT_GROWTH = 1.14f;
// Banks: the grid still draws this much of the out-of-bounds border, then the bank rises.
static const float EDGE_MARGIN = 1.5f;
static const float BANK_HEIGHT = 2600, BANK_CELLS = 7, BANK_WOBBLE = 0.35f, BANK_WOBBLE_PERIOD = 24000;
// Past the bank's top the valley's sides go on rising, into ridges further out.
static const float SIDE_RISE = 0.22f, RIDGE_HEIGHT = 26000, RIDGE_REACH = 110000, RIDGE_PERIOD = 42000;
static const float RISE_BEHIND = 0.3f;                       // the mountain behind the start
static const float VALLEY_FALL = 0.12f, VALLEY_LEVEL = 160000;  // the valley past the finish
// ... closed by a range across it, high enough that no view down the track meets the world's end.
static const float CLOSING_FROM = 120000, CLOSING_WIDTH = 60000, CLOSING_HEIGHT = 22000;
static const int NOISE_PERIOD = 1 << 16;

// Light: the share of the light a face turned from the sun still gets, and the soft shadow's spread.
static const float AMBIENT = 0.58f, SHADOW_SOFTNESS = 0.06f, SHADOW_REACH = 60000;
static const float FLAT_LIGHT = 0.93f, MOST_DIRECT = 1.25f, LOWEST_SUN = 0.3f;
static const float SHADE_REACH_ACROSS = 80000, SHADE_REACH_ALONG = 30000;
static const float DRIFTS = 0.15f, DRIFT_PERIOD = 2600;
static const int DRIFT_SEED = 313;
static const float TREE_SHADE_CELL = 400;
static const float TREE_SHADE_LEAST = 0.55f;  // trees let some light through: their shade is lighter than a bank's

// Trees of the scenery: one candidate on a jittered lattice of this spacing, kept by the line's
// density and a clump pattern (clearings between the clumps); never inside the rideable field.
static const float TREE_SPACING = 1250, CLUMP_PERIOD = 9000, FIELD_MARGIN = 0.5f;
static const float TREE_SINK = 40;
static const float DEFAULT_TREELINE_CELLS = 13;
static const int DEFAULT_TREELINE_SEED = 61;
static const float DEFAULT_TREE_DENSITY[TRACK_THEME_COUNT] = {0.55f, 0.8f, 0.6f, 0.65f, 0.45f};
// Species shares per theme: fir, spruce, pine, birch.
static const float SPECIES_SHARE[TRACK_THEME_COUNT][worldTreeSpecies] = {
    {0.5f, 0.25f, 0.15f, 0.1f}, {0.4f, 0.5f, 0.1f, 0.0f}, {0.6f, 0.2f, 0.0f, 0.2f}, {0.6f, 0.4f, 0.0f, 0.0f},
    {0.4f, 0.0f, 0.4f, 0.2f}};
static const float SPECIES_SIZE[worldTreeSpecies][2] = {{0.8f, 1.4f}, {0.9f, 1.5f}, {0.9f, 1.3f}, {0.7f, 1.1f}};

// Rocks: a few at the foot of each bank by default.
static const float DEFAULT_ROCK_ROWS = 9, ROCK_SCALE[2] = {0.7f, 2.6f};
// Trackside: markers at the field's edges, a start hut, ropes round the start and the finish, an arch.
static const float MARKER_STEP = 8, MARKER_INSIDE = 0.3f;
static const float FENCE_OFFSET = 3.2f;
static const float START_FENCE[2] = {-1.5f, 5}, FINISH_FENCE[2] = {-9, 2};
static const float HUT_ROWS_BEFORE = 0.8f, HUT_OFFSET = 4.5f, ARCH_HALF_WIDTH = 3;

struct Random {
    unsigned state;
    float next()  // in [0, 1)
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state >> 8) / 16777216.0f;
    }
};

static float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
static float smooth01(float t)
{
    t = clamp01(t);
    return t * t * (3 - 2 * t);
}
static float noiseAt(float x, float z, float period, int seed)
{
    return tiledNoise(x / period, z / period, NOISE_PERIOD, seed);
}
// Sharp crests, soft valleys: folded octaves, 0 to about 1.
static float ridged(float x, float z, int seed)
{
    float sum = 0, amp = 0.55f, norm = 0, f = 1;
    for (int o = 0; o < 5; o++, amp *= 0.5f, f *= 2.0f) {
        float n = 1 - std::fabs(2 * noiseAt(x * f, z * f, RIDGE_PERIOD, seed + o) - 1);
        sum += amp * n * n;
        norm += amp;
    }
    return sum / norm;
}

// ---------------------------------------------------------------- the recipe's scenery lines

int recipeWeather(const TrackRecipe& r)
{
    for (int k = 0; k < TRACK_WEATHER_COUNT; k++)
        if (r.weather == trackWeatherNames[k]) return k;
    static const int THEME_WEATHER[TRACK_THEME_COUNT] = {worldWeatherClear, worldWeatherClear, worldWeatherSnow,
                                                        worldWeatherStorm, worldWeatherClear};
    return THEME_WEATHER[r.theme >= 0 && r.theme < TRACK_THEME_COUNT ? r.theme : 0];
}

static bool hasFeature(const TrackRecipe& r, const char* kind)
{
    for (const TrackFeature& f : r.features)
        if (f.kind == kind) return true;
    return false;
}

// Where the grid gives way to a bank on each side (+Z then -Z), in whole cells from the middle, and
// how high the bank rises, row by row.
struct Banks {
    std::vector<int> edge[2];
    std::vector<float> height[2];
};

static Banks recipeBanks(const TrackRecipe& r)
{
    Banks b;
    int edge = std::min(COLUMNS / 2, (int)std::ceil(r.bounds + EDGE_MARGIN));
    for (int s = 0; s < 2; s++) {
        b.edge[s].assign(ROWS, edge);
        b.height[s].assign(ROWS, BANK_HEIGHT);
    }
    for (const TrackFeature& f : r.features) {
        if (f.kind != "bank") continue;
        int side = f.args[2] >= 0 ? 0 : 1;
        for (int row = 0; row < ROWS; row++)
            if (row + 0.5f >= f.args[0] && row + 0.5f <= f.args[1]) {
                b.edge[side][row] = std::min(COLUMNS / 2, std::max(1, (int)std::ceil(std::fabs(f.args[2]))));
                b.height[side][row] = f.args[3];
            }
    }
    return b;
}

// ---------------------------------------------------------------- the terrain

struct TerrainPlan {
    const TrackRecipe& r;
    const TrackMesh& m;
    Banks banks;
    int seed;
};

static float gridHeight(const TrackMesh& m, int i, int j) { return m.points[3 * (i * CORNERS_PER_ROW + j) + 1]; }

// A corner of the grid is drawn by it when it belongs to a drawn cell of the row before or after it.
static int cornerEdge(const Banks& b, int side, int i)
{
    int a = std::min(std::max(i - 1, 0), ROWS - 1), c = std::min(std::max(i, 0), ROWS - 1);
    return std::max(b.edge[side][a], b.edge[side][c]);
}

static float bankHeight(const Banks& b, int side, int i)
{
    int a = std::min(std::max(i - 1, 0), ROWS - 1), c = std::min(std::max(i, 0), ROWS - 1);
    return std::max(b.height[side][a], b.height[side][c]);
}

static float baseExtension(float x)
{
    if (x < 0) return -RISE_BEHIND * x;
    if (x <= TRACK_LENGTH) return 0;
    float past = x - TRACK_LENGTH;
    return -VALLEY_FALL * VALLEY_LEVEL * (1 - std::exp(-past / VALLEY_LEVEL)) +
           CLOSING_HEIGHT * smooth01((past - CLOSING_FROM) / CLOSING_WIDTH);
}

static float cornerHeight(const TerrainPlan& p, int i, float x, int j, float z)
{
    int ic = std::min(std::max(i, 0), ROWS), jc = std::min(std::max(j, 0), COLUMNS);
    float h = gridHeight(p.m, ic, jc) + baseExtension(x);
    float closing = smooth01((x - TRACK_LENGTH - CLOSING_FROM) / CLOSING_WIDTH);
    h += RIDGE_HEIGHT * closing * ridged(x, z, p.seed + 5);
    int side = z >= 0 ? 0 : 1;
    float beyond = std::fabs(z) - cornerEdge(p.banks, side, i) * CELL_WIDTH;
    if (beyond <= 0) return h;
    float bankWidth = BANK_CELLS * CELL_WIDTH;
    float wobble = 1 + BANK_WOBBLE * (2 * noiseAt(x, z, BANK_WOBBLE_PERIOD, p.seed + side) - 1);
    h += bankHeight(p.banks, side, i) * wobble * smooth01(beyond / bankWidth);
    h += SIDE_RISE * std::max(0.0f, beyond - bankWidth);
    h += RIDGE_HEIGHT * smooth01(beyond / RIDGE_REACH) * ridged(x, z, p.seed + 7);
    return h;
}

static void terrainAxes(WorldScene& w)
{
    w.firstRow = ROWS_BEHIND;
    w.gridColumn0 = OUT_COLUMNS;
    w.xs.clear();
    for (int i = -ROWS_BEHIND; i <= ROWS + ROWS_AFTER; i++) w.xs.push_back(i * CELL_LENGTH);
    std::vector<float> out(OUT_COLUMNS + 1, 0);
    for (int k = 1; k <= OUT_COLUMNS; k++) out[k] = out[k - 1] + CELL_WIDTH * std::pow(OUT_GROWTH, (float)(k - 1));
    w.zs.clear();
    for (int k = OUT_COLUMNS; k >= 1; k--) w.zs.push_back(GRID_HALF_WIDTH + out[k]);
    for (int j = 0; j <= COLUMNS; j++) w.zs.push_back((COLUMNS / 2 - j) * CELL_WIDTH);
    for (int k = 1; k <= OUT_COLUMNS; k++) w.zs.push_back(-GRID_HALF_WIDTH - out[k]);
}

static void buildTerrain(const TerrainPlan& p, WorldScene& w)
{
    terrainAxes(w);
    w.heights.assign((size_t)w.rows() * w.columns(), 0);
    for (int t = 0; t < w.rows(); t++)
        for (int s = 0; s < w.columns(); s++)
            w.heights[(size_t)t * w.columns() + s] = cornerHeight(p, t - w.firstRow, w.xs[t], s - w.gridColumn0, w.zs[s]);
    w.firstCell.resize(ROWS);
    w.lastCell.resize(ROWS);
    for (int row = 0; row < ROWS; row++) {
        w.firstCell[row] = (short)(COLUMNS / 2 - p.banks.edge[0][row]);
        w.lastCell[row] = (short)(COLUMNS / 2 - 1 + p.banks.edge[1][row]);
    }
}

// The column whose span holds z (columns run from +Z to -Z), and the share of the way across it.
static int columnOf(const WorldScene& w, float z, float* share)
{
    int lo = 0, hi = w.columns() - 1;
    if (z >= w.zs[0]) return *share = 0, 0;
    if (z <= w.zs[hi]) return *share = 1, hi - 1;
    while (hi - lo > 1) {
        int mid = (lo + hi) / 2;
        (w.zs[mid] > z ? lo : hi) = mid;
    }
    *share = (w.zs[lo] - z) / (w.zs[lo] - w.zs[hi]);
    return lo;
}

float worldHeightAt(const WorldScene& w, float x, float z)
{
    float fr = (x - w.xs[0]) / CELL_LENGTH;
    fr = std::min(std::max(fr, 0.0f), (float)w.rows() - 1.0001f);
    int t = (int)fr;
    float u = fr - t, v;
    int s = columnOf(w, z, &v);
    auto h = [&](int a, int b) { return w.heights[(size_t)(t + a) * w.columns() + s + b]; };
    // the grid's split: the first triangle holds the corner at (t, s), the second (t + 1, s + 1)
    if (u + v <= 1) return h(0, 0) + u * (h(1, 0) - h(0, 0)) + v * (h(0, 1) - h(0, 0));
    return h(1, 1) + (1 - u) * (h(0, 1) - h(1, 1)) + (1 - v) * (h(1, 0) - h(1, 1));
}

// ---------------------------------------------------------------- models standing in the world

struct Placer {
    const TrackRecipe& r;
    const TrackMesh& m;
    WorldScene& w;
    Random rnd;
    void put(int model, int mid, int far, float x, float z, float yaw, float scale, float sink = 0)
    {
        w.placements.push_back({model, mid, far, x, worldHeightAt(w, x, z) - sink, z, yaw, scale});
    }
    // Small trackside models show in the near and middle bands; landmarks everywhere.
    void putSmall(int model, float x, float z, float yaw) { put(model, model, -1, x, z, yaw, 1); }
    void putLandmark(int model, float x, float z, float yaw) { put(model, model, model, x, z, yaw, 1); }
};

static bool insideField(const TrackRecipe& r, float zCells) { return std::fabs(zCells) < r.bounds + FIELD_MARGIN; }

static int pickSpecies(int theme, float u)
{
    const float* share = SPECIES_SHARE[theme];
    for (int k = 0; k < worldTreeSpecies - 1; k++) {
        if (u < share[k]) return k;
        u -= share[k];
    }
    return worldTreeSpecies - 1;
}

static void plantTreeline(Placer& p, float r0, float r1, float z0, float z1, float density, int seed)
{
    Random rnd{(unsigned)seed * 2654435761u + 7u};
    float x0 = r0 * CELL_LENGTH, x1 = r1 * CELL_LENGTH;
    float zLo = std::min(z0, z1) * CELL_WIDTH, zHi = std::max(z0, z1) * CELL_WIDTH;
    int theme = std::min(std::max(p.r.theme, 0), TRACK_THEME_COUNT - 1);
    for (float x = x0; x < x1; x += TREE_SPACING)
        for (float z = zLo; z < zHi; z += TREE_SPACING) {
            float tx = x + TREE_SPACING * rnd.next(), tz = z + TREE_SPACING * rnd.next();
            float keep = rnd.next(), kind = rnd.next(), size = rnd.next(), yaw = 360 * rnd.next();
            if (tx >= x1 || tz >= zHi || insideField(p.r, tz / CELL_WIDTH)) continue;
            float clump = smooth01((noiseAt(tx, tz, CLUMP_PERIOD, seed) - 0.3f) / 0.4f);
            if (keep >= density * (0.25f + 1.1f * clump)) continue;
            int species = pickSpecies(theme, kind);
            const float* range = SPECIES_SIZE[species];
            int first = worldFir + worldTreeLooks * species;
            p.put(first, first + 1, first + 2, tx, tz, yaw, range[0] + (range[1] - range[0]) * size, TREE_SINK);
        }
}

static void plantTrees(Placer& p, const Banks& b)
{
    for (const TrackFeature& f : p.r.features)
        if (f.kind == "treeline") plantTreeline(p, f.args[0], f.args[1], f.args[2], f.args[3], f.args[4], (int)f.args[5]);
    if (hasFeature(p.r, "treeline")) return;
    int theme = std::min(std::max(p.r.theme, 0), TRACK_THEME_COUNT - 1);
    // along each bank, from its foot up, past both ends of the grid
    for (int side = 0; side < 2; side++) {
        float sign = side == 0 ? 1.0f : -1.0f;
        float from = (float)b.edge[side][0];
        plantTreeline(p, -(float)ROWS_BEHIND / 2, ROWS + ROWS_AFTER / 2.0f, sign * (from - EDGE_MARGIN / 2),
                      sign * (from + DEFAULT_TREELINE_CELLS), DEFAULT_TREE_DENSITY[theme], DEFAULT_TREELINE_SEED + side);
    }
}

// The track's own trees, drawn by the game as obstacles in the window ahead of the rider, stand in the
// world's middle and far bands too: the forests are seen in depth.
static void farLooksOfTrackTrees(Placer& p)
{
    const int OBSTACLE_TREE = 0;
    static const int THEME_SPECIES[TRACK_THEME_COUNT] = {0, 1, 0, 0, 0};  // the species tree.3d looks like
    int theme = std::min(std::max(p.r.theme, 0), TRACK_THEME_COUNT - 1);
    int first = worldFir + worldTreeLooks * THEME_SPECIES[theme];
    for (const TrackObstacle& o : p.m.obstacles)
        if (o.type == OBSTACLE_TREE) p.w.placements.push_back({-1, first + 1, first + 2, o.x, o.y, o.z, 0, 1});
}

static void placeRocks(Placer& p, const Banks& b)
{
    for (const TrackFeature& f : p.r.features) {
        if (f.kind != "rocks") continue;
        Random rnd{(unsigned)f.args[5] * 2246822519u + 3u};
        for (int k = 0; k < (int)f.args[4]; k++) {
            float row = f.args[0] + (f.args[1] - f.args[0]) * rnd.next();
            float zc = f.args[2] + (f.args[3] - f.args[2]) * rnd.next();
            float scale = ROCK_SCALE[0] + (ROCK_SCALE[1] - ROCK_SCALE[0]) * rnd.next();
            if (!insideField(p.r, zc)) p.put(worldRock, worldRockFar, -1, row * CELL_LENGTH, zc * CELL_WIDTH, 360 * rnd.next(), scale);
        }
    }
    if (hasFeature(p.r, "rocks")) return;
    for (float row = 0; row < ROWS; row += DEFAULT_ROCK_ROWS)
        for (int side = 0; side < 2; side++) {
            float zc = (side == 0 ? 1 : -1) * (b.edge[side][(int)row] + 1 + 4 * p.rnd.next());
            float x = (row + DEFAULT_ROCK_ROWS * p.rnd.next()) * CELL_LENGTH;
            float scale = ROCK_SCALE[0] + (ROCK_SCALE[1] - ROCK_SCALE[0]) * p.rnd.next(), yaw = 360 * p.rnd.next();
            if (!insideField(p.r, zc)) p.put(worldRock, worldRockFar, -1, x, zc * CELL_WIDTH, yaw, scale);
        }
}

// Degrees a model turned by yaw about Y faces along (dx, dz).
static float yawAlong(float dx, float dz) { return std::atan2(-dz, dx) * 57.2957795f; }

static void placeFence(Placer& p, float r0, float r1, float offset)
{
    for (float x = r0 * CELL_LENGTH; x < r1 * CELL_LENGTH; x += worldFenceStep) {
        float z = (recipeLaneAt(p.r, x / CELL_LENGTH) + offset) * CELL_WIDTH;
        float zNext = (recipeLaneAt(p.r, (x + worldFenceStep) / CELL_LENGTH) + offset) * CELL_WIDTH;
        p.putSmall(worldFence, x, z, yawAlong(worldFenceStep, zNext - z));
    }
}

static void placeTrackside(Placer& p)
{
    const TrackRecipe& r = p.r;
    auto laneZ = [&](float row, float offset) { return (recipeLaneAt(r, row) + offset) * CELL_WIDTH; };
    for (const TrackFeature& f : r.features) {
        const std::vector<float>& a = f.args;
        if (f.kind == "flags")
            for (float row = a[0]; row <= a[1]; row += a[2])
                for (float side : {1.0f, -1.0f}) p.putSmall(worldFlag, row * CELL_LENGTH, laneZ(row, side * a[3]), 0);
        else if (f.kind == "slalom") {
            int k = 0;
            for (float row = a[0]; row <= a[1]; row += a[2], k++) {
                float side = k % 2 ? -1.0f : 1.0f;
                p.putSmall(k % 2 ? worldGateBlue : worldGateRed, row * CELL_LENGTH, laneZ(row, side * a[3]), side > 0 ? 0 : 180);
            }
        } else if (f.kind == "fence") {
            placeFence(p, a[0], a[1], a[2]);
        } else if (f.kind == "hut") {
            p.putLandmark(worldHut, a[0] * CELL_LENGTH, laneZ(a[0], a[1]), a[1] >= 0 ? 0 : 180);
        } else if (f.kind == "arch") {
            p.putLandmark(worldArch, a[0] * CELL_LENGTH, laneZ(a[0], 0), 0);
        }
    }
    if (!hasFeature(r, "flags"))
        for (float row = r.startRow; row <= r.finishRow; row += MARKER_STEP)
            for (float side : {1.0f, -1.0f})
                p.putSmall(worldFlag, row * CELL_LENGTH, side * (r.bounds - MARKER_INSIDE) * CELL_WIDTH, 0);
    if (!hasFeature(r, "fence"))
        for (float side : {1.0f, -1.0f}) {
            placeFence(p, r.startRow + START_FENCE[0], r.startRow + START_FENCE[1], side * FENCE_OFFSET);
            placeFence(p, r.finishRow + FINISH_FENCE[0], r.finishRow + FINISH_FENCE[1], side * FENCE_OFFSET);
        }
    if (!hasFeature(r, "hut")) {
        float row = r.startRow - HUT_ROWS_BEFORE;
        p.putLandmark(worldHut, row * CELL_LENGTH, laneZ(row, HUT_OFFSET), 0);
    }
    if (!hasFeature(r, "arch")) p.putLandmark(worldArch, r.finishRow * CELL_LENGTH, laneZ(r.finishRow, 0), 0);
}

// The arch spans the width of the recipe's first arch line, or the default.
static float archHalfWidth(const TrackRecipe& r)
{
    for (const TrackFeature& f : r.features)
        if (f.kind == "arch") return f.args[1] * CELL_WIDTH;
    return ARCH_HALF_WIDTH * CELL_WIDTH;
}

// ---------------------------------------------------------------- light

WorldLook worldLook(int theme)
{
    SkyThemeLight l = skyThemeLight(theme);
    WorldLook w;
    for (int k = 0; k < 3; k++) {
        w.sun[k] = l.sun[k];
        w.horizon[k] = l.horizon[k];
        w.snowLit[k] = l.snowLit[k];
        w.snowShade[k] = l.snowShade[k];
        w.rock[k] = l.rock[k];
        w.forest[k] = l.forest[k];
    }
    w.hazeDistance = l.hazeDistance;
    return w;
}

// The highest tree crown over each small square near the grid, for the shade trees cast on it.
struct TreeTops {
    float x0, z0;
    int nx, nz;
    std::vector<float> top;
    float at(float x, float z) const
    {
        int i = (int)((x - x0) / TREE_SHADE_CELL), k = (int)((z - z0) / TREE_SHADE_CELL);
        if (i < 0 || k < 0 || i >= nx || k >= nz) return -1e30f;
        return top[(size_t)k * nx + i];
    }
};

static const float TREE_CROWN = 1100;  // a scenery tree's height at scale 1

static TreeTops treeTops(const WorldScene& w, const TrackMesh& m)
{
    TreeTops t;
    t.x0 = -20 * CELL_LENGTH, t.z0 = -(GRID_HALF_WIDTH + 30000);
    t.nx = (int)((TRACK_LENGTH + 40 * CELL_LENGTH) / TREE_SHADE_CELL), t.nz = (int)(-2 * t.z0 / TREE_SHADE_CELL);
    t.top.assign((size_t)t.nx * t.nz, -1e30f);
    auto add = [&](float x, float y, float z, float height) {
        int i = (int)((x - t.x0) / TREE_SHADE_CELL), k = (int)((z - t.z0) / TREE_SHADE_CELL);
        if (i < 0 || k < 0 || i >= t.nx || k >= t.nz) return;
        float& v = t.top[(size_t)k * t.nx + i];
        v = std::max(v, y + height);
    };
    for (const WorldPlacement& p : w.placements)
        if (p.model >= worldFir && p.model < worldFir + worldTreeLooks * worldTreeSpecies) add(p.x, p.y, p.z, TREE_CROWN * p.scale);
    // the track's own trees (no near model here) come in below, at their own height
    const int OBSTACLE_TREE = 0;
    const float OBSTACLE_TREE_HEIGHT = 1000;
    for (const TrackObstacle& o : m.obstacles)
        if (o.type == OBSTACLE_TREE) add(o.x, o.y, o.z, OBSTACLE_TREE_HEIGHT);
    return t;
}

// Share of the sun reaching a point: 1 in the open, down to 0 behind a bank or under a tree, soft at
// the shadow's edge.
static float sunShare(const WorldScene& w, const TreeTops& trees, const float sun[3], float x, float y, float z)
{
    float share = 1, t = 150;
    float flat = std::sqrt(sun[0] * sun[0] + sun[2] * sun[2]);
    while (t < SHADOW_REACH && share > 0) {
        float px = x + sun[0] * t, py = y + sun[1] * t, pz = z + sun[2] * t;
        share = std::min(share, clamp01((py - worldHeightAt(w, px, pz)) / (SHADOW_SOFTNESS * t) + 0.5f));
        float underTree = clamp01((py - trees.at(px, pz)) / (SHADOW_SOFTNESS * t) + 0.5f);
        share = std::min(share, TREE_SHADE_LEAST + (1 - TREE_SHADE_LEAST) * underTree);
        t += std::max(120.0f, t * 0.06f) * (flat > 0.2f ? 1 : 2);
    }
    return share;
}

// Level ground in the sun is seen at FLAT_LIGHT whatever the sun's height (a low dusk sun does not
// darken the whole track); slopes turned to it are lighter, slopes turned away and shade darker.
static float lightOf(const float n[3], const float sun[3], float sunlit)
{
    float facing = std::max(0.0f, n[0] * sun[0] + n[1] * sun[1] + n[2] * sun[2]);
    float direct = std::min(MOST_DIRECT, facing / std::max(LOWEST_SUN, sun[1]));
    return std::min(1.0f, FLAT_LIGHT * (AMBIENT + (1 - AMBIENT) * direct * sunlit));
}

// The light (0..1) a surface of light `light` is seen in: the shade's tint in the theme where it is
// dark, white where it is fully lit, as the surface pictures already carry the snow's own colour.
static void lightColour(const WorldLook& look, float light, unsigned char out[3])
{
    for (int k = 0; k < 3; k++) {
        float shadeTint = look.snowShade[k] / look.snowLit[k];
        float dark = clamp01((FLAT_LIGHT - light) / (FLAT_LIGHT * (1 - AMBIENT)));
        float v = light * (1 - 0.6f * dark * (1 - shadeTint));
        out[k] = (unsigned char)std::lround(255 * clamp01(v));
    }
}

static void lightGrid(const TrackRecipe& r, const TrackMesh& m, const TreeTops& trees, const WorldLook& look, WorldScene& w)
{
    const int corners = (ROWS + 1) * CORNERS_PER_ROW;
    w.gridLight.assign(corners * 3, 0);
    w.gridFar.assign(corners * 3, 0);
    float mean[trackSurfacePictures][3];
    for (int k = 0; k < trackSurfacePictures; k++) surfaceMeanColour(k, r.theme, mean[k]);
    for (int v = 0; v < corners; v++) {
        const float* p = &m.points[3 * v];
        float light = lightOf(&m.normals[3 * v], look.sun, sunShare(w, trees, look.sun, p[0], p[1] + 30, p[2]));
        // the snow is never quite even: drifts and hollows a few cells across, lighter and darker
        light *= 1 + DRIFTS * (2 * noiseAt(p[0], p[2], DRIFT_PERIOD, DRIFT_SEED) - 1);
        lightColour(look, light, &w.gridLight[3 * v]);
        // the cells round the corner, as they read from afar
        int i = v / CORNERS_PER_ROW, j = v % CORNERS_PER_ROW;
        float sum[3] = {0, 0, 0};
        int n = 0;
        for (int di = -1; di <= 0; di++)
            for (int dj = -1; dj <= 0; dj++) {
                int row = i + di, q = j + dj;
                if (row < 0 || q < 0 || row >= ROWS || q >= COLUMNS) continue;
                const float* c = mean[m.surfaces[(size_t)(row * COLUMNS + q) * 2].texIndex % trackSurfacePictures];
                for (int k = 0; k < 3; k++) sum[k] += c[k];
                n++;
            }
        for (int k = 0; k < 3; k++)
            w.gridFar[3 * v + k] = (unsigned char)std::lround(std::min(255.0f, sum[k] / n * w.gridLight[3 * v + k] / 255));
    }
}

// How many scenery trees stand round each terrain corner: the far terrain carries the forest's colour
// where the trees themselves are no longer drawn.
static std::vector<float> forestCover(const WorldScene& w)
{
    std::vector<float> cover((size_t)w.rows() * w.columns(), 0);
    for (const WorldPlacement& p : w.placements) {
        if (p.mid < worldFir || p.mid >= worldFir + worldTreeLooks * worldTreeSpecies) continue;
        float share;
        int t = (int)std::lround((p.x - w.xs[0]) / CELL_LENGTH), s = columnOf(w, p.z, &share);
        s += share > 0.5f;
        if (t < 0 || t >= w.rows()) continue;
        float area = CELL_LENGTH * std::fabs(w.zs[std::max(s - 1, 0)] - w.zs[std::min(s + 1, w.columns() - 1)]) / 2;
        cover[(size_t)t * w.columns() + s] += TREE_SPACING * TREE_SPACING / area;
    }
    return cover;
}

static void terrainNormal(const WorldScene& w, int t, int s, float n[3])
{
    int t0 = std::max(t - 1, 0), t1 = std::min(t + 1, w.rows() - 1);
    int s0 = std::max(s - 1, 0), s1 = std::min(s + 1, w.columns() - 1);
    auto h = [&](int a, int b) { return w.heights[(size_t)a * w.columns() + b]; };
    float dx = (h(t1, s) - h(t0, s)) / (w.xs[t1] - w.xs[t0]);
    float dz = (h(t, s1) - h(t, s0)) / (w.zs[s1] - w.zs[s0]);
    float len = std::sqrt(dx * dx + dz * dz + 1);
    n[0] = -dx / len, n[1] = 1 / len, n[2] = -dz / len;
}

static void colourTerrain(const TreeTops& trees, const WorldLook& look, int seed, WorldScene& w)
{
    std::vector<float> cover = forestCover(w);
    w.colours.assign(w.heights.size() * 3, 0);
    for (int t = 0; t < w.rows(); t++)
        for (int s = 0; s < w.columns(); s++) {
            size_t v = (size_t)t * w.columns() + s;
            float n[3];
            terrainNormal(w, t, s, n);
            float x = w.xs[t], z = w.zs[s];
            // past the grid's sides and ends nothing stands to cast a shade worth the look
            bool near = std::fabs(z) < SHADE_REACH_ACROSS && x > -SHADE_REACH_ALONG && x < TRACK_LENGTH + SHADE_REACH_ALONG;
            float light = lightOf(n, look.sun, near ? sunShare(w, trees, look.sun, x, w.heights[v] + 30, z) : 1);
            // rock on steep faces, broken up; forest where the trees stand thick
            float grain = noiseAt(x, z, 5000, seed + 11);
            float rock = smooth01((0.86f - n[1] + 0.12f * (grain - 0.5f)) / 0.1f);
            float forest = std::min(0.85f, 0.9f * cover[v]);
            for (int k = 0; k < 3; k++) {
                float lit = clamp01((light - FLAT_LIGHT * AMBIENT) / (FLAT_LIGHT * (1 - AMBIENT)));
                float snow = look.snowShade[k] + (look.snowLit[k] - look.snowShade[k]) * lit;
                float c = snow + (look.rock[k] * (0.6f + 0.6f * light) - snow) * rock;
                c += (look.forest[k] * (0.7f + 0.5f * light) - c) * forest;
                w.colours[3 * v + k] = (unsigned char)std::lround(std::min(255.0f, std::max(0.0f, c)));
            }
        }
}

// ---------------------------------------------------------------- the whole

static int worldSeed(const std::string& name)
{
    unsigned h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return (int)(h % 9973);
}

void buildTrackWorld(const TrackRecipe& r, const TrackMesh& m, WorldScene& w)
{
    int theme = std::min(std::max(r.theme, 0), TRACK_THEME_COUNT - 1);
    WorldLook look = worldLook(theme);
    w = WorldScene();
    for (int k = 0; k < 3; k++) {
        w.sun[k] = look.sun[k];
        w.haze[k] = look.horizon[k] / 255;
    }
    w.hazeDistance = look.hazeDistance;
    w.weather = recipeWeather(r);
    TerrainPlan plan{r, m, recipeBanks(r), worldSeed(r.name)};
    buildTerrain(plan, w);
    w.models = worldModels(theme, archHalfWidth(r));
    Placer p{r, m, w, Random{(unsigned)plan.seed * 747796405u + 1u}};
    plantTrees(p, plan.banks);
    farLooksOfTrackTrees(p);
    placeRocks(p, plan.banks);
    placeTrackside(p);
    TreeTops trees = treeTops(w, m);
    lightGrid(r, m, trees, look, w);
    colourTerrain(trees, look, plan.seed, w);
}

int writeTrackWorld(const std::string& trackDir, const TrackRecipe& r, const TrackMesh& m)
{
    WorldScene w;
    buildTrackWorld(r, m, w);
    std::string path = trackDir + "/" + r.name + ".world";
    std::string fault = worldSceneFault(w);
    if (!fault.empty()) {
        contentError("%s: the world built round it is broken: %s", path.c_str(), fault.c_str());
        return 1;
    }
    if (writeWorldFile(path.c_str(), w) != 0) {
        contentError("Can't write %s", path.c_str());
        return 1;
    }
    return 0;
}
