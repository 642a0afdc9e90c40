// Takes a track recipe and returns the full terrain grid, its surfaces, obstacles and rescue points.
#include "trackGen.h"
#include "track/surfaceTextures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

static const int ROWS = 200, COLUMNS = 72;
static const int VERTS_PER_ROW = COLUMNS + 1;
static const float CELL_LENGTH = 1684.0f, CELL_WIDTH = 1123.0f;
static const float TREE_CLEARANCE = 2.5f;  // cells kept free of trees on each side of the riding line
static const float LANE_HALF = 1.5f;       // cells of packed snow on each side of the line
static const int MAX_OBSTACLES = 1000;
static const int MAX_RESCUE = 100;

static const float RAIL_FED_ROWS = 4;  // a rail this close behind a kicker's lip is where it throws to
static const float RAIL_FED_SIDE = 1;  // cells beside the kicker's width
static const int SNOW_PATCH_SEED = 977;
// Fresh snow changes picture by blocks of cells: a change of texture costs the renderer a state change
// every strip, and a block still breaks the repeat.
static const int SNOW_BLOCK_ROWS = 3, SNOW_BLOCK_COLUMNS = 4;
static const int SURF_SNOW = 0, SURF_OUT = 2, SURF_BOOSTER = 3, SURF_WALL_PLUS = 4, SURF_WALL_MINUS = 5,
                 SURF_FLOOR = 6;
static const int TYPE_TREE = 0, TYPE_COLLECTABLE = 1, TYPE_BOMB = 2, TYPE_RAIL = 3;

static unsigned vertexAt(int i, int j) { return (unsigned)(i * VERTS_PER_ROW + j); }
static float heightOf(const TrackMesh& m, int i, int j) { return m.points[3 * vertexAt(i, j) + 1]; }

float meshHeightAt(const TrackMesh& m, float x, float z)
{
    float rowF = std::min(std::max(x / CELL_LENGTH, 0.0f), (float)ROWS - 0.0001f);
    float colF = std::min(std::max(COLUMNS / 2 - z / CELL_WIDTH, 0.0f), (float)COLUMNS - 0.0001f);
    int i = (int)rowF, j = (int)colF;
    float u = rowF - i, w = colF - j;
    float h00 = heightOf(m, i, j), h10 = heightOf(m, i + 1, j), h01 = heightOf(m, i, j + 1);
    if (u + w <= 1) return h00 + u * (h10 - h00) + w * (h01 - h00);
    float h11 = heightOf(m, i + 1, j + 1);
    return h11 + (1 - u) * (h01 - h11) + (1 - w) * (h10 - h11);
}

static void buildGrid(const TrackRecipe& r, TrackMesh& m)
{
    m.points.assign(3 * (ROWS + 1) * VERTS_PER_ROW, 0);
    std::vector<float> rowHeights = recipeRowHeights(r);
    for (int i = 0; i <= ROWS; i++)
        for (int j = 0; j <= COLUMNS; j++) {
            float* p = &m.points[3 * vertexAt(i, j)];
            p[0] = i * CELL_LENGTH;
            p[1] = recipeCornerHeightOn(r, rowHeights[i], i, j);
            p[2] = (COLUMNS / 2 - j) * CELL_WIDTH;
        }
    m.faces.clear();
    for (int row = 0; row < ROWS; row++)
        for (int q = 0; q < COLUMNS; q++) {
            // The terrain is drawn as triangle strips: the odd triangle reuses the even one's last
            // two corners and adds the cell's far corner as its third.
            unsigned even[3] = {vertexAt(row, q), vertexAt(row + 1, q), vertexAt(row, q + 1)};
            unsigned odd[3] = {vertexAt(row, q + 1), vertexAt(row + 1, q), vertexAt(row + 1, q + 1)};
            m.faces.insert(m.faces.end(), even, even + 3);
            m.faces.insert(m.faces.end(), odd, odd + 3);
        }
}

