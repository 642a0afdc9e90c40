// Takes the rider recipes and writes each rider's skinned model, its 128 x 128 texture and its card.
#include "content.h"
#include "modelBuilder.h"
#include "riderRecipe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "skier/skierLib.h"

static const int CARD_TEXT = 256;
static const float RIDER_GLOW = 0.35f;  // the chase camera sees the rider's unlit back

static const float DEFAULT_HAIR[3] = {0.35f, 0.22f, 0.12f}, DEFAULT_EYES[3] = {0.25f, 0.3f, 0.35f};

static const char* COLOUR_KEYS[RIDER_COLOURS] = {"jacket", "accent", "pants", "skin",  "face",  "helmet", "goggles",
                                                 "gloves", "boots",  "skis",  "poles", "wool",  "hair",   "eyes"};

static const char* JOINT_NAMES[22] = {
    "jbassin",        "jbascolonne",     "jhanchegauche", "jhanchedroite", "jgenoudroite",  "jgenougauche",
    "jchevillegauche", "jchevilledroite", "jpieddroite",   "jpiedgauche",   "jmidcolonne",   "jcou",
    "jtete",          "jsommettete",     "jepaulegauche", "jcoudegauche",  "jpoignetgauche", "jmaingauche",
    "jepauledroite",  "jcoudedroite",    "jpoignetdroite", "jmaindroite"};
static const int JOINT_PARENTS[22] = {-1, 0, 0, 0, 3, 2, 5, 4, 7, 6, 1, 10, 11, 12, 11, 14, 15, 16, 11, 18, 19, 20};

UvRect riderRegion(Region r)
{
    const float inset = 2.0f / RIDER_TEXTURE_SIZE, cell = 1.0f / RIDER_REGIONS_PER_SIDE;
    float u = (r % RIDER_REGIONS_PER_SIDE) * cell, v = (r / RIDER_REGIONS_PER_SIDE) * cell;
    return {u + inset, v + inset, u + cell - inset, v + cell - inset};
}

// One line of a rider recipe into r; false when it is not a line the tool knows.
static bool readRiderLine(const std::string& line, RiderRecipe& r)
{
    std::istringstream s(line);
    std::string key, rest;
    if (!(s >> key) || key[0] == '#') return true;
    for (int k = 0; k < RIDER_COLOURS; k++)
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
    else if (key == "gear") r.gear = rest;
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
    for (int k = 0; k < 3; k++) {
        if (r.colours[HAIR][0] + r.colours[HAIR][1] + r.colours[HAIR][2] == 0) r.colours[HAIR][k] = DEFAULT_HAIR[k];
        if (r.colours[EYES][0] + r.colours[EYES][1] + r.colours[EYES][2] == 0) r.colours[EYES][k] = DEFAULT_EYES[k];
    }
    return true;
}

static void addSkeleton(ModelBuilder& m)
{
    for (int j = 0; j < 22; j++)
        m.bones.push_back({JOINT_NAMES[j], JOINT_PARENTS[j] < 0 ? "sans" : JOINT_NAMES[JOINT_PARENTS[j]], riderJoint(j)});
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
    buildRiderBody(m, r);
    addSkeleton(m);
    if (m.vertexCount() > maxVerticesSkier || m.triangleCount() > maxFacesSkier || m.normalCount() > maxNormalesSkier)
        contentError("rider %s: %i vertices, %i normals, %i triangles: over the model capacities", r.id.c_str(),
                     m.vertexCount(), m.normalCount(), m.triangleCount());
    m.write(dir + "/" + r.id + ".3d");
    writeRiderSkin(dir + "/skin.bmp", r);
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
