// Takes the track's world (its sun and haze) and sky textures; draws the sky box behind what the frame
// already holds, the sun with its halo where the world's light comes from, and the haze in depth.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "fileio/gameFolders.h"
#include "render/graphImage.h"
#include "render/scene.h"
#include "render/sceneWorld.h"
#include "track/trackModel.h"

static const float SUN_DISTANCE = 14000, SUN_HALF_SIZE = 2600;
// The sky box's half sizes, as the track's sky has always been drawn (its faces are rendered for it).
static const float SKY_HALF_X = 10.0f * longueurFace, SKY_HALF_Y = 10.0f * longueurFace;
static const float SKY_HALF_Z = 12.0f * largeurFace - 2.0f * longueurFace;
static const int SKY_FACE_SIZE = 512, SKY_UP_SIZE = 256;

static const char* const SKY_FILES[worldSkyFaces] = {"texObj/skyFront.bmp", "texObj/skyLeft.bmp", "texObj/skyRight.bmp",
                                                "texObj/skyUp.bmp"};
static unsigned int skyTextures[worldSkyFaces];

void loadWorldSky(const char* trackName)
{
    freeWorldSky();
    glGenTextures(worldSkyFaces, skyTextures);
    for (int f = 0; f < worldSkyFaces; f++)
        uploadSkyTexture(skyTextures[f], trackPath(trackName, SKY_FILES[f]).c_str(),
                         f == worldSkyUp ? SKY_UP_SIZE : SKY_FACE_SIZE);
}

void freeWorldSky()
{
    if (skyTextures[0]) glDeleteTextures(worldSkyFaces, skyTextures);
    for (unsigned int& t : skyTextures) t = 0;
}

// A side face's corners from its foot up, or the whole face: the texture coordinates and the heights
// go together, so what is drawn of a face is where the whole face had it.
void worldSkyFaceCorners(int face, bool aboveLand, SkyFaceCorner out[4])
{
    worldSkyFaceCornersFrom(face, aboveLand ? skyLandShare : 0, out);
}

void worldSkyFaceCornersFrom(int face, float foot, SkyFaceCorner out[4])
{
    static const SkyFaceCorner faces[worldSkyFaces][4] = {
        {{0, 1, 1, 1, -1}, {1, 1, 1, 1, 1}, {1, 0, 1, -1, 1}, {0, 0, 1, -1, -1}},
        {{0, 1, -1, 1, -1}, {1, 1, 1, 1, -1}, {1, 0, 1, -1, -1}, {0, 0, -1, -1, -1}},
        {{0, 1, 1, 1, 1}, {1, 1, -1, 1, 1}, {1, 0, -1, -1, 1}, {0, 0, 1, -1, 1}},
        {{0, 1, -1, 1, -1}, {1, 1, -1, 1, 1}, {1, 0, 1, 1, 1}, {0, 0, 1, 1, -1}}};
    for (int i = 0; i < 4; i++) {
        out[i] = faces[face][i];
        if (face != worldSkyUp && out[i].t == 0) out[i].t = foot, out[i].y = 2 * foot - 1;
    }
}

// Horizontal distance from (x, z) to the segment a-b, and to its farther end.
static void distancesToSegment(float x, float z, const float a[2], const float b[2], float* nearest, float* farthest)
{
    float ux = b[0] - a[0], uz = b[1] - a[1], len2 = ux * ux + uz * uz;
    float k = len2 > 0 ? ((x - a[0]) * ux + (z - a[1]) * uz) / len2 : 0;
    k = std::min(1.0f, std::max(0.0f, k));
    float px = a[0] + k * ux - x, pz = a[1] + k * uz - z;
    *nearest = std::sqrt(px * px + pz * pz);
    *farthest = std::max(std::hypot(a[0] - x, a[1] - z), std::hypot(b[0] - x, b[1] - z));
}

