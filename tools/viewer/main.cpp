// kesview OUTDIR [smooth] [haze] [size=WxH] [shots | effects | bench=FRAMES [compare]]: run beside ./data under an X display;
// writes TGA pictures of every rider in a few poses and of every track into OUTDIR, the tracks with the
// renderer settings named, in a window of the size given; with "shots" only each track's four chase
// views; with "effects" only each track's effects; with "bench" no picture, the time each track's run scene takes to draw (with "compare", without
// and with the world round the track, in turn).
#include <allegro.h>
#include <alleggl.h>
#include <GL/gl.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "render/screenshot.h"
#include "fileio/swapthings.h"
#include "platform/displaySize.h"
#include "core/graphicLib.h"
#include "render/renderSettings.h"
#include "skier/positionDef.h"
#include "viewer.h"

int viewerWidth = 1024;
int viewerHeight = 768;

void clearToSnow()
{
    glClearColor(0.93f, 0.95f, 0.97f, 1);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

int savePicture(const std::string& dir, const std::string& name)
{
    std::vector<unsigned char> rgb((size_t)viewerWidth * viewerHeight * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, viewerWidth, viewerHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::string path = dir + "/" + name + ".tga";
    int ok = writeTgaFile(path.c_str(), rgb.data(), viewerWidth, viewerHeight);
    if (ok) printf("%s\n", path.c_str());
    allegro_gl_flip();
    return ok;
}

static int openDisplay()
{
    if (allegro_init() != 0 || install_allegro_gl() != 0) return 0;
    allegro_gl_clear_settings();
    allegro_gl_set(AGL_COLOR_DEPTH, 24);
    allegro_gl_set(AGL_Z_DEPTH, 24);
    allegro_gl_set(AGL_DOUBLEBUFFER, 1);
    allegro_gl_set(AGL_RENDERMETHOD, 1);
    allegro_gl_set(AGL_WINDOWED, TRUE);
    allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER | AGL_RENDERMETHOD | AGL_WINDOWED);
    if (set_gfx_mode(GFX_OPENGL_WINDOWED, viewerWidth, viewerHeight, 0, 0) != 0) {
        fprintf(stderr, "kesview: no OpenGL window: %s %s\n", allegro_error, allegro_gl_error);
        return 0;
    }
    return 1;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: kesview OUTDIR [smooth] [haze] [size=WxH] [shots | effects | bench=FRAMES [compare]]   (run in the directory holding ./data)\n");
        return 2;
    }
    bool shotsOnly = false, compare = false, effectsOnly = false;
    int benchFrames = 0;
    for (int i = 2; i < argc; i++) {
        std::string setting = argv[i];
        int w = 0, h = 0;
        if (setting == "smooth") renderSettings.smoothDistantTextures = 1;
        else if (setting == "haze") renderSettings.distanceHaze = 1;
        else if (setting == "shots") shotsOnly = true;
        else if (setting == "compare") compare = true;
        else if (setting == "effects") effectsOnly = true;
        else if (sscanf(argv[i], "bench=%d", &benchFrames) == 1 && benchFrames > 0 && benchFrames <= 100000) {
        }
        else if (sscanf(argv[i], "size=%dx%d", &w, &h) == 2 && w >= 320 && h >= 240 && w <= 4096 && h <= 4096)
            viewerWidth = w, viewerHeight = h;
        else {
            fprintf(stderr, "kesview: unknown setting %s (smooth, haze, size=WxH, shots, effects, bench=FRAMES, compare)\n", argv[i]);
            return 2;
        }
    }
    setDisplaySize(viewerWidth, viewerHeight);
    std::string out = argv[1];
    mkdir(out.c_str(), 0755);
    if (!openDisplay()) return 1;
    storeByteOrder(0);
    preCalculateTrigoTables();
    loadPositions("./data/positions/");
    if (benchFrames) benchTrackScenes(benchFrames, compare);
    else if (shotsOnly) viewTrackShots(out);
    else if (effectsOnly) viewTrackEffects(out);
    else {
        viewRiders(out);
        viewTracks(out);
    }
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    return 0;
}
END_OF_MAIN()
