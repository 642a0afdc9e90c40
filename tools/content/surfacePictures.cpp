// Takes a track directory and its theme and writes the surface pictures "texTrack/N.bmp" that the
// cells of its mesh are drawn with: snow, groomed lane, kickers with lips and banks, pipe, boosters.
#include "content.h"
#include "tiledNoise.h"
#include "trackGen.h"
#include "trackWorld.h"
#include "track/surfaceTextures.h"

#include <algorithm>
#include <cmath>
#include <string>

static const int SURFACE_SIZE = 128;
static const float TWO_PI = 6.2831853f;

// One picture covers one cell: u runs down the track towards 0 (the picture's left), v across it from
// the cell's +Z edge (top row) to its -Z edge. Patterns meant to meet the next cell of the same kind
// have a whole number of periods across the picture.
struct Shade {
    float r, g, b;
};

static Shade scaled(Shade c, float k) { return {c.r * k, c.g * k, c.b * k}; }
static Shade mixShade(Shade a, Shade b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
static float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// The light each theme's snow is seen in: day white, dusk warm, overcast grey, storm slate, dawn rose.
static const Shade SNOW_LIGHT[TRACK_THEME_COUNT] = {
    {1.0f, 1.0f, 1.0f}, {1.0f, 0.87f, 0.82f}, {0.92f, 0.93f, 0.95f}, {0.74f, 0.78f, 0.86f}, {1.0f, 0.93f, 0.92f}};

static const Shade FRESH = {244, 247, 255}, GROOMED = {232, 237, 248}, ICE = {176, 214, 245};
static const Shade BOOSTER = {250, 150, 40}, PIPE_FLOOR = {226, 234, 250}, PIPE_WALL = {150, 178, 222};
static const Shade ROCK = {92, 84, 80}, TRODDEN = {205, 210, 222};
// Kickers are edged in red; a kicker that throws onto a rail in yellow and black, like its rail.
static const Shade KICKER_MARK = {235, 45, 35}, RAIL_MARK = {255, 205, 0}, HAZARD_BLACK = {35, 32, 30};
static const Shade LIP_LINE = {255, 255, 255};
static const float LIP_BAND = 0.14f, LIP_LINE_END = 0.19f, SIDE_BAND = 0.08f, HAZARD_STRIPES = 5;
static const float LIP_SHADE = 0.16f, LIP_SHADE_LENGTH = 0.3f;  // the lip's curl shades the snow under it
static const float RAMP_PASSES = 6;
static const float BACK_SHADE = 0.86f;  // the drop behind a lip faces down the track, away from the sun
static const int EDGE_SEED = 4049;

// Fresh snow: soft lumps of powder lit from across the slope, a fine grain and a few glinting crystals.
// The variants' own lumps fade into plain snow's towards the edges, so that cells meet without a seam;
// grain and glints are the same in every variant.
static float powderHeight(float u, float v, int seed) { return fractalSharedEdges(u, v, 2, EDGE_SEED, seed); }

static const float TEXEL = 1.0f / 128, POWDER_RELIEF = 0.14f, GRAIN = 0.04f, GLINT = 0.22f, GLINT_SHARE = 0.005f;
static const int GRAIN_SEED = 7121, GLINT_SEED = 977;

// Glinting crystals on a texel grid, the same in every picture that has them.
static float glint(float u, float v)
{
    unsigned x = (unsigned)(u * 128), y = (unsigned)(v * 128);
    unsigned h = (x * 73856093u) ^ (y * 19349663u) ^ (GLINT_SEED * 83492791u);
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h >> 8) & 0xffff) / 65536.0f < GLINT_SHARE ? GLINT : 0;
}

static float grain(float u, float v) { return GRAIN * (tiledNoise(u * 32, v * 32, 32, GRAIN_SEED) - 0.5f); }

static float snowShade(float u, float v, int seed, int plainSeed)
{
    float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    float own = std::min(1.0f, std::max(0.0f, (edge - 0.03f) / 0.12f));
    auto height = [&](float a, float b) {
        float plain = powderHeight(a, b, plainSeed);
        return plain + own * (powderHeight(a, b, seed) - plain);
    };
    float du = (height(u + TEXEL, v) - height(u - TEXEL, v)) / (2 * TEXEL);
    float dv = (height(u, v + TEXEL) - height(u, v - TEXEL)) / (2 * TEXEL);
    return 0.9f + POWDER_RELIEF * (0.5f * du - 0.85f * dv) + grain(u, v) + glint(u, v);
}

