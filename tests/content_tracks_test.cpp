// The generated tracks, loaded with the game's own loaders and checked with its terrain and collision queries.
#include "content.h"
#include "trackGen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>
#include <set>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/runState.h"
#include "render/scene.h"
#include "support/recipes.h"
#include "support/testFiles.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/surfaceTextures.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

struct TrackContent : ::testing::Test {
    const TrackModel& track = loadedTrack;
    static void SetUpTestSuite() { storeByteOrder(0); }

    TrackRecipe recipe;
    void load(const std::string& name)
    {
        ASSERT_EQ(readTrackRecipe(RECIPES + "/tracks/" + name + ".track", recipe), 0);
        std::string path = trackFile(name, ".btrk");
        ASSERT_EQ(importTrackFromBinaryFile(loadedTrack, path.c_str()), trackLoadOk) << name;
    }
    static std::string trackFile(const std::string& name, const std::string& ext)
    {
        return shippedTracksData() + "/tracks/" + name + "/" + name + ext;
    }
    float ground(float x, float z) { return yTheoObj(track.points, track.faces, x, z, 28800.0f); }
    int surfaceAt(float x, float z)
    {
        GroundContact under;
        yTheoObjSettingFaceNumber(under, track.points, track.faces, x, z, 28800.0f, 1);
        return track.textures[under.numeroFaceCourante].surface;
    }
    int obstacleCount()
    {
        int n = 0;
        while (n < maxObstacles && !isObstacleListEnd(track.containerObstacles[n])) n++;
        return n;
    }
};

// Everything a load fills, value by value.
std::vector<float> modelValues()
{
    const TrackModel& track = loadedTrack;
    std::vector<float> v(&track.points[0][0], &track.points[0][0] + 3 * maxTrackVertices);
    v.insert(v.end(), &track.normalesPiste[0][0], &track.normalesPiste[0][0] + 3 * maxTrackVertices);
    v.insert(v.end(), &track.replaceSkier[0][0], &track.replaceSkier[0][0] + 3 * maxReplacePoints);
    for (int f = 0; f < maxTrackFaces; f++) {
        for (int k = 0; k < 3; k++) v.push_back((float)track.faces[f][k]);
        v.insert(v.end(), &track.textures[f].coord[0][0], &track.textures[f].coord[0][0] + 6);
        v.push_back((float)track.textures[f].texIndex);
        v.push_back((float)track.textures[f].surface);
    }
    for (const ObstacleRecord& o : track.containerObstacles)
        v.insert(v.end(), {o.x, o.y, o.z, (float)o.type, o.reservedFloat, (float)o.reservedA, (float)o.reservedB});
    v.insert(v.end(), {(float)track.bombsQty, track.depart, track.arrivee, track.rgbNeigeR, track.rgbNeigeG, track.rgbNeigeB, track.rgbSpotR});
    return v;
}

// The track screen prints the description from x 210 of its 640-unit text space, 10 units a
// character, one line every 20 units down from y 240: the text panel ends at x 400 (the stand panel
// and the thumbnail start right of it) and the track name's top is at y 140.
static void expectDescriptionFitsItsPanel(const std::string& desc, const std::string& name)
{
    const size_t DESC_X = 210, PANEL_RIGHT_X = 400, ADVANCE = 10;
    const int TOP_Y = 240, PITCH = 20, NAME_TOP_Y = 140;
    size_t start = 0;
    int lines = 0;
    while (start < desc.size()) {
        size_t end = desc.find('\n', start);
        if (end == std::string::npos) end = desc.size();
        EXPECT_LE(DESC_X + ADVANCE * (end - start), PANEL_RIGHT_X) << name << ": " << desc.substr(start, end - start);
        lines++;
        start = end + 1;
    }
    EXPECT_GE(TOP_Y - PITCH * (lines - 1), NAME_TOP_Y + PITCH) << name << ": " << lines << " lines";
}

