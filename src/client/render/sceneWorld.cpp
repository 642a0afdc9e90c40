// Takes the track's world file; draws the terrain round the terrain window and the models standing on
// it, block by block, each block in the detail its distance calls for: display lists built once per
// run, and the blocks the window crosses drawn cell by cell round it.
#include "render/sceneWorld.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fileio/gameFolders.h"
#include "render/landCover.h"
#include "render/scene.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const int BLOCK_ROWS = 8, BLOCK_COLUMNS = 8;
static const int TERRAIN_LODS = 4;  // a cell of 1, 2, 4 or 8 cells a side
// Distances from the eye (to a block's nearest side) where each detail gives way to the next.
static const float TERRAIN_LOD_REACH[TERRAIN_LODS - 1] = {9000, 26000, 60000};
static const float SKIRT_DEPTH = 160;  // per cell of the detail, under a block's edges: no crack shows
// Models: near (whole models), middle (simpler trees, small trackside models), far (the simplest trees
// and the landmarks).
static const int MODEL_BANDS = 3;
static const float MODEL_REACH[MODEL_BANDS] = {10000, 26000, 60000};
static const float MODEL_AMBIENT = 0.55f, MODEL_BACK_LIGHT = 0.35f;
static const float DRAW_REACH = 250000;  // past the haze's end anyway
static const int BATCHED_DETAIL = 3;      // blocks this coarse go to the driver in one batch, not a list each

