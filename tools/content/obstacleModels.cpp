// Takes a track directory and theme and writes its fir tree (tiers of snowy branches), bomb and rail
// models, shaped on their hit spheres.
#include "modelBuilder.h"
#include "trackGen.h"

#include <cmath>
#include <vector>

static const int TRUNK_SIDES = 6, RAIL_SIDES = 8;
static const float TRUNK_INSIDE = 260.0f;

// Rail: the bar and the support columns stand where the game tests them.
static const float RAIL_BAR_START = -9.0f, RAIL_BAR_END = 2891.0f, RAIL_BAR_HEIGHT = 66.0f, RAIL_Z = -1.0f;
static const float RAIL_BAR_RADIUS = 28.0f, RAIL_SUPPORT_RADIUS = 22.0f;
static const float RAIL_BEVEL = 5.0f, RAIL_TOP_GLOW = 0.85f;
static const float RAIL_SUPPORT_X[6] = {-9.0f, 500.6f, 1129.6f, 1720.0f, 2304.0f, 2955.0f};
static const float RAIL_SUPPORT_BOTTOM[6] = {-2134.0f, -2934.0f, -2934.0f, -2934.0f, -2934.0f, -3434.0f};
static const float RAIL_BRACKET_HEIGHT = 50.0f;
// Marker poles beside the start of the bar, striped and flagged so a rail is seen from afar. They stand
// well out from the bar: the chase camera follows the rider along it, and poles it passes close by fill
// the picture.
static const float MARKER_X = -120.0f, MARKER_SIDE = 800.0f, MARKER_BOTTOM = -400.0f, MARKER_TOP = 1300.0f;
static const float MARKER_RADIUS = 20.0f, FLAG_LENGTH = 300.0f, FLAG_HEIGHT = 190.0f, FLAG_THICKNESS = 10.0f;
static const int MARKER_SIDES = 4, MARKER_STRIPES = 2;  // within the 500 triangles of a static model
static const float MARKER_GLOW = 0.85f;

static const UvRect NO_UV = {0, 0, 1, 1};
static const float OBSTACLE_GLOW = 0.5f, SNOW_GLOW = 0.4f;
static const float PI = 3.14159265f;
static const float SNOW[3] = {0.93f, 0.95f, 1.0f};
static const float SNOW_LIFT = 14.0f;  // the snow lies on the needles, not in them

// A fir's shape: tiers of drooping branches from the bottom one (widest) up; each tier's tips hang
// down to its base, its branches rise to the trunk higher up. Sizes keep the tree round its hit
// spheres (260 up, radius 220; 600 up, radius 120).
struct TreeShape {
    float needles[3], trunk[3];
    int tiers, tips;
    float lowest, highest;    // base heights of the bottom and the top tier
    float widest, narrowest;  // their radii
    float rise;               // a tier's height over its radius
    float snow;               // how far out the snow reaches, a share of a branch
};
// The branches reach no further than where a rider is stopped: 285 (310 with a tip's wobble) at the
// lowest tier, as far as the low sphere reaches a rider at the height of his body.
static const TreeShape TREE_THEMES[TRACK_THEME_COUNT] = {
    // blue sky: a full fir
    {{0.13f, 0.42f, 0.2f}, {0.4f, 0.26f, 0.14f}, 5, 8, 110, 860, 285, 120, 1.25f, 0.76f},
    // dusk wood: tall narrow spruces
    {{0.1f, 0.3f, 0.22f}, {0.33f, 0.2f, 0.12f}, 6, 6, 100, 1040, 270, 95, 1.4f, 0.72f},
    // overcast gully: broad firs heavy with snow
    {{0.2f, 0.38f, 0.3f}, {0.38f, 0.3f, 0.22f}, 4, 9, 120, 700, 285, 150, 1.2f, 0.88f},
    // storm bowl: dark, wind-bent firs buried to the tips
    {{0.07f, 0.2f, 0.16f}, {0.28f, 0.2f, 0.15f}, 5, 7, 120, 820, 285, 110, 1.15f, 0.94f},
    // dawn line: young firs, light snow on them
    {{0.16f, 0.46f, 0.24f}, {0.45f, 0.3f, 0.17f}, 4, 8, 110, 760, 285, 130, 1.3f, 0.6f},
};

