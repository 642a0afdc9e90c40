// Takes a rider recipe and writes the rider's 128 x 128 texture: every colour area with its folds,
// seams and details, and light and shade painted in (lit front, shaded back, darker towards the joints).
#include "content.h"
#include "riderRecipe.h"

#include <algorithm>
#include <cmath>

static const float PI = 3.14159265f;
static const float FRONT_LIGHT = 0.12f;   // a tube's front (u = 0) against its back (u = 1/2)
static const float JOINT_SHADE = 0.18f;   // how much darker a tube gets at its two ends
static const float GRAIN = 0.012f;

static unsigned noiseAt(int x, int y) { return ((unsigned)x * 73856093u ^ (unsigned)y * 19349663u) % 17; }

static float smooth(float e0, float e1, float x)
{
    float t = std::min(1.0f, std::max(0.0f, (x - e0) / (e1 - e0)));
    return t * t * (3 - 2 * t);
}

// Light and shade of a tube region: lit towards its front, shaded at its ends where it meets the next part.
static float tubeLight(float fu, float fv)
{
    float ends = smooth(0.0f, 0.2f, fv) * smooth(1.0f, 0.8f, fv);
    return (1 - FRONT_LIGHT + FRONT_LIGHT * std::cos(2 * PI * fu)) * (1 - JOINT_SHADE + JOINT_SHADE * ends);
}

// Soft creases across a sleeve or a trouser leg.
static float folds(float fu, float fv, float count)
{
    float wave = std::sin(fv * PI * count + std::sin(fu * 2 * PI * 2) * 1.4f);
    return 1 - 0.09f * std::max(0.0f, wave) * std::max(0.0f, wave);
}

// A glossy shell (helmet, lens): a bright spot up and to the front, darker towards its rim.
static float gloss(float fu, float fv, float spotU)
{
    float du = fu - spotU, dv = fv - 0.78f;
    return 0.72f + 0.3f * fv + 0.45f * std::exp(-(du * du + dv * dv) / 0.012f);
}

struct Texel {
    const float* colour;
    float light;
};

// Ellipsoids start their u at +x, so the face's front (+z) is at u = 1/4; a dome's u starts at the back.
static Texel paintFace(const RiderRecipe& r, float fu, float fv)
{
    Texel t = {r.colours[FACE], 0.8f + 0.25f * smooth(0.2f, 0.7f, fv)};
    float front = std::fabs(fu - 0.25f);
    if (front < 0.045f && fv > 0.29f && fv < 0.33f) t.light *= 0.55f;                       // mouth
    if (front < 0.09f && fv > 0.6f && fv < 0.64f && front > 0.015f) t.colour = r.colours[HAIR];  // brows
    if ((fu > 0.45f && fv > 0.3f) || fv > 0.8f) t.colour = r.colours[HAIR];                   // hair behind
    return t;
}

static Texel paintEye(const RiderRecipe& r, float fu, float fv)
{
    static const float WHITE[3] = {0.95f, 0.95f, 0.93f}, PUPIL[3] = {0.05f, 0.05f, 0.06f};
    float du = (fu - 0.25f) * 2.6f, dv = fv - 0.5f, d = std::sqrt(du * du + dv * dv);
    if (d < 0.09f) return {PUPIL, 1};
    if (d < 0.22f) return {r.colours[EYES], 1 - 0.3f * d};
    return {WHITE, 0.85f + 0.15f * fv};
}

static Texel paint(const RiderRecipe& r, Region reg, float fu, float fv)
{
    const float* c = r.colours[reg];
    switch (reg) {
    case JACKET: {
        bool zip = fu < 0.015f || fu > 0.985f;
        return {zip ? r.colours[ACCENT] : c, tubeLight(fu, fv) * folds(fu, fv, 5)};
    }
    case PANTS: return {c, tubeLight(fu, fv) * folds(fu, fv, 3.5f)};
    case ACCENT: return {(int)(fu * 32) / 4 % 2 ? r.colours[JACKET] : c, tubeLight(fu, fv)};
    case SKIN: return {c, tubeLight(fu, fv)};
    case FACE: return paintFace(r, fu, fv);
    case EYES: return paintEye(r, fu, fv);
    case HELMET: {
        bool stripe = std::fabs(fu - 0.5f) < 0.03f || fu < 0.03f || fu > 0.97f;
        return {stripe ? r.colours[ACCENT] : c, gloss(fu, fv, 0.42f)};
    }
    case GOGGLES: return {c, gloss(fu, fv, 0.22f) * (0.6f + 0.5f * fv)};
    case GLOVES: return {c, (0.78f + 0.3f * fv) * (std::fmod(fu * 4, 1.0f) < 0.06f ? 0.7f : 1.0f)};
    case BOOTS: return {c, (0.75f + 0.35f * fv) * (std::fabs(fv - 0.35f) < 0.04f || std::fabs(fv - 0.65f) < 0.04f ? 1.8f : 1)};
    case SKIS: return {fu > 0.4f && fu < 0.6f ? r.colours[ACCENT] : c, 0.85f + 0.2f * std::fabs(fu - 0.5f)};
    case POLES: return {c, 0.7f + 0.45f * std::fabs(std::cos(2 * PI * fu))};
    case WOOL: return {c, (0.82f + 0.18f * std::fabs(std::sin(fu * 2 * PI * 12))) * (0.8f + 0.25f * fv)};
    case HAIR: return {c, 0.75f + 0.25f * std::fabs(std::sin(fu * 2 * PI * 9 + fv * 4))};
    default: return {c, 1};
    }
}

static int channel(float c, float f) { return std::min(255, std::max(0, (int)(c * 255 * f))); }

void writeRiderSkin(const std::string& path, const RiderRecipe& r)
{
    const int size = RIDER_TEXTURE_SIZE, cell = size / RIDER_REGIONS_PER_SIDE;
    Picture pic(size, size);
    for (int v = 0; v < size; v++)
        for (int u = 0; u < size; u++) {
            int reg = (v / cell) * RIDER_REGIONS_PER_SIDE + u / cell;
            float fu = (u % cell + 0.5f) / cell, fv = (v % cell + 0.5f) / cell;
            Texel t = paint(r, reg < RIDER_COLOURS ? (Region)reg : JACKET, fu, fv);
            float f = t.light * (1 - 8 * GRAIN + GRAIN * noiseAt(u, v));
            pic.set(u, size - 1 - v, channel(t.colour[0], f), channel(t.colour[1], f), channel(t.colour[2], f));
        }
    writeBmp(path, pic);
}
