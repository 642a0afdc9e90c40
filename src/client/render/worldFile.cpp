// Takes a track's "NAME.world" file (or a scene to write); returns the scene, or why the file was refused.
// Big-endian like the track file: "KESWORLD", a version, then the sections in the order of WorldScene.
#include "render/worldScene.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "fileio/safeOpen.h"
#include "track/trackModel.h"

static const char MAGIC[8] = {'K', 'E', 'S', 'W', 'O', 'R', 'L', 'D'};
static const int VERSION = 1;
static const float FAR_COORD = 1e7f;  // no place of a world lies this far out

namespace {

struct Reader {
    std::vector<unsigned char> bytes;
    size_t at = 0;
    bool ok = true;

    bool take(void* out, size_t n)
    {
        if (!ok || bytes.size() - at < n) return ok = false;
        memcpy(out, &bytes[at], n);
        at += n;
        return true;
    }
    unsigned u32()
    {
        unsigned char b[4] = {0, 0, 0, 0};
        take(b, 4);
        return (unsigned)b[0] << 24 | (unsigned)b[1] << 16 | (unsigned)b[2] << 8 | b[3];
    }
    int i32() { return (int)u32(); }
    short i16()
    {
        unsigned char b[2] = {0, 0};
        take(b, 2);
        return (short)(b[0] << 8 | b[1]);
    }
    float f32()
    {
        unsigned u = u32();
        float v;
        memcpy(&v, &u, 4);
        return v;
    }
    // A count in [0, most]; anything else damages the read.
    int count(int most)
    {
        int n = i32();
        if (n < 0 || n > most) ok = false;
        return ok ? n : 0;
    }
    void floats(std::vector<float>& v, size_t n)
    {
        v.resize(ok ? n : 0);
        for (float& x : v) x = f32();
    }
    void bytesInto(std::vector<unsigned char>& v, size_t n)
    {
        if (!ok || bytes.size() - at < n) {
            ok = false;
            return;
        }
        v.assign(bytes.begin() + at, bytes.begin() + at + n);
        at += n;
    }
};

struct Writer {
    FILE* f;
    void u32(unsigned u)
    {
        unsigned char b[4] = {(unsigned char)(u >> 24), (unsigned char)(u >> 16), (unsigned char)(u >> 8), (unsigned char)u};
        fwrite(b, 1, 4, f);
    }
    void i32(int v) { u32((unsigned)v); }
    void i16(short v)
    {
        unsigned char b[2] = {(unsigned char)((unsigned short)v >> 8), (unsigned char)v};
        fwrite(b, 1, 2, f);
    }
    void f32(float v)
    {
        unsigned u;
        memcpy(&u, &v, 4);
        u32(u);
    }
    void floats(const std::vector<float>& v)
    {
        for (float x : v) f32(x);
    }
    void bytes(const std::vector<unsigned char>& v)
    {
        if (!v.empty()) fwrite(v.data(), 1, v.size(), f);
    }
};

bool finiteWithin(float v, float most) { return std::isfinite(v) && std::fabs(v) <= most; }

bool allFiniteWithin(const std::vector<float>& v, float most)
{
    for (float x : v)
        if (!finiteWithin(x, most)) return false;
    return true;
}

bool ordered(const std::vector<float>& v, float sign)
{
    for (size_t k = 1; k < v.size(); k++)
        if (!(sign * (v[k] - v[k - 1]) > 0)) return false;
    return true;
}

void readLight(Reader& r, WorldScene& w)
{
    for (float& v : w.sun) v = r.f32();
    for (float& v : w.haze) v = r.f32();
    w.hazeDistance = r.f32();
    w.weather = r.i32();
}

void readGrid(Reader& r, WorldScene& w)
{
    int corners = r.count(maxTrackVertices);
    r.bytesInto(w.gridLight, (size_t)corners * 3);
    r.bytesInto(w.gridFar, (size_t)corners * 3);
    int rows = r.count(longueurPisteEnFaces);
    w.firstCell.resize(rows);
    w.lastCell.resize(rows);
    for (int i = 0; i < rows; i++) {
        w.firstCell[i] = r.i16();
        w.lastCell[i] = r.i16();
    }
}

void readTerrain(Reader& r, WorldScene& w)
{
    int rows = r.count(worldMaxRows), columns = r.count(worldMaxColumns);
    w.firstRow = r.i32();
    w.gridColumn0 = r.i32();
    r.floats(w.xs, rows);
    r.floats(w.zs, columns);
    r.floats(w.heights, (size_t)rows * columns);
    r.bytesInto(w.colours, (size_t)rows * columns * 3);
}

void readModels(Reader& r, WorldScene& w)
{
    int models = r.count(worldMaxModels);
    w.models.resize(models);
    for (auto& m : w.models) {
        int corners = 3 * r.count(worldMaxModelTriangles);
        m.resize(corners);
        for (WorldModelVertex& v : m) {
            for (float& p : v.p) p = r.f32();
            r.take(v.n, 3);
            r.take(v.c, 3);
        }
        if (!r.ok) break;
    }
    int placements = r.count(worldMaxPlacements);
    w.placements.resize(placements);
    for (WorldPlacement& p : w.placements) {
        p.model = r.i32();
        p.mid = r.i32();
        p.far = r.i32();
        p.x = r.f32(), p.y = r.f32(), p.z = r.f32(), p.yaw = r.f32(), p.scale = r.f32();
    }
}

} // namespace