static Vec3 onCircle(float angle, float radius, float y) { return {radius * std::cos(angle), y, radius * std::sin(angle)}; }
static Vec3 mix(Vec3 a, Vec3 b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t}; }
static Vec3 leaning(float angle, float out, float up) { return {out * std::cos(angle), up, out * std::sin(angle)}; }

// Small fixed irregularities, so that no two tiers and no two branches are alike.
static float jitter(int tier, int k, int salt) { return (float)(((tier * 131 + k * 71 + salt * 29) * 2654435761u >> 16) % 1000) / 1000.0f - 0.5f; }

struct TierRing {
    std::vector<Vec3> edge;
    std::vector<float> angle;
};

// A tier's outline: tips at full radius hanging to the base, notches between them shorter and
// higher, so the tier reads as branches and not as a cone.
static TierRing tierRing(const TreeShape& t, int tier, Vec3 apex, float base, float radius)
{
    TierRing r;
    int n = 2 * t.tips;
    float turn = jitter(tier, 0, 1) * 2 * PI;
    for (int k = 0; k < n; k++) {
        float a = turn + 2 * PI * (k + 0.25f * jitter(tier, k, 2)) / n;
        bool tip = k % 2 == 0;
        float reach = radius * (tip ? 1.0f + 0.18f * jitter(tier, k, 3) : 0.62f);
        float y = tip ? base + 12 * jitter(tier, k, 4) : base + (apex.y - base) * 0.25f;
        r.angle.push_back(a);
        r.edge.push_back(onCircle(a, reach, y));
    }
    return r;
}

// One tier: a fan of needles from the trunk out to the tips, and snow over the inner part of each
// branch. No underside: the tiers hide each other's, and every triangle costs in a dense wood.
static void addTier(ModelBuilder& m, const TreeShape& t, int tier, float base, float radius, int groups[2])
{
    ModelGroup &top = m.groups[groups[0]], &snow = m.groups[groups[1]];
    Vec3 apex = {0, base + radius * t.rise, 0};
    TierRing r = tierRing(t, tier, apex, base, radius);
    int n = (int)r.edge.size();
    int a = ModelBuilder::vertex(top, apex, 0, 0, -1), na = ModelBuilder::normal(top, {0, 1, 0});
    int firstEdge = (int)top.vertices.size(), firstNormal = (int)top.normals.size();
    for (int k = 0; k < n; k++) {
        ModelBuilder::vertex(top, r.edge[k], 0, 0, -1);
        ModelBuilder::normal(top, leaning(r.angle[k], 0.8f, 0.6f));
    }
    for (int k = 0; k < n; k++)
        ModelBuilder::triangle(top, a, firstEdge + k, firstEdge + (k + 1) % n, na, firstNormal + k,
                               firstNormal + (k + 1) % n);
    int s = ModelBuilder::vertex(snow, {0, apex.y + SNOW_LIFT, 0}, 0, 0, -1), ns = ModelBuilder::normal(snow, {0, 1, 0});
    int firstSnow = (int)snow.vertices.size(), firstSnowNormal = (int)snow.normals.size();
    for (int k = 0; k < n; k++) {
        float reach = t.snow * (1 + 0.25f * jitter(tier, k, 5)) * (k % 2 ? 1.2f : 1.0f);
        Vec3 p = mix(apex, r.edge[k], std::fmin(reach, 0.95f));
        p.y += SNOW_LIFT;
        ModelBuilder::vertex(snow, p, 0, 0, -1);
        ModelBuilder::normal(snow, leaning(r.angle[k], 0.25f, 1));
    }
    for (int k = 0; k < n; k++)
        ModelBuilder::triangle(snow, s, firstSnow + k, firstSnow + (k + 1) % n, ns, firstSnowNormal + k,
                               firstSnowNormal + (k + 1) % n);
}