// Central differences of the height field, so shading is smooth across triangles.
static void buildNormals(TrackMesh& m)
{
    m.normals.assign(m.points.size(), 0);
    for (int i = 0; i <= ROWS; i++)
        for (int j = 0; j <= COLUMNS; j++) {
            int i0 = std::max(i - 1, 0), i1 = std::min(i + 1, ROWS);
            int j0 = std::max(j - 1, 0), j1 = std::min(j + 1, COLUMNS);
            float dhdx = (heightOf(m, i1, j) - heightOf(m, i0, j)) / ((i1 - i0) * CELL_LENGTH);
            float dhdz = (heightOf(m, i, j0) - heightOf(m, i, j1)) / ((j1 - j0) * CELL_WIDTH);
            float n[3] = {-dhdx, 1, -dhdz};
            float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            for (int k = 0; k < 3; k++) m.normals[3 * vertexAt(i, j) + k] = n[k] / len;
        }
}

static bool inRange(float v, float a, float b) { return v >= std::min(a, b) && v <= std::max(a, b); }

// A kicker that has a rail just behind its lip, across its width: both are marked alike.
static bool feedsRail(const TrackRecipe& r, const std::vector<float>& k)
{
    float lip = k[0] + k[4];
    for (const TrackFeature& f : r.features)
        if (f.kind == "rail" && f.args[0] >= lip && f.args[0] <= lip + RAIL_FED_ROWS &&
            f.args[1] >= std::min(k[1], k[2]) - RAIL_FED_SIDE && f.args[1] <= std::max(k[1], k[2]) + RAIL_FED_SIDE)
            return true;
    return false;
}

// The picture of a cell on or beside a kicker (rc, zc its centre), -1 when the cell is neither.
// The ramp's cells run from its first row to the lip, the drop behind it is one row; the snow banks
// are the cells beside its width, which slope from its edges down to the slope.
int kickerCellTexture(const TrackRecipe& r, const std::vector<float>& k, float rc, float zc)
{
    float lip = k[0] + k[4], lo = std::min(k[1], k[2]), hi = std::max(k[1], k[2]);
    if (rc < k[0] || rc > lip + 1) return -1;
    bool rail = feedsRail(r, k);
    if (zc > hi && zc < hi + 1) return rail ? texRailKickerWallPlusZ : texKickerWallPlusZ;
    if (zc < lo && zc > lo - 1) return rail ? texRailKickerWallMinusZ : texKickerWallMinusZ;
    if (zc < lo || zc > hi) return -1;
    if (rc > lip) return texKickerBack;
    int flags = 0;
    if (rc > lip - 1) flags |= kickerLip;
    if (zc + 0.5f >= hi) flags |= kickerEdgePlusZ;
    if (zc - 0.5f <= lo) flags |= kickerEdgeMinusZ;
    return kickerFaceTexture(rail, flags);
}

// Fresh snow varies from block to block among pictures whose edges agree.
static int snowPicture(int row, int q)
{
    row /= SNOW_BLOCK_ROWS, q /= SNOW_BLOCK_COLUMNS;
    unsigned h = (unsigned)row * 73856093u ^ (unsigned)q * 19349663u ^ SNOW_PATCH_SEED * 83492791u;
    h = (h ^ (h >> 13)) * 1274126177u;
    int pick = (int)((h >> 8) % (snowVariants + 1));
    return pick == 0 ? texSnow : texSnowVariant + pick - 1;
}

static const int LANE_OR_SNOW = -1;  // a cell whose triangles take their pictures from the lane

// Surface code and texture of the cell whose centre is at (row rc, z zc in cells); LANE_OR_SNOW
// for the cells of plain snow, groomed or not.
static void classifyCell(const TrackRecipe& r, int row, int q, int* surface, int* tex)
{
    float rc = row + 0.5f, zc = COLUMNS / 2 - q - 0.5f;
    *surface = SURF_SNOW;
    *tex = LANE_OR_SNOW;
    if (q == 0 || q == COLUMNS - 1 || row == ROWS - 1 || std::fabs(zc) > r.bounds) {
        *surface = SURF_OUT;
        *tex = texOut;
        return;
    }
    for (const TrackFeature& f : r.features) {
        const std::vector<float>& a = f.args;
        if (f.kind == "booster" && inRange(rc, a[0], a[1]) && inRange(zc, a[2], a[3])) {
            *surface = SURF_BOOSTER;
            *tex = texBooster;
        } else if (f.kind == "kicker") {
            int kicker = kickerCellTexture(r, a, rc, zc);
            if (kicker >= 0) *tex = kicker;
        } else if (f.kind == "halfpipe" && rc > a[0] && rc < a[1] && std::fabs(zc) <= a[2] + a[3]) {
            // Each wall turns the take-off back toward the floor.
            bool floor = std::fabs(zc) <= a[2];
            *surface = floor ? SURF_FLOOR : (zc > 0 ? SURF_WALL_MINUS : SURF_WALL_PLUS);
            *tex = floor ? texPipeFloor : texPipeWall;
        }
    }
}