static std::string gridFault(const WorldScene& w)
{
    if (w.gridLight.size() != (size_t)maxTrackVertices * 3 || w.gridFar.size() != w.gridLight.size())
        return "its grid light does not cover the grid";
    if (w.firstCell.size() != (size_t)longueurPisteEnFaces || w.lastCell.size() != w.firstCell.size())
        return "its grid edges do not cover the rows";
    for (size_t i = 0; i < w.firstCell.size(); i++)
        if (w.firstCell[i] < 0 || w.lastCell[i] >= largeurPisteEnFaces || w.firstCell[i] > w.lastCell[i])
            return "a grid edge lies off the grid";
    return "";
}

static std::string terrainFault(const WorldScene& w)
{
    int rows = w.rows(), columns = w.columns();
    if (rows < 2 || columns < 2) return "its terrain has no cell";
    if (w.heights.size() != (size_t)rows * columns || w.colours.size() != w.heights.size() * 3)
        return "its terrain's heights or colours do not match its size";
    if (w.firstRow < 0 || w.firstRow + longueurPisteEnFaces >= rows || w.gridColumn0 < 0 ||
        w.gridColumn0 + largeurPisteEnFaces >= columns)
        return "its terrain does not hold the grid";
    if (!allFiniteWithin(w.xs, FAR_COORD) || !allFiniteWithin(w.zs, FAR_COORD) || !allFiniteWithin(w.heights, FAR_COORD))
        return "a terrain corner is not a number or lies too far";
    if (!ordered(w.xs, 1) || !ordered(w.zs, -1)) return "its terrain's rows or columns are out of order";
    return "";
}

static std::string modelFault(const WorldScene& w)
{
    for (const auto& m : w.models)
        for (const WorldModelVertex& v : m)
            for (float p : v.p)
                if (!finiteWithin(p, FAR_COORD)) return "a model corner is not a number";
    int models = (int)w.models.size();
    for (const WorldPlacement& p : w.placements) {
        if (p.model < -1 || p.model >= models || p.mid < -1 || p.mid >= models || p.far < -1 || p.far >= models)
            return "a placement names no model";
        if (!finiteWithin(p.x, FAR_COORD) || !finiteWithin(p.y, FAR_COORD) || !finiteWithin(p.z, FAR_COORD) ||
            !finiteWithin(p.yaw, FAR_COORD) || !finiteWithin(p.scale, 1000))
            return "a placement is not a number or lies too far";
    }
    return "";
}

