// Texture tables, their loading for the menus and for a run, and the fixed OpenGL state.
#include <GL/gl.h>
#include <GL/glu.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/dirList.h"
#include "platform/displaySize.h"
#include "fileio/gameFolders.h"
#include "render/SnowParticleEngine.h"
#include "render/font.h"
#include "render/graphImage.h"
#include "render/renderSettings.h"
#include "render/sceneWorld.h"
#include "render/viewFrame.h"
#include "track/planLib.h"

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

GameTextures gameTextures;

static const int TRACK_TEXTURE_SIZE = 128;

enum Loader { PLAIN, KEY_BLACK, KEY_WHITE, KEY_GREEN };

struct TextureRecipe {
    const char* file;
    Loader loader;
    int size;
    GLint wrap;     // 0: OpenGL default
    GLint filter;
};

// Mipmapped: the smaller levels are built by GLU and minification blends between them.
static void uploadTexture(unsigned int name, const char* file, Loader loader, int size, GLint wrap,
                          GLint filter, bool mipmapped = false)
{
    glBindTexture(GL_TEXTURE_2D, name);
    if (wrap) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_LINEAR : filter);
    int channels = loader == PLAIN ? 3 : 4;
    unsigned char* buffer = (unsigned char*)malloc((size_t)size * size * channels);
    switch (loader) {
    case PLAIN: chargerImageTexPtr(file, buffer, size, size); break;
    case KEY_BLACK: chargerImageTexPtrTrans(file, buffer, size, size); break;
    case KEY_WHITE: chargerImageTexPtrTransWhite(file, buffer, size, size); break;
    case KEY_GREEN: chargerImageTexPtrTransColor(file, buffer, size, size, 0, 255, 0); break;
    }
    if (mipmapped)
        gluBuild2DMipmaps(GL_TEXTURE_2D, channels, size, size, channels == 3 ? GL_RGB : GL_RGBA, GL_UNSIGNED_BYTE,
                          buffer);
    else if (channels == 3)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, buffer);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, 4, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, buffer);
    free(buffer);
}

void uploadSkyTexture(unsigned int name, const char* file, int size)
{
    uploadTexture(name, file, PLAIN, size, GL_CLAMP_TO_EDGE, GL_LINEAR);
}

static const TextureRecipe guiTextures[9] = {
    {"gui/Font.bmp", PLAIN, 256, 0, GL_LINEAR},
    {"gui/Font2.bmp", KEY_BLACK, 512, 0, GL_LINEAR},
    {"gui/boules.bmp", KEY_BLACK, 128, 0, GL_LINEAR},
    {"gui/maskt.bmp", KEY_WHITE, 256, 0, GL_LINEAR},
    {"gui/maskt.bmp", PLAIN, 256, 0, GL_LINEAR},
    {"gui/medalSide.bmp", PLAIN, 64, GL_REPEAT, GL_LINEAR},
    {"gui/vide.bmp", PLAIN, 16, 0, GL_LINEAR},
    {"gui/bomb.bmp", KEY_GREEN, 64, 0, GL_LINEAR},
    {"gui/snow.bmp", KEY_BLACK, 128, 0, GL_LINEAR},
};

void initGuiGL()
{
    glGenTextures(9, gameTextures.texGui);
    for (int slot = 0; slot < 9; slot++) {
        const TextureRecipe& r = guiTextures[slot];
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        uploadTexture(gameTextures.texGui[slot], dataPath(r.file).c_str(), r.loader, r.size, r.wrap, r.filter);
    }
}

static const TextureRecipe trackStuffTextures[nbTexTrackStuff] = {
    {"vide.bmp", PLAIN, 16, GL_REPEAT, GL_LINEAR},
    {"soleil.bmp", PLAIN, 128, GL_CLAMP_TO_EDGE, GL_LINEAR},
    {"vide.bmp", KEY_BLACK, 16, GL_REPEAT, GL_NEAREST},
    {"vide.bmp", PLAIN, 16, GL_REPEAT, GL_NEAREST},
    {"cylinder.bmp", KEY_BLACK, 512, GL_REPEAT, GL_LINEAR},
    {"front.bmp", PLAIN, 256, GL_CLAMP_TO_EDGE, GL_LINEAR},
    {"left.bmp", PLAIN, 256, GL_CLAMP_TO_EDGE, GL_LINEAR},
    {"right.bmp", PLAIN, 256, GL_CLAMP_TO_EDGE, GL_LINEAR},
    {"back.bmp", PLAIN, 256, GL_CLAMP_TO_EDGE, GL_NEAREST},
    {"up.bmp", PLAIN, 256, GL_CLAMP_TO_EDGE, GL_LINEAR},
    {"down.bmp", PLAIN, 256, GL_CLAMP_TO_EDGE, GL_LINEAR},
    {"traceRun.bmp", KEY_WHITE, 64, 0, GL_LINEAR},
    {"traceBreak.bmp", KEY_WHITE, 64, 0, GL_LINEAR},
};