float skyFaceFoot(int face, const float eye[3], float coverTangent)
{
    if (face == worldSkyUp) return 0;
    SkyFaceCorner c[4];
    worldSkyFaceCorners(face, false, c);
    float a[2] = {c[0].x * SKY_HALF_X, c[0].z * SKY_HALF_Z}, b[2] = {c[1].x * SKY_HALF_X, c[1].z * SKY_HALF_Z};
    float nearest, farthest;
    distancesToSegment(eye[0], eye[2], a, b, &nearest, &farthest);
    // below this height every point of the face is seen lower than the land hides
    float hidden = eye[1] + coverTangent * (coverTangent < 0 ? farthest : nearest);
    float foot = (hidden / SKY_HALF_Y + 1) / 2;
    return std::min(1.0f, std::max(skyLandShare, foot));
}

static void skyQuad(const SkyFaceCorner c[4])
{
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; i++) {
        glTexCoord2f(c[i].s, c[i].t);
        glVertex3f(c[i].x * SKY_HALF_X, c[i].y * SKY_HALF_Y, c[i].z * SKY_HALF_Z);
    }
    glEnd();
}

void clearToWorldHaze()
{
    const float* haze = trackWorld().haze;
    glClearColor(haze[0], haze[1], haze[2], 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
}

// The box of the old sky (no face behind the eye), its faces the world's own sky, drawn from above
// their share the land always covers, or higher where this frame's land hides more: beneath, the
// frame was cleared to the haze's colour.
static void drawWorldSkyBox()
{
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glColor4f(1, 1, 1, 1);
    float m[16], eye[3], cover = 0;
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    eyeOfModelview(m, eye);
    bool covered = landHidesBelow(&cover);
    for (int f = 0; f < worldSkyFaces; f++) {
        float foot = covered ? skyFaceFoot(f, eye, cover) : skyLandShare;
        if (foot >= 1) continue;
        SkyFaceCorner c[4];
        worldSkyFaceCornersFrom(f, foot, c);
        glBindTexture(GL_TEXTURE_2D, skyTextures[f]);
        skyQuad(c);
    }
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
}

// The sun's picture (a hot disc in a soft halo, black round it) added onto the sky, facing the eye
// from the world's sun direction.
static void drawWorldSun(const float* sun)
{
    float ux = -sun[2], uz = sun[0];  // across: sun x up, level
    float len = std::sqrt(ux * ux + uz * uz);
    if (len < 1e-4f) ux = 1, uz = 0, len = 1;
    ux /= len, uz /= len;
    float vx = -sun[1] * uz, vy = sun[0] * uz - sun[2] * ux, vz = sun[1] * ux;  // up on the quad: u x sun
    float c[3] = {sun[0] * SUN_DISTANCE, sun[1] * SUN_DISTANCE, sun[2] * SUN_DISTANCE};
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, gameTextures.texTrackStuff[texStuffSoleil]);
    static const float CORNERS[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    glBegin(GL_QUADS);
    for (const auto& k : CORNERS) {
        float a = k[0] * sunLitShare, b = k[1] * sunLitShare;
        glTexCoord2f((a + 1) / 2, (b + 1) / 2);
        glVertex3f(c[0] + SUN_HALF_SIZE * (a * ux + b * vx), c[1] + SUN_HALF_SIZE * b * vy,
                   c[2] + SUN_HALF_SIZE * (a * uz + b * vz));
    }
    glEnd();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
}

void drawSkyBehindWorld()
{
    GLboolean fogged = glIsEnabled(GL_FOG);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    // at the far end of the depth range: drawn only where nothing stands, and over nothing
    glDepthRange(1, 1);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    drawWorldSkyBox();
    drawWorldSun(trackWorld().sun);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDepthRange(0, 1);
    glEnable(GL_LIGHTING);
    if (fogged) glEnable(GL_FOG);
}

void beginWorldHaze()
{
    const WorldScene& w = trackWorld();
    float colour[4] = {w.haze[0], w.haze[1], w.haze[2], 1};
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, 1 / w.hazeDistance);
    glFogfv(GL_FOG_COLOR, colour);
    glEnable(GL_FOG);
}

void endWorldHaze() { glDisable(GL_FOG); }