TEST_F(TrackContent, EveryRecipeGivesATrackBothFormsOfWhichLoadAlike)
{
    TrackModel& track = loadedTrack;
    std::vector<std::string> names = recipeNames("tracks", ".track");
    ASSERT_GE(names.size(), 1u);
    for (const std::string& name : names) {
        load(name);
        std::vector<float> fromBinary = modelValues();
        std::string title = track.nomPiste;
        memset(track.points, 0, sizeof track.points);
        memset(track.textures, 0, sizeof track.textures);
        ASSERT_EQ(importTrackFromTextFile(loadedTrack, trackFile(name, ".trk").c_str()), trackLoadOk) << name;
        EXPECT_EQ(title, std::string(track.nomPiste));
        EXPECT_EQ(fromBinary, modelValues()) << name;
        EXPECT_EQ(track.bombsQty, recipe.bombs);

        std::vector<unsigned char> desc = readBytes(trackFile(name, ".desc"));
        EXPECT_GT(desc.size(), 20u) << name;
        EXPECT_LT(desc.size(), 1504u) << name;
        expectDescriptionFitsItsPanel(std::string(desc.begin(), desc.end()), name);
    }
}

// Even triangles start at the cell's +Z, up-track corner, vertex 1 along X and vertex 2 along Z.
TEST_F(TrackContent, GridFollowsTheFaceNumberingAndRecipeHeights)
{
    const TrackModel& track = loadedTrack;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        load(name);
        for (int r = 0; r < longueurPisteEnFaces; r++)
            for (int q = 0; q < largeurPisteEnFaces; q++) {
                const unsigned* f = track.faces[r * facesParRangee + 2 * q];
                const float *p0 = track.points[f[0]], *p1 = track.points[f[1]], *p2 = track.points[f[2]];
                ASSERT_EQ(p0[0], (float)(r * longueurFace)) << name << " row " << r;
                ASSERT_EQ(p0[2], (float)((36 - q) * largeurFace)) << name << " cell " << q;
                ASSERT_EQ(p1[0] - p0[0], (float)longueurFace);
                ASSERT_EQ(p1[2], p0[2]);
                ASSERT_EQ(p2[0], p0[0]);
                ASSERT_EQ(p0[2] - p2[2], (float)largeurFace);
            }
        // Random points: the triangle the game picks interpolates the recipe's corner heights.
        unsigned seed = 12345;
        for (int k = 0; k < 2000; k++) {
            seed = seed * 1103515245u + 12345u;
            float x = 1 + (seed >> 8) % 336790;
            seed = seed * 1103515245u + 12345u;
            float z = -40420.0f + (float)((seed >> 8) % 80840);
            int i = (int)(x / longueurFace), j = (int)((40428.0f - z) / largeurFace);
            float u = x / longueurFace - i, w = (40428.0f - z) / largeurFace - j;
            float h00 = recipeCornerHeight(recipe, i, j), h10 = recipeCornerHeight(recipe, i + 1, j);
            float h01 = recipeCornerHeight(recipe, i, j + 1), h11 = recipeCornerHeight(recipe, i + 1, j + 1);
            float want = u + w <= 1 ? h00 + u * (h10 - h00) + w * (h01 - h00)
                                    : h11 + (1 - u) * (h01 - h11) + (1 - w) * (h10 - h11);
            ASSERT_NEAR(ground(x, z), want, 0.5f) << name << " at " << x << ", " << z;
        }
    }
}

// Replays the terrain drawing's strips: each drawn triangle is the track triangle it stands for,
// with the texture coordinates that triangle gives its corners.
struct StripReplay {
    unsigned last[2];
    const float* lastSt[2];
    int drawn = 0, wrong = 0, wrongSt = 0, firstWrong = -1;
};

void replayCorner(StripReplay* r, int t, int k)
{
    const TrackModel& track = loadedTrack;
    r->last[0] = r->last[1];
    r->lastSt[0] = r->lastSt[1];
    r->last[1] = track.faces[t][k];
    r->lastSt[1] = track.textures[t].coord[k];
}

