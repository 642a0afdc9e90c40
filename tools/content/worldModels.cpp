// Takes a track's theme; returns the models of its scenery as coloured triangles: four tree species near
// and far, rocks, marker flags, slalom gates, a rope fence, the start hut and the finish arch. Kept low
// in triangles: hundreds stand in view at once on a software renderer.
#include "trackWorld.h"

#include <cmath>

static const float PI = 3.14159265f;

namespace {

struct V3 {
    float x, y, z;
};
struct Rgb {
    float r, g, b;  // 0..1
};

V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Rgb mixRgb(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

const Rgb SNOW = {0.95f, 0.97f, 1.0f}, BARK = {0.36f, 0.25f, 0.16f}, BIRCH_BARK = {0.88f, 0.87f, 0.82f};
const Rgb ROCK = {0.42f, 0.41f, 0.43f}, MARKER = {1.0f, 0.45f, 0.05f}, BLACK = {0.1f, 0.1f, 0.11f};
const Rgb GATE_RED = {0.9f, 0.1f, 0.1f}, GATE_BLUE = {0.1f, 0.25f, 0.9f}, WHITE = {0.97f, 0.97f, 0.97f};
const Rgb FENCE = {1.0f, 0.4f, 0.05f}, WOOD = {0.55f, 0.36f, 0.2f}, ROOF = {0.7f, 0.12f, 0.1f};
const Rgb WINDOW = {1.0f, 0.85f, 0.45f}, DOOR = {0.25f, 0.15f, 0.1f}, PILLAR_BLUE = {0.12f, 0.3f, 0.75f};
const Rgb BANNER_RED = {0.85f, 0.1f, 0.1f};
// Needles and the crowns of bare birches, per theme: day, dusk, overcast, storm, dawn.
const Rgb NEEDLES[TRACK_THEME_COUNT] = {{0.12f, 0.34f, 0.18f}, {0.09f, 0.24f, 0.18f}, {0.16f, 0.3f, 0.24f},
                                        {0.07f, 0.18f, 0.14f}, {0.14f, 0.38f, 0.2f}};
const Rgb BARE_CROWN = {0.45f, 0.38f, 0.36f};

// Small fixed irregularities, so that no two tiers and no two branches are alike.
float jitter(int a, int b) { return (float)(((a * 131 + b * 71) * 2654435761u >> 16) % 1000) / 1000.0f - 0.5f; }

struct Model {
    std::vector<WorldModelVertex> v;
    // Flat-shaded: the face's normal turned away from `inside`.
    void tri(V3 a, V3 b, V3 c, Rgb ca, Rgb cb, Rgb cc, V3 inside)
    {
        V3 n = cross(b - a, c - a);
        V3 mid = {(a.x + b.x + c.x) / 3 - inside.x, (a.y + b.y + c.y) / 3 - inside.y, (a.z + b.z + c.z) / 3 - inside.z};
        float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (len <= 0) return;
        float sign = n.x * mid.x + n.y * mid.y + n.z * mid.z < 0 ? -1.0f : 1.0f;
        V3 u = {sign * n.x / len, sign * n.y / len, sign * n.z / len};
        for (auto pc : {std::make_pair(a, ca), std::make_pair(b, cb), std::make_pair(c, cc)}) {
            WorldModelVertex w;
            w.p[0] = pc.first.x, w.p[1] = pc.first.y, w.p[2] = pc.first.z;
            w.n[0] = (signed char)std::lround(127 * u.x), w.n[1] = (signed char)std::lround(127 * u.y);
            w.n[2] = (signed char)std::lround(127 * u.z);
            w.c[0] = (unsigned char)std::lround(255 * pc.second.r), w.c[1] = (unsigned char)std::lround(255 * pc.second.g);
            w.c[2] = (unsigned char)std::lround(255 * pc.second.b);
            v.push_back(w);
        }
    }
    void quad(V3 a, V3 b, V3 c, V3 d, Rgb col, V3 inside)
    {
        tri(a, b, c, col, col, col, inside);
        tri(a, c, d, col, col, col, inside);
    }
    // An upright prism of `sides` from y0 to y1, radius r, at (x, z).
    void post(float x, float z, float y0, float y1, float r, int sides, Rgb col)
    {
        for (int k = 0; k < sides; k++) {
            float a0 = 2 * PI * k / sides, a1 = 2 * PI * (k + 1) / sides;
            V3 p0 = {x + r * std::cos(a0), y0, z + r * std::sin(a0)}, p1 = {x + r * std::cos(a1), y0, z + r * std::sin(a1)};
            quad(p0, p1, {p1.x, y1, p1.z}, {p0.x, y1, p0.z}, col, {x, (y0 + y1) / 2, z});
        }
    }
    // A box from lo to hi, without its bottom.
    void box(V3 lo, V3 hi, Rgb col)
    {
        V3 in = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
        quad({lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, col, in);
        quad({lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, col, in);
        quad({lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z}, col, in);
        quad({hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, col, in);
        quad({lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, col, in);
    }
};

// One tier of a conifer: branch tips at full radius drooping to the base, notches between them
// shorter and higher; the tips carry snow, the apex more.
void tier(Model& m, int salt, float base, float top, float radius, int tips, Rgb needles, float snow)
{
    V3 apex = {0, top, 0};
    int n = 2 * tips;
    float turn = 2 * PI * jitter(salt, 0);
    std::vector<V3> ring(n);
    for (int k = 0; k < n; k++) {
        bool tip = k % 2 == 0;
        float a = turn + 2 * PI * (k + 0.2f * jitter(salt, k)) / n;
        float r = radius * (tip ? 1.0f + 0.15f * jitter(salt, k + 9) : 0.6f);
        ring[k] = {r * std::cos(a), tip ? base : base + 0.25f * (top - base), r * std::sin(a)};
    }
    Rgb apexColour = mixRgb(needles, SNOW, 0.75f * snow);
    for (int k = 0; k < n; k++) {
        bool tip = k % 2 == 0;
        Rgb c0 = mixRgb(needles, SNOW, tip ? snow : 0.1f), c1 = mixRgb(needles, SNOW, !tip ? snow : 0.1f);
        m.tri(apex, ring[k], ring[(k + 1) % n], apexColour, c0, c1, {0, base, 0});
    }
}

void cone(Model& m, float base, float top, float radius, int sides, Rgb body, Rgb apex)
{
    for (int k = 0; k < sides; k++) {
        float a0 = 2 * PI * k / sides, a1 = 2 * PI * (k + 1) / sides;
        m.tri({0, top, 0}, {radius * std::cos(a0), base, radius * std::sin(a0)}, {radius * std::cos(a1), base, radius * std::sin(a1)},
              apex, body, body, {0, base, 0});
    }
}

// A crown of two cones back to back, widest at `mid`.
void bipyramid(Model& m, float bottom, float mid, float top, float radius, int sides, Rgb low, Rgb high)
{
    for (int k = 0; k < sides; k++) {
        float a0 = 2 * PI * (k + 0.5f) / sides, a1 = 2 * PI * (k + 1.5f) / sides;
        V3 p0 = {radius * std::cos(a0), mid, radius * std::sin(a0)}, p1 = {radius * std::cos(a1), mid, radius * std::sin(a1)};
        Rgb side = mixRgb(low, high, 0.5f);
        m.tri({0, top, 0}, p0, p1, high, side, side, {0, mid, 0});
        m.tri({0, bottom, 0}, p0, p1, low, side, side, {0, mid, 0});
    }
}

// The far look of a tree: two upright triangles crossed, its outline from any side.
Model crossed(float base, float top, float radius, Rgb body, Rgb apex)
{
    Model m;
    for (float a : {0.3f, 0.3f + PI / 2}) {
        float dx = radius * std::cos(a), dz = radius * std::sin(a);
        m.tri({0, top, 0}, {-dx, base, -dz}, {dx, base, dz}, apex, body, body, {dz, (base + top) / 2, -dx});
    }
    return m;
}

Model fir(Rgb needles, bool far)
{
    Model m;
    if (far) {
        cone(m, 60, 1100, 430, 5, needles, mixRgb(needles, SNOW, 0.6f));
        return m;
    }
    m.post(0, 0, -40, 200, 45, 3, BARK);
    static const float BASE[3] = {130, 450, 730}, TOP[3] = {700, 950, 1120}, RADIUS[3] = {430, 320, 200};
    for (int t = 0; t < 3; t++) tier(m, t + 1, BASE[t], TOP[t], RADIUS[t], 5, needles, 0.55f);
    return m;
}

Model spruce(Rgb needles, bool far)
{
    Model m;
    if (far) {
        cone(m, 60, 1450, 300, 4, needles, mixRgb(needles, SNOW, 0.5f));
        return m;
    }
    m.post(0, 0, -40, 220, 40, 3, BARK);
    static const float BASE[4] = {150, 450, 750, 1020}, TOP[4] = {640, 900, 1180, 1450}, RADIUS[4] = {320, 260, 190, 120};
    for (int t = 0; t < 4; t++) tier(m, t + 11, BASE[t], TOP[t], RADIUS[t], 5, needles, 0.45f);
    return m;
}

Model pine(Rgb needles, bool far)
{
    Model m;
    Rgb snowy = mixRgb(needles, SNOW, 0.65f);
    if (far) {
        bipyramid(m, 640, 900, 1200, 380, 4, needles, snowy);
        return m;
    }
    m.post(0, 0, -40, 760, 35, 4, {0.5f, 0.3f, 0.2f});
    bipyramid(m, 640, 880, 1180, 400, 6, needles, snowy);
    bipyramid(m, 900, 1020, 1260, 240, 4, needles, snowy);
    return m;
}

Model birch(bool far)
{
    Model m;
    Rgb tips = mixRgb(BARE_CROWN, SNOW, 0.35f);
    if (far) {
        bipyramid(m, 300, 650, 1050, 300, 3, BARE_CROWN, tips);
        return m;
    }
    m.post(0, 0, -40, 620, 28, 3, BIRCH_BARK);
    m.post(0, 0, 260, 300, 30, 3, BLACK);  // the dark band birches carry
    bipyramid(m, 320, 680, 1080, 320, 5, BARE_CROWN, tips);
    return m;
}

Model rock(bool far)
{
    Model m;
    V3 in = {0, 80, 0};
    if (far) {
        for (int k = 0; k < 4; k++) {
            float a0 = PI / 2 * k, a1 = PI / 2 * (k + 1);
            m.tri({0, 220, 0}, {260 * std::cos(a0), -20, 260 * std::sin(a0)}, {260 * std::cos(a1), -20, 260 * std::sin(a1)},
                  SNOW, ROCK, ROCK, in);
        }
        return m;
    }
    const int N = 6;
    V3 low[N], mid[N];
    for (int k = 0; k < N; k++) {
        float a = 2 * PI * k / N, b = 2 * PI * (k + 0.5f) / N;
        float r0 = 260 * (1 + 0.3f * jitter(k, 40)), r1 = 190 * (1 + 0.35f * jitter(k, 41));
        low[k] = {r0 * std::cos(a), -30, r0 * std::sin(a)};
        mid[k] = {r1 * std::cos(b), 140 + 60 * jitter(k, 42), r1 * std::sin(b)};
    }
    V3 top = {30, 230, -20};
    Rgb dark = {ROCK.r * 0.75f, ROCK.g * 0.75f, ROCK.b * 0.78f};
    for (int k = 0; k < N; k++) {
        int n = (k + 1) % N;
        m.tri(low[k], low[n], mid[k], dark, dark, ROCK, in);
        m.tri(low[n], mid[n], mid[k], dark, ROCK, ROCK, in);
        m.tri(mid[k], mid[n], top, mixRgb(ROCK, SNOW, 0.5f), mixRgb(ROCK, SNOW, 0.5f), SNOW, in);
    }
    return m;
}

// A piste marker: an orange pole with a black top and a small flag.
Model flag()
{
    Model m;
    m.post(0, 0, -20, 170, 9, 4, MARKER);
    m.post(0, 0, 170, 230, 9, 4, BLACK);
    m.quad({0, 175, 0}, {70, 182, 0}, {70, 222, 0}, {0, 228, 0}, MARKER, {35, 200, -10});
    return m;
}

// A slalom gate: two poles and the panel between them, to one side of the line (+Z from its foot).
Model gate(Rgb colour)
{
    const float WIDTH = 130, TOP = 200, PANEL_LOW = 95;
    Model m;
    m.post(0, 0, -20, TOP, 7, 4, colour);
    m.post(0, WIDTH, -20, TOP, 7, 4, colour);
    m.quad({0, PANEL_LOW, 0}, {0, PANEL_LOW, WIDTH}, {0, TOP - 15, WIDTH}, {0, TOP - 15, 0}, colour, {-10, 150, WIDTH / 2});
    m.quad({0, PANEL_LOW + 35, 10}, {0, PANEL_LOW + 35, WIDTH - 10}, {0, PANEL_LOW + 50, WIDTH - 10},
           {0, PANEL_LOW + 50, 10}, WHITE, {-20, 150, WIDTH / 2});
    return m;
}

// A rope fence's length: a post and two bands of orange rope to the next post down the line.
Model fence()
{
    Model m;
    m.post(0, 0, -20, 115, 7, 4, WOOD);
    for (float y : {55.0f, 95.0f})
        m.quad({0, y, 0}, {worldFenceStep, y, 0}, {worldFenceStep, y + 14, 0}, {0, y + 14, 0}, FENCE, {0, y, -10});
    return m;
}

// The start hut: a timber hut with a snowy roof, a door and a lit window facing down the track.
Model hut()
{
    const float L = 420, H = 300, W = 360, RIDGE = 440, EAVE = 40;
    Model m;
    m.box({-L / 2, -30, -W / 2}, {L / 2, H, W / 2}, WOOD);
    V3 in = {0, H, 0};
    for (float s : {1.0f, -1.0f}) {
        m.quad({-L / 2 - EAVE, H - 20, s * (W / 2 + EAVE)}, {L / 2 + EAVE, H - 20, s * (W / 2 + EAVE)}, {L / 2 + EAVE, RIDGE, 0},
               {-L / 2 - EAVE, RIDGE, 0}, SNOW, in);
        m.quad({-L / 2 - EAVE, H - 28, s * (W / 2 + EAVE)}, {L / 2 + EAVE, H - 28, s * (W / 2 + EAVE)},
               {L / 2 + EAVE, H - 20, s * (W / 2 + EAVE)}, {-L / 2 - EAVE, H - 20, s * (W / 2 + EAVE)}, ROOF, in);
        m.tri({s * L / 2, H, -W / 2}, {s * L / 2, H, W / 2}, {s * L / 2, RIDGE, 0}, WOOD, WOOD, WOOD, {0, H, 0});
    }
    m.quad({L / 2 + 2, 0, -60}, {L / 2 + 2, 0, 60}, {L / 2 + 2, 210, 60}, {L / 2 + 2, 210, -60}, DOOR, {0, 100, 0});
    m.quad({L / 2 + 2, 140, 90}, {L / 2 + 2, 140, 160}, {L / 2 + 2, 220, 160}, {L / 2 + 2, 220, 90}, WINDOW, {0, 180, 0});
    return m;
}

// The finish arch: two blue pillars and a checked banner across the line.
Model arch(float halfWidth)
{
    const float TOP = 1000, BANNER_LOW = 760, PILLAR = 80, DEPTH = 50;
    const int CHECKS = 12;
    Model m;
    for (float s : {1.0f, -1.0f}) {
        m.box({-PILLAR, -40, s * halfWidth - PILLAR}, {PILLAR, TOP, s * halfWidth + PILLAR}, PILLAR_BLUE);
        m.box({-PILLAR - 2, 300, s * halfWidth - PILLAR - 2}, {PILLAR + 2, 420, s * halfWidth + PILLAR + 2}, BANNER_RED);
    }
    m.box({-DEPTH, BANNER_LOW, -halfWidth}, {DEPTH, TOP, halfWidth}, WHITE);
    float step = 2 * halfWidth / CHECKS, mid = (BANNER_LOW + TOP) / 2;
    for (int k = 0; k < CHECKS; k++)
        for (int row = 0; row < 2; row++) {
            if ((k + row) % 2) continue;
            float z0 = -halfWidth + k * step, y0 = BANNER_LOW + row * (TOP - BANNER_LOW) / 2;
            for (float x : {-DEPTH - 2, DEPTH + 2})
                m.quad({x, y0, z0}, {x, y0, z0 + step}, {x, y0 + (TOP - BANNER_LOW) / 2, z0 + step},
                       {x, y0 + (TOP - BANNER_LOW) / 2, z0}, BLACK, {0, mid, z0 + step / 2});
        }
    return m;
}

} // namespace

std::vector<std::vector<WorldModelVertex>> worldModels(int theme, float archHalfWidth)
{
    Rgb needles = NEEDLES[theme >= 0 && theme < TRACK_THEME_COUNT ? theme : 0];
    std::vector<Model> models(worldModelKinds);
    Rgb snowy = mixRgb(needles, SNOW, 0.55f), bareTips = mixRgb(BARE_CROWN, SNOW, 0.3f);
    models[worldFir] = fir(needles, false);
    models[worldFirMid] = fir(needles, true);
    models[worldFirFar] = crossed(60, 1100, 430, needles, snowy);
    models[worldSpruce] = spruce(needles, false);
    models[worldSpruceMid] = spruce(needles, true);
    models[worldSpruceFar] = crossed(60, 1450, 300, needles, snowy);
    models[worldPine] = pine(needles, false);
    models[worldPineMid] = pine(needles, true);
    models[worldPineFar] = crossed(500, 1250, 380, needles, snowy);
    models[worldBirch] = birch(false);
    models[worldBirchMid] = birch(true);
    models[worldBirchFar] = crossed(250, 1080, 300, BARE_CROWN, bareTips);
    models[worldRock] = rock(false);
    models[worldRockFar] = rock(true);
    models[worldFlag] = flag();
    models[worldGateRed] = gate(GATE_RED);
    models[worldGateBlue] = gate(GATE_BLUE);
    models[worldFence] = fence();
    models[worldHut] = hut();
    models[worldArch] = arch(archHalfWidth);
    std::vector<std::vector<WorldModelVertex>> out;
    for (const Model& m : models) out.push_back(m.v);
    return out;
}
