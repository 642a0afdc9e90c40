#include "content.h"
#include "trackGen.h"
#include "render/sceneWorld.h"
#include "shell/keymap.h"
#include "track/surfaceTextures.h"
#include "support/recipes.h"
#include "support/testFiles.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

static unsigned le32(const std::vector<unsigned char>& b, int at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (unsigned)b[at + 3] << 24;
}

static std::string tempDir()
{
    char pattern[] = "/tmp/kescontentXXXXXX";
    return mkdtemp(pattern);
}

// A shipped track's mesh, built once: the sky faces are rendered from it.
static const TrackMesh& shippedMesh(const char* name)
{
    static std::map<std::string, TrackMesh> built;
    auto found = built.find(name);
    if (found != built.end()) return found->second;
    TrackRecipe r;
    readTrackRecipe(RECIPES + "/tracks/" + name + ".track", r);
    buildTrackMesh(r, built[name]);
    return built[name];
}

// Width, height, depth and bottom-up storage as the game's BMP loader expects them.
static void expectBmp(const std::string& path, int size)
{
    std::vector<unsigned char> b = readBytes(path);
    ASSERT_GE(b.size(), 54u) << path;
    EXPECT_EQ('B', b[0]);
    EXPECT_EQ('M', b[1]);
    EXPECT_EQ((int)le32(b, 18), size) << path;
    EXPECT_EQ((int)le32(b, 22), size) << path;
    EXPECT_EQ(24, b[28] | b[29] << 8) << path;
    EXPECT_EQ(b.size(), 54u + (size_t)size * size * 3) << path;
}

// Pixel (x, y) counted from the bottom row, as stored; returns r, g, b.
static void pixelAt(const std::vector<unsigned char>& b, int size, int x, int y, int rgb[3])
{
    size_t at = 54 + ((size_t)y * size + x) * 3;
    rgb[0] = b[at + 2];
    rgb[1] = b[at + 1];
    rgb[2] = b[at];
}

TEST(ContentTrackPictures, EveryFileHasItsSizeTheStarSitsInItsRectangleAndOutputIsDeterministic)
{
    std::string dir = tempDir();
    genTrackPictures(dir, 0, 1, shippedMesh("meadow"));
    for (const char* face : {"front", "left", "right", "back", "up", "down"})
        expectBmp(dir + "/texObj/" + face + ".bmp", 256);
    expectBmp(dir + "/texObj/soleil.bmp", 128);
    expectBmp(dir + "/texObj/cylinder.bmp", 512);
    expectBmp(dir + "/texObj/traceRun.bmp", 64);
    expectBmp(dir + "/texObj/traceBreak.bmp", 64);
    expectBmp(dir + "/texObj/vide.bmp", 16);
    for (int k = 0; k < 6; k++) expectBmp(dir + "/texTrack/" + std::to_string(k) + ".bmp", 128);

    std::vector<unsigned char> cyl = readBytes(dir + "/texObj/cylinder.bmp");
    int rgb[3];
    pixelAt(cyl, 512, (int)(0.0775 * 512), (int)(0.065 * 512), rgb);
    EXPECT_GT(rgb[0] + rgb[1], 300) << "star centre must be lit";
    pixelAt(cyl, 512, 256, 256, rgb);
    EXPECT_EQ(0, rgb[0] + rgb[1] + rgb[2]) << "outside the star stays on the black key";

    // The trace pictures keep white, their colour key, around the grooves.
    std::vector<unsigned char> trace = readBytes(dir + "/texObj/traceRun.bmp");
    pixelAt(trace, 64, 2, 30, rgb);
    EXPECT_EQ(765, rgb[0] + rgb[1] + rgb[2]);

    // Sky faces meet: the top row of a side face equals the matching edge row of the up face.
    std::vector<unsigned char> front = readBytes(dir + "/texObj/front.bmp");
    std::vector<unsigned char> up = readBytes(dir + "/texObj/up.bmp");
    int a[3], c[3];
    pixelAt(front, 256, 128, 255, a);
    pixelAt(up, 256, 128, 0, c);
    for (int i = 0; i < 3; i++) EXPECT_NEAR(a[i], c[i], 3);

    std::string again = tempDir();
    genTrackPictures(again, 0, 1, shippedMesh("meadow"));
    EXPECT_EQ(readBytes(dir + "/texTrack/0.bmp"), readBytes(again + "/texTrack/0.bmp"));
    EXPECT_EQ(readBytes(dir + "/texObj/front.bmp"), readBytes(again + "/texObj/front.bmp"));
    std::string cmd = "rm -rf " + dir + " " + again;
    EXPECT_EQ(0, system(cmd.c_str()));
}