void replayTriangle(int t, short newStrip, void* ctx)
{
    const TrackModel& track = loadedTrack;
    StripReplay* r = (StripReplay*)ctx;
    unsigned a = r->last[0], b = r->last[1];
    const float *sa = r->lastSt[0], *sb = r->lastSt[1];
    if (newStrip) {
        a = track.faces[t][0], b = track.faces[t][1], sa = track.textures[t].coord[0], sb = track.textures[t].coord[1];
        replayCorner(r, t, 0);
        replayCorner(r, t, 1);
    }
    replayCorner(r, t, 2);
    std::multiset<unsigned> drawn = {a, b, track.faces[t][2]}, want(track.faces[t], track.faces[t] + 3);
    r->drawn++;
    if (drawn != want) {
        r->wrong++;
        if (r->firstWrong < 0) r->firstWrong = t;
        return;
    }
    for (int k = 0; k < 3; k++) {
        const float* s = track.faces[t][k] == a ? sa : track.faces[t][k] == b ? sb : track.textures[t].coord[2];
        if (s[0] != track.textures[t].coord[k][0] || s[1] != track.textures[t].coord[k][1]) r->wrongSt++;
    }
}

TEST_F(TrackContent, TerrainStripsDrawEveryTriangleWithItsOwnTextureCorners)
{
    const TrackModel& track = loadedTrack;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        load(name);
        StripReplay r;
        for (int row : {2, 60, 150})
            for (int q : {10, 36, 60}) walkTerrainWindow(row * facesParRangee + 2 * q, track.textures, replayTriangle, &r);
        EXPECT_GT(r.drawn, 3000) << name;
        EXPECT_EQ(r.wrong, 0) << name << ", first at triangle " << r.firstWrong;
        EXPECT_EQ(r.wrongSt, 0) << name;
    }
}

// Downhill along the line, kicker lips steep enough to launch, outer cells out of bounds.
TEST_F(TrackContent, SlopeKickersAndEdgesAreRideable)
{
    const TrackModel& track = loadedTrack;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        load(name);
        EXPECT_GT(track.depart, 0.0f);
        EXPECT_LT(track.depart, track.arrivee);
        EXPECT_LT(track.arrivee, (float)((longueurPisteEnFaces - 1) * longueurFace));
        float laneStart = recipeLaneAt(recipe, recipe.startRow) * largeurFace;
        float laneEnd = recipeLaneAt(recipe, recipe.finishRow) * largeurFace;
        EXPECT_GT(ground(track.depart, laneStart) - ground(track.arrivee, laneEnd), 20000.0f) << name;
        for (int r = 0; r < longueurPisteEnFaces; r++) {
            EXPECT_EQ(track.textures[r * facesParRangee].surface, surfaceHorsPiste);
            EXPECT_EQ(track.textures[r * facesParRangee + facesParRangee - 1].surface, surfaceHorsPiste);
        }
        for (const TrackFeature& f : recipe.features) {
            if (f.kind != "kicker") continue;
            float z = (f.args[1] + f.args[2]) / 2 * largeurFace;
            float lip = (f.args[0] + f.args[4]) * longueurFace;
            float normal[3];
            GroundContact under;
            float ramp = placeObjetAndGetAngle(under, track.points, track.faces, lip - 400, z, 28800.0f, 0, normal);
            float drop = placeObjetAndGetAngle(under, track.points, track.faces, lip + 400, z, 28800.0f, 0, normal);
            EXPECT_GT(ramp, 0.0f) << name << " kicker at row " << f.args[0];
            EXPECT_LT(drop - ramp, -40.0f) << name << " kicker at row " << f.args[0];
        }
    }
}

