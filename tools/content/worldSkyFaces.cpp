// Takes a track's theme, weather and skyline seed; writes the sky drawn behind its world
// ("texObj/skyFront.bmp", "skyLeft", "skyRight", "skyUp"): the theme's sky with a glow round the
// sun, clouds by the weather, and the far ranges beyond the world as sharp silhouettes of lit rock and
// snow, hazed by their distance. Everything nearer is the world's own terrain, so nothing of the
// track itself is painted here; every pixel is worked out from its direction, so the faces stay
// sharp at any size and meet without seams.
#include "content.h"
#include "skyRender.h"
#include "tiledNoise.h"
#include "trackWorld.h"

#include <cmath>
#include <vector>

static const float PI = 3.14159265f;
static const int FACE_SIZE = 512, UP_SIZE = 256;
static const int NOISE_PERIOD = 1 << 16;
// The ranges: each a silhouette round the whole horizon, from the nearest: distance (for its haze),
// the crest's least height and its spread above that (degrees), the ridges round a full turn.
struct RangeLayer {
    float distance, baseDeg, spreadDeg, ridges;
};
static const RangeLayer LAYERS[3] = {{4.5e5f, 1.2f, 10.0f, 22}, {7.5e5f, 2.0f, 12.0f, 13}, {1.3e6f, 3.0f, 16.0f, 7}};
static const float FACE_FEATURE_DEG = 3.5f;  // the size of a gully or a rib on a range's face
static const float CLOUD_HEIGHT = 9000, CLOUD_SCALE = 14000, CLOUD_FADE = 0.18f;
// Cloud cover per weather: clear, cloudy, snow, storm.
static const float CLOUD_COVER[4] = {0.45f, 0.6f, 0.85f, 0.95f};
static const float SUN_GLOW[2] = {0.07f, 0.4f}, SUN_GLOW_STRENGTH[2] = {0.8f, 0.22f};