// Mean colour step between column xa of face a and column xb of face b, over the rows.
static float edgeStep(const std::vector<unsigned char>& a, int xa, const std::vector<unsigned char>& b, int xb)
{
    int sum = 0, pa[3], pb[3];
    for (int y = 0; y < 256; y++) {
        pixelAt(a, 256, xa, y, pa);
        pixelAt(b, 256, xb, y, pb);
        for (int i = 0; i < 3; i++) sum += std::abs(pa[i] - pb[i]);
    }
    return sum / (3.0f * 256);
}

TEST(ContentTrackPictures, SkyFacesMeetRoundTheHorizonAndShowTheTracksOwnMountains)
{
    std::string dir = tempDir(), other = tempDir();
    genTrackPictures(dir, 0, 1, shippedMesh("meadow"));
    genTrackPictures(other, 0, 2, shippedMesh("meadow"));
    auto face = [&](const std::string& d, const char* name) { return readBytes(d + "/texObj/" + name + ".bmp"); };
    std::vector<unsigned char> front = face(dir, "front"), left = face(dir, "left"), right = face(dir, "right"),
                               back = face(dir, "back");
    // Going round: left, front, right, back, left again. Across a seam neighbouring texels differ
    // no more than neighbouring columns inside a face do, far less than faces that do not touch.
    float inside = std::max(edgeStep(left, 254, left, 255), edgeStep(front, 0, front, 1));
    EXPECT_LE(edgeStep(left, 255, front, 0), 2 * inside + 2);
    EXPECT_LE(edgeStep(front, 255, right, 0), 2 * inside + 2);
    EXPECT_LE(edgeStep(right, 255, back, 0), 2 * inside + 2);
    EXPECT_LE(edgeStep(back, 255, left, 0), 2 * inside + 2);
    EXPECT_GT(edgeStep(left, 0, front, 255), 4 * inside + 8) << "faces that do not touch differ";

    // Above the horizon row a mountain silhouette crosses the front face: the row holds both bright
    // snow and sky, and a track with another seed shows another skyline.
    int brightest = 0, bluest = 0, rgb[3];
    for (int x = 0; x < 256; x++) {
        pixelAt(front, 256, x, 150, rgb);
        brightest = std::max(brightest, rgb[0] + rgb[1] + rgb[2]);
        bluest = std::max(bluest, rgb[2] - rgb[0]);
    }
    EXPECT_GT(brightest, 600) << "no snow above the horizon";
    EXPECT_GT(bluest, 60) << "no sky beside the mountains";
    EXPECT_NE(front, face(other, "front"));
    EXPECT_EQ(0, system(("rm -rf " + dir + " " + other).c_str()));
}

// The thumbnail (the front face) shows the track itself below the horizon: Iron Park's orange
// boosters, Timberline's wood of dark firs; neither shows the other's.
TEST(ContentTrackPictures, ThumbnailShowsTheTracksOwnFeatures)
{
    std::string park = tempDir(), wood = tempDir();
    genTrackPictures(park, 0, 1, shippedMesh("ironpark"));
    genTrackPictures(wood, 1, 1, shippedMesh("timberline"));
    auto count = [](const std::string& dir, bool (*kind)(const int*)) {
        std::vector<unsigned char> front = readBytes(dir + "/texObj/front.bmp");
        int n = 0, rgb[3];
        for (int y = 0; y < 128; y++)
            for (int x = 0; x < 256; x++) {
                pixelAt(front, 256, x, y, rgb);
                n += kind(rgb);
            }
        return n;
    };
    auto orange = [](const int* c) { return c[0] > 180 && c[1] < 160 && c[2] < 90; };
    auto fir = [](const int* c) { return c[0] + c[1] + c[2] < 200; };
    EXPECT_GT(count(park, orange), 20);
    EXPECT_EQ(count(wood, orange), 0);
    EXPECT_GT(count(wood, fir), 10 * count(park, fir) + 20) << "Iron Park has a few trees, Timberline a wood";
    EXPECT_EQ(0, system(("rm -rf " + park + " " + wood).c_str()));
}