// From start to finish the line crosses no tree, no out-of-bounds or repelling surface, and no rail
// but one a kicker on the line throws the rider onto (its flight comes down within 12 rows);
// rescue points lie on the line in order, obstacles stand on the ground.
TEST_F(TrackContent, FinishIsReachableAndObstaclesStandOnTheGround)
{
    const TrackModel& track = loadedTrack;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        load(name);
        int n = obstacleCount();
        auto behindLineKicker = [&](float railX) {
            for (const TrackFeature& f : recipe.features) {
                float lane = recipeLaneAt(recipe, f.args[0]), rows = railX / longueurFace - f.args[0];
                if (f.kind == "kicker" && lane >= f.args[1] && lane <= f.args[2] && rows > 0 && rows < 12) return true;
            }
            return false;
        };
        for (float x = track.depart; x <= track.arrivee; x += 100) {
            float z = recipeLaneAt(recipe, x / longueurFace) * largeurFace;
            int s = surfaceAt(x, z);
            ASSERT_TRUE(s != surfaceHorsPiste && s != surfaceRepousse) << name << " at x " << x;
            for (int o = 0; o < n; o++) {
                if (track.containerObstacles[o].type == obstacleSapin)
                    ASSERT_FALSE(isCollisionSapin(loadedTrack, 90, x, ground(x, z), z, o)) << name << " tree at x " << x;
                if (track.containerObstacles[o].type == obstacleRail && std::fabs(track.containerObstacles[o].x - x) < 3000 &&
                    !behindLineKicker(track.containerObstacles[o].x))
                    ASSERT_GT(std::fabs(track.containerObstacles[o].z - z), 600.0f) << name << " rail at x " << x;
            }
        }
        for (int o = 0; o < n; o++) {
            const ObstacleRecord& ob = track.containerObstacles[o];
            EXPECT_NEAR(ob.y, ground(ob.x, ob.z), 1.0f) << name << " obstacle " << o;
        }
        int k = 0;
        for (; k < maxReplacePoints && track.replaceSkier[k][0] != emptyObstacleCoord; k++) {
            if (k > 0) EXPECT_GT(track.replaceSkier[k][0], track.replaceSkier[k - 1][0]) << name;
            EXPECT_GE(track.replaceSkier[k][0], track.depart);
            EXPECT_LT(track.replaceSkier[k][0], track.arrivee);
            EXPECT_NEAR(track.replaceSkier[k][1], ground(track.replaceSkier[k][0], track.replaceSkier[k][2]), 1.0f);
        }
        EXPECT_GE(k, 10) << name;
        EXPECT_EQ(track.findFirstReplace(track.depart + 10, track.replaceSkier[0][1], track.replaceSkier[0][2]), 0) << name;
    }
}

// Floor, both walls and the deck of each half-pipe, in the middle of its length.
TEST_F(TrackContent, HalfPipesCarryWallAndFloorSurfaces)
{
    int pipes = 0;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        load(name);
        for (const TrackFeature& f : recipe.features) {
            if (f.kind != "halfpipe") continue;
            pipes++;
            float x = (f.args[0] + f.args[1]) / 2 * longueurFace;
            float wallZ = (f.args[2] + f.args[3] / 2) * largeurFace;
            float deckZ = (f.args[2] + f.args[3] + 0.5f) * largeurFace;
            EXPECT_EQ(surfaceAt(x, 0), surfaceHalfPipeFond) << name;
            EXPECT_EQ(surfaceAt(x, wallZ), surfaceHalfPipeGauche) << name;
            EXPECT_EQ(surfaceAt(x, -wallZ), surfaceHalfPipeDroite) << name;
            EXPECT_NE(surfaceAt(x, deckZ), surfaceHalfPipeGauche) << name;
            float floor = ground(x, 0);
            EXPECT_GT(ground(x, wallZ), floor + 0.1f * f.args[4]);
            EXPECT_GT(ground(x, deckZ), floor + 0.9f * f.args[4]);
            EXPECT_NEAR(ground(x, deckZ), ground(x, -deckZ), 1.0f);
        }
    }
    EXPECT_GE(pipes, 1);
}

