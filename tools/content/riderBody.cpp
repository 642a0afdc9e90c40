// Takes a rider recipe and returns the rider's body in the model builder: limbs lofted between the
// joint centres, a ball round every bending joint so no pose opens a gap, hands, head, face and gear.
#include "riderRecipe.h"

#include <cmath>

#include "skier/skierLib.h"

static const int LIMB_SIDES = 8, TORSO_SIDES = 12, HEAD_SLICES = 10;
static const int BALL_STACKS = 3, BALL_SLICES = 8;
static const float HEAD_LIFT = 10.0f;            // the skull's centre above the head's pivot
static const float POLE_LENGTH = 140.0f, POLE_RAKE = 25.0f;
static const float DEGREES = 0.0174533f;

// Joints without a rotation centre get a position in the file for the modeller's sake only.
static const float FREE_JOINTS[][4] = {
    {8, -15.6f, -184.0f, -20.0f}, {9, 15.5f, -184.0f, -20.0f}, {11, 0.1f, -2.0f, -35.5f},
    {13, 0.2f, 40.0f, -36.0f},    {17, 100.0f, -8.6f, -34.7f}, {21, -100.0f, -9.6f, -34.5f},
};

Vec3 riderJoint(int j)
{
    for (const float* f : FREE_JOINTS)
        if ((int)f[0] == j) return {f[1], f[2], f[3]};
    float c[3];
    centreJoint(j, c);
    return {c[0], c[1], c[2]};
}

static Vec3 at(Vec3 a, float dx, float dy, float dz) { return {a.x + dx, a.y + dy, a.z + dz}; }
static Vec3 lerp(Vec3 a, Vec3 b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t}; }

// A round limb from a to b, swelling to rmid a little past a.
static void limb(ModelBuilder& m, ModelGroup& g, Vec3 a, Vec3 b, float ra, float rmid, float rb, int bone, Region r)
{
    m.loft(g, {{a, ra, ra}, {lerp(a, b, 0.4f), rmid, rmid}, {b, rb, rb}}, LIMB_SIDES, bone, riderRegion(r), false);
}

// A joint turns about its centre: a ball there, carried by the part before it, fills every bend.
static void ball(ModelBuilder& m, ModelGroup& g, Vec3 c, float radius, int bone, Region r)
{
    m.ellipsoid(g, c, {radius, radius, radius}, BALL_STACKS, BALL_SLICES, bone, riderRegion(r));
}

// A shell over the top of the head from latitude fromDeg up, its axis tipped back by tiltDeg so
// that it sits higher over the brow than over the nape.
static void dome(ModelBuilder& m, ModelGroup& g, Vec3 base, Vec3 radii, float fromDeg, float tiltDeg, int bone,
                 Region r)
{
    const int rings = 5;
    Vec3 up = {0, std::cos(tiltDeg * DEGREES), -std::sin(tiltDeg * DEGREES)};
    std::vector<LoftRing> shell;
    for (int i = 0; i < rings; i++) {
        float lat = (fromDeg + (84.0f - fromDeg) * i / (rings - 1)) * DEGREES;
        float h = radii.y * std::sin(lat), w = std::cos(lat);
        shell.push_back({at(base, up.x * h, up.y * h, up.z * h), radii.z * w, radii.x * w});
    }
    m.loft(g, shell, HEAD_SLICES, bone, riderRegion(r), true);
}

// A band round the head (goggle strap, beanie cuff) between two heights above the skull's centre.
static void band(ModelBuilder& m, ModelGroup& g, Vec3 h, float from, float to, Vec3 radii, Region r)
{
    m.loft(g, {{at(h, 0, from, 0), radii.z, radii.x}, {at(h, 0, to, 0), radii.z, radii.x}}, HEAD_SLICES, 12,
           riderRegion(r), false);
}