// Brightness of texel (x, y) of a square picture, coordinates wrapped round its edges.
static int lumaAt(const std::vector<unsigned char>& b, int size, int x, int y)
{
    int rgb[3];
    pixelAt(b, size, (x + size) % size, (y + size) % size, rgb);
    return (rgb[0] * 3 + rgb[1] * 6 + rgb[2]) / 10;
}

TEST(ContentTrackPictures, SurfacesShowATextureThatTilesWithoutNoise)
{
    std::string dir = tempDir();
    genTrackPictures(dir, 0, 1, shippedMesh("meadow"));
    for (int k = 0; k < 6; k++) {
        std::vector<unsigned char> b = readBytes(dir + "/texTrack/" + std::to_string(k) + ".bmp");
        ASSERT_EQ(b.size(), 54u + 128 * 128 * 3) << k;
        // Steps between neighbours inside the picture, and across its edges into the next cell.
        double inside = 0, sum = 0, sumSq = 0;
        int wrapWorst = 0, insideWorst = 0;
        for (int y = 0; y < 128; y++)
            for (int x = 0; x < 128; x++) {
                int l = lumaAt(b, 128, x, y);
                sum += l;
                sumSq += (double)l * l;
                int step = std::max(std::abs(l - lumaAt(b, 128, x + 1, y)), std::abs(l - lumaAt(b, 128, x, y + 1)));
                if (x == 127 || y == 127) {
                    wrapWorst = std::max(wrapWorst, step);
                } else {
                    inside += step;
                    insideWorst = std::max(insideWorst, step);
                }
            }
        double n = 128.0 * 128.0, spread = std::sqrt(sumSq / n - (sum / n) * (sum / n));
        EXPECT_GT(spread, 5.0) << "surface " << k << " is nearly flat";
        EXPECT_LT(inside / (127.0 * 127.0), 6.0) << "surface " << k << " is noisy from texel to texel";
        EXPECT_LE(wrapWorst, insideWorst + 2) << "surface " << k << " shows a seam between cells";
    }
    EXPECT_EQ(0, system(("rm -rf " + dir).c_str()));
}

namespace {

// One surface picture, read as stored (bottom row first, which is the cell's -Z edge).
struct Surface {
    std::vector<unsigned char> b;
    Surface(const std::string& dir, int tex) : b(readBytes(dir + std::to_string(tex) + ".bmp")) {}
    void at(int x, int y, int rgb[3]) const { pixelAt(b, 128, x, y, rgb); }
    double meanLuma(int x0, int y0, int x1, int y1) const
    {
        double sum = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) sum += lumaAt(b, 128, x, y);
        return sum / ((x1 - x0) * (y1 - y0));
    }
    double meanRedLessBlue() const
    {
        double sum = 0;
        int rgb[3];
        for (int y = 0; y < 128; y++)
            for (int x = 0; x < 128; x++) at(x, y, rgb), sum += rgb[0] - rgb[2];
        return sum / (128.0 * 128.0);
    }
};

bool isRed(const int* c) { return c[0] > 190 && c[1] < 100 && c[2] < 100; }
bool isYellowOrBlack(const int* c) { return (c[0] > 190 && c[1] > 150 && c[2] < 80) || (c[0] < 70 && c[1] < 70 && c[2] < 70); }
// A kicker's face is packed snow: light and a little blue, never the paint's colours.
bool isPackedSnow(const int* c) { return c[0] > 150 && c[2] >= c[0] && c[2] - c[0] < 40; }

}  // namespace