// The marks of the riders gone before: pairs of shallow grooves swinging down the track, a light rim on
// one side of each. They swing round the cell's middle so that they meet the next cell's at its edges.
static float oldTraces(float u, float v, int seed)
{
    static const int TRACES = 3;
    static const float GAP = 0.035f, WIDTH = 0.011f, DEPTH = 0.05f, SWING = 0.22f;
    float shade = 0;
    for (int k = 0; k < TRACES; k++) {
        float centre = (k + 0.5f) / TRACES + 0.08f * (tiledNoise((float)k, 0.5f, TRACES, seed) - 0.5f);
        // each swings its own way, and is back where it began at the cell's far edge
        float swing = SWING * (tiledNoise(u * (2 + k % 2), 3.5f * k + 0.5f, 2 + k % 2, seed + 7) - 0.5f);
        for (float ski : {-GAP, GAP}) {
            float d = (v - centre - swing - ski) / WIDTH;
            shade += DEPTH * (0.6f * std::exp(-(d - 1.2f) * (d - 1.2f)) - std::exp(-d * d));
        }
    }
    return shade;
}

// Groomed lane: packed and even, three machine passes across a cell, each its own shade with a soft
// seam, the marks of earlier riders, a faint grain and fewer glints than powder. No ridges: from afar
// they run as stripes to the horizon.
static float groomedShade(float u, float v, int seed)
{
    static const float PASS_SHADE[3] = {0.0f, 0.01f, -0.008f};
    float pass = v * 3;
    int which = std::min(2, (int)pass);
    float seam = std::fabs(pass - std::round(pass)) / 0.05f;
    float streaks = tiledNoise(u * 8, v * 40, 8, 40, seed);
    float broad = tiledNoise(u * 4, v * 2, 4, 2, seed + 1);  // soft light, changing mostly down the track
    return 0.93f + PASS_SHADE[which] - 0.02f * std::exp(-seam * seam) + 0.03f * (streaks - 0.5f) +
           0.12f * (broad - 0.5f) + 0.6f * grain(u, v) + 0.5f * glint(u, v) + oldTraces(u, v, seed);
}

// Ice: glassy, with long scratches down the track and the odd bright glint.
static float iceShade(float u, float v, int seed)
{
    float scratch = tiledNoise(u * 2, v * 40, 2, 40, seed);
    scratch = std::pow(std::fabs(2 * scratch - 1), 6.0f);
    float sheen = fractal(u - v - std::floor(u - v), v, 2, seed + 1);
    return 0.82f + 0.2f * sheen + 0.18f * scratch + 0.5f * glint(u, v);
}

// Booster: bright chevrons pointing down the track on the orange strip.
static float boosterShade(float u, float v)
{
    float across = std::fabs(v * 2 - std::floor(v * 2) - 0.5f);  // two chevrons across the cell
    float phase = u * 3 - across * 1.2f;
    return phase - std::floor(phase) < 0.35f ? 1.12f : 0.82f;
}

// Half-pipe floor: smooth hard snow, light in the middle of the pipe, with a faint groove per cell.
static float pipeShade(float u, float v, int seed)
{
    float groove = std::pow(0.5f + 0.5f * std::cos(TWO_PI * v), 16.0f);
    return 0.95f - 0.04f * groove + 0.2f * (fractal(u, v, 2, seed) - 0.5f) + 0.6f * grain(u, v) + 1.4f * oldTraces(u, v, seed);
}

// Half-pipe wall: shaped hard snow in the shadow of its own curve, with the shaper's lines along it.
static float pipeWallShade(float u, float v, int seed)
{
    float lines = 0.5f + 0.5f * std::cos(TWO_PI * 5 * v);
    return 0.88f + 0.08f * lines + 0.14f * (fractal(u, v, 4, seed) - 0.5f) + 0.6f * grain(u, v) + 0.5f * glint(u, v);
}

static Shade outColour(float u, float v, int seed)
{
    float rock = clamp01((fractal(u, v, 4, seed) - 0.45f) / 0.12f);
    return scaled(mixShade(TRODDEN, ROCK, rock), 0.88f + 0.2f * (fractal(u, v, 16, seed + 1) - 0.5f));
}

// Yellow and black stripes across the band, for everything that leads onto a rail.
static Shade markColour(bool rail, float u, float v)
{
    if (!rail) return KICKER_MARK;
    float phase = (u + v) * HAZARD_STRIPES;
    return phase - std::floor(phase) < 0.5f ? RAIL_MARK : HAZARD_BLACK;
}

