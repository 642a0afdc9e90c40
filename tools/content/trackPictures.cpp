// Takes a track directory, its theme and mesh and writes its sky, sun, star, trace and surface pictures.
#include "content.h"
#include "skyRender.h"
#include "trackGen.h"
#include "tiledNoise.h"

#include <cmath>
#include <vector>
#include <sys/stat.h>

static const int SKY_SIZE = 256;

// The sky box half sizes the game draws the faces with (10 cell lengths, 12 cell widths less 2 lengths).
static const float SKY_HALF_X = 16840, SKY_HALF_Y = 16840, SKY_HALF_Z = 10108;

void skyFaceDirection(int face, float s, float t, float* d)
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
            skyFaceDirection(face, (x + 0.5f) / SKY_SIZE, 1 - (y + 0.5f) / SKY_SIZE, d);
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

void genTrackPictures(const std::string& trackDir, int theme, int seed, const TrackMesh& mesh)
{
    if (theme < 0 || theme >= TRACK_THEME_COUNT) theme = 0;
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
    genSurfacePictures(surf, theme);
}
