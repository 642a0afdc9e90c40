// Takes a track's recipe and mesh and returns its sky faces: the track and the valley it runs down,
// rendered in perspective from above its start by marching rays over a height field (the track's own
// grid, its trees, the valley and mountain ranges at three depths), lit by the theme's sun and hazed
// with distance.
#include "skyRender.h"

#include <algorithm>
#include <cmath>

static const int GRID = 768;                     // nodes a side of the world height field
static const float WORLD_HALF = 1.4e6f;           // half side of the world square, game units
static const float TRACK_LENGTH = 200 * 1684.0f, TRACK_HALF_WIDTH = 36 * 1123.0f;
static const float EYE_BACK = 6000, EYE_UP = 7000;  // viewpoint behind and above the start
static const float MARCH_FIRST = 300, MARCH_MIN_STEP = 80, MARCH_GROWTH = 0.005f;
static const int REFINE_STEPS = 7;
static const float TREE_RADIUS = 520, TREE_HEIGHT = 1500;
static const int SKY_TREE_TYPE = 0;
// The march skips the height look-up where the ray is above every ground of a block of nodes this wide.
static const int CEILING_BLOCK = 8, CEILING_BLOCKS = (GRID + CEILING_BLOCK - 1) / CEILING_BLOCK;  // obstacle type of a tree in the track files

// Ranges round the valley: distance of the crest line from the eye, its width, its height and
// the lattice period of its ridges.
struct Range {
    float distance, width, height;
    int period;
};
static const Range RANGES[3] = {{2.4e5f, 1.4e5f, 4.5e4f, 40}, {5.4e5f, 2.2e5f, 1.2e5f, 22}, {1.05e6f, 4.0e5f, 2.6e5f, 12}};

struct Theme {
    float sun[3];          // towards the light
    float sky[3][3];       // zenith, horizon, below the horizon
    float snowLit[3], snowShade[3], rock[3], forest[3];
    float hazeDistance;
};
static const Theme THEMES[TRACK_THEME_COUNT] = {
    {{0.45f, 0.55f, -0.70f},
     {{40, 90, 180}, {170, 210, 240}, {225, 232, 244}},
     {250, 252, 255}, {140, 165, 205}, {86, 92, 108}, {38, 62, 48}, 9.0e5f},
    {{0.80f, 0.22f, -0.56f},
     {{30, 40, 110}, {240, 150, 110}, {200, 180, 205}},
     {255, 205, 175}, {110, 96, 150}, {70, 52, 72}, {30, 40, 45}, 7.0e5f},
    {{0.30f, 0.75f, -0.59f},
     {{120, 140, 170}, {215, 220, 228}, {222, 225, 230}},
     {238, 240, 244}, {160, 168, 184}, {96, 98, 106}, {52, 62, 60}, 4.5e5f},
    // storm: a low slate cloud, the light flat and cold, the far ranges lost in driven snow
    {{0.20f, 0.85f, -0.49f},
     {{70, 80, 100}, {160, 168, 182}, {150, 156, 170}},
     {200, 206, 218}, {110, 118, 138}, {58, 60, 70}, {28, 40, 40}, 2.6e5f},
    // dawn: a deep clear sky, the horizon rose and gold, the sun low and long shadows
    {{0.60f, 0.18f, 0.78f},
     {{20, 60, 150}, {250, 190, 160}, {230, 215, 225}},
     {255, 232, 220}, {120, 130, 190}, {90, 70, 80}, {34, 52, 50}, 1.1e6f},
};

