// Takes a track directory, its theme and mesh and writes its sky, sun, star, trace and surface pictures.
#include "content.h"
#include "skyRender.h"

#include <cmath>
#include <vector>
#include <sys/stat.h>

static const int SKY_SIZE = 256;
static const int SURFACE_SIZE = 128;
static const int SURFACE_COUNT = 6;  // snow, packed snow, ice, booster, half-pipe, out-of-bounds
static const int THEME_COUNT = 3;

struct Rgb {
    float r, g, b;
};

// The sky box half sizes the game draws the faces with (10 cell lengths, 12 cell widths less 2 lengths).
static const float SKY_HALF_X = 16840, SKY_HALF_Y = 16840, SKY_HALF_Z = 10108;

static unsigned hash2(int x, int y, int seed)
{
    unsigned h = (unsigned)x * 374761393u + (unsigned)y * 668265263u + (unsigned)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Value noise on a lattice of `period` cells, so the pattern wraps and the picture tiles.
static float tiledNoise(float x, float y, int periodX, int periodY, int seed)
{
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto at = [&](int i, int j) {
        return (hash2(((i % periodX) + periodX) % periodX, ((j % periodY) + periodY) % periodY, seed) & 0xffff) /
               65535.0f;
    };
    float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return a + (b - a) * fy;
}

static float tiledNoise(float x, float y, int period, int seed) { return tiledNoise(x, y, period, period, seed); }

static float fractal(float u, float v, int basePeriod, int seed)
{
    float sum = 0, amp = 0.5f;
    for (int octave = 0, period = basePeriod; octave < 4; octave++, period *= 2, amp *= 0.5f)
        sum += amp * tiledNoise(u * period, v * period, period, seed + octave);
    return sum / 0.9375f;
}

static Rgb mix(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Direction through texture coordinate (s, t) of a face, in the box the game draws the faces on.
static void faceDirection(int face, float s, float t, float* d)
{
    const float x = SKY_HALF_X, y = SKY_HALF_Y, z = SKY_HALF_Z;
    float su = 2 * s - 1, tv = 2 * t - 1;
    float dirs[6][3] = {{x, tv * y, su * z},  {su * x, tv * y, -z}, {-su * x, tv * y, z},
                        {-x, tv * y, -su * z}, {-tv * x, y, su * z}, {tv * x, -y, su * z}};
    for (int i = 0; i < 3; i++) d[i] = dirs[face][i];
}

// Faces sharing an edge see the same directions there, so they meet without a seam.
static void writeSkyFace(const std::string& path, int face, int theme, const SkyWorld& world)
{
    Picture pic(SKY_SIZE, SKY_SIZE);
    for (int y = 0; y < SKY_SIZE; y++)
        for (int x = 0; x < SKY_SIZE; x++) {
            float d[3];
            faceDirection(face, (x + 0.5f) / SKY_SIZE, 1 - (y + 0.5f) / SKY_SIZE, d);
            float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            for (float& v : d) v /= len;
            SkyRgb c = world.colourAlong(d, theme);
            pic.set(x, y, (int)(c.r + 0.5f), (int)(c.g + 0.5f), (int)(c.b + 0.5f));
        }
    writeBmp(path, pic);
}

// The sun is added onto the sky over a square a third as wide as the view: a small hot disc with a
// soft halo keeps it a sun rather than a blinding ball; black is what the additive blend leaves unlit.
static void writeSun(const std::string& path)
{
    const float DISC = 0.11f, EDGE = 0.04f, HALO = 0.45f;
    Picture pic(128, 128);
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            float d = std::hypot(x - 63.5f, y - 63.5f) / 64;
            float disc = std::min(1.0f, std::max(0.0f, (DISC + EDGE - d) / EDGE));
            float halo = std::max(0.0f, 1 - d);
            float light = std::min(1.0f, disc + HALO * halo * halo * halo * halo);
            pic.set(x, y, (int)(255 * light), (int)(245 * light), (int)(215 * light));
        }
    writeBmp(path, pic);
}

// Five-pointed star inside the texture rectangle u 0.04-0.115, v 0.03-0.1 (v from the bottom row).
static void writeCylinder(const std::string& path)
{
    const int size = 512;
    Picture pic(size, size);
    float cx = (0.04f + 0.115f) / 2 * size, cy = (0.03f + 0.1f) / 2 * size;
    float outer = 0.034f * size, inner = outer * 0.42f;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            float px = x + 0.5f - cx, py = (size - 1 - y) + 0.5f - cy;
            float r = std::hypot(px, py), a = std::atan2(px, py);
            float sector = std::fmod(a + 10 * M_PI, 2 * M_PI / 5) / (2 * M_PI / 5);
            float edge = inner + (outer - inner) * std::fabs(1 - 2 * sector);
            if (r <= edge) pic.set(x, y, 255, 220 - (int)(60 * r / outer), 40);
        }
    writeBmp(path, pic);
}