// Entries of a texture directory, not beginning with '.', at most 40 (texName has 40 slots).
int countTrackTextures(const char* dir)
{
    std::vector<std::string> names;
    if (!listDirectory(dir, names, 100000)) {
        fprintf(stderr, "Can't list the texture directory %s\n", dir);
        return 0;
    }
    int n = 0;
    for (const std::string& s : names)
        if (!s.empty() && s[0] != '.') n++;
    if (n > maxTrackTextures) {
        fprintf(stderr, "%s holds %i entries: only %i textures are loaded\n", dir, n, maxTrackTextures);
        n = maxTrackTextures;
    }
    return n;
}

static void loadSurfaceTextures(const char* trackName)
{
    std::string dir = trackPath(trackName, "texTrack/");
    int n = countTrackTextures(dir.c_str());
    setNbTrackTextures(n);
    if (n > 0) glGenTextures(n, gameTextures.texName);
    for (int i = 0; i < n; i++) {
        std::string file = dir + std::to_string(i) + ".bmp";
        uploadTexture(gameTextures.texName[i], file.c_str(), PLAIN, TRACK_TEXTURE_SIZE, GL_CLAMP_TO_EDGE, GL_LINEAR,
                      renderSettings.smoothDistantTextures != 0);
    }
}

static void loadDecorationTextures(const char* trackName)
{
    std::string dir = trackPath(trackName, "texObj/");
    glGenTextures(nbTexTrackStuff, gameTextures.texTrackStuff);
    for (int slot = 0; slot < nbTexTrackStuff; slot++) {
        const TextureRecipe& r = trackStuffTextures[slot];
        if (slot == texStuffTraceRun) glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        std::string file = dir + r.file;
        uploadTexture(gameTextures.texTrackStuff[slot], file.c_str(), r.loader, r.size, r.wrap, r.filter);
    }
}

void initGL(const char* trackName)
{
    loadSurfaceTextures(trackName);
    loadDecorationTextures(trackName);
    loadDistanceHaze(trackName);
    loadTrackWorld(trackName);
    glClearColor(0, 0, 0, 0);
    initLightAndShade();
    if (snowSprays.particleEngineSkier) snowSprays.particleEngineSkier->initParticlesProps();
}

void libereTexturesTrackStuff()
{
    glDeleteTextures(nbTexTrackStuff, gameTextures.texTrackStuff);
    for (int i = 0; i < nbTexTrackStuff; i++) gameTextures.texTrackStuff[i] = 0;
}

void initLightAndShade()
{
    reshape();
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
}

void reshape()
{
    useWindowViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // aspect 1.0 at 4:3, so the picture is stretched horizontally as the game always was; wider
    // windows keep the vertical field of view and see more to the sides
    const DisplayDesc& d = displayDesc();
    gluPerspective(80.0, projectionAspectFor(d.width, d.height), 5.0, trackWorldShown() ? worldFarPlane : 50000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void placeLumiere()
{
    static const GLfloat white[4] = {1, 1, 1, 1};
    static const GLfloat light1Pos[4] = {300000, 200000, 10000, 0};
    static const GLfloat light0Pos[4] = {-1000000, 200000, 10000, 0};
    static const GLfloat light0Amb[4] = {0.8f, 0.8f, 0.8f, 1};
    static const GLfloat light4Pos[4] = {200, 100, -10, 0};
    static const GLfloat light4Amb[4] = {0.5f, 0.5f, 0.5f, 1};
    static const GLfloat light4Dif[4] = {0.8f, 0.8f, 0.8f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
    glLightfv(GL_LIGHT1, GL_POSITION, light1Pos);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_POSITION, light0Pos);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light0Amb);
    glLightfv(GL_LIGHT4, GL_POSITION, light4Pos);
    glLightfv(GL_LIGHT4, GL_AMBIENT, light4Amb);
    glLightfv(GL_LIGHT4, GL_DIFFUSE, light4Dif);
    glLightfv(GL_LIGHT4, GL_SPECULAR, light4Dif);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT4);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}