static unsigned hashCell(int x, int y, int seed)
{
    unsigned h = (unsigned)x * 374761393u + (unsigned)y * 668265263u + (unsigned)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

static float valueNoise(float x, float y, int seed)
{
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto at = [&](int i, int j) { return (hashCell(i, j, seed) & 0xffff) / 65535.0f; };
    float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return a + (b - a) * fy;
}

// Sharp crests and soft valleys: folded octaves of value noise, 0 to about 1.
static float ridged(float x, float y, int seed)
{
    float sum = 0, amp = 0.55f, norm = 0, f = 1;
    for (int o = 0; o < 6; o++, amp *= 0.48f, f *= 2.03f) {
        float n = 1 - std::fabs(2 * valueNoise(x * f, y * f, seed + o) - 1);
        sum += amp * n * n;
        norm += amp;
    }
    return sum / norm;
}

static float smooth01(float e0, float e1, float v)
{
    float t = std::min(1.0f, std::max(0.0f, (v - e0) / (e1 - e0)));
    return t * t * (3 - 2 * t);
}

// Height of the track's own line down its middle at X, continued beyond both ends: up behind the
// start, down and levelling into the valley past the finish.
static float profileAt(const TrackMesh& m, float x)
{
    const float END_SLOPE = 0.1f, LEVEL_OUT = 1.5e5f;
    float lastX = TRACK_LENGTH - 1;
    if (x < 0) return meshHeightAt(m, 0, 0) - x * END_SLOPE * 2;
    if (x <= lastX) return meshHeightAt(m, x, 0);
    float past = x - lastX;
    return meshHeightAt(m, lastX, 0) - END_SLOPE * LEVEL_OUT * (1 - std::exp(-past / LEVEL_OUT));
}

SkyWorld::SkyWorld(const TrackMesh& mesh, int seed) : m(mesh), heights((size_t)GRID * GRID), normals((size_t)GRID * GRID * 3)
{
    eye[0] = mesh.depart - EYE_BACK;
    eye[2] = 0;
    eye[1] = profileAt(mesh, eye[0]) + EYE_UP;
    for (int j = 0; j < GRID; j++)
        for (int i = 0; i < GRID; i++) {
            float x = eye[0] + (2.0f * i / (GRID - 1) - 1) * WORLD_HALF;
            float z = (2.0f * j / (GRID - 1) - 1) * WORLD_HALF;
            heights[(size_t)j * GRID + i] = valleyHeight(x, z, seed);
        }
    float cell = 2 * WORLD_HALF / (GRID - 1);
    for (int j = 0; j < GRID; j++)
        for (int i = 0; i < GRID; i++) {
            int i0 = std::max(i - 1, 0), i1 = std::min(i + 1, GRID - 1);
            int j0 = std::max(j - 1, 0), j1 = std::min(j + 1, GRID - 1);
            float dx = (heights[(size_t)j * GRID + i1] - heights[(size_t)j * GRID + i0]) / ((i1 - i0) * cell);
            float dz = (heights[(size_t)j1 * GRID + i] - heights[(size_t)j0 * GRID + i]) / ((j1 - j0) * cell);
            float len = std::sqrt(dx * dx + dz * dz + 1);
            float* n = &normals[((size_t)j * GRID + i) * 3];
            n[0] = -dx / len, n[1] = 1 / len, n[2] = -dz / len;
        }
    // Interpolation rounding may lift a height by an ulp or so past its nodes: a unit's margin covers it.
    highest = *std::max_element(heights.begin(), heights.end());
    for (size_t k = 1; k < mesh.points.size(); k += 3) highest = std::max(highest, mesh.points[k] + TREE_HEIGHT);
    highest += 1;
    buildCeilings();
    treesByRow.resize(200);
    for (const TrackObstacle& o : mesh.obstacles) {
        int row = (int)(o.x / 1684.0f);
        if (o.type == SKY_TREE_TYPE && row >= 0 && row < 200) treesByRow[row].push_back(o);
    }
}

static int ceilingBlock(float g)
{
    int node = (int)std::min(std::max(g, 0.0f), (float)(GRID - 1));
    return std::min(node / CEILING_BLOCK, CEILING_BLOCKS - 1);
}

// Each block's ceiling is the highest node, track point (with a tree on it) of the block and its eight
// neighbours: a height between nodes or on a triangle of the track never reaches past a neighbour block.
void SkyWorld::buildCeilings()
{
    std::vector<float> own((size_t)CEILING_BLOCKS * CEILING_BLOCKS, -1e30f);
    auto raise = [&](float gx, float gz, float h) {
        float& c = own[(size_t)ceilingBlock(gz) * CEILING_BLOCKS + ceilingBlock(gx)];
        c = std::max(c, h);
    };
    for (int j = 0; j < GRID; j++)
        for (int i = 0; i < GRID; i++) raise((float)i, (float)j, heights[(size_t)j * GRID + i]);
    for (size_t k = 0; k + 2 < m.points.size(); k += 3) {
        float gx = (m.points[k] - eye[0] + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
        float gz = (m.points[k + 2] + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
        raise(gx, gz, m.points[k + 1] + TREE_HEIGHT);
    }
    ceilings.assign(own.size(), -1e30f);
    for (int b = 0; b < CEILING_BLOCKS; b++)
        for (int a = 0; a < CEILING_BLOCKS; a++) {
            float c = -1e30f;
            for (int nb = std::max(b - 1, 0); nb <= std::min(b + 1, CEILING_BLOCKS - 1); nb++)
                for (int na = std::max(a - 1, 0); na <= std::min(a + 1, CEILING_BLOCKS - 1); na++)
                    c = std::max(c, own[(size_t)nb * CEILING_BLOCKS + na]);
            ceilings[(size_t)b * CEILING_BLOCKS + a] = c + 1;  // an ulp of interpolation rounding
        }
}

float SkyWorld::ceilingAt(float x, float z) const
{
    float gx = (x - eye[0] + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
    float gz = (z + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
    return ceilings[(size_t)ceilingBlock(gz) * CEILING_BLOCKS + ceilingBlock(gx)];
}

// How far along the ray (from t, at x, z) the ground stays under *ceiling: a window half a block wider
// than the point's block on each side, whose ceiling covers its neighbours, leaves room for rounding.
float SkyWorld::clearUntil(const float* dir, float x, float z, float t, float* ceiling) const
{
    const float perUnit = (GRID - 1) / (2 * WORLD_HALF), margin = CEILING_BLOCK / 2.0f;
    float g[2] = {(x - eye[0] + WORLD_HALF) * perUnit, (z + WORLD_HALF) * perUnit};
    int block[2] = {ceilingBlock(g[0]), ceilingBlock(g[1])};
    *ceiling = ceilings[(size_t)block[1] * CEILING_BLOCKS + block[0]];
    float end = WORLD_HALF * 4;
    const float along[2] = {dir[0] * perUnit, dir[2] * perUnit};
    for (int k = 0; k < 2; k++) {
        float lo = block[k] * CEILING_BLOCK - margin, hi = (block[k] + 1) * CEILING_BLOCK + margin;
        if (g[k] < lo || g[k] > hi) return t;  // off the grid: no window
        if (along[k] > 0) end = std::min(end, (hi - g[k]) / along[k]);
        if (along[k] < 0) end = std::min(end, (lo - g[k]) / along[k]);
    }
    return t + end * 0.999f;
}

float SkyWorld::valleyHeight(float x, float z, int seed) const
{
    float side = std::max(0.0f, std::fabs(z) - TRACK_HALF_WIDTH);
    float base = profileAt(m, x) + 0.25f * side * smooth01(0, 6e4f, side);
    float r = std::hypot(x - eye[0], z - eye[2]);
    // no peak rises in the track's corridor or the valley floor just past its end
    float open = std::max(smooth01(1.2f * TRACK_HALF_WIDTH, 3.5f * TRACK_HALF_WIDTH, std::fabs(z)),
                          smooth01(TRACK_LENGTH + 4e4f, TRACK_LENGTH + 2.5e5f, x));
    float lift = 0;
    for (int k = 0; k < 3; k++) {
        const Range& g = RANGES[k];
        float band = std::exp(-std::pow((r - g.distance) / g.width, 2.0f));
        if (k == 2) band = std::max(band, smooth01(g.distance, g.distance + g.width, r));
        float u = x / WORLD_HALF * g.period, v = z / WORLD_HALF * g.period;
        lift += band * g.height * ridged(u, v, seed * 3 + k * 101);
    }
    return base + open * lift;
}

static float bilinear(const std::vector<float>& grid, int stride, int comp, float gx, float gz)
{
    int i = std::min(std::max((int)gx, 0), GRID - 2), j = std::min(std::max((int)gz, 0), GRID - 2);
    float fx = std::min(1.0f, std::max(0.0f, gx - i)), fz = std::min(1.0f, std::max(0.0f, gz - j));
    auto at = [&](int a, int b) { return grid[((size_t)b * GRID + a) * stride + comp]; };
    float a = at(i, j) + (at(i + 1, j) - at(i, j)) * fx;
    float b = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * fx;
    return a + (b - a) * fz;
}

// Inside the track the mesh itself (and its trees) gives the height; outside it, the grid.
bool SkyWorld::onTrack(float x, float z) const { return x >= 0 && x < TRACK_LENGTH && std::fabs(z) < TRACK_HALF_WIDTH; }

float SkyWorld::treeLift(float x, float z) const
{
    int row = (int)(x / 1684.0f);
    float best = 0;
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, 199); r++)
        for (const TrackObstacle& o : treesByRow[r]) {
            float d = std::hypot(x - o.x, z - o.z);
            if (d < TREE_RADIUS) best = std::max(best, TREE_HEIGHT * (1 - d / TREE_RADIUS));
        }
    return best;
}

float SkyWorld::heightAt(float x, float z) const
{
    if (onTrack(x, z)) return meshHeightAt(m, x, z) + treeLift(x, z);
    float gx = (x - eye[0] + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
    float gz = (z + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
    return bilinear(heights, 1, 0, gx, gz);
}

void SkyWorld::normalAt(float x, float z, float* n) const
{
    if (onTrack(x, z)) {
        const float d = 300;
        float dx = (heightAt(x + d, z) - heightAt(x - d, z)) / (2 * d);
        float dz = (heightAt(x, z + d) - heightAt(x, z - d)) / (2 * d);
        float len = std::sqrt(dx * dx + dz * dz + 1);
        n[0] = -dx / len, n[1] = 1 / len, n[2] = -dz / len;
        return;
    }
    float gx = (x - eye[0] + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
    float gz = (z + WORLD_HALF) / (2 * WORLD_HALF) * (GRID - 1);
    for (int c = 0; c < 3; c++) n[c] = bilinear(normals, 3, c, gx, gz);
    float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int c = 0; c < 3; c++) n[c] /= len;
}

int SkyWorld::surfaceTexture(float x, float z) const
{
    int row = (int)(x / 1684.0f), q = (int)(36 - z / 1123.0f);
    if (row < 0 || row >= 200 || q < 0 || q >= 72) return -1;
    return m.surfaces[(size_t)(row * 72 + q) * 2].texIndex;
}

static SkyRgb mixSkyRgb(const float* a, const float* b, float t)
{
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

static SkyRgb mixSkyRgb(SkyRgb a, SkyRgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

static SkyRgb skyColour(float up, const Theme& th)
{
    if (up >= 0) return mixSkyRgb(th.sky[1], th.sky[0], std::pow(up, 0.6f));
    return mixSkyRgb(th.sky[1], th.sky[2], std::min(1.0f, -up * 4));
}

// The surface pictures' base colours, darkened for distance: what a cell of each kind reads as.
static const float SURFACE_TINT[6][3] = {{1, 1, 1}, {0.9f, 0.92f, 0.96f}, {0.7f, 0.85f, 0.98f},
                                         {0.98f, 0.6f, 0.16f}, {0.86f, 0.91f, 0.98f}, {0.95f, 0.95f, 0.96f}};

SkyRgb SkyWorld::groundColour(float x, float y, float z, float t, int theme) const
{
    const Theme& th = THEMES[theme];
    float n[3];
    normalAt(x, z, n);
    float sl = std::sqrt(th.sun[0] * th.sun[0] + th.sun[1] * th.sun[1] + th.sun[2] * th.sun[2]);
    float lit = std::max(0.0f, (n[0] * th.sun[0] + n[1] * th.sun[1] + n[2] * th.sun[2]) / sl);
    lit = std::min(1.0f, 0.15f + 1.1f * lit);
    SkyRgb snow = mixSkyRgb(th.snowShade, th.snowLit, lit);
    SkyRgb c = snow;
    if (onTrack(x, z)) {
        int tex = surfaceTexture(x, z);
        if (treeLift(x, z) > 1) c = mixSkyRgb(th.forest, th.snowShade, 0.25f * lit);
        else if (tex >= 0) {
            const float* tint = SURFACE_TINT[surfaceFamily(tex)];
            c = {snow.r * tint[0], snow.g * tint[1], snow.b * tint[2]};
        }
    } else {
        // rock on steep faces and below the crests' snow, broken up by noise
        float grain = valueNoise(x / 9000, z / 9000, 7) * 0.5f + valueNoise(x / 2500, z / 2500, 8) * 0.5f;
        float steep = smooth01(0.80f, 0.55f, n[1] + 0.18f * (grain - 0.5f));
        SkyRgb stone = mixSkyRgb(th.rock, th.snowShade, 0.45f * lit);
        c = mixSkyRgb(snow, stone, steep);
    }
    float haze = 1 - std::exp(-t / th.hazeDistance);
    (void)y;
    return mixSkyRgb(c, skyColour(0.0f, th), haze);
}

// Every ray takes the same steps along it: worked out once.
static const std::vector<float>& marchSteps()
{
    static const std::vector<float> steps = [] {
        std::vector<float> out;
        for (float t = MARCH_FIRST; t < WORLD_HALF * 0.98f; t += std::max(MARCH_MIN_STEP, t * MARCH_GROWTH)) out.push_back(t);
        return out;
    }();
    return steps;
}

SkyRgb SkyWorld::colourAlong(const float* dir, int theme) const
{
    const float maxRise = 2.5e5f;
    const std::vector<float>& steps = marchSteps();
    float prev = 0;
    // The steps stay the same; those where the ray is above a window's ceiling at both its ends (it is
    // straight, so above it all the way) are jumped over at once. Its height only grows or only falls
    // along them, so the last one alone tells whether the ray would have climbed out of sight.
    float skipUntil = -1, checkUntil = -1;
    size_t n = 0;
    while (n < steps.size()) {
        float t = steps[n];
        float x = eye[0] + dir[0] * t, y = eye[1] + dir[1] * t, z = eye[2] + dir[2] * t;
        if (dir[1] >= 0 && y > highest) break;
        if (dir[1] > 0 && y > eye[1] + maxRise) break;
        if (t >= skipUntil && t >= checkUntil) {
            float ceiling, until = clearUntil(dir, x, z, t, &ceiling);
            if (y > ceiling + 1 && eye[1] + dir[1] * until > ceiling + 1) skipUntil = until;
            else checkUntil = until;
        }
        if (t < skipUntil) {
            size_t last = (size_t)(std::lower_bound(steps.begin() + n, steps.end(), skipUntil) - steps.begin()) - 1;
            float yLast = eye[1] + dir[1] * steps[last];
            if (dir[1] >= 0 && yLast > highest) break;
            if (dir[1] > 0 && yLast > eye[1] + maxRise) break;
            prev = steps[last];
            n = last + 1;
            continue;
        }
        if (y <= ceilingAt(x, z) && y < heightAt(x, z)) {
            float lo = prev, hi = t;
            for (int k = 0; k < REFINE_STEPS; k++) {
                float mid = (lo + hi) / 2;
                float mx = eye[0] + dir[0] * mid, my = eye[1] + dir[1] * mid, mz = eye[2] + dir[2] * mid;
                if (my < heightAt(mx, mz)) hi = mid;
                else lo = mid;
            }
            return groundColour(eye[0] + dir[0] * hi, eye[1] + dir[1] * hi, eye[2] + dir[2] * hi, hi, theme);
        }
        prev = t;
        n++;
    }
    return skyColour(dir[1], THEMES[theme]);
}


SkyThemeLight skyThemeLight(int theme)
{
    const Theme& th = THEMES[theme >= 0 && theme < TRACK_THEME_COUNT ? theme : 0];
    SkyThemeLight l;
    float len = std::sqrt(th.sun[0] * th.sun[0] + th.sun[1] * th.sun[1] + th.sun[2] * th.sun[2]);
    for (int k = 0; k < 3; k++) {
        l.sun[k] = th.sun[k] / len;
        l.zenith[k] = th.sky[0][k];
        l.horizon[k] = th.sky[1][k];
        l.snowLit[k] = th.snowLit[k];
        l.snowShade[k] = th.snowShade[k];
        l.rock[k] = th.rock[k];
        l.forest[k] = th.forest[k];
    }
    l.hazeDistance = th.hazeDistance;
    return l;
}
