// Takes a track directory and theme and writes its fir tree, bomb and rail models, shaped on their hit spheres.
#include "modelBuilder.h"
#include "trackGen.h"

static const int TREE_SIDES = 10, RAIL_SIDES = 8;

// Rail: the bar and the support columns stand where the game tests them.
static const float RAIL_BAR_START = -9.0f, RAIL_BAR_END = 2891.0f, RAIL_BAR_HEIGHT = 66.0f, RAIL_Z = -1.0f;
static const float RAIL_BAR_RADIUS = 28.0f, RAIL_SUPPORT_RADIUS = 22.0f;
static const float RAIL_SUPPORT_X[6] = {-9.0f, 500.6f, 1129.6f, 1720.0f, 2304.0f, 2955.0f};
static const float RAIL_SUPPORT_BOTTOM[6] = {-2134.0f, -2934.0f, -2934.0f, -2934.0f, -2934.0f, -3434.0f};
static const float RAIL_BRACKET_HEIGHT = 50.0f;
// Marker poles beside the start of the bar, striped and flagged so a rail is seen from afar.
static const float MARKER_X = -120.0f, MARKER_SIDE = 330.0f, MARKER_BOTTOM = -400.0f, MARKER_TOP = 1500.0f;
static const float MARKER_RADIUS = 20.0f, FLAG_LENGTH = 300.0f, FLAG_HEIGHT = 190.0f, FLAG_THICKNESS = 10.0f;
static const int MARKER_SIDES = 4, MARKER_STRIPES = 2;  // within the 500 triangles of a static model
static const float MARKER_GLOW = 0.85f;

static const UvRect NO_UV = {0, 0, 1, 1};
static const float OBSTACLE_GLOW = 0.5f;

struct TreeColours {
    float needles[3], trunk[3];
};
static const TreeColours TREE_THEMES[3] = {
    {{0.13f, 0.42f, 0.2f}, {0.4f, 0.26f, 0.14f}},
    {{0.1f, 0.3f, 0.22f}, {0.33f, 0.2f, 0.12f}},
    {{0.2f, 0.38f, 0.3f}, {0.38f, 0.3f, 0.22f}},
};

// Trunk around the lower hit sphere (260 up, radius 220), three cones of needles, the middle one
// around the upper sphere (600 up, radius 120).
static void writeTree(const std::string& path, int theme)
{
    const TreeColours& c = TREE_THEMES[theme >= 0 && theme < 3 ? theme : 0];
    ModelBuilder m;
    int bark = m.addMaterial("bark", c.trunk[0], c.trunk[1], c.trunk[2]);
    int needles = m.addMaterial("needles", c.needles[0], c.needles[1], c.needles[2]);
    m.glow(bark, OBSTACLE_GLOW);
    m.glow(needles, OBSTACLE_GLOW);
    m.tube(m.group("trunk", bark), {0, 0, 0}, {0, 320, 0}, 60, 42, TREE_SIDES, -1, NO_UV);
    ModelGroup& crown = m.group("crown", needles);
    m.tube(crown, {0, 110, 0}, {0, 580, 0}, 350, 0, TREE_SIDES, -1, NO_UV);
    m.tube(crown, {0, 380, 0}, {0, 830, 0}, 260, 0, TREE_SIDES, -1, NO_UV);
    m.tube(crown, {0, 640, 0}, {0, 1040, 0}, 170, 0, TREE_SIDES, -1, NO_UV);
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

static void writeRail(const std::string& path)
{
    ModelBuilder m;
    int steel = m.addMaterial("steel", 0.75f, 0.78f, 0.82f);
    int paint = m.addMaterial("paint", 0.85f, 0.25f, 0.15f);
    m.glow(steel, OBSTACLE_GLOW);
    m.glow(paint, OBSTACLE_GLOW);
    m.tube(m.group("bar", steel), {RAIL_BAR_START, RAIL_BAR_HEIGHT, RAIL_Z}, {RAIL_BAR_END, RAIL_BAR_HEIGHT, RAIL_Z},
           RAIL_BAR_RADIUS, RAIL_BAR_RADIUS, RAIL_SIDES, -1, NO_UV);
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
