// Writes the fuzzers' seed corpus with the game's own writers and the content tool:
// makeSeeds OUTDIR gives OUTDIR/<fuzzer>/seed-* files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "content.h"
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

static void putInt(FILE* f, unsigned v)
{
    unsigned char b[4] = {(unsigned char)(v >> 24), (unsigned char)(v >> 16), (unsigned char)(v >> 8), (unsigned char)v};
    fwrite(b, 1, 4, f);
}
static void putFloat(FILE* f, float v)
{
    unsigned u;
    memcpy(&u, &v, 4);
    putInt(f, u);
}

// A one-cell track: header, four vertices, two faces, their normals and surfaces, a tree, a rescue point.
static void writeTinyTrack(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "wb");
    char title[256] = "seed";
    fwrite(title, 1, 256, f);
    for (int i = 0; i < 13; i++) putInt(f, 0);
    putInt(f, 2);
    for (int i = 0; i < 6; i++) putFloat(f, 0.5f);
    putFloat(f, 100.0f);
    putFloat(f, 1500.0f);
    const float pts[4][3] = {{0, 0, -1123.5f}, {0, 0, 1123.5f}, {1684.5f, -300, -1123.5f}, {1684.5f, -300, 1123.5f}};
    putInt(f, 4);
    for (auto& p : pts) putFloat(f, p[0]), putFloat(f, p[1]), putFloat(f, p[2]);
    putInt(f, 2);
    const unsigned faces[2][3] = {{0, 1, 2}, {1, 3, 2}};
    for (auto& t : faces) putInt(f, t[0]), putInt(f, t[1]), putInt(f, t[2]);
    putInt(f, 4);
    for (int i = 0; i < 4; i++) putFloat(f, 0.17f), putFloat(f, 0.98f), putFloat(f, 0);
    putInt(f, 2);
    for (int i = 0; i < 2; i++) {
        for (int k = 0; k < 6; k++) putFloat(f, k * 0.2f);
        putInt(f, 0);
        putInt(f, i);
    }
    putInt(f, 1);
    putFloat(f, 800), putFloat(f, -150), putFloat(f, 0);
    putInt(f, 0), putInt(f, 0), putInt(f, 0), putInt(f, 0);
    putFloat(f, 0);
    putInt(f, 1);
    putFloat(f, 200), putFloat(f, -40), putFloat(f, 0);
    fclose(f);
}

// The same one-cell track in the text form, camera view 2.
static void writeTinyTextTrack(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "w");
    fprintf(f, "seed\n0 0 0 0 0 0 0 0 0 0 0 0 2\n2\n0.5 0.5 0.5\n0.5 0.5 0.5\n100 1500\n");
    fprintf(f, "4\n0 0 -1123.5\n0 0 1123.5\n1684.5 -300 -1123.5\n1684.5 -300 1123.5\n");
    fprintf(f, "2\n0 1 2\n1 3 2\n4\n");
    for (int i = 0; i < 4; i++) fprintf(f, "0.17 0.98 0\n");
    fprintf(f, "2\n0 0.2 0.4 0.6 0.8 1 0 0\n0 0.2 0.4 0.6 0.8 1 0 1\n");
    fprintf(f, "1\n800 -150 0 0 0 0 0 0\n1\n200 -40 0\n");
    fclose(f);
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

    strcpy(playerName, "ABC");
    viewChoice = 2;
    level = 1;
    savePrefsFile((dirFor(out, "userPrefs") + "/seed-abc").c_str());

    zDepthSize = 16, colorDepthSize = 24, windowed = 2;
    saveGfxPrefs((dirFor(out, "gfxPrefs") + "/seed-24-16-windowed").c_str());

    initEmptyScores();
    addEntry("xxxKES time= 01:02:03, score = 4000", 120000.0);
    addEntry("xxxAAA time= 00:59:00, score = 9000", 250000.0);
    saveScoreFile((dirFor(out, "scores") + "/seed-two").c_str());

    Picture pic(8, 8);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) pic.set(x, y, x * 32, y * 32, (x + y) % 2 ? 255 : 0);
    writeBmp(dirFor(out, "bmp") + "/seed-8x8.bmp", pic);

    writeTinyTrack(dirFor(out, "trackBinary") + "/seed-tiny.btrk");
    writeTinyTextTrack(dirFor(out, "trackText") + "/seed-tiny.trk");
    return 0;
}