static void writeTree(const std::string& path, int theme)
{
    const TreeShape& t = TREE_THEMES[theme >= 0 && theme < TRACK_THEME_COUNT ? theme : 0];
    ModelBuilder m;
    int bark = m.addMaterial("bark", t.trunk[0], t.trunk[1], t.trunk[2]);
    int needles = m.addMaterial("needles", t.needles[0], t.needles[1], t.needles[2]);
    int snow = m.addMaterial("snow", SNOW[0], SNOW[1], SNOW[2]);
    m.glow(bark, OBSTACLE_GLOW);
    m.glow(needles, OBSTACLE_GLOW);
    m.glow(snow, SNOW_GLOW);
    // the trunk shows only under the bottom tier
    m.tube(m.group("trunk", bark), {0, 0, 0}, {0, t.lowest + TRUNK_INSIDE, 0}, 60, 45, TRUNK_SIDES, -1, NO_UV);
    m.group("needles", needles);
    m.group("snow", snow);
    int groups[2] = {1, 2};
    for (int i = 0; i < t.tiers; i++) {
        float f = (float)i / (t.tiers - 1);
        addTier(m, t, i, t.lowest + (t.highest - t.lowest) * f, t.widest + (t.narrowest - t.widest) * f, groups);
    }
    m.write(path);
}

// A round bomb with a fuse, about the size of its pick-up sphere (32 up, radius 300).
static void writeBomb(const std::string& path)
{
    ModelBuilder m;
    int shell = m.addMaterial("shell", 0.15f, 0.15f, 0.18f);
    int fuse = m.addMaterial("fuse", 0.75f, 0.65f, 0.45f);
    int spark = m.addMaterial("spark", 1.0f, 0.75f, 0.1f);
    m.glow(shell, OBSTACLE_GLOW);
    m.glow(fuse, OBSTACLE_GLOW);
    m.materials[spark].emissive[0] = 0.9f;
    m.materials[spark].emissive[1] = 0.5f;
    m.ellipsoid(m.group("shell", shell), {0, 190, 0}, {190, 190, 190}, 10, 14, -1, NO_UV);
    m.tube(m.group("cap", shell), {0, 350, 0}, {0, 400, 0}, 55, 50, 10, -1, NO_UV);
    m.tube(m.group("fuse", fuse), {0, 400, 0}, {30, 480, 10}, 10, 8, 6, -1, NO_UV);
    m.ellipsoid(m.group("spark", spark), {32, 490, 10}, {22, 22, 22}, 5, 8, -1, NO_UV);
    m.write(path);
}

// Yellow and black stripes up to a yellow flag pointing down the track.
static void railMarkers(ModelBuilder& m)
{
    int yellow = m.addMaterial("marker", 1.0f, 0.8f, 0.0f);
    int black = m.addMaterial("markerBand", 0.12f, 0.11f, 0.1f);
    m.glow(yellow, MARKER_GLOW);
    m.glow(black, OBSTACLE_GLOW);
    float band = (MARKER_TOP - MARKER_BOTTOM) / (2 * MARKER_STRIPES - 1);
    for (float side : {-1.0f, 1.0f}) {
        float z = RAIL_Z + side * MARKER_SIDE;
        for (int k = 0; k < 2 * MARKER_STRIPES - 1; k++) {
            ModelGroup& g = m.group(k % 2 ? "markerBands" : "markerPoles", k % 2 ? black : yellow);
            m.tube(g, {MARKER_X, MARKER_BOTTOM + k * band, z}, {MARKER_X, MARKER_BOTTOM + (k + 1) * band, z},
                   MARKER_RADIUS, MARKER_RADIUS, MARKER_SIDES, -1, NO_UV);
        }
        m.box(m.group("markerPoles", yellow), {MARKER_X, MARKER_TOP - FLAG_HEIGHT, z - FLAG_THICKNESS / 2},
              {MARKER_X + FLAG_LENGTH, MARKER_TOP, z + FLAG_THICKNESS / 2}, -1, NO_UV);
    }
}