// Whether grid corner (i, j) lies on the groomed lane.
static bool cornerOnLane(const std::vector<float>& laneAtRow, int i, int j)
{
    return std::fabs(COLUMNS / 2 - j - laneAtRow[i]) < LANE_HALF;
}

// One triangle's picture: groomed when its three corners lie on the lane, the cell's fresh snow when
// none does, else the lane-edge picture of its corners.
static int laneTriangleTexture(bool diagonalDown, bool diagonalUp, bool apex, int snow)
{
    if (diagonalDown && diagonalUp && apex) return texPacked;
    if (!diagonalDown && !diagonalUp && !apex) return snow;
    return laneEdgeTexture(diagonalDown, diagonalUp, apex);
}

// The pictures of both triangles of a lane or snow cell. The diagonal both share runs from the
// down-track corner on the +Z side to the up-track one on the -Z side; the first triangle's third
// corner is the up-track +Z one, the second's the down-track -Z one.
static void laneCellTextures(const std::vector<float>& laneAtRow, int row, int q, int tex[2])
{
    bool down = cornerOnLane(laneAtRow, row + 1, q), up = cornerOnLane(laneAtRow, row, q + 1);
    int snow = snowPicture(row, q);
    tex[0] = laneTriangleTexture(down, up, cornerOnLane(laneAtRow, row, q), snow);
    tex[1] = laneTriangleTexture(down, up, cornerOnLane(laneAtRow, row + 1, q + 1), snow);
}

static void buildSurfaces(const TrackRecipe& r, TrackMesh& m)
{
    // One texture per triangle. A strip vertex carries one texture coordinate, so every cell starts a
    // strip of its own: its first corner at (1, 1) is the drawing's patch-start mark.
    static const float EVEN_ST[6] = {1, 1, 0, 1, 1, 0}, ODD_ST[6] = {1, 0, 0, 1, 0, 0};
    std::vector<float> laneAtRow(ROWS + 1);
    for (int i = 0; i <= ROWS; i++) laneAtRow[i] = recipeLaneAt(r, (float)i);
    m.surfaces.clear();
    for (int row = 0; row < ROWS; row++)
        for (int q = 0; q < COLUMNS; q++) {
            TrackSurface s;
            int cellTex, tex[2];
            classifyCell(r, row, q, &s.surface, &cellTex);
            if (cellTex == LANE_OR_SNOW) laneCellTextures(laneAtRow, row, q, tex);
            else tex[0] = tex[1] = cellTex;
            s.texIndex = tex[0];
            std::copy(EVEN_ST, EVEN_ST + 6, s.st);
            m.surfaces.push_back(s);
            s.texIndex = tex[1];
            std::copy(ODD_ST, ODD_ST + 6, s.st);
            m.surfaces.push_back(s);
        }
}

struct Random {
    unsigned state;
    float next()  // in [0, 1)
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state >> 8) / 16777216.0f;
    }
};

static void addObstacle(const TrackRecipe& r, TrackMesh& m, float row, float zc, int type)
{
    if (type == TYPE_TREE && std::fabs(zc - recipeLaneAt(r, row)) < TREE_CLEARANCE) return;
    if ((int)m.obstacles.size() >= MAX_OBSTACLES) return;
    float x = row * CELL_LENGTH, z = zc * CELL_WIDTH;
    m.obstacles.push_back({x, meshHeightAt(m, x, z), z, type});
}

