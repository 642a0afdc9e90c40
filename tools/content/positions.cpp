// Takes the trick recipe and writes one numbered position file per trick: name, trick keys and 37 joint angles.
#include "content.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

static const int POSE_SIZE = 37;
static const int TRICK_KEYS = 6;
static const int MAX_POSITIONS = 64;  // the game's table

// Pose vector order: right leg, left leg, lower spine, mid spine, right arm, left arm, head.
static const char* POSE_KEYS[POSE_SIZE] = {
    "hipRx", "hipRy", "hipRz", "kneeR", "ankleRx", "ankleRy", "ankleRz", "hipLx", "hipLy", "hipLz",
    "kneeL", "ankleLx", "ankleLy", "ankleLz", "lowX", "lowY", "lowZ", "midX", "midY", "midZ",
    "shRx", "shRy", "shRz", "elbR", "wrRx", "wrRy", "wrRz", "shLx", "shLy", "shLz",
    "elbL", "wrLx", "wrLy", "wrLz", "headX", "headY", "headZ"};

typedef std::vector<float> Pose;

static bool applyEntries(std::istringstream& in, Pose& pose)
{
    std::string entry;
    while (in >> entry) {
        size_t eq = entry.find('=');
        if (eq == std::string::npos) return false;
        const char** key = std::find_if(POSE_KEYS, POSE_KEYS + POSE_SIZE,
                                        [&](const char* k) { return entry.compare(0, eq, k) == 0 && k[eq] == 0; });
        if (key == POSE_KEYS + POSE_SIZE) return false;
        pose[key - POSE_KEYS] = (float)atof(entry.c_str() + eq + 1);
    }
    return true;
}

// Reads "NAME CODES... : BASE entries"; codes come out ascending, -1 after them.
static bool readTrick(std::istringstream& in, const std::map<std::string, Pose>& bases, std::string& name,
                      std::vector<int>& codes, Pose& pose)
{
    std::string tok, base;
    if (!(in >> name)) return false;
    while (in >> tok && tok != ":") {
        int c = atoi(tok.c_str());
        if (c < 0 || c >= TRICK_KEYS || std::find(codes.begin(), codes.end(), c) != codes.end()) return false;
        codes.push_back(c);
    }
    if (tok != ":" || codes.empty() || !(in >> base) || !bases.count(base)) return false;
    std::sort(codes.begin(), codes.end());
    while (codes.size() < TRICK_KEYS) codes.push_back(-1);
    pose = bases.at(base);
    return applyEntries(in, pose);
}

static void writePosition(const std::string& path, const std::string& name, const std::vector<int>& codes,
                          const Pose& pose)
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f) {
        contentError("Can't open %s", path.c_str());
        return;
    }
    fprintf(f, "%s\n", name.c_str());
    for (int c : codes) fprintf(f, "%i ", c);
    fprintf(f, "\n");
    for (int i = 0; i < POSE_SIZE; i++) fprintf(f, "%g%c", pose[i], i % 7 == 6 ? '\n' : ' ');
    fprintf(f, "\n");
    fclose(f);
}

void genPositions(const std::string& recipes, const std::string& data)
{
    std::string path = recipes + "/tricks.txt";
    std::ifstream in(path);
    if (!in) {
        contentError("Can't open %s", path.c_str());
        return;
    }
    std::map<std::string, Pose> bases;
    std::string line;
    int written = 0;
    for (int number = 1; std::getline(in, line); number++) {
        std::istringstream s(line);
        std::string key, name;
        if (!(s >> key) || key[0] == '#') continue;
        Pose pose(POSE_SIZE, 0.0f);
        std::vector<int> codes;
        bool ok = false;
        if (key == "pose") {
            ok = (bool)(s >> name) && applyEntries(s, pose);
            if (ok) bases[name] = pose;
        } else if (key == "trick" && written < MAX_POSITIONS && (ok = readTrick(s, bases, name, codes, pose))) {
            writePosition(data + "/positions/" + std::to_string(written++), name, codes, pose);
        }
        if (!ok) contentError("%s:%i: can't read \"%s\"", path.c_str(), number, line.c_str());
    }
    // Files left from a longer list would be loaded too: the game reads every contiguous number.
    for (int n = written; remove((data + "/positions/" + std::to_string(n)).c_str()) == 0; n++) {
    }
}