// The bar: a box section of steel, its top polished light, its sides in their own shade and its
// underside dark, so the metal reads whatever the light, with a bright bevel along each top edge.
static void railBar(ModelBuilder& m)
{
    int top = m.addMaterial("steelTop", 0.9f, 0.92f, 0.95f);
    int side = m.addMaterial("steelSide", 0.5f, 0.53f, 0.58f);
    int under = m.addMaterial("steelUnder", 0.22f, 0.23f, 0.26f);
    int bevel = m.addMaterial("steelBevel", 1.0f, 1.0f, 1.0f);
    m.glow(top, RAIL_TOP_GLOW);
    m.glow(side, OBSTACLE_GLOW);
    m.glow(under, OBSTACLE_GLOW);
    m.glow(bevel, RAIL_TOP_GLOW);
    const float r = RAIL_BAR_RADIUS, y = RAIL_BAR_HEIGHT, z = RAIL_Z;
    m.box(m.group("barSides", side), {RAIL_BAR_START, y - r, z - r}, {RAIL_BAR_END, y + r - RAIL_BEVEL, z + r}, -1, NO_UV);
    m.box(m.group("barTop", top), {RAIL_BAR_START, y + r - RAIL_BEVEL, z - r + RAIL_BEVEL},
          {RAIL_BAR_END, y + r, z + r - RAIL_BEVEL}, -1, NO_UV);
    for (float edge : {-1.0f, 1.0f})
        m.box(m.group("barBevels", bevel), {RAIL_BAR_START, y + r - 2 * RAIL_BEVEL, z + edge * r - RAIL_BEVEL},
              {RAIL_BAR_END, y + r - RAIL_BEVEL / 2, z + edge * r + RAIL_BEVEL}, -1, NO_UV);
    m.box(m.group("barUnder", under), {RAIL_BAR_START, y - r - 2, z - r + 4}, {RAIL_BAR_END, y - r + 4, z + r - 4}, -1, NO_UV);
}

static void writeRail(const std::string& path)
{
    ModelBuilder m;
    int paint = m.addMaterial("paint", 0.85f, 0.25f, 0.15f);
    m.glow(paint, OBSTACLE_GLOW);
    railBar(m);
    ModelGroup& supports = m.group("supports", paint);
    for (int k = 0; k < 6; k++) {
        float x = RAIL_SUPPORT_X[k];
        float top = x > RAIL_BAR_END ? RAIL_BRACKET_HEIGHT : RAIL_BAR_HEIGHT - RAIL_BAR_RADIUS;
        m.tube(supports, {x, top, RAIL_Z}, {x, RAIL_SUPPORT_BOTTOM[k], RAIL_Z}, RAIL_SUPPORT_RADIUS,
               RAIL_SUPPORT_RADIUS, RAIL_SIDES, -1, NO_UV);
    }
    // The last column stands past the end of the bar: a bracket joins them.
    m.tube(supports, {RAIL_BAR_END - 20, RAIL_BRACKET_HEIGHT, RAIL_Z}, {RAIL_SUPPORT_X[5], RAIL_BRACKET_HEIGHT, RAIL_Z},
           18, 18, RAIL_SIDES, -1, NO_UV);
    railMarkers(m);
    m.write(path);
}

void genObstacleModels(const std::string& trackDir, int theme)
{
    writeTree(trackDir + "/tree.3d", theme);
    writeBomb(trackDir + "/bomb.3d");
    writeRail(trackDir + "/rail.3d");
}
