// Writes the fuzzers' seed corpus with the game's own writers and the content tool:
// makeSeeds OUTDIR gives OUTDIR/<fuzzer>/seed-* files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "content.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "support/modelTexts.h"
#include "support/testFiles.h"
#include "support/trackFiles.h"
#include "run/bestRun.h"
#include "fileio/swapthings.h"
#include "screens/score.h"
#include "shell/kestrune.h"
#include "shell/prefs.h"

static std::string dirFor(const std::string& out, const char* fuzzer)
{
    std::string d = out + "/" + fuzzer;
    mkdir(out.c_str(), 0755);
    mkdir(d.c_str(), 0755);
    return d;
}

static void copyFile(const std::string& from, const std::string& to)
{
    FILE* in = fopen(from.c_str(), "rb");
    FILE* out = fopen(to.c_str(), "wb");
    int c;
    while (in && out && (c = fgetc(in)) != EOF) fputc(c, out);
    if (in) fclose(in);
    if (out) fclose(out);
}

// A one-cell track: header, four vertices, two faces, their normals and surfaces, a tree, a rescue point.
static TrackFileBuilder tinyTrack()
{
    TrackFileBuilder b;
    b.title = "seed";
    b.begin();
    for (int i = 0; i < 13; i++) (i >= 1 && i <= 3) || (i >= 7 && i <= 9) ? b.addFloat(0) : b.addInt(0);
    b.addInt(2);
    for (int i = 0; i < 6; i++) b.addFloat(0.5f);
    b.addFloat(100.0f);
    b.addFloat(1500.0f);
    const float pts[4][3] = {{0, 0, -1123.5f}, {0, 0, 1123.5f}, {1684.5f, -300, -1123.5f}, {1684.5f, -300, 1123.5f}};
    b.begin();
    b.addInt(4);
    for (auto& p : pts) b.addFloat(p[0]), b.addFloat(p[1]), b.addFloat(p[2]);
    const int tris[2][3] = {{0, 1, 2}, {1, 3, 2}};
    b.begin();
    b.addInt(2);
    for (auto& t : tris) b.addInt(t[0]), b.addInt(t[1]), b.addInt(t[2]);
    b.begin();
    b.addInt(4);
    for (int i = 0; i < 4; i++) b.addFloat(0.17f), b.addFloat(0.98f), b.addFloat(0);
    b.begin();
    b.addInt(2);
    for (int i = 0; i < 2; i++) {
        for (int k = 0; k < 6; k++) b.addFloat(k * 0.2f);
        b.addInt(0);
        b.addInt(i);
    }
    b.begin();
    b.addInt(1);
    b.addFloat(800), b.addFloat(-150), b.addFloat(0);
    for (int k = 0; k < 4; k++) b.addInt(0);
    b.addFloat(0);
    b.begin();
    b.addInt(1);
    b.addFloat(200), b.addFloat(-40), b.addFloat(0);
    return b;
}

static void putBigEndianFloat(unsigned char* p, float v)
{
    unsigned u;
    memcpy(&u, &v, 4);
    for (int i = 0; i < 4; i++) p[i] = (unsigned char)(u >> (24 - 8 * i));
}

static std::vector<unsigned char> riderCard()
{
    std::vector<unsigned char> b(tailleFichierCarte, 0);
    strcpy((char*)&b[0], "seed");
    strcpy((char*)&b[256], "Sid");
    strcpy((char*)&b[512], "Seed Rider");
    putBigEndianFloat(&b[768], 70.0f);
    putBigEndianFloat(&b[772], 1.8f);
    strcpy((char*)&b[776], "Nowhere");
    putBigEndianFloat(&b[1032], 25.0f);
    return b;
}

static std::string positionText()
{
    std::string t = "seedGrab 1 3 -1 -1 -1 -1\n";
    for (int i = 0; i < nbJointsPose; i++) t += std::to_string((i * 7) % 50 - 20) + (i % 7 == 6 ? "\n" : " ");
    return t + "\n";
}

static std::string modelText()
{
    std::vector<TestVertex> v = {{0, 0, 0, 0}, {10, 0, 0, 6}, {0, 10, 0, 7}, {0, 0, 10, 21}, {5, 5, 0, 3}, {0, 5, 5, -1}};
    return riderModelText(v);
}