std::string worldSceneFault(const WorldScene& w)
{
    for (float v : w.sun)
        if (!finiteWithin(v, 1.01f)) return "its sun is not a direction";
    for (float v : w.haze)
        if (!(v >= 0 && v <= 1)) return "its haze is not a colour";
    if (!finiteWithin(w.hazeDistance, FAR_COORD) || !(w.hazeDistance > 0)) return "its haze distance is wrong";
    if (w.weather < worldWeatherClear || w.weather > worldWeatherStorm) return "its weather is unknown";
    std::string fault = gridFault(w);
    if (fault.empty()) fault = terrainFault(w);
    if (fault.empty()) fault = modelFault(w);
    return fault;
}

int readWorldFile(const char* path, WorldScene& w, std::string* why)
{
    w = WorldScene();
    OpenOutcome outcome;
    char refused[OPEN_WHY_CHARS] = "";
    FILE* f = openBounded(path, CONTENT_FILE_BOUND, &outcome, refused);
    if (!f) {
        if (why) *why = outcome == openMissing ? "missing" : refused;
        return outcome == openMissing ? 1 : 2;
    }
    Reader r;
    unsigned char block[1 << 16];
    size_t n;
    while ((n = fread(block, 1, sizeof block, f)) > 0) r.bytes.insert(r.bytes.end(), block, block + n);
    fclose(f);
    char magic[8];
    r.take(magic, 8);
    if (!r.ok || memcmp(magic, MAGIC, 8) != 0 || r.i32() != VERSION) {
        if (why) *why = "not a world file of this version";
        return 2;
    }
    readLight(r, w);
    readGrid(r, w);
    readTerrain(r, w);
    readModels(r, w);
    std::string fault = r.ok ? worldSceneFault(w) : "it ends too soon";
    if (fault.empty() && r.at != r.bytes.size()) fault = "it goes on past its end";
    if (fault.empty()) return 0;
    if (why) *why = fault;
    w = WorldScene();
    return 2;
}

int writeWorldFile(const char* path, const WorldScene& w)
{
    FILE* f = fopen(path, "wb");
    if (!f) return 1;
    Writer o{f};
    fwrite(MAGIC, 1, 8, f);
    o.i32(VERSION);
    for (float v : w.sun) o.f32(v);
    for (float v : w.haze) o.f32(v);
    o.f32(w.hazeDistance);
    o.i32(w.weather);
    o.i32((int)w.gridLight.size() / 3);
    o.bytes(w.gridLight);
    o.bytes(w.gridFar);
    o.i32((int)w.firstCell.size());
    for (size_t i = 0; i < w.firstCell.size(); i++) o.i16(w.firstCell[i]), o.i16(w.lastCell[i]);
    o.i32(w.rows());
    o.i32(w.columns());
    o.i32(w.firstRow);
    o.i32(w.gridColumn0);
    o.floats(w.xs);
    o.floats(w.zs);
    o.floats(w.heights);
    o.bytes(w.colours);
    o.i32((int)w.models.size());
    for (const auto& m : w.models) {
        o.i32((int)m.size() / 3);
        for (const WorldModelVertex& v : m) {
            for (float p : v.p) o.f32(p);
            fwrite(v.n, 1, 3, f);
            fwrite(v.c, 1, 3, f);
        }
    }
    o.i32((int)w.placements.size());
    for (const WorldPlacement& p : w.placements) {
        o.i32(p.model);
        o.i32(p.mid);
        o.i32(p.far);
        for (float v : {p.x, p.y, p.z, p.yaw, p.scale}) o.f32(v);
    }
    bool failed = ferror(f) != 0;
    return (fclose(f) != 0 || failed) ? 1 : 0;
}
