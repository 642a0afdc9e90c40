// Takes the track recipes and writes each track's directory: binary and text track files, description, pictures.
#include "content.h"
#include "trackGen.h"
#include "trackWorld.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

static const int HEADER_TITLE_BYTES = 256;
static const int RESERVED_LONG = -99999, RESERVED_A = 0, RESERVED_B = 1;
static const float RESERVED_FLOAT = 200.0f;

// The same value sequence goes to both forms of the file.
struct TrackWriter {
    FILE* bin;
    FILE* txt;
    void putInt(int v)
    {
        unsigned u = (unsigned)v;
        unsigned char b[4] = {(unsigned char)(u >> 24), (unsigned char)(u >> 16), (unsigned char)(u >> 8),
                              (unsigned char)u};
        fwrite(b, 1, 4, bin);
        fprintf(txt, "%i\n", v);
    }
    void putFloat(float v)
    {
        unsigned u;
        static_assert(sizeof u == sizeof v, "32-bit floats");
        memcpy(&u, &v, sizeof u);
        unsigned char b[4] = {(unsigned char)(u >> 24), (unsigned char)(u >> 16), (unsigned char)(u >> 8),
                              (unsigned char)u};
        fwrite(b, 1, 4, bin);
        fprintf(txt, "%.9g\n", v);
    }
};

static void writeHeader(TrackWriter& w, const TrackRecipe& r, const TrackMesh& m)
{
    char title[HEADER_TITLE_BYTES] = {0};
    snprintf(title, sizeof title, "%s", r.title.c_str());
    fwrite(title, 1, sizeof title, w.bin);
    fprintf(w.txt, "%s\n", title);
    w.putInt(0);
    for (int k = 0; k < 3; k++) w.putFloat(0);
    for (int k = 0; k < 3; k++) w.putInt(0);
    for (int k = 0; k < 3; k++) w.putFloat(0);
    w.putInt(0);
    w.putInt(0);
    w.putInt(r.view);  // only the text form keeps it
    w.putInt(r.bombs);
    for (float v : r.spot) w.putFloat(v);
    for (float v : r.snow) w.putFloat(v);
    w.putFloat(m.depart);
    w.putFloat(m.arrivee);
}

static void writeBody(TrackWriter& w, const TrackMesh& m)
{
    w.putInt((int)m.points.size() / 3);
    for (float v : m.points) w.putFloat(v);
    w.putInt((int)m.faces.size() / 3);
    for (unsigned v : m.faces) w.putInt((int)v);
    w.putInt((int)m.normals.size() / 3);
    for (float v : m.normals) w.putFloat(v);
    w.putInt((int)m.surfaces.size());
    for (const TrackSurface& s : m.surfaces) {
        for (float v : s.st) w.putFloat(v);
        w.putInt(s.texIndex);
        w.putInt(s.surface);
    }
    w.putInt((int)m.obstacles.size());
    for (const TrackObstacle& o : m.obstacles) {
        w.putFloat(o.x);
        w.putFloat(o.y);
        w.putFloat(o.z);
        w.putInt(RESERVED_LONG);
        w.putInt(o.type);
        w.putInt(RESERVED_A);
        w.putInt(RESERVED_B);
        w.putFloat(RESERVED_FLOAT);
    }
    w.putInt((int)m.rescue.size() / 3);
    for (float v : m.rescue) w.putFloat(v);
}

static int writeDesc(const std::string& path, const TrackRecipe& r)
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return 1;
    for (const std::string& line : r.desc) fprintf(f, "%s\n", line.c_str());
    return fclose(f) != 0;
}

// The tune a track is ridden to, one line; no file leaves the game to pick one at random.
static int writeMusicChoice(const std::string& path, const TrackRecipe& r)
{
    if (r.music.empty()) return 0;
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return 1;
    fprintf(f, "%s\n", r.music.c_str());
    return fclose(f) != 0;
}

int writeTrackFiles(const std::string& dir, const TrackRecipe& r, const TrackMesh& m)
{
    std::string base = dir + "/" + r.name;
    TrackWriter w{fopen((base + ".btrk").c_str(), "wb"), fopen((base + ".trk").c_str(), "w")};
    int failed = !w.bin || !w.txt;
    if (!failed) {
        writeHeader(w, r, m);
        writeBody(w, m);
        failed |= ferror(w.bin) || ferror(w.txt);
    }
    if (w.bin) failed |= fclose(w.bin) != 0;
    if (w.txt) failed |= fclose(w.txt) != 0;
    failed |= writeDesc(base + ".desc", r);
    failed |= writeMusicChoice(base + ".music", r);
    if (failed) contentError("Can't write the track files of %s", base.c_str());
    return failed;
}

static std::vector<std::string> recipeFiles(const std::string& dir, const std::string& ext)
{
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > ext.size() && n.compare(n.size() - ext.size(), ext.size(), ext) == 0) names.push_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end());  // same order on every machine
    return names;
}

// A small number from the track's name: the same skyline on every build, another for each track.
static int skylineSeed(const std::string& name)
{
    unsigned h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return (int)(h % 10007);
}

int buildTrackFromRecipe(const TrackRecipe& r, const std::string& where, const std::string& data, bool withPictures)
{
    TrackMesh m;
    buildTrackMesh(r, m);
    int line = 0;
    std::string fault = trackMeshFault(r, m, &line);
    if (!fault.empty()) { // nothing of this track is written, and the build fails
        std::string at = where + (line ? ":" + std::to_string(line) : "");
        contentError("%s: the track built from it is broken: %s", at.c_str(), fault.c_str());
        return 1;
    }
    std::string dir = data + "/tracks/" + r.name;
    mkdir(dir.c_str(), 0755);
    if (writeTrackFiles(dir, r, m)) return 1;
    if (!withPictures) return 0;
    genTrackPictures(dir, r.theme, skylineSeed(r.name), m);
    genObstacleModels(dir, r.theme);
    writeTrackWorld(dir, r, m);
    genWorldSkyFaces(dir, r.theme, recipeWeather(r), skylineSeed(r.name));
    return 0;
}

static void writeTracks(const std::string& recipes, const std::string& data, bool withPictures)
{
    for (const std::string& file : recipeFiles(recipes + "/tracks", ".track")) {
        TrackRecipe r;
        if (readTrackRecipe(recipes + "/tracks/" + file, r)) continue;
        buildTrackFromRecipe(r, recipes + "/tracks/" + file, data, withPictures);
    }
}

void genTracks(const std::string& recipes, const std::string& data) { writeTracks(recipes, data, true); }
void genTrackFilesOnly(const std::string& recipes, const std::string& data) { writeTracks(recipes, data, false); }