static void addTorso(ModelBuilder& m, const RiderRecipe& r)
{
    float g = r.build;
    ModelGroup& body = m.group("body", 0);
    Vec3 spine = riderJoint(1), mid = riderJoint(10);
    float z = mid.z;
    m.ellipsoid(body, {0.2f, -72, z}, {21 * g, 13, 15 * g}, 4, 10, 0, riderRegion(PANTS));
    m.loft(body, {{{spine.x, -68, z}, 14.5f * g, 19 * g}, {{spine.x, -52, z}, 14 * g, 19.5f * g},
                  {{mid.x, mid.y, z}, 15 * g, 21 * g}},
           TORSO_SIDES, 1, riderRegion(JACKET), false);
    m.ellipsoid(body, mid, {20.5f * g, 8, 14.5f * g}, BALL_STACKS, 10, 1, riderRegion(JACKET));
    m.loft(body, {{{mid.x, -36, z}, 15 * g, 21 * g}, {{mid.x, -22, z}, 16.5f * g, 24 * g},
                  {{mid.x, -9, z}, 14 * g, 23 * g}, {{mid.x, -1, z}, 9 * g, 14 * g}},
           TORSO_SIDES, 10, riderRegion(JACKET), true);
    // the yoke carries the chest out to both shoulder balls
    m.loft(body, {{riderJoint(18), 10 * g, 8 * g}, {riderJoint(14), 10 * g, 8 * g}}, LIMB_SIDES, 10,
           riderRegion(JACKET), false);
    Vec3 neck = riderJoint(11);
    m.loft(body, {{at(neck, 0, -2, -0.3f), 6.5f, 6.5f}, {at(neck, 0, 16, -0.5f), 6, 6}}, LIMB_SIDES, 11,
           riderRegion(SKIN), false);
    if (r.gear == "backpack")
        m.box(m.group("gear", 0), {-13 * g, -32, z - 16 * g - 12}, {13 * g, -3, z - 14 * g}, 10, riderRegion(ACCENT));
}

// side +1 is the rider's left (+x); joints differ by side.
static void addArm(ModelBuilder& m, const RiderRecipe& r, int side)
{
    int shoulder = side > 0 ? 14 : 18, elbow = shoulder + 1, wrist = shoulder + 2, hand = shoulder + 3;
    float g = r.build;
    ModelGroup& arms = m.group("arms", 0);
    Vec3 s = riderJoint(shoulder), e = riderJoint(elbow), w = riderJoint(wrist);
    ball(m, arms, s, 9.5f * g, 10, JACKET);
    limb(m, arms, s, e, 8.5f * g, 8 * g, 6.8f * g, shoulder, JACKET);
    ball(m, arms, e, 6.8f * g, shoulder, JACKET);
    limb(m, arms, e, w, 6.8f * g, 6.4f * g, 5.4f * g, elbow, JACKET);
    m.loft(arms, {{lerp(e, w, 0.8f), 6.3f * g, 6.3f * g}, {w, 5.9f * g, 5.9f * g}}, LIMB_SIDES, elbow,
           riderRegion(ACCENT), false);
    // a mitten closed round the pole grip, thumb forward; it turns at the wrist like the pole
    ModelGroup& hands = m.group("hands", 0);
    m.ellipsoid(hands, at(w, side * 7, -1, 0.5f), {7.5f, 5, 5.8f}, BALL_STACKS, BALL_SLICES, wrist, riderRegion(GLOVES));
    m.ellipsoid(hands, at(w, side * 5, 1, 5.5f), {3.2f, 2.6f, 4}, 2, 6, wrist, riderRegion(GLOVES));
    Vec3 grip = at(riderJoint(hand), -side * 4, 0, 0), tip = at(grip, 0, -POLE_LENGTH, POLE_RAKE);
    ModelGroup& poles = m.group("poles", 0);
    m.tube(poles, grip, tip, 1.6f, 1.2f, 5, hand, riderRegion(POLES));
    m.tube(poles, lerp(grip, tip, 0.9f), lerp(grip, tip, 0.915f), 7, 7, 4, hand, riderRegion(POLES));
}