// A ski trace on white (the colour key): two grooves, straight for a run, scraped for a brake.
static void writeTrace(const std::string& path, bool braking)
{
    Picture pic(64, 64);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            float n = tiledNoise(x / 8.0f, y / 8.0f, 8, braking ? 7 : 3);
            bool groove = braking ? (x > 8 && x < 56 && n > 0.35f) : ((x > 14 && x < 22) || (x > 42 && x < 50));
            int shade = groove ? 150 + (int)(50 * n) : 255;
            pic.set(x, y, shade, shade + (groove ? 10 : 0), groove ? shade + 30 : 255);
        }
    writeBmp(path, pic);
}

// Surface pictures: one picture covers one cell, down-track towards smaller s (the picture's left),
// across the track along t (its rows), and clamps at its edges, so every pattern below has a whole
// number of periods across the picture and its edges meet those of the next cell.
static const float TWO_PI = 6.2831853f;
static const Rgb OUT_SNOW = {205, 210, 222};  // grey, trodden snow between the rocks

// Fresh snow: soft wind ripples across the slope over a fine grain.
static float snowShade(float u, float v, int seed)
{
    float warp = fractal(u, v, 2, seed);
    float ripple = std::sin(TWO_PI * (3 * u + v + 0.8f * warp));
    return 0.9f + 0.07f * ripple * ripple * ripple + 0.1f * (fractal(u, v, 8, seed + 1) - 0.5f);
}

// Groomed snow: the corduroy of the grooming machine, ridges running down the track.
static float packedShade(float u, float v, int seed)
{
    float ridge = 0.5f + 0.5f * std::sin(TWO_PI * 6 * v + 0.6f * fractal(u, v, 4, seed));
    return 0.88f + 0.09f * ridge + 0.06f * (fractal(u, v, 8, seed + 1) - 0.5f);
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
static float boosterShade(float u, float v, int)
{
    float across = std::fabs(v * 2 - std::floor(v * 2) - 0.5f);  // two chevrons across the cell
    float phase = u * 3 - across * 1.2f;
    return phase - std::floor(phase) < 0.35f ? 1.12f : 0.82f;
}

// Half-pipe: smooth hard snow with shallow grooves along its run.
static float pipeShade(float u, float v, int seed)
{
    float groove = std::pow(0.5f + 0.5f * std::cos(TWO_PI * 4 * v), 8.0f);
    return 0.92f - 0.1f * groove + 0.08f * (fractal(u, v, 4, seed) - 0.5f);
}

// Out of bounds: dark rock breaking through the snow; 1 on bare rock, 0 on snow.
static float outRock(float u, float v, int seed)
{
    float stones = fractal(u, v, 4, seed);
    return std::min(1.0f, std::max(0.0f, (stones - 0.45f) / 0.12f));
}

static float outShade(float u, float v, int seed) { return 0.88f + 0.2f * (fractal(u, v, 16, seed + 1) - 0.5f); }

static void writeSurface(const std::string& path, int kind, int theme)
{
    static const Rgb base[SURFACE_COUNT] = {{244, 247, 255}, {228, 234, 246}, {176, 214, 245},
                                            {250, 150, 40},  {222, 232, 250}, {92, 84, 80}};
    static float (*const shades[SURFACE_COUNT])(float, float, int) = {snowShade,    packedShade, iceShade,
                                                                       boosterShade, pipeShade,   outShade};
    Picture pic(SURFACE_SIZE, SURFACE_SIZE);
    for (int y = 0; y < SURFACE_SIZE; y++)
        for (int x = 0; x < SURFACE_SIZE; x++) {
            float u = (x + 0.5f) / SURFACE_SIZE, v = (y + 0.5f) / SURFACE_SIZE;
            float shade = shades[kind](u, v, 11 * kind + theme);
            Rgb c = base[kind];
            if (kind == 5) c = mix(OUT_SNOW, c, outRock(u, v, 11 * kind + theme));
            auto channel = [&](float v0) { return (int)std::min(255.0f, std::max(0.0f, v0 * shade)); };
            pic.set(x, y, channel(c.r), channel(c.g), channel(c.b));
        }
    writeBmp(path, pic);
}

void genTrackPictures(const std::string& trackDir, int theme, int seed, const TrackMesh& mesh)
{
    if (theme < 0 || theme >= THEME_COUNT) theme = 0;
    std::string obj = trackDir + "/texObj/", surf = trackDir + "/texTrack/";
    mkdir(obj.c_str(), 0755);
    mkdir(surf.c_str(), 0755);
    static const char* faces[6] = {"front", "left", "right", "back", "up", "down"};
    SkyWorld world(mesh, seed);
    for (int i = 0; i < 6; i++) writeSkyFace(obj + faces[i] + ".bmp", i, theme, world);
    writeSun(obj + "soleil.bmp");
    writeCylinder(obj + "cylinder.bmp");
    writeTrace(obj + "traceRun.bmp", false);
    writeTrace(obj + "traceBreak.bmp", true);
    Picture empty(16, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) empty.set(x, y, 255, 255, 255);
    writeBmp(obj + "vide.bmp", empty);
    for (int k = 0; k < SURFACE_COUNT; k++) writeSurface(surf + std::to_string(k) + ".bmp", k, theme);
}
