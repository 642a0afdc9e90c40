// Takes the rider recipes and writes each rider's skinned model, its 128 x 128 texture and its card.
#include "content.h"
#include "modelBuilder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "skier/skierLib.h"

static const int TEXTURE_SIZE = 128;
static const int REGIONS_PER_SIDE = 4;
static const int CARD_TEXT = 256;
static const int LIMB_SIDES = 8;
static const float RIDER_GLOW = 0.35f;  // the chase camera sees the rider's unlit back

// Texture regions, one colour area each.
enum Region { JACKET, ACCENT, PANTS, SKIN, FACE, HELMET, GOGGLES, GLOVES, BOOTS, SKIS, POLES, WOOL };

struct RiderRecipe {
    std::string id, nickname, name, country, headwear = "helmet";
    float weight = 70, size = 1.75f, age = 25, build = 1.0f;
    float colours[12][3] = {};
};

static const char* COLOUR_KEYS[12] = {"jacket", "accent", "pants", "skin", "face", "helmet",
                                      "goggles", "gloves", "boots", "skis", "poles", "wool"};

// Joints without a rotation centre get a position in the file for the modeller's sake only.
static const float FREE_JOINTS[][4] = {
    {8, -15.6f, -184.0f, -20.0f}, {9, 15.5f, -184.0f, -20.0f}, {11, 0.1f, -2.0f, -35.5f},
    {13, 0.2f, 40.0f, -36.0f},    {17, 100.0f, -8.6f, -34.7f}, {21, -100.0f, -9.6f, -34.5f},
};
static const char* JOINT_NAMES[22] = {
    "jbassin",        "jbascolonne",     "jhanchegauche", "jhanchedroite", "jgenoudroite",  "jgenougauche",
    "jchevillegauche", "jchevilledroite", "jpieddroite",   "jpiedgauche",   "jmidcolonne",   "jcou",
    "jtete",          "jsommettete",     "jepaulegauche", "jcoudegauche",  "jpoignetgauche", "jmaingauche",
    "jepauledroite",  "jcoudedroite",    "jpoignetdroite", "jmaindroite"};
static const int JOINT_PARENTS[22] = {-1, 0, 0, 0, 3, 2, 5, 4, 7, 6, 1, 10, 11, 12, 11, 14, 15, 16, 11, 18, 19, 20};

static Vec3 joint(int j)
{
    for (const float* f : FREE_JOINTS)
        if ((int)f[0] == j) return {f[1], f[2], f[3]};
    float c[3];
    centreJoint(j, c);
    return {c[0], c[1], c[2]};
}

static Vec3 offset(Vec3 a, float dx, float dy, float dz) { return {a.x + dx, a.y + dy, a.z + dz}; }

static UvRect region(Region r)
{
    const float inset = 2.0f / TEXTURE_SIZE, cell = 1.0f / REGIONS_PER_SIDE;
    float u = (r % REGIONS_PER_SIDE) * cell, v = (r / REGIONS_PER_SIDE) * cell;
    return {u + inset, v + inset, u + cell - inset, v + cell - inset};
}

// One line of a rider recipe into r; false when it is not a line the tool knows.
static bool readRiderLine(const std::string& line, RiderRecipe& r)
{
    std::istringstream s(line);
    std::string key, rest;
    if (!(s >> key) || key[0] == '#') return true;
    for (int k = 0; k < 12; k++)
        if (key == COLOUR_KEYS[k]) {
            for (float& c : r.colours[k]) {
                if (!(s >> c)) return false;
                c /= 255.0f;
            }
            return true;
        }
    if (key == "weight") return (bool)(s >> r.weight);
    if (key == "size") return (bool)(s >> r.size);
    if (key == "age") return (bool)(s >> r.age);
    if (key == "build") return (bool)(s >> r.build);
    std::getline(s >> std::ws, rest);
    if (key == "nickname") r.nickname = rest;
    else if (key == "name") r.name = rest;
    else if (key == "country") r.country = rest;
    else if (key == "headwear") r.headwear = rest;
    else return false;
    return true;
}

static bool readRider(const std::string& path, const std::string& id, RiderRecipe& r)
{
    std::ifstream in(path);
    if (!in) {
        contentError("Can't open %s", path.c_str());
        return false;
    }
    r.id = id;
    std::string line;
    for (int number = 1; std::getline(in, line); number++)
        if (!readRiderLine(line, r)) {
            contentError("%s:%i: can't read \"%s\"", path.c_str(), number, line.c_str());
            return false;
        }
    if (r.colours[FACE][0] + r.colours[FACE][1] + r.colours[FACE][2] == 0)
        std::copy(r.colours[SKIN], r.colours[SKIN] + 3, r.colours[FACE]);
    return true;
}