static void addLeg(ModelBuilder& m, const RiderRecipe& r, int side)
{
    int hip = side > 0 ? 2 : 3, knee = side > 0 ? 5 : 4, ankle = side > 0 ? 6 : 7, foot = side > 0 ? 9 : 8;
    float g = r.build;
    ModelGroup& legs = m.group("legs", 0);
    Vec3 p = riderJoint(hip), k = riderJoint(knee), a = riderJoint(ankle);
    ball(m, legs, p, 11.5f * g, 0, PANTS);
    limb(m, legs, p, k, 11.5f * g, 11 * g, 8.8f * g, hip, PANTS);
    ball(m, legs, k, 8.8f * g, hip, PANTS);
    // the trousers flare over the boot's cuff
    limb(m, legs, k, at(a, 0, 6, 0), 8.8f * g, 7.8f * g, 9 * g, knee, PANTS);
    ModelGroup& boots = m.group("boots", 0);
    m.box(boots, at(a, -8, -9, -13), at(a, 8, -2, 17), foot, riderRegion(BOOTS));
    m.loft(boots, {{at(a, 0, -3, -2), 9.5f, 8.5f}, {at(a, 0, 14, -2), 9.5f, 8.5f}}, LIMB_SIDES, foot,
           riderRegion(BOOTS), true);
    m.ellipsoid(boots, at(a, 0, -4, 11), {8, 5, 8}, 3, LIMB_SIDES, foot, riderRegion(BOOTS));
    // Ski under the boot, along z from tail to nose, the nose turned up.
    const float* nose = side > 0 ? noseSkiGauchePos : noseSkiDroitPos;
    const float* tail = side > 0 ? tailSkiGauchePos : tailSkiDroitPos;
    ModelGroup& skis = m.group("skis", 0);
    float y = nose[1];
    m.box(skis, {a.x - 6, y - 1.5f, tail[2] + 12}, {a.x + 6, y + 1.5f, nose[2] - 12}, ankle, riderRegion(SKIS));
    m.tube(skis, {a.x, y, nose[2] - 14}, {a.x, y + 7, nose[2]}, 6, 4, 4, ankle, riderRegion(SKIS));
    m.tube(skis, {a.x, y, tail[2] + 14}, {a.x, y + 4, tail[2]}, 6, 4, 4, ankle, riderRegion(SKIS));
}

static void addGoggles(ModelBuilder& m, ModelGroup& g, Vec3 h, float lift, float strapRadius)
{
    m.ellipsoid(g, at(h, 0, lift, 9.8f + lift * 0.15f), {9.5f, 4.2f, 3.5f}, 3, 10, 12, riderRegion(GOGGLES));
    band(m, g, h, lift - 1.6f, lift + 1.6f, {strapRadius - 0.9f, 0, strapRadius}, ACCENT);
}

static void addHead(ModelBuilder& m, const RiderRecipe& r)
{
    ModelGroup& head = m.group("head", 0);
    Vec3 h = at(riderJoint(12), 0, HEAD_LIFT, 0);
    m.ellipsoid(head, h, {10.5f, 12.5f, 11.5f}, 6, HEAD_SLICES, 12, riderRegion(FACE));
    m.ellipsoid(head, at(h, 0, -1.5f, 11.3f), {1.8f, 2.8f, 2.2f}, 3, 6, 12, riderRegion(FACE));
    if (r.headwear == "beanie") {
        dome(m, head, at(h, 0, 2, 0), {11.6f, 12, 12.6f}, -8, 10, 12, WOOL);
        band(m, head, h, 0.2f, 4.2f, {12.5f, 0, 13.2f}, ACCENT);
        m.ellipsoid(head, at(h, 0, 15.5f, -2.5f), {4.8f, 4.8f, 4.8f}, BALL_STACKS, 6, 13, riderRegion(ACCENT));
        addGoggles(m, head, h, 8.5f, 11.9f);  // pushed up on the beanie
        for (int side : {1, -1})
            m.ellipsoid(head, at(h, side * 4.2f, 2.2f, 10), {2.5f, 1.9f, 1.5f}, 3, 5, 12, riderRegion(EYES));
    } else {
        dome(m, head, at(h, 0, 3, 0), {12.5f, 13, 13.5f}, -10, 25, 12, HELMET);
        if (r.headwear == "visor")
            m.ellipsoid(head, at(h, 0, 2.5f, 6.5f), {11.8f, 6.2f, 7.2f}, BALL_STACKS, 10, 12, riderRegion(GOGGLES));
        else addGoggles(m, head, h, 3, 14.2f);
    }
    if (r.gear == "braid")
        m.loft(head, {{at(h, 0, -1, -10), 3.4f, 3.4f}, {at(h, 0, -12, -15), 2.9f, 2.9f}, {at(h, 0, -24, -16), 2, 2}},
               6, 12, riderRegion(HAIR), true);
}

void buildRiderBody(ModelBuilder& m, const RiderRecipe& r)
{
    addTorso(m, r);
    addHead(m, r);
    for (int side : {1, -1}) {
        addArm(m, r, side);
        addLeg(m, r, side);
    }
}