struct Colour {
    float r, g, b;  // 0..255
};
static Colour mixColour(Colour a, Colour b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
static Colour fromArray(const float* c) { return {c[0], c[1], c[2]}; }
static float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
static float smooth(float e0, float e1, float v)
{
    float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

static const int CREST_SAMPLES = 8192;  // round the horizon, per range

struct SkyLook {
    SkyThemeLight light;
    float cover;
    int seed;
    std::vector<float> crests[3];  // each range's crest height (degrees) round the horizon
    float crestAt(int k, float a) const
    {
        float u = (a + PI) / (2 * PI) * CREST_SAMPLES;
        int i = (int)std::floor(u);
        float f = u - i;
        const std::vector<float>& c = crests[k];
        return c[((i % CREST_SAMPLES) + CREST_SAMPLES) % CREST_SAMPLES] * (1 - f) + c[(((i + 1) % CREST_SAMPLES) + CREST_SAMPLES) % CREST_SAMPLES] * f;
    }
};

static float noise2(float x, float y, int seed) { return tiledNoise(x, y, NOISE_PERIOD, seed); }

static float fbm(float x, float y, int seed, int octaves)
{
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; o++, amp *= 0.5f, x *= 2.03f, y *= 2.03f) {
        sum += amp * noise2(x, y, seed + o);
        norm += amp;
    }
    return sum / norm;
}

// A range's crest round the horizon: sharp peaks, soft saddles (0 to about 1), at azimuth a (radians).
static float crest(float a, float ridges, int seed)
{
    float u = (a + PI) / (2 * PI) * ridges, sum = 0, amp = 0.6f, norm = 0;
    for (int o = 0; o < 5; o++, amp *= 0.5f, u *= 2.0f) {
        float n = 1 - std::fabs(2 * noise2(u, 0.5f + o * 7.0f, seed + o) - 1);
        sum += amp * n * n;
        norm += amp;
    }
    return sum / norm;
}

static Colour skyGradient(const SkyLook& s, float up, float towardSun)
{
    const SkyThemeLight& l = s.light;
    Colour c = mixColour(fromArray(l.horizon), fromArray(l.zenith), std::pow(clamp01(up), 0.55f));
    float glow = 0;
    for (int k = 0; k < 2; k++) glow += SUN_GLOW_STRENGTH[k] * std::exp(-std::acos(std::min(1.0f, towardSun)) / SUN_GLOW[k]);
    Colour warm = {255, 240, 215};
    return mixColour(c, warm, clamp01(glow) * (1 - 0.6f * s.cover));
}

static Colour clouds(const SkyLook& s, const float* d, Colour sky, float towardSun)
{
    if (d[1] <= 0.01f) return sky;
    float px = d[0] / d[1] * CLOUD_HEIGHT / CLOUD_SCALE, pz = d[2] / d[1] * CLOUD_HEIGHT / CLOUD_SCALE;
    float n = fbm(px, pz, s.seed + 300, 4);
    float density = smooth(1 - s.cover, 1 - s.cover + 0.3f, n);
    // thin towards the horizon, where the layer is seen edge on and lost in the haze
    density *= smooth(0.0f, CLOUD_FADE, d[1]);
    float shade = density > 0 ? fbm(px * 2 + 0.3f, pz * 2, s.seed + 320, 2) : 0;
    Colour lit = {250, 250, 252}, dark = mixColour(fromArray(s.light.horizon), {110, 115, 130}, 0.5f + 0.3f * s.cover);
    Colour cloud = mixColour(dark, lit, clamp01(0.35f + 0.5f * shade + 0.35f * towardSun - 0.3f * s.cover));
    return mixColour(sky, cloud, density);
}

// A range's rock and snow at azimuth a, `below` degrees under its crest (crestHeight over the horizon):
// ribs and gullies lit on the sun's side, snow lying high and in the gullies.
static Colour rangeFace(const SkyLook& s, int k, float a, float below, float crestHeight)
{
    const SkyThemeLight& l = s.light;
    float u = a * 180 / PI / FACE_FEATURE_DEG, v = below / FACE_FEATURE_DEG;
    int seed = s.seed + 50 + 10 * k;
    float ribs = fbm(u, v * 0.6f, seed, 3);
    float across = 2 * (fbm(u + 0.05f, v * 0.6f, seed, 3) - ribs);
    // the flanks of each peak: the crest's rise along the horizon, lit on the side the sun is on
    const float STEP = 0.004f;
    float flank = (s.crestAt(k, a + STEP) - s.crestAt(k, a - STEP)) / (2 * STEP * 180 / PI);
    float sunSide = std::sin(std::atan2(l.sun[2], l.sun[0]) - a) >= 0 ? 1.0f : -1.0f;
    float light = clamp01(0.58f + 0.35f * std::tanh(3 * flank) * sunSide + 3 * across * sunSide + 0.25f * (ribs - 0.5f));
    float depth = below / (crestHeight + 1);
    float snowy = fbm(u * 1.7f + 9, v * 1.2f, seed + 5, 3);
    float snow = smooth(0.2f, 0.6f, snowy + 0.55f - depth);
    Colour rock = mixColour(fromArray(l.rock), fromArray(l.snowShade), 0.25f * light);
    Colour snowC = mixColour(fromArray(l.snowShade), fromArray(l.snowLit), light);
    return mixColour(rock, snowC, snow);
}

// Below the horizon the nearest range's feet run down into a valley floor of snow and woods, nearer
// than the crests and so less hazed: where the world's own terrain falls away (a valley end) it showed
// a flat band of haze under the ranges.
static const float VALLEY_DEG = 2.5f;
static const float VALLEY_PATCH = 6, VALLEY_HAZE_REACH = 60;  // in heights of the eye over the floor

// The floor seen `depthDeg` under the horizon at azimuth a, as a plane under the eye: woods and snow
// in patches that shrink into the distance, hazed the more the farther.
static Colour valleyFloor(const SkyLook& s, float a, float depthDeg, float haze)
{
    const SkyThemeLight& l = s.light;
    float reach = 1 / std::tan(std::max(depthDeg, 0.2f) * PI / 180);
    float x = 1000 + reach * std::cos(a) / VALLEY_PATCH, z = 1000 + reach * std::sin(a) / VALLEY_PATCH;
    float woods = smooth(0.45f, 0.65f, fbm(x, z, s.seed + 90, 3));
    Colour snow = mixColour(fromArray(l.snowShade), fromArray(l.snowLit), 0.45f + 0.3f * fbm(2 * x, 2 * z, s.seed + 95, 2));
    Colour floor = mixColour(snow, fromArray(l.forest), 0.45f * woods);
    float far = 1 - std::exp(-reach / VALLEY_HAZE_REACH);
    return mixColour(floor, fromArray(l.horizon), clamp01(haze + (1 - haze) * far));
}

// The range seen along d, or false when d passes over every crest.
static bool rangeAlong(const SkyLook& s, const float* d, Colour* out)
{
    const SkyThemeLight& l = s.light;
    float elevation = std::asin(std::max(-1.0f, std::min(1.0f, d[1]))) * 180 / PI;
    float a = std::atan2(d[2], d[0]);
    for (int k = 0; k < 3; k++) {
        float top = s.crestAt(k, a);
        if (elevation >= top) continue;
        float below = top - elevation;
        float distanceHaze = 1 - std::exp(-LAYERS[k].distance / l.hazeDistance);
        // the valley air thickens the haze towards the ranges' feet, down to the horizon
        float haze = clamp01(distanceHaze + (1 - distanceHaze) * smooth(top * 0.4f, top + 2.5f, std::min(below, top)) * 0.75f);
        if (haze > 0.97f) *out = mixColour(fromArray(l.snowShade), fromArray(l.horizon), haze);
        else *out = mixColour(rangeFace(s, k, a, below, top), fromArray(l.horizon), haze);
        if (elevation < 0) {
            *out = mixColour(*out, valleyFloor(s, a, -elevation, 0.5f * distanceHaze), smooth(0, VALLEY_DEG, -elevation));
        }
        return true;
    }
    return false;
}

static Colour skyAlong(const SkyLook& s, const float* d)
{
    const SkyThemeLight& l = s.light;
    float towardSun = d[0] * l.sun[0] + d[1] * l.sun[1] + d[2] * l.sun[2];
    return clouds(s, d, skyGradient(s, d[1], towardSun), towardSun);
}

static void unitDirection(int face, float sx, float ty, float* d)
{
    skyFaceDirection(face, sx, ty, d);
    float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (int k = 0; k < 3; k++) d[k] /= len;
}

// The sky itself (gradient, glow, clouds) changes slowly across a face: it is worked out on every
// other pixel and blended between; the ranges' edges are worked out on every one.
static void writeFace(const std::string& path, int face, int size, const SkyLook& s)
{
    int half = size / 2 + 1;
    std::vector<Colour> sky((size_t)half * half);
    for (int y = 0; y < half; y++)
        for (int x = 0; x < half; x++) {
            float d[3];
            unitDirection(face, (2 * x + 0.5f) / size, 1 - (2 * y + 0.5f) / size, d);
            sky[(size_t)y * half + x] = skyAlong(s, d);
        }
    Picture pic(size, size);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            float d[3];
            unitDirection(face, (x + 0.5f) / size, 1 - (y + 0.5f) / size, d);
            Colour c;
            if (!rangeAlong(s, d, &c)) {
                int hx = x / 2, hy = y / 2;
                float fx = (x % 2) * 0.5f, fy = (y % 2) * 0.5f;
                Colour a = mixColour(sky[(size_t)hy * half + hx], sky[(size_t)hy * half + hx + 1], fx);
                Colour b = mixColour(sky[(size_t)(hy + 1) * half + hx], sky[(size_t)(hy + 1) * half + hx + 1], fx);
                c = mixColour(a, b, fy);
            }
            pic.set(x, y, (int)std::lround(c.r), (int)std::lround(c.g), (int)std::lround(c.b));
        }
    writeBmp(path, pic);
}

void genWorldSkyFaces(const std::string& trackDir, int theme, int weather, int seed)
{
    SkyLook s = {skyThemeLight(theme), CLOUD_COVER[weather >= 0 && weather < 4 ? weather : 0], seed, {}};
    for (int k = 0; k < 3; k++) {
        s.crests[k].resize(CREST_SAMPLES);
        for (int i = 0; i < CREST_SAMPLES; i++) {
            float a = -PI + 2 * PI * i / CREST_SAMPLES;
            s.crests[k][i] = LAYERS[k].baseDeg + LAYERS[k].spreadDeg * std::pow(crest(a, LAYERS[k].ridges, seed + k * 97), 1.6f);
        }
    }
    std::string obj = trackDir + "/texObj/";
    // the faces in the sky box's order of the old faces: front, left, right, (back), up
    writeFace(obj + "skyFront.bmp", 0, FACE_SIZE, s);
    writeFace(obj + "skyLeft.bmp", 1, FACE_SIZE, s);
    writeFace(obj + "skyRight.bmp", 2, FACE_SIZE, s);
    writeFace(obj + "skyUp.bmp", 4, UP_SIZE, s);
}