// The tracks differ: a forest, a half-pipe, rails, boosters and bomb pick-ups each appear somewhere.
TEST_F(TrackContent, TrackSetCoversEveryKindOfFeature)
{
    const TrackModel& track = loadedTrack;
    std::vector<std::string> names = recipeNames("tracks", ".track");
    EXPECT_GE(names.size(), 4u);
    int most[4] = {0, 0, 0, 0}, boosters = 0;
    for (const std::string& name : names) {
        load(name);
        int count[4] = {0, 0, 0, 0};
        for (int o = 0; o < obstacleCount(); o++) count[track.containerObstacles[o].type]++;
        for (int t = 0; t < 4; t++) most[t] = std::max(most[t], count[t]);
        for (const TexData& t : track.textures) boosters += t.surface == surfaceBooster;
    }
    EXPECT_GE(most[obstacleSapin], 300);
    EXPECT_GE(most[obstacleCollectable], 20);
    EXPECT_GE(most[obstacleBomb], 4);
    EXPECT_GE(most[obstacleRail], 4);
    EXPECT_GT(boosters, 0);
}

// A kicker's cells by their place: ramp, lip row, painted sides, the drop behind and the banks beside;
// a rail within a few rows past the lip makes it a rail kicker.
TEST(TrackKickerCells, EachCellOfAKickerGetsThePictureOfItsPlace)
{
    TrackRecipe r;
    r.features = {{"kicker", {10, -2, 2, 800, 2}}, {"rail", {12.5f, 0}}, {"kicker", {30, 5, 7, 700, 1}},
                  {"rail", {40, 6}}};
    const std::vector<float>& fed = r.features[0].args;
    const std::vector<float>& plain = r.features[2].args;
    EXPECT_EQ(kickerCellTexture(r, fed, 10.5f, 1.5f), kickerFaceTexture(true, kickerEdgePlusZ));
    EXPECT_EQ(kickerCellTexture(r, fed, 10.5f, 0.5f), kickerFaceTexture(true, 0));
    EXPECT_EQ(kickerCellTexture(r, fed, 11.5f, 0.5f), kickerFaceTexture(true, kickerLip));
    EXPECT_EQ(kickerCellTexture(r, fed, 11.5f, -1.5f), kickerFaceTexture(true, kickerLip | kickerEdgeMinusZ));
    EXPECT_EQ(kickerCellTexture(r, fed, 12.5f, 0.5f), texKickerBack);
    EXPECT_EQ(kickerCellTexture(r, fed, 11.5f, 2.5f), texRailKickerWallPlusZ);
    EXPECT_EQ(kickerCellTexture(r, fed, 12.5f, -2.5f), texRailKickerWallMinusZ);
    for (auto off : {std::make_pair(9.5f, 0.5f), std::make_pair(13.5f, 0.5f), std::make_pair(11.5f, 3.5f)})
        EXPECT_EQ(kickerCellTexture(r, fed, off.first, off.second), -1) << off.first << " " << off.second;
    // one cell wide, both sides painted; its rail is nine rows on: not the one it throws to
    EXPECT_EQ(kickerCellTexture(r, plain, 30.5f, 6.5f), kickerFaceTexture(false, kickerLip | kickerEdgePlusZ));
    EXPECT_EQ(kickerCellTexture(r, plain, 30.5f, 5.5f), kickerFaceTexture(false, kickerLip | kickerEdgeMinusZ));
    EXPECT_EQ(kickerCellTexture(r, plain, 30.5f, 7.5f), texKickerWallPlusZ);
}

// On the shipped tracks: Iron Park's line kickers lead to rails and are marked so, Meadow's lead to
// none; every cell's picture is one the content tool writes.
TEST(TrackKickerCells, ShippedTracksMarkTheKickersThatLeadToRails)
{
    auto lipTexture = [](const TrackMesh& m, float row, float zc) {
        int q = (int)(36 - zc - 0.5f);
        return m.surfaces[(size_t)((int)row * 72 + q) * 2].texIndex;
    };
    TrackRecipe park, meadow;
    ASSERT_EQ(readTrackRecipe(RECIPES + "/tracks/ironpark.track", park), 0);
    ASSERT_EQ(readTrackRecipe(RECIPES + "/tracks/meadow.track", meadow), 0);
    TrackMesh parkMesh, meadowMesh;
    buildTrackMesh(park, parkMesh);
    buildTrackMesh(meadow, meadowMesh);
    EXPECT_EQ(lipTexture(parkMesh, 24.5f, 0.5f), kickerFaceTexture(true, kickerLip));   // rail at 25.3
    EXPECT_EQ(lipTexture(parkMesh, 140.5f, 0.5f), kickerFaceTexture(false, 0));         // no rail behind
    EXPECT_EQ(lipTexture(parkMesh, 141.5f, 0.5f), kickerFaceTexture(false, kickerLip));
    EXPECT_EQ(lipTexture(meadowMesh, 30.5f, 0.5f), kickerFaceTexture(false, kickerLip));
    for (const TrackMesh* m : {&parkMesh, &meadowMesh})
        for (const TrackSurface& s : m->surfaces) {
            ASSERT_GE(s.texIndex, 0);
            ASSERT_LT(s.texIndex, trackSurfacePictures);
        }
}