static void addTorsoAndHead(ModelBuilder& m, const RiderRecipe& r)
{
    float g = r.build;
    ModelGroup& body = m.group("body", 0);
    m.box(body, {-21 * g, -82, -49}, {21 * g, -58, -21}, 0, region(PANTS));
    m.tube(body, offset(joint(1), 0, 2, 0), offset(joint(10), 0, 0, 0), 19 * g, 22 * g, LIMB_SIDES, 1, region(ACCENT));
    m.tube(body, joint(10), offset(joint(10), 0, 28, -1), 22 * g, 25 * g, LIMB_SIDES, 10, region(JACKET));
    m.tube(body, offset(joint(11), 0, -6, 0), offset(joint(11), 0, 8, 0), 7, 7, LIMB_SIDES, 11, region(SKIN));
    ModelGroup& head = m.group("head", 0);
    Vec3 h = offset(joint(12), 0, 10, 0);
    m.ellipsoid(head, h, {11, 13, 12}, 8, 12, 12, region(FACE));
    m.box(head, offset(h, -9, 1, 9), offset(h, 9, 7, 13), 12, region(GOGGLES));
    if (r.headwear == "beanie") {
        m.ellipsoid(head, offset(h, 0, 5, 0), {12, 10, 12.5f}, 6, 12, 13, region(WOOL));
        m.ellipsoid(head, offset(h, 0, 17, 0), {5, 5, 5}, 4, 6, 13, region(ACCENT));
    } else {
        m.ellipsoid(head, offset(h, 0, 4, -1), {13, 12, 14}, 6, 12, 13, region(HELMET));
        if (r.headwear == "visor") m.box(head, offset(h, -12, 6, 10), offset(h, 12, 8, 19), 13, region(HELMET));
    }
}

// side +1 is the rider's left (+x); joints differ by side.
static void addArm(ModelBuilder& m, const RiderRecipe& r, int side)
{
    int shoulder = side > 0 ? 14 : 18, elbow = shoulder + 1, wrist = shoulder + 2, hand = shoulder + 3;
    ModelGroup& arms = m.group("arms", 0);
    float g = r.build;
    m.tube(arms, offset(joint(shoulder), -side * 18 * g, 0, 0), joint(elbow), 8 * g, 6.5f * g, LIMB_SIDES, shoulder,
           region(JACKET));
    m.tube(arms, joint(elbow), joint(wrist), 6.5f * g, 5.5f * g, LIMB_SIDES, elbow, region(ACCENT));
    m.ellipsoid(arms, offset(joint(wrist), side * 6, 0, 0), {7, 4.5f, 5.5f}, 5, 8, wrist, region(GLOVES));
    m.tube(m.group("poles", 0), offset(joint(hand), -side * 4, 0, 0), offset(joint(hand), -side * 4, -140, 25), 1.6f,
           1.2f, 5, hand, region(POLES));
}

static void addLeg(ModelBuilder& m, const RiderRecipe& r, int side)
{
    int hip = side > 0 ? 2 : 3, knee = side > 0 ? 5 : 4, ankle = side > 0 ? 6 : 7, foot = side > 0 ? 9 : 8;
    ModelGroup& legs = m.group("legs", 0);
    float g = r.build;
    m.tube(legs, joint(hip), joint(knee), 11 * g, 8.5f * g, LIMB_SIDES, hip, region(PANTS));
    m.tube(legs, joint(knee), offset(joint(ankle), 0, 4, 0), 8.5f * g, 7 * g, LIMB_SIDES, knee, region(PANTS));
    Vec3 a = joint(ankle);
    m.box(legs, offset(a, -8, -9, -14), offset(a, 8, 5, 18), foot, region(BOOTS));
    // Ski under the boot, along z from tail to nose, the nose turned up.
    const float* nose = side > 0 ? noseSkiGauchePos : noseSkiDroitPos;
    const float* tail = side > 0 ? tailSkiGauchePos : tailSkiDroitPos;
    ModelGroup& skis = m.group("skis", 0);
    float y = nose[1];
    m.box(skis, {a.x - 6, y - 1.5f, tail[2] + 12}, {a.x + 6, y + 1.5f, nose[2] - 12}, ankle, region(SKIS));
    m.tube(skis, {a.x, y, nose[2] - 14}, {a.x, y + 7, nose[2]}, 6, 4, 4, ankle, region(SKIS));
    m.tube(skis, {a.x, y, tail[2] + 14}, {a.x, y + 4, tail[2]}, 6, 4, 4, ankle, region(SKIS));
}