// Three samples of a short run on the track "seed", the last one at the finish.
static BestRun bestRunSeed()
{
    BestRun r;
    strcpy(r.track, "seed");
    strcpy(r.rider, "tolvek");
    r.finalScore = 4200;
    r.finalTime = 0.1f;
    clearRecording(&r.rec);
    for (int k = 0; k < 3; k++) {
        RunSample s;
        memset(&s, 0, sizeof s);
        s.runTime = k * 0.05f;
        s.pos[0] = 2000.0f + 90.0f * k, s.pos[1] = -30.0f * k;
        s.yaw = 5.0f * k, s.lean = 10.0f;
        for (int i = 0; i < poseAngles; i++) s.pose[i] = (float)(i % 9) * 5.0f - 20.0f;
        s.flags = sampleContact | (k == 2 ? sampleFinished : 0);
        r.rec.samples.push_back(s);
    }
    return r;
}

// The same with its input: a jump to start, a push, a turn, a trick, every button once.
static BestRun bestRunWithInputSeed()
{
    BestRun r = bestRunSeed();
    InputRecording& in = r.rec.input;
    in.ridden.ticksPerSecond = 60;
    in.ridden.weight = 70.0f;
    in.ridden.tolerances[0] = 45, in.ridden.tolerances[1] = 89, in.ridden.tolerances[2] = 89;
    appendHeldSpan(&in, 1u << RB_JUMP, 6);
    appendHeldSpan(&in, 0, 60);
    appendHeldSpan(&in, 1u << RB_UP, 70000);  // longer than a span: written as two
    appendHeldSpan(&in, 1u << RB_UP | 1u << RB_LEFT, 3);
    appendHeldSpan(&in, 1u << RB_TRICK3, 1);
    appendHeldSpan(&in, allHeldBits, 1);
    in.closed = 1;
    return r;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: makeSeeds OUTDIR\n");
        return 2;
    }
    std::string out = argv[1];
    storeByteOrder(0);

    std::string scratch = out + "/.scratch";
    mkdir(out.c_str(), 0755);
    mkdir(scratch.c_str(), 0755);
    mkdir((scratch + "/prefs").c_str(), 0755);
    genPrefs("", scratch);
    copyFile(scratch + "/prefs/keys.map", dirFor(out, "keymap") + "/seed-default");
    remove((scratch + "/prefs/keys.map").c_str());
    rmdir((scratch + "/prefs").c_str());
    rmdir(scratch.c_str());

    strcpy(userPrefs.playerName, "ABC");
    viewChoice = 2;
    userPrefs.level = 1;
    savePrefsFile((dirFor(out, "userPrefs") + "/seed-abc").c_str());

    gfxSettings.zDepthSize = 16, gfxSettings.colorDepthSize = 24, gfxSettings.windowed = 2;
    saveGfxPrefs((dirFor(out, "gfxPrefs") + "/seed-24-16-windowed").c_str());

    initEmptyScores();
    addEntry("xxxKES time= 01:02:03, score = 4000", 120000.0);
    addEntry("xxxAAA time= 00:59:00, score = 9000", 250000.0);
    saveScoreFile((dirFor(out, "scores") + "/seed-two").c_str());

    Picture pic(8, 8);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) pic.set(x, y, x * 32, y * 32, (x + y) % 2 ? 255 : 0);
    writeBmp(dirFor(out, "bmp") + "/seed-8x8.bmp", pic);

    TrackFileBuilder track = tinyTrack();
    writeBytes(dirFor(out, "trackBinary") + "/seed-tiny.btrk", track.binary());
    writeText(dirFor(out, "trackText") + "/seed-tiny.trk", track.text());
    writeBytes(dirFor(out, "riderCard") + "/seed-card", riderCard());
    writeText(dirFor(out, "position") + "/seed-grab", positionText());
    writeText(dirFor(out, "riderModel") + "/seed-six-vertices.3d", modelText());
    writeText(dirFor(out, "staticModel") + "/seed-six-vertices.3d", modelText());
    saveBestRun((dirFor(out, "bestRun") + "/seed-three-samples").c_str(), bestRunSeed());
    saveBestRun((dirFor(out, "bestRun") + "/seed-three-samples-with-input").c_str(), bestRunWithInputSeed());
    return 0;
}