// Lip and sides painted exactly where a kicker's cell has them (the lip on the down-track, left
// column; +Z on the top row), red on plain kickers and yellow-black on those that lead to a rail; the
// rest a ramp of packed snow, shaded under the lip.
TEST(ContentTrackPictures, KickerPicturesPaintTheirLipSidesAndBanks)
{
    std::string dir = tempDir() + "/";
    genSurfacePictures(dir, 0);
    for (int k = 0; k < trackSurfacePictures; k++) expectBmp(dir + std::to_string(k) + ".bmp", 128);
    for (bool rail : {false, true})
        for (int flags = 0; flags < kickerFaceKinds; flags++) {
            Surface s(dir, kickerFaceTexture(rail, flags));
            auto marked = [&](int x, int y) {
                int c[3];
                s.at(x, y, c);
                if (rail ? isYellowOrBlack(c) : isRed(c)) return true;
                EXPECT_TRUE(isPackedSnow(c) || c[0] > 240) << "neither paint nor snow: " << flags << " at " << x << "," << y;
                return false;
            };
            SCOPED_TRACE(std::to_string(flags) + (rail ? " rail" : " plain"));
            EXPECT_EQ(marked(4, 64), (flags & kickerLip) != 0);
            EXPECT_EQ(marked(64, 125), (flags & kickerEdgePlusZ) != 0);
            EXPECT_EQ(marked(64, 2), (flags & kickerEdgeMinusZ) != 0);
            int middle[3];
            s.at(80, 64, middle);
            EXPECT_TRUE(isPackedSnow(middle));
            if (flags & kickerLip) EXPECT_LT(s.meanLuma(26, 40, 34, 88), s.meanLuma(100, 40, 108, 88) - 8) << "no shade under the lip";
        }
    // the banks carry the paint on the edge they share with the kicker and lie in its shade there
    const struct { int tex; bool rail; int kickerRow, awayRow; } banks[] = {
        {texKickerWallPlusZ, false, 1, 126},
        {texKickerWallMinusZ, false, 126, 1},
        {texRailKickerWallPlusZ, true, 1, 126},
        {texRailKickerWallMinusZ, true, 126, 1}};
    for (const auto& bank : banks) {
        Surface s(dir, bank.tex);
        int near[3], far[3];
        s.at(64, bank.kickerRow, near);
        s.at(64, bank.awayRow, far);
        EXPECT_TRUE(bank.rail ? isYellowOrBlack(near) : isRed(near)) << bank.tex;
        EXPECT_FALSE(isRed(far) || isYellowOrBlack(far)) << bank.tex;
        int towards = bank.kickerRow < 64 ? -1 : 1;  // from the middle row towards the kicker
        EXPECT_LT(s.meanLuma(0, 64 + towards * 40 - 8, 128, 64 + towards * 40 + 8),
                  s.meanLuma(0, 64 - towards * 40 - 8, 128, 64 - towards * 40 + 8) - 5)
            << bank.tex << " is not shaded towards its kicker";
    }
    // the drop behind a lip is the ramp's packed snow in its own shade, with the ramp's grain and passes,
    // darkest under the lip's edge (up the track, the picture's right): no flat slab when seen from above
    Surface back(dir, texKickerBack), ramp(dir, texKickerFace);
    int middle[3];
    back.at(64, 64, middle);
    EXPECT_TRUE(isPackedSnow(middle)) << middle[0] << "," << middle[1] << "," << middle[2];
    double lo = 1e9, hi = -1e9;
    for (int x = 4; x < 88; x += 4) {
        double column = back.meanLuma(x, 0, x + 4, 128);
        lo = std::min(lo, column), hi = std::max(hi, column);
    }
    EXPECT_GT(hi - lo, 8.0) << "the drop shows no passes";
    EXPECT_LT(back.meanLuma(0, 0, 128, 128), ramp.meanLuma(0, 0, 128, 128) - 4) << "the drop is as bright as the ramp";
    EXPECT_GT(back.meanLuma(0, 0, 128, 128), ramp.meanLuma(0, 0, 128, 128) - 45) << "the drop is a dark slab";
    EXPECT_LT(back.meanLuma(118, 0, 128, 128), back.meanLuma(40, 0, 80, 128) - 8) << "no shade under the lip";
    EXPECT_EQ(0, system(("rm -rf " + dir).c_str()));
}