// Where the groomed lane meets fresh snow, each triangle's picture shows the lane at exactly those of
// its corners that lie on it, and agrees with the triangle beside it along every side they share.
TEST(TrackLaneEdges, EachTrianglesPictureMatchesItsCornersAndItsNeighbours)
{
    const int rows = 200, cells = 72;
    for (const std::string& name : recipeNames("tracks", ".track")) {
        TrackRecipe r;
        ASSERT_EQ(readTrackRecipe(RECIPES + "/tracks/" + name + ".track", r), 0);
        TrackMesh m;
        buildTrackMesh(r, m);
        auto tex = [&](int row, int q, int half) { return m.surfaces[(size_t)(row * cells + q) * 2 + half].texIndex; };
        auto onLane = [&](int i, int j) { return std::fabs(cells / 2 - j - recipeLaneAt(r, (float)i)) < 1.5f ? 1.0f : 0.0f; };
        // two pictures that both show snow or lane agree along a side: (ua, va) to (ub, vb) in one,
        // (uc, vc) to (ud, vd) in the other
        auto seam = [](int a, int b, float ua, float va, float ub, float vb, float uc, float vc, float ud, float vd) {
            if (laneShareOf(a, ua, va) < 0 || laneShareOf(b, uc, vc) < 0) return 0;
            int wrong = 0;
            for (float t = 0; t <= 1; t += 0.25f)
                wrong += std::fabs(laneShareOf(a, ua + t * (ub - ua), va + t * (vb - va)) -
                                   laneShareOf(b, uc + t * (ud - uc), vc + t * (vd - vc))) > 1e-4f;
            return wrong;
        };
        int edgeTriangles = 0, wrongCorners = 0, seams = 0;
        for (int row = 0; row < rows; row++)
            for (int q = 0; q < cells; q++) {
                int even = tex(row, q, 0), odd = tex(row, q, 1);
                edgeTriangles += (even >= texLaneEdge) + (odd >= texLaneEdge);
                // the first triangle's corners at (u, v) (1, 0), (0, 0), (1, 1); the second's third at (0, 1)
                if (laneShareOf(even, 0, 0) >= 0)
                    wrongCorners += (laneShareOf(even, 1, 0) != onLane(row, q)) + (laneShareOf(even, 0, 0) != onLane(row + 1, q)) +
                                    (laneShareOf(even, 1, 1) != onLane(row, q + 1));
                if (laneShareOf(odd, 0, 0) >= 0) wrongCorners += laneShareOf(odd, 0, 1) != onLane(row + 1, q + 1);
                seams += seam(even, odd, 0, 0, 1, 1, 0, 0, 1, 1);
                if (q + 1 < cells) seams += seam(odd, tex(row, q + 1, 0), 0, 1, 1, 1, 0, 0, 1, 0);
                if (row + 1 < rows) seams += seam(odd, tex(row + 1, q, 0), 0, 0, 0, 1, 1, 0, 1, 1);
            }
        EXPECT_GT(edgeTriangles, rows / 2) << name << ": the lane has no soft edge";
        EXPECT_EQ(wrongCorners, 0) << name;
        EXPECT_EQ(seams, 0) << name;
    }
}

}  // namespace