static void placeForest(const TrackRecipe& r, TrackMesh& m, const std::vector<float>& a)
{
    Random rnd{(unsigned)a[5] * 2654435761u + 1u};
    for (int k = 0; k < (int)a[4]; k++) {
        float row = a[0] + (a[1] - a[0]) * rnd.next();
        float zc = a[2] + (a[3] - a[2]) * rnd.next();
        addObstacle(r, m, row, zc, TYPE_TREE);
    }
}

static void placeObstacles(const TrackRecipe& r, TrackMesh& m)
{
    m.obstacles.clear();
    for (const TrackFeature& f : r.features) {
        const std::vector<float>& a = f.args;
        if (f.kind == "tree") addObstacle(r, m, a[0], a[1], TYPE_TREE);
        else if (f.kind == "rail") addObstacle(r, m, a[0], a[1], TYPE_RAIL);
        else if (f.kind == "bomb") addObstacle(r, m, a[0], a[1], TYPE_BOMB);
        else if (f.kind == "forest") placeForest(r, m, a);
        else if (f.kind == "gates")
            for (float row = a[0]; row <= a[1]; row += std::max(a[2], 1.0f)) {
                addObstacle(r, m, row, recipeLaneAt(r, row) + a[3], TYPE_TREE);
                addObstacle(r, m, row, recipeLaneAt(r, row) - a[3], TYPE_TREE);
            }
        else if (f.kind == "collect")
            for (int k = 0; k < (int)a[2]; k++) {
                float row = a[2] > 1 ? a[0] + (a[1] - a[0]) * k / (a[2] - 1) : a[0];
                addObstacle(r, m, row, recipeLaneAt(r, row) + a[3], TYPE_COLLECTABLE);
            }
    }
    if ((int)m.obstacles.size() >= MAX_OBSTACLES)
        fprintf(stderr, "%s: more than %i obstacles, the rest are left out\n", r.name.c_str(), MAX_OBSTACLES);
}

static void placeRescuePoints(const TrackRecipe& r, TrackMesh& m)
{
    m.rescue.clear();
    for (float row = r.startRow; row < r.finishRow && (int)m.rescue.size() < 3 * MAX_RESCUE;
         row += r.rescueEvery) {
        float x = row * CELL_LENGTH, z = recipeLaneAt(r, row) * CELL_WIDTH;
        m.rescue.insert(m.rescue.end(), {x, meshHeightAt(m, x, z), z});
    }
}

void buildTrackMesh(const TrackRecipe& r, TrackMesh& m)
{
    buildGrid(r, m);
    buildNormals(m);
    buildSurfaces(r, m);
    placeObstacles(r, m);
    placeRescuePoints(r, m);
    m.depart = r.startRow * CELL_LENGTH;
    m.arrivee = r.finishRow * CELL_LENGTH;
}

static bool allFinite(const std::vector<float>& v)
{
    for (float x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

static std::string badHeight(const TrackRecipe& r, const TrackMesh& m, int* line)
{
    for (int i = 0; i <= ROWS; i++)
        for (int j = 0; j <= COLUMNS; j++) {
            if (std::isfinite(heightOf(m, i, j))) continue;
            *line = recipeLineBehindHeight(r, i, j);
            char why[96];
            snprintf(why, sizeof why, "the height at row %i, column %i is not a number", i, j);
            return why;
        }
    return "";
}

std::string trackMeshFault(const TrackRecipe& r, const TrackMesh& m, int* line)
{
    *line = 0;
    std::string height = badHeight(r, m, line);
    if (!height.empty()) return height;
    if (!allFinite(m.points) || !allFinite(m.normals)) return "a vertex or a normal is not a number";
    for (unsigned v : m.faces)
        if (v >= m.points.size() / 3) return "a face names a vertex past the grid";
    for (const TrackObstacle& o : m.obstacles)
        if (!std::isfinite(o.x) || !std::isfinite(o.y) || !std::isfinite(o.z)) return "an obstacle is off the map";
    if (!allFinite(m.rescue)) return "a rescue point is off the map";
    if (!(m.depart >= 0 && m.depart < m.arrivee && m.arrivee <= ROWS * CELL_LENGTH)) return "the start is not before the finish";
    return "";
}