// The lane has no ridges that would run as stripes to the horizon, the pipe's walls stand apart
// from its floor, the snow pictures vary inside and agree at their edges, and each theme's light
// tints its snow.
TEST(ContentTrackPictures, SnowLaneAndPipeReadApartInEachTracksLight)
{
    std::string day = tempDir() + "/", dusk = tempDir() + "/", overcast = tempDir() + "/";
    genSurfacePictures(day, 0);
    genSurfacePictures(dusk, 1);
    genSurfacePictures(overcast, 2);

    Surface lane(day, texPacked);
    double lo = 1e9, hi = -1e9;
    for (int y = 0; y < 128; y++) {
        double across = lane.meanLuma(0, y, 128, y + 1);
        lo = std::min(lo, across), hi = std::max(hi, across);
    }
    EXPECT_LT(hi - lo, 10.0) << "the lane's shade changes in bands across the track";

    Surface floor(day, texPipeFloor), wall(day, texPipeWall);
    EXPECT_GT(floor.meanLuma(0, 0, 128, 128) - wall.meanLuma(0, 0, 128, 128), 20.0);
    EXPECT_LT(wall.meanRedLessBlue(), floor.meanRedLessBlue() - 20) << "the walls are not bluer";

    Surface snow(day, texSnow);
    for (int v = 0; v < snowVariants; v++) {
        Surface other(day, texSnowVariant + v);
        int worstEdge = 0;
        for (int i = 0; i < 128; i++)
            for (auto xy : {std::make_pair(i, 0), std::make_pair(i, 127), std::make_pair(0, i), std::make_pair(127, i)})
                worstEdge = std::max(worstEdge, std::abs(lumaAt(snow.b, 128, xy.first, xy.second) -
                                                         lumaAt(other.b, 128, xy.first, xy.second)));
        double inside = 0;
        for (int y = 32; y < 96; y++)
            for (int x = 32; x < 96; x++) inside += std::abs(lumaAt(snow.b, 128, x, y) - lumaAt(other.b, 128, x, y));
        EXPECT_LE(worstEdge, 4) << "variant " << v << " shows a seam beside plain snow";
        EXPECT_GT(inside / (64 * 64), 2.0) << "variant " << v << " is the same picture";
    }

    for (int tex : {texSnow, texPacked, texPipeFloor}) {
        Surface d(day, tex), w(dusk, tex), o(overcast, tex);
        EXPECT_GT(w.meanRedLessBlue(), d.meanRedLessBlue() + 15) << tex << ": dusk does not warm the snow";
        EXPECT_LT(o.meanLuma(0, 0, 128, 128), d.meanLuma(0, 0, 128, 128) - 8) << tex << ": overcast is as bright as day";
    }
    for (const std::string& d : {day, dusk, overcast}) EXPECT_EQ(0, system(("rm -rf " + d).c_str()));
}

