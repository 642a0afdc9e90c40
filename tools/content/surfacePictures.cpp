// Takes a track directory and its theme and writes the surface pictures "texTrack/N.bmp" that the
// cells of its mesh are drawn with: snow, groomed lane, kickers with lips and banks, pipe, boosters.
#include "content.h"
#include "tiledNoise.h"
#include "trackGen.h"
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
static const Shade LIP_LINE = {255, 255, 255}, RAMP_RED = {215, 45, 35};
static const float LIP_BAND = 0.14f, LIP_LINE_END = 0.19f, SIDE_BAND = 0.08f, HAZARD_STRIPES = 5;
static const int EDGE_SEED = 4049;

// Fresh snow: broad soft light over gentle wind ripples and a fine grain; the variants differ inside
// and agree along the edges.
static float snowShade(float u, float v, int seed)
{
    float warp = fractalSharedEdges(u, v, 2, EDGE_SEED, seed);
    float ripple = std::sin(TWO_PI * (3 * u + v + 0.8f * warp));
    float broad = fractalSharedEdges(u, v, 2, EDGE_SEED + 10, seed + 10);
    float grain = fractalSharedEdges(u, v, 8, EDGE_SEED + 20, seed + 20);
    return 0.93f + 0.035f * ripple * ripple * ripple + 0.09f * (broad - 0.5f) + 0.05f * (grain - 0.5f);
}

// Groomed lane: three machine passes across a cell, each its own shade with a soft seam, over a
// streaky grain down the track. No regular ridges: from afar they read as stripes to the horizon.
static float groomedShade(float u, float v, int seed)
{
    static const float PASS_SHADE[3] = {0.0f, 0.01f, -0.008f};
    float pass = v * 3;
    int which = std::min(2, (int)pass);
    float seam = std::fabs(pass - std::round(pass)) / 0.05f;
    float streaks = tiledNoise(u * 8, v * 40, 8, 40, seed);
    float broad = tiledNoise(u * 4, v * 2, 4, 2, seed + 1);  // soft light, changing mostly down the track
    return 0.93f + PASS_SHADE[which] - 0.02f * std::exp(-seam * seam) + 0.06f * (streaks - 0.5f) +
           0.16f * (broad - 0.5f);
}

// Ice: glassy, with long scratches down the track.
static float iceShade(float u, float v, int seed)
{
    float scratch = tiledNoise(u * 2, v * 40, 2, 40, seed);
    scratch = std::pow(std::fabs(2 * scratch - 1), 6.0f);
    float sheen = fractal(u - v - std::floor(u - v), v, 2, seed + 1);
    return 0.82f + 0.2f * sheen + 0.18f * scratch;
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
    return 0.95f - 0.04f * groove + 0.2f * (fractal(u, v, 2, seed) - 0.5f);
}

// Half-pipe wall: shaped hard snow in the shadow of its own curve, with the shaper's lines along it.
static float pipeWallShade(float u, float v, int seed)
{
    float lines = 0.5f + 0.5f * std::cos(TWO_PI * 5 * v);
    return 0.9f + 0.05f * lines + 0.08f * (fractal(u, v, 4, seed) - 0.5f);
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

// A kicker's face: ice, a painted lip with a white line behind it on the cell at the lip, and painted
// sides where the kicker ends.
static Shade kickerFaceColour(int flags, bool rail, float u, float v, int seed)
{
    if ((flags & kickerLip) && u < LIP_BAND) return markColour(rail, u, v);
    if ((flags & kickerEdgePlusZ) && v < SIDE_BAND) return markColour(rail, u, v);
    if ((flags & kickerEdgeMinusZ) && v > 1 - SIDE_BAND) return markColour(rail, u, v);
    if ((flags & kickerLip) && u < LIP_LINE_END) return LIP_LINE;
    return scaled(ICE, iceShade(u, v, seed));
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

// The kicker a bomb raises: red and white stripes, so the new jump is seen coming.
static Shade bombRampColour(float u, float v, int seed)
{
    float phase = (u - v) * 3;
    Shade c = phase - std::floor(phase) < 0.5f ? RAMP_RED : LIP_LINE;
    return scaled(c, 0.92f + 0.06f * (fractal(u, v, 4, seed) - 0.5f));
}

static Shade surfaceColour(int tex, float u, float v, int seed)
{
    if (tex == texSnow) return scaled(FRESH, snowShade(u, v, seed));
    if (tex >= texSnowVariant && tex < texSnowVariant + snowVariants)
        return scaled(FRESH, snowShade(u, v, seed + 100 * (tex - texSnowVariant + 1)));
    if (tex == texPacked) return scaled(GROOMED, groomedShade(u, v, seed));
    if (tex == texIce) return scaled(ICE, iceShade(u, v, seed));
    if (tex == texBooster) return scaled(BOOSTER, boosterShade(u, v));
    if (tex == texPipeFloor) return scaled(PIPE_FLOOR, pipeShade(u, v, seed));
    if (tex == texPipeWall) return scaled(PIPE_WALL, pipeWallShade(u, v, seed));
    if (tex == texOut) return outColour(u, v, seed);
    if (tex == texBombRamp) return bombRampColour(u, v, seed);
    if (tex == texKickerBack) return scaled(ICE, 0.72f * iceShade(u, v, seed));
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
    if (tex >= texSnowVariant) return texSnow;
    if (tex >= texKickerWallPlusZ || tex == texBombRamp) return texPacked;
    if (tex >= texKickerBack) return texIce;
    if (tex == texPipeWall) return texPipeFloor;
    return tex;
}

static void writeSurface(const std::string& path, int tex, int theme)
{
    Picture pic(SURFACE_SIZE, SURFACE_SIZE);
    Shade light = SNOW_LIGHT[theme];
    int seed = 11 * surfaceFamily(tex) + theme;
    for (int y = 0; y < SURFACE_SIZE; y++)
        for (int x = 0; x < SURFACE_SIZE; x++) {
            float u = (x + 0.5f) / SURFACE_SIZE, v = (y + 0.5f) / SURFACE_SIZE;
            Shade c = surfaceColour(tex, u, v, seed);
            pic.set(x, y, (int)(c.r * light.r), (int)(c.g * light.g), (int)(c.b * light.b));
        }
    writeBmp(path, pic);
}

void genSurfacePictures(const std::string& surfaceDir, int theme)
{
    if (theme < 0 || theme >= TRACK_THEME_COUNT) theme = 0;
    for (int k = 0; k < trackSurfacePictures; k++) writeSurface(surfaceDir + std::to_string(k) + ".bmp", k, theme);
}