// A kicker's face: a ramp of packed snow, shaped smooth, a painted lip with a white line behind it on
// the cell at the lip and the snow under the lip's curl in its shade, and painted sides where the kicker
// ends.
static Shade kickerFaceColour(int flags, bool rail, float u, float v, int seed)
{
    if ((flags & kickerLip) && u < LIP_BAND) return markColour(rail, u, v);
    if ((flags & kickerEdgePlusZ) && v < SIDE_BAND) return markColour(rail, u, v);
    if ((flags & kickerEdgeMinusZ) && v > 1 - SIDE_BAND) return markColour(rail, u, v);
    if ((flags & kickerLip) && u < LIP_LINE_END) return LIP_LINE;
    // the shaper's passes across the ramp, as it was built up, soft and uneven
    float passes = std::sin(TWO_PI * (RAMP_PASSES * u + 0.3f * fractal(u, v, 2, seed + 3)));
    float shade = 0.93f + 0.12f * (fractal(u, v, 2, seed) - 0.5f) + 0.05f * passes + grain(u, v) + 0.4f * glint(u, v);
    if (flags & kickerLip) shade -= LIP_SHADE * std::max(0.0f, 1 - (u - LIP_LINE_END) / LIP_SHADE_LENGTH);
    return scaled(GROOMED, shade);
}

// The bank beside a kicker: packed snow falling away from the kicker, in its shadow near it, with the
// kicker's paint along the edge they share (v 1 for the bank on the +Z side, v 0 for the -Z one).
static Shade kickerBankColour(bool plusZSide, bool rail, float u, float v, int seed)
{
    float fromKicker = plusZSide ? 1 - v : v;
    if (fromKicker < SIDE_BAND * 0.6f) return markColour(rail, u, v);
    float shade = 0.8f + 0.12f * fromKicker + 0.06f * (fractal(u, v, 4, seed) - 0.5f);
    return scaled(GROOMED, shade);
}

// The drop behind a lip: the same packed snow as the ramp, shaped by the same passes, turned away from
// the light and darkest just under the lip's edge (up the track, u near 1). Seen from above, as the
// chase sees it at a landing, it must read as snow and not as a flat slab.
static Shade kickerBackColour(float u, float v, int seed)
{
    float passes = std::sin(TWO_PI * (RAMP_PASSES * u + 0.3f * fractal(u, v, 2, seed + 3)));
    float underLip = std::max(0.0f, 1 - (1 - u) / LIP_SHADE_LENGTH);
    float shade = BACK_SHADE + 0.14f * (fractal(u, v, 2, seed) - 0.5f) + 0.06f * passes + grain(u, v) +
                  0.3f * glint(u, v) - LIP_SHADE * underLip;
    return scaled(GROOMED, shade);
}

// The mound a bomb raises: the powder it is made of, so the snow goes on over it.
static Shade bombRampColour(float u, float v, int seed) { return scaled(FRESH, snowShade(u, v, seed, seed)); }

// The lane's edge wanders a little and is soft: wobble and softness together stay under half, so that
// a picture's side with both corners off the lane (or on it) is plain snow (or lane) to the texel.
static const float LANE_EDGE_WOBBLE = 0.24f, LANE_EDGE_SOFTNESS = 0.12f;
static const int LANE_EDGE_SEED = 6271;

// A lane-edge picture's share of groomed snow at (u, v): linear from its corners over each of the
// cell's two triangles, split along u = v as the grid's cells are, so that it agrees with every
// neighbour along each side they share.
static float laneEdgeShare(int tex, float u, float v)
{
    int corners = tex - texLaneEdge + 1;
    float down = (corners >> 2) & 1, up = (corners >> 1) & 1, apex = corners & 1;
    // the diagonal's down-track end is at (0, 0), its up-track end at (1, 1)
    if (u >= v) return down * (1 - u) + apex * (u - v) + up * v;
    return down * (1 - v) + apex * (v - u) + up * u;
}

float laneShareOf(int tex, float u, float v)
{
    if (tex == texSnow || (tex >= texSnowVariant && tex < texSnowVariant + snowVariants)) return 0;
    if (tex == texPacked) return 1;
    if (tex >= texLaneEdge && tex < texLaneEdge + laneEdgeKinds) return laneEdgeShare(tex, u, v);
    return -1;
}

static int surfaceSeed(int tex, int theme) { return 11 * surfaceFamily(tex) + theme; }
static Shade surfaceColour(int tex, float u, float v, int theme);