// A lane-edge picture is plain snow to the texel where it shows no lane and the lane's own picture
// where it shows nothing else, so it meets both without a seam; between them its edge is soft.
TEST(ContentTrackPictures, LaneEdgesMeetSnowAndLaneTexelForTexel)
{
    std::string dir = tempDir() + "/";
    genSurfacePictures(dir, 1);
    Surface snow(dir, texSnow), lane(dir, texPacked);
    auto same = [](const Surface& a, const Surface& b, int x, int y) {
        int p[3], q[3];
        a.at(x, y, p), b.at(x, y, q);
        return p[0] == q[0] && p[1] == q[1] && p[2] == q[2];
    };
    for (int k = 0; k < laneEdgeKinds; k++) {
        Surface edge(dir, texLaneEdge + k);
        int snowTexels = 0, laneTexels = 0, mismatched = 0, blended = 0;
        for (int y = 0; y < 128; y++)
            for (int x = 0; x < 128; x++) {
                // stored bottom row first: v, 0 at the picture's top, is 1 at y = 0
                float share = laneShareOf(texLaneEdge + k, (x + 0.5f) / 128, 1 - (y + 0.5f) / 128);
                bool side = x == 0 || y == 0 || x == 127 || y == 127;
                if (side && share < 0.1f) mismatched += !same(edge, snow, x, y), snowTexels++;
                if (side && share > 0.9f) mismatched += !same(edge, lane, x, y), laneTexels++;
                blended += !same(edge, snow, x, y) && !same(edge, lane, x, y);
            }
        EXPECT_EQ(mismatched, 0) << "lane edge " << k;
        EXPECT_GT(snowTexels, 20) << "lane edge " << k;
        EXPECT_GT(laneTexels, 20) << "lane edge " << k;
        EXPECT_GT(blended, 300) << "lane edge " << k << " changes in a hard line";
    }
    EXPECT_EQ(0, system(("rm -rf " + dir).c_str()));
}

TEST(ContentPrefs, DefaultKeyMapLoadsTwelveDistinctLetters)
{
    std::string dir = tempDir();
    std::string prefs = dir + "/prefs";
    ASSERT_EQ(0, system(("mkdir -p " + prefs).c_str()));
    genPrefs("", dir);
    ASSERT_EQ(0, initKeymap((prefs + "/keys.map").c_str()));
    int keys[KM_SLOTS];
    getCurrentKeymap(keys);
    for (int i = 0; i < 12; i++) {
        EXPECT_GE(keys[i], 1);
        EXPECT_LE(keys[i], 26);
        for (int j = 0; j < i; j++) EXPECT_NE(keys[i], keys[j]) << "slots " << i << " and " << j;
        EXPECT_NE(keys[i], KEY_B) << "b is the bomb key";
    }
    // A map the player edited is kept when the data is generated again.
    FILE* edited = fopen((prefs + "/keys.map").c_str(), "w");
    ASSERT_NE(edited, nullptr);
    fputs("a\n", edited);
    fclose(edited);
    genPrefs("", dir);
    ASSERT_EQ(0, initKeymap((prefs + "/keys.map").c_str()));
    getCurrentKeymap(keys);
    EXPECT_EQ(keys[0], KEY_A);
    EXPECT_EQ(keys[11], DEFAULT_KEYS[11] - 'a' + 1); // the lines it lacks keep their defaults
    EXPECT_EQ(0, system(("rm -rf " + dir).c_str()));
}

// The game draws only the middle sunLitShare of the sun picture: everything outside it must be black
// (what the additive blend leaves unchanged), or the sun's halo would be cut off square.
TEST(ContentTrackPictures, SunIsBlackOutsideTheShareTheGameDraws)
{
    std::string dir = tempDir();
    genTrackPictures(dir, 0, 1, shippedMesh("meadow"));
    std::vector<unsigned char> sun = readBytes(dir + "/texObj/soleil.bmp");
    const int size = 128;
    // one texel more on each side: the edge of the drawn square still filters with its neighbour
    float from = (1 - sunLitShare) / 2 * size - 1, to = (1 + sunLitShare) / 2 * size + 1;
    int lit = 0, rgb[3];
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            pixelAt(sun, size, x, y, rgb);
            bool drawn = x >= from && x < to && y >= from && y < to;
            if (!drawn) EXPECT_EQ(0, rgb[0] + rgb[1] + rgb[2]) << "lit texel " << x << "," << y << " is not drawn";
            else if (rgb[0] + rgb[1] + rgb[2] > 0) lit++;
        }
    pixelAt(sun, size, 64, 64, rgb);
    EXPECT_GT(rgb[0], 200) << "the disc is lit";
    EXPECT_GT(lit, size * size / 4) << "the halo spreads inside the drawn share";
}