namespace {

struct Block {
    int t0, s0, t1, s1;  // cells [t0, t1) x [s0, s1)
    float centre[3], radius, halfX, halfZ;
    unsigned terrain[TERRAIN_LODS];
    unsigned skirts[TERRAIN_LODS][4];  // per edge: rows before, rows after, columns before, after
    unsigned models[MODEL_BANDS];
    // the track's own trees, shown only past the obstacles' window ahead of the rider
    unsigned trackTrees[MODEL_BANDS];
    std::vector<int> trackTreeIds;
    float trackTreesFrom, trackTreesTo;  // their least and greatest X
};

struct WorldDrawing {
    bool loaded = false, hidden = false;
    WorldScene w;
    std::vector<Block> blocks;
    int blockColumns = 0;
    std::vector<signed char> detail;  // per block this frame: its terrain's detail, -1 out of view
    unsigned listBase = 0;
    int listCount = 0;
    std::vector<unsigned char> windowCell;  // per grid cell: drawn by the terrain window this frame
    bool coverKnown = false;  // this frame: the land hides every direction below coverTangent
    float coverTangent = 0;
};

WorldDrawing world;

float height(int t, int s) { return world.w.heights[(size_t)t * world.w.columns() + s]; }
const unsigned char* colour(int t, int s) { return &world.w.colours[((size_t)t * world.w.columns() + s) * 3]; }

void corner(int t, int s)
{
    glColor3ubv(colour(t, s));
    glVertex3f(world.w.xs[t], height(t, s), world.w.zs[s]);
}

void cornerLowered(int t, int s, float depth)
{
    glColor3ubv(colour(t, s));
    glVertex3f(world.w.xs[t], height(t, s) - depth, world.w.zs[s]);
}

// A cell spanning rows t..t+n and columns s..s+m, split as the grid's cells are.
void cellTriangles(int t, int s, int n, int m)
{
    corner(t, s), corner(t + n, s), corner(t, s + m);
    corner(t, s + m), corner(t + n, s), corner(t + n, s + m);
}

void skirt(int ta, int sa, int tb, int sb, float depth)
{
    corner(ta, sa), corner(tb, sb), cornerLowered(tb, sb, depth);
    corner(ta, sa), cornerLowered(tb, sb, depth), cornerLowered(ta, sa, depth);
}

// A block's terrain with cells `step` cells a side, as triangles inside a glBegin the caller opened.
void blockTerrainTriangles(const Block& b, int step)
{
    for (int t = b.t0; t < b.t1; t += step)
        for (int s = b.s0; s < b.s1; s += step) cellTriangles(t, s, std::min(step, b.t1 - t), std::min(step, b.s1 - s));
}

void blockTerrain(const Block& b, int step)
{
    glBegin(GL_TRIANGLES);
    blockTerrainTriangles(b, step);
    glEnd();
}

// A skirt hanging under one edge of a block drawn `step` cells a side: where the block beside it is
// drawn finer, its extra corners would open cracks along the edge, and the skirt fills them.
void blockSkirtTriangles(const Block& b, int step, int edge)
{
    float depth = SKIRT_DEPTH * step;
    if (edge < 2) {
        int s = edge == 0 ? b.s0 : b.s1;
        for (int t = b.t0; t < b.t1; t += step) skirt(t, s, std::min(t + step, b.t1), s, depth);
    } else {
        int t = edge == 2 ? b.t0 : b.t1;
        for (int s = b.s0; s < b.s1; s += step) skirt(t, s, t, std::min(s + step, b.s1), depth);
    }
}

void blockSkirt(const Block& b, int step, int edge)
{
    glBegin(GL_TRIANGLES);
    blockSkirtTriangles(b, step, edge);
    glEnd();
}

int gridRowOf(int t) { return t - world.w.firstRow; }
int gridCellOf(int s) { return s - world.w.gridColumn0; }

bool cellInWindow(int t, int s)
{
    int row = gridRowOf(t), cell = gridCellOf(s);
    if (row < 0 || row >= longueurPisteEnFaces || cell < 0 || cell >= largeurPisteEnFaces) return false;
    return world.windowCell[row * largeurPisteEnFaces + cell] != 0;
}

struct View;
bool cellBehindEye(const View& v, int t, int s);

// A block the terrain window crosses: its own cells, round the window's, but those behind the eye.
void blockAroundWindow(const Block& b, const View& v)
{
    glBegin(GL_TRIANGLES);
    for (int t = b.t0; t < b.t1; t++)
        for (int s = b.s0; s < b.s1; s++)
            if (!cellInWindow(t, s) && !cellBehindEye(v, t, s)) cellTriangles(t, s, 1, 1);
    glEnd();
}

void modelCorner(const WorldModelVertex& v, const WorldPlacement& p, float c, float sn)
{
    float nx = v.n[0] / 127.0f, ny = v.n[1] / 127.0f, nz = v.n[2] / 127.0f;
    // turned by yaw about Y as glRotatef turns: x' = x cos + z sin, z' = -x sin + z cos
    float rx = nx * c + nz * sn, rz = -nx * sn + nz * c;
    const float* sun = world.w.sun;
    float facing = rx * sun[0] + ny * sun[1] + rz * sun[2];
    float light = MODEL_AMBIENT + (1 - MODEL_AMBIENT) * (facing >= 0 ? facing : -MODEL_BACK_LIGHT * facing);
    glColor3ub((unsigned char)std::min(255.0f, v.c[0] * light), (unsigned char)std::min(255.0f, v.c[1] * light),
               (unsigned char)std::min(255.0f, v.c[2] * light));
    float x = v.p[0] * p.scale, y = v.p[1] * p.scale, z = v.p[2] * p.scale;
    glVertex3f(p.x + x * c + z * sn, p.y + y, p.z - x * sn + z * c);
}

void placeModel(const WorldPlacement& p, int model)
{
    float a = p.yaw * 0.0174532925f, c = std::cos(a), sn = std::sin(a);
    for (const WorldModelVertex& v : world.w.models[model]) modelCorner(v, p, c, sn);
}

int modelInBand(const WorldPlacement& p, int band)
{
    return band == 0 ? p.model : band == 1 ? p.mid : p.far;
}

bool standsForTrackTree(const WorldPlacement& p) { return p.model < 0; }

void placeInBand(const WorldPlacement& p, int band)
{
    int model = modelInBand(p, band);
    if (model >= 0) placeModel(p, model);
}

void compileModels(const std::vector<int>& ids, int band, bool trackTrees, unsigned list)
{
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (int k : ids)
        if (standsForTrackTree(world.w.placements[k]) == trackTrees) placeInBand(world.w.placements[k], band);
    glEnd();
    glEndList();
}

// The track's own trees of a block in a band, those past the obstacles' window (X beyond shownFrom).
void drawTrackTrees(const Block& b, int band, float shownFrom)
{
    if (b.trackTreeIds.empty() || b.trackTreesTo <= shownFrom) return;
    if (b.trackTreesFrom > shownFrom) {
        glCallList(b.trackTrees[band]);
        return;
    }
    glBegin(GL_TRIANGLES);
    for (int k : b.trackTreeIds)
        if (world.w.placements[k].x > shownFrom) placeInBand(world.w.placements[k], band);
    glEnd();
}

int blockOfPlace(float x, float z, int blockColumns)
{
    const WorldScene& w = world.w;
    int t = (int)std::floor((x - w.xs[0]) / (w.xs[1] - w.xs[0]));
    int s = 0;
    while (s + 1 < w.columns() && w.zs[s + 1] > z) s++;
    t = std::min(std::max(t, 0), w.rows() - 2);
    s = std::min(s, w.columns() - 2);
    return (t / BLOCK_ROWS) * blockColumns + s / BLOCK_COLUMNS;
}

void blockBounds(Block& b)
{
    const WorldScene& w = world.w;
    float lo = 1e30f, hi = -1e30f;
    for (int t = b.t0; t <= b.t1; t++)
        for (int s = b.s0; s <= b.s1; s++) lo = std::min(lo, height(t, s)), hi = std::max(hi, height(t, s));
    hi += 1500;  // the trees standing on it
    b.centre[0] = (w.xs[b.t0] + w.xs[b.t1]) / 2, b.centre[1] = (lo + hi) / 2, b.centre[2] = (w.zs[b.s0] + w.zs[b.s1]) / 2;
    float dx = w.xs[b.t1] - w.xs[b.t0], dz = w.zs[b.s0] - w.zs[b.s1], dy = hi - lo;
    b.radius = std::sqrt(dx * dx + dy * dy + dz * dz) / 2;
    b.halfX = dx / 2, b.halfZ = dz / 2;
}

void buildBlocks()
{
    const WorldScene& w = world.w;
    int blockRows = (w.rows() - 1 + BLOCK_ROWS - 1) / BLOCK_ROWS, blockColumns = (w.columns() - 1 + BLOCK_COLUMNS - 1) / BLOCK_COLUMNS;
    world.blocks.assign((size_t)blockRows * blockColumns, Block());
    std::vector<std::vector<int>> placed(world.blocks.size());
    for (size_t k = 0; k < w.placements.size(); k++)
        placed[blockOfPlace(w.placements[k].x, w.placements[k].z, blockColumns)].push_back((int)k);
    world.listCount = (int)world.blocks.size() * (TERRAIN_LODS * 5 + 2 * MODEL_BANDS);
    world.blockColumns = blockColumns;
    world.listBase = glGenLists(world.listCount);
    unsigned next = world.listBase;
    for (int bt = 0; bt < blockRows; bt++)
        for (int bs = 0; bs < blockColumns; bs++) {
            Block& b = world.blocks[(size_t)bt * blockColumns + bs];
            b.t0 = bt * BLOCK_ROWS, b.s0 = bs * BLOCK_COLUMNS;
            b.t1 = std::min(b.t0 + BLOCK_ROWS, w.rows() - 1), b.s1 = std::min(b.s0 + BLOCK_COLUMNS, w.columns() - 1);
            blockBounds(b);
            for (int l = 0; l < TERRAIN_LODS; l++) {
                b.terrain[l] = next++;
                glNewList(b.terrain[l], GL_COMPILE);
                blockTerrain(b, 1 << l);
                glEndList();
                for (int e = 0; e < 4; e++) {
                    b.skirts[l][e] = next++;
                    glNewList(b.skirts[l][e], GL_COMPILE);
                    if (l > 0) blockSkirt(b, 1 << l, e);
                    glEndList();
                }
            }
            const std::vector<int>& here = placed[(size_t)bt * blockColumns + bs];
            b.trackTreesFrom = 1e30f, b.trackTreesTo = -1e30f;
            for (int k : here)
                if (standsForTrackTree(w.placements[k])) {
                    b.trackTreeIds.push_back(k);
                    b.trackTreesFrom = std::min(b.trackTreesFrom, w.placements[k].x);
                    b.trackTreesTo = std::max(b.trackTreesTo, w.placements[k].x);
                }
            for (int band = 0; band < MODEL_BANDS; band++) {
                b.models[band] = next++;
                compileModels(here, band, false, b.models[band]);
                b.trackTrees[band] = next++;
                compileModels(b.trackTreeIds, band, true, b.trackTrees[band]);
            }
        }
}

// The view as the modelview and projection give it: the eye in world space, each side plane's test.
struct View {
    float m[16];
    float eye[3];
    float tanX, tanY;
};

View currentView()
{
    View v;
    float p[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, v.m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    eyeOfModelview(v.m, v.eye);
    v.tanX = p[0] != 0 ? 1 / p[0] : 1;
    v.tanY = p[5] != 0 ? 1 / p[5] : 1;
    return v;
}

// Whether a cell lies wholly behind the eye (each of its corners behind the eye's plane).
bool cellBehindEye(const View& v, int t, int s)
{
    for (int a = 0; a <= 1; a++)
        for (int c = 0; c <= 1; c++) {
            float x = world.w.xs[t + a], y = height(t + a, s + c), z = world.w.zs[s + c];
            if (v.m[2] * x + v.m[6] * y + v.m[10] * z + v.m[14] < 0) return false;
        }
    return true;
}

// Distance from the eye to the block's nearest side, or -1 when it lies outside the view.
float blockDistance(const View& v, const Block& b)
{
    const float* c = b.centre;
    float ex = v.m[0] * c[0] + v.m[4] * c[1] + v.m[8] * c[2] + v.m[12];
    float ey = v.m[1] * c[0] + v.m[5] * c[1] + v.m[9] * c[2] + v.m[13];
    float ez = v.m[2] * c[0] + v.m[6] * c[1] + v.m[10] * c[2] + v.m[14];
    float ahead = -ez, r = b.radius;
    if (ahead < -r) return -1;
    if (std::fabs(ex) > ahead * v.tanX + r * std::sqrt(1 + v.tanX * v.tanX)) return -1;
    if (std::fabs(ey) > ahead * v.tanY + r * std::sqrt(1 + v.tanY * v.tanY)) return -1;
    // detail goes by the nearest point of the block's ground, not of its sphere
    float dx = std::max(0.0f, std::fabs(v.eye[0] - c[0]) - b.halfX), dz = std::max(0.0f, std::fabs(v.eye[2] - c[2]) - b.halfZ);
    return std::sqrt(dx * dx + dz * dz);
}

struct WindowMarks {
    int rowLo, rowHi, cellLo, cellHi;
};

void markWindowCell(int triangle, short, void* ctx)
{
    WindowMarks* m = (WindowMarks*)ctx;
    int row = triangle / facesParRangee, cell = (triangle % facesParRangee) / 2;
    if (!gridDrawsCell(row, cell)) return;
    world.windowCell[row * largeurPisteEnFaces + cell] = 1;
    m->rowLo = std::min(m->rowLo, row), m->rowHi = std::max(m->rowHi, row);
    m->cellLo = std::min(m->cellLo, cell), m->cellHi = std::max(m->cellHi, cell);
}

bool blockCrossesWindow(const Block& b, const WindowMarks& m)
{
    if (m.rowLo > m.rowHi) return false;
    int r0 = gridRowOf(b.t0), r1 = gridRowOf(b.t1 - 1), c0 = gridCellOf(b.s0), c1 = gridCellOf(b.s1 - 1);
    if (r1 < m.rowLo || r0 > m.rowHi || c1 < m.cellLo || c0 > m.cellHi) return false;
    // several windows (a camera standing in the world) leave gaps between them
    for (int t = b.t0; t < b.t1; t++)
        for (int s = b.s0; s < b.s1; s++)
            if (cellInWindow(t, s)) return true;
    return false;
}

int terrainDetail(float distance)
{
    int l = 0;
    while (l < TERRAIN_LODS - 1 && distance > TERRAIN_LOD_REACH[l]) l++;
    return l;
}

} // namespace

void eyeOfModelview(const float m[16], float eye[3])
{
    for (int k = 0; k < 3; k++) eye[k] = -(m[4 * k] * m[12] + m[4 * k + 1] * m[13] + m[4 * k + 2] * m[14]);
}

bool trackWorldShown() { return world.loaded && !world.hidden; }

bool landHidesBelow(float* tangent)
{
    if (!trackWorldShown() || !world.coverKnown) return false;
    *tangent = world.coverTangent;
    return true;
}
void hideTrackWorld(bool hide) { world.hidden = hide; }
const WorldScene& trackWorld() { return world.w; }

bool gridDrawsCell(int row, int cell)
{
    if (!trackWorldShown() || row < 0 || row >= (int)world.w.firstCell.size()) return true;
    return cell >= world.w.firstCell[row] && cell <= world.w.lastCell[row];
}

bool gridCornerRaised(int corner, float y)
{
    if (!trackWorldShown() || corner < 0 || corner >= maxTrackVertices) return false;
    int i = corner / (largeurPisteEnFaces + 1), j = corner % (largeurPisteEnFaces + 1);
    return y > height(i + world.w.firstRow, j + world.w.gridColumn0) + 1;
}

const unsigned char* gridCornerLight(int corner)
{
    if (!trackWorldShown() || corner < 0 || corner >= maxTrackVertices) return nullptr;
    return &world.w.gridLight[(size_t)corner * 3];
}

void freeTrackWorld()
{
    if (world.listCount) glDeleteLists(world.listBase, world.listCount);
    freeWorldSky();
    freeDistantSurfaces();
    world = WorldDrawing();
}

void loadTrackWorld(const char* trackName)
{
    freeTrackWorld();
    std::string path = trackPath(trackName, std::string(trackName) + ".world");
    std::string why;
    int read = readWorldFile(path.c_str(), world.w, &why);
    if (read == 1) return;  // an older track: drawn as before
    if (read != 0) {
        printf("The world round the track is not drawn: %s (%s)\n", path.c_str(), why.c_str());
        return;
    }
    world.loaded = true;
    world.windowCell.assign(maxTrackFaces / 2, 0);
    buildBlocks();
    loadWorldSky(trackName);
    loadDistantSurfaces(trackName, getNbTrackTextures());
}

// The detail each block is drawn in this frame, -1 when out of view, from its distance to the eye.
static void chooseDetails(const View& v, std::vector<float>& distance)
{
    distance.resize(world.blocks.size());
    world.detail.resize(world.blocks.size());
    for (size_t k = 0; k < world.blocks.size(); k++) {
        distance[k] = blockDistance(v, world.blocks[k]);
        world.detail[k] = (signed char)(distance[k] < 0 || distance[k] > DRAW_REACH ? -1 : terrainDetail(distance[k]));
    }
}

// Whether block k, drawn at `detail`, hangs a skirt under edge e: where the block beside it is finer.
static bool skirtShown(size_t k, int detail, int e)
{
    if (detail == 0) return false;
    int cols = world.blockColumns, rows = (int)world.blocks.size() / cols;
    int bt = (int)k / cols, bs = (int)k % cols;
    const int neighbour[4][2] = {{bt, bs - 1}, {bt, bs + 1}, {bt - 1, bs}, {bt + 1, bs}};
    int nt = neighbour[e][0], ns = neighbour[e][1];
    if (nt < 0 || ns < 0 || nt >= rows || ns >= cols) return false;
    int other = world.detail[(size_t)nt * cols + ns];
    return other >= 0 && other < detail;
}

// Skirts on the edges whose neighbour is drawn finer.
static void drawSkirts(size_t k, int detail)
{
    for (int e = 0; e < 4; e++)
        if (skirtShown(k, detail, e)) glCallList(world.blocks[k].skirts[detail][e]);
}

// The far blocks are a cell or a few: one draw of their own each would cost the driver far more than
// their triangles, so they go to it together, as one batch of triangles.
static void drawCoarseBlocks(const std::vector<size_t>& coarse)
{
    glBegin(GL_TRIANGLES);
    for (size_t k : coarse) {
        int detail = world.detail[k];
        blockTerrainTriangles(world.blocks[k], 1 << detail);
        for (int e = 0; e < 4; e++)
            if (skirtShown(k, detail, e)) blockSkirtTriangles(world.blocks[k], 1 << detail, e);
    }
    glEnd();
}

void drawWorldAroundWindows(const TrackModel& track, const std::vector<int>& windows, float obstaclesTo)
{
    if (!trackWorldShown()) return;
    std::fill(world.windowCell.begin(), world.windowCell.end(), 0);
    WindowMarks marks = {1 << 30, -1, 1 << 30, -1};
    for (int face : windows) walkTerrainWindow(face, track.textures, markWindowCell, &marks);
    View v = currentView();
    float forward[3] = {-v.m[2], -v.m[6], -v.m[10]};
    HeadingSpan seen = headingsSeen(forward, std::atan(std::sqrt(v.tanX * v.tanX + v.tanY * v.tanY)));
    world.coverKnown = landCoverTangent(world.w, v.eye, DRAW_REACH, seen, &world.coverTangent);
    static std::vector<float> distance;
    chooseDetails(v, distance);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    // the haze only on the world: what stands near the rider is too near to be hazed, and the haze
    // costs on every pixel it is on
    beginWorldHaze();
    std::vector<size_t> coarse;
    for (size_t k = 0; k < world.blocks.size(); k++) {
        int detail = world.detail[k];
        if (detail < 0) continue;
        const Block& b = world.blocks[k];
        if (blockCrossesWindow(b, marks)) {
            blockAroundWindow(b, v);
            detail = 0;
        } else if (detail >= BATCHED_DETAIL) {
            coarse.push_back(k);
        } else {
            glCallList(b.terrain[detail]);
            drawSkirts(k, detail);
        }
        for (int band = 0; band < MODEL_BANDS; band++)
            if (distance[k] < MODEL_REACH[band]) {
                glCallList(b.models[band]);
                drawTrackTrees(b, band, obstaclesTo);
                break;
            }
    }
    drawCoarseBlocks(coarse);
    endWorldHaze();
    glColor3f(1, 1, 1);
    glEnable(GL_LIGHTING);
}