// Plain snow giving way to the groomed lane along a wandering, soft edge; both are the pictures they
// meet, so no side of the cell shows a seam.
static Shade laneEdgeColour(int tex, float u, float v, int theme)
{
    float wobble = LANE_EDGE_WOBBLE * (2 * fractal(u, v, 2, LANE_EDGE_SEED) - 1);
    float t = clamp01((laneEdgeShare(tex, u, v) + wobble - 0.5f + LANE_EDGE_SOFTNESS) / (2 * LANE_EDGE_SOFTNESS));
    if (t <= 0) return surfaceColour(texSnow, u, v, theme);
    if (t >= 1) return surfaceColour(texPacked, u, v, theme);
    t = t * t * (3 - 2 * t);
    return mixShade(surfaceColour(texSnow, u, v, theme), surfaceColour(texPacked, u, v, theme), t);
}

static Shade surfaceColour(int tex, float u, float v, int theme)
{
    int seed = surfaceSeed(tex, theme);
    if (tex >= texLaneEdge) return laneEdgeColour(tex, u, v, theme);
    if (tex == texSnow) return scaled(FRESH, snowShade(u, v, seed, seed));
    if (tex >= texSnowVariant && tex < texSnowVariant + snowVariants)
        return scaled(FRESH, snowShade(u, v, seed + 100 * (tex - texSnowVariant + 1), seed));
    if (tex == texPacked) return scaled(GROOMED, groomedShade(u, v, seed));
    if (tex == texIce) return scaled(ICE, iceShade(u, v, seed));
    if (tex == texBooster) return scaled(BOOSTER, boosterShade(u, v));
    if (tex == texPipeFloor) return scaled(PIPE_FLOOR, pipeShade(u, v, seed));
    if (tex == texPipeWall) return scaled(PIPE_WALL, pipeWallShade(u, v, seed));
    if (tex == texOut) return outColour(u, v, seed);
    if (tex == texBombRamp) return bombRampColour(u, v, seed);
    if (tex == texKickerBack) return kickerBackColour(u, v, seed);
    if (tex >= texKickerFace && tex < texKickerWallPlusZ) {
        bool rail = tex >= texRailKickerFace;
        return kickerFaceColour(tex - (rail ? texRailKickerFace : texKickerFace), rail, u, v, seed);
    }
    bool rail = tex == texRailKickerWallPlusZ || tex == texRailKickerWallMinusZ;
    bool plusZSide = tex == texKickerWallPlusZ || tex == texRailKickerWallPlusZ;
    return kickerBankColour(plusZSide, rail, u, v, seed);
}

int surfaceFamily(int tex)
{
    if (tex >= texLaneEdge) return texPacked;
    if (tex >= texSnowVariant) return texSnow;
    if (tex >= texKickerWallPlusZ || tex == texBombRamp) return texPacked;
    if (tex >= texKickerBack) return texIce;
    if (tex == texPipeWall) return texPipeFloor;
    return tex;
}

void surfaceMeanColour(int tex, int theme, float rgb[3])
{
    const int SAMPLES = 16;
    if (theme < 0 || theme >= TRACK_THEME_COUNT) theme = 0;
    Shade light = SNOW_LIGHT[theme], sum = {0, 0, 0};
    for (int y = 0; y < SAMPLES; y++)
        for (int x = 0; x < SAMPLES; x++) {
            Shade c = surfaceColour(tex, (x + 0.5f) / SAMPLES, (y + 0.5f) / SAMPLES, theme);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
    float n = SAMPLES * SAMPLES;
    rgb[0] = std::min(255.0f, sum.r / n * light.r), rgb[1] = std::min(255.0f, sum.g / n * light.g);
    rgb[2] = std::min(255.0f, sum.b / n * light.b);
}

static void writeSurface(const std::string& path, int tex, int theme)
{
    Picture pic(SURFACE_SIZE, SURFACE_SIZE);
    Shade light = SNOW_LIGHT[theme];
    for (int y = 0; y < SURFACE_SIZE; y++)
        for (int x = 0; x < SURFACE_SIZE; x++) {
            float u = (x + 0.5f) / SURFACE_SIZE, v = (y + 0.5f) / SURFACE_SIZE;
            Shade c = surfaceColour(tex, u, v, theme);
            pic.set(x, y, (int)(c.r * light.r), (int)(c.g * light.g), (int)(c.b * light.b));
        }
    writeBmp(path, pic);
}

void genSurfacePictures(const std::string& surfaceDir, int theme)
{
    if (theme < 0 || theme >= TRACK_THEME_COUNT) theme = 0;
    for (int k = 0; k < trackSurfacePictures; k++) writeSurface(surfaceDir + std::to_string(k) + ".bmp", k, theme);
}