static void addSkeleton(ModelBuilder& m)
{
    for (int j = 0; j < 22; j++)
        m.bones.push_back({JOINT_NAMES[j], JOINT_PARENTS[j] < 0 ? "sans" : JOINT_NAMES[JOINT_PARENTS[j]], joint(j)});
}

static int shadeOf(float c, float f) { return std::min(255, std::max(0, (int)(c * 255 * f))); }

static unsigned noiseAt(int x, int y) { return ((unsigned)x * 73856093u ^ (unsigned)y * 19349663u) % 17; }

// One colour area per region, with a little grain and the details of a few regions.
static void writeSkin(const std::string& path, const RiderRecipe& r)
{
    Picture pic(TEXTURE_SIZE, TEXTURE_SIZE);
    int cell = TEXTURE_SIZE / REGIONS_PER_SIDE;
    for (int v = 0; v < TEXTURE_SIZE; v++)
        for (int u = 0; u < TEXTURE_SIZE; u++) {
            int reg = (v / cell) * REGIONS_PER_SIDE + u / cell;
            float fu = (float)(u % cell) / cell, fv = (float)(v % cell) / cell;
            const float* c = r.colours[reg < 12 ? reg : JACKET];
            float f = 0.92f + 0.01f * noiseAt(u, v);
            if (reg == ACCENT && (u / 4) % 2) c = r.colours[JACKET];
            if (reg == HELMET && fv > 0.45f && fv < 0.55f) c = r.colours[ACCENT];
            if (reg == GOGGLES) f *= 0.6f + 0.8f * fv;
            if (reg == SKIS && fu > 0.4f && fu < 0.6f) c = r.colours[ACCENT];
            if (reg == FACE && fv > 0.3f && fv < 0.36f && fu > 0.2f && fu < 0.3f) f *= 0.55f;  // mouth
            pic.set(u, TEXTURE_SIZE - 1 - v, shadeOf(c[0], f), shadeOf(c[1], f), shadeOf(c[2], f));
        }
    writeBmp(path, pic);
}

static void putText(FILE* f, const std::string& s)
{
    char buf[CARD_TEXT] = {0};
    snprintf(buf, sizeof buf, "%s", s.c_str());
    fwrite(buf, 1, sizeof buf, f);
}

static void putFloat(FILE* f, float v)
{
    unsigned u;
    memcpy(&u, &v, sizeof u);
    unsigned char b[4] = {(unsigned char)(u >> 24), (unsigned char)(u >> 16), (unsigned char)(u >> 8), (unsigned char)u};
    fwrite(b, 1, 4, f);
}

static void writeCard(const std::string& path, const RiderRecipe& r)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        contentError("Can't open %s", path.c_str());
        return;
    }
    putText(f, r.id);
    putText(f, r.nickname);
    putText(f, r.name);
    putFloat(f, r.weight);
    putFloat(f, r.size);
    putText(f, r.country);
    putFloat(f, r.age);
    fclose(f);
}

static void writeRider(const std::string& dir, const RiderRecipe& r)
{
    ModelBuilder m;
    m.glow(m.addMaterial("rider", 1, 1, 1, ":data:models:" + r.id + ":skin.bmp"), RIDER_GLOW);
    addTorsoAndHead(m, r);
    for (int side : {1, -1}) {
        addArm(m, r, side);
        addLeg(m, r, side);
    }
    addSkeleton(m);
    if (m.vertexCount() > maxVerticesSkier || m.triangleCount() > maxFacesSkier || m.normalCount() > maxNormalesSkier)
        fprintf(stderr, "rider %s is over the model capacities\n", r.id.c_str());
    m.write(dir + "/" + r.id + ".3d");
    writeSkin(dir + "/skin.bmp", r);
    writeCard(dir + "/" + r.id + ".car", r);
}

void genRiders(const std::string& recipes, const std::string& data)
{
    std::vector<std::string> ids;
    if (DIR* d = opendir((recipes + "/riders").c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n.size() > 6 && n.substr(n.size() - 6) == ".rider") ids.push_back(n.substr(0, n.size() - 6));
        }
        closedir(d);
    }
    std::sort(ids.begin(), ids.end());
    for (const std::string& id : ids) {
        RiderRecipe r;
        if (!readRider(recipes + "/riders/" + id + ".rider", id, r)) continue;
        std::string dir = data + "/models/" + id;
        mkdir(dir.c_str(), 0755);
        writeRider(dir, r);
    }
}
