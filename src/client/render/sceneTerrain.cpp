// Takes the track mesh and the rider's triangle; draws the 14-row terrain window round him as
// triangle strips, broken at texture changes and at triangles that start a new texture patch, and
// drawn a texture at a time.
#include <GL/gl.h>
#include <math.h>

#include <algorithm>
#include <vector>

#include "render/graphImage.h"
#include "render/scene.h"
#include "render/sceneWorld.h"
#include "shell/playerRun.h"

unsigned int terrainTextureName(int texIndex, unsigned int* names)
{
    // a damaged index must not read past the 40 names
    if (texIndex < 0 || texIndex >= maxTrackTextures || texIndex >= getNbTrackTextures()) return 0;
    return names[texIndex];
}

static short startsPatch(const TexData& t) { return t.coord[0][0] == 1.0f && t.coord[0][1] == 1.0f; }

void walkTerrainWindow(int face, const TexData* texs, TerrainEmitFn emit, void* ctx)
{
    if (face < 0) face = 0;
    if (face >= maxTrackFaces) face = maxTrackFaces - 1;
    const int rowFaces = 2 * largeurPisteEnFaces;
    const int s0 = rowFaces * (face / rowFaces);
    const int e0 = s0 + rowFaces - 2;
    short first = 1;
    int current = -1;
    for (int k = -terrainRowsBehind; k <= terrainRowsAhead; k++) {
        const int o = k * rowFaces;
        const int c = face + o;
        int a = c - terrainHalfWidth;
        if (a < s0 + o) a = s0 + o;
        if (a % 2 != 0) a++;
        if (a < 0) a = 0;
        int b = c + terrainHalfWidth;
        if (b > e0 + o) b = e0 + o;
        if (b % 2 == 0) b++;
        if (b > terrainLastFace) b = terrainLastFace;
        if (b >= terrainLastFace) break;
        current = texs[a].texIndex;
        // every row is a fresh strip, so its first triangle sends all three corners
        short restart = 1;
        for (int t = a; t <= b; t++) {
            if (first || texs[t].texIndex != current) {
                first = 0;
                restart = 1;
                current = texs[t].texIndex;
            }
            if (startsPatch(texs[t])) restart = 1;
            emit(t, restart, ctx);
            restart = 0;
        }
    }
}

struct StripContext {
    const TrackPoint* pts;
    const TrackFace* fcs;
    const float (*normales)[3];
    const TexData* texs;
    unsigned int* names;
    short broken;  // a cell left to the world's banks: the next one starts a strip
    int riderRow;
};

// A bomb's mound has no light of its own: its faces are lit as they turn to the world's sun, from the
// light the snow there had.
static const float MOUND_SHADE = 0.62f;

static void moundLight(const StripContext* s, int t, const unsigned char* light)
{
    float n[3];
    computeNormalForFace(t, s->pts, s->fcs, n);
    float len = sqrtf(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (len > 0 && n[1] < 0) len = -len;  // the face's upper side
    const float* sun = trackWorld().sun;
    float facing = len > 0 ? (n[0] * sun[0] + n[1] * sun[1] + n[2] * sun[2]) / len : 0;
    float k = MOUND_SHADE + (1 - MOUND_SHADE) * fminf(1.0f, fmaxf(0.0f, facing / fmaxf(0.3f, sun[1])));
    glColor3ub((unsigned char)(light[0] * k), (unsigned char)(light[1] * k), (unsigned char)(light[2] * k));
}

static void emitCorner(const StripContext* s, int t, int j)
{
    unsigned int v = s->fcs[t][j];
    const float* n = s->normales[v];
    // with the world round the track, its light on the corner takes the place of the lamp's
    if (const unsigned char* light = gridCornerLight((int)v)) {
        if (gridCornerRaised((int)v, s->pts[v][1])) moundLight(s, t, light);
        else glColor3ubv(light);
    } else if (n[0] != 0.0f && n[1] != 0.0f && n[2] != 0.0f) {
        glNormal3fv(n);
    } else {
        float own[3];
        computeNormalForFace(t, s->pts, s->fcs, own);
        glNormal3fv(own);
    }
    glTexCoord2fv(s->texs[t].coord[j]);
    glVertex3fv(s->pts[v]);
}

// A strip of the window: the texture it is drawn with and its triangles in strip order.
struct TerrainStrip {
    unsigned int name;
    int first, count;
};

// The window is walked first and drawn after, a texture at a time: every change of texture makes the
// driver draw what it holds, so strips drawn in the walk's order cost a draw each.
struct StripRecord {
    StripContext* s;
    std::vector<TerrainStrip> strips;
    std::vector<int> triangles;
};

static void recordTriangle(int t, short newStrip, void* ctx)
{
    StripRecord* r = (StripRecord*)ctx;
    StripContext* s = r->s;
    if (!gridDrawsCell(t / facesParRangee, (t % facesParRangee) / 2)) {
        s->broken = 1;
        return;
    }
    if (newStrip || s->broken || r->strips.empty()) {
        s->broken = 0;
        int index = s->texs[t].texIndex;
        unsigned int name = surfaceSeenFrom(index, t / facesParRangee - s->riderRow, terrainTextureName(index, s->names));
        r->strips.push_back({name, (int)r->triangles.size(), 0});
    }
    r->triangles.push_back(t);
    r->strips.back().count++;
}

static void drawStrips(const StripContext* s, std::vector<TerrainStrip>& strips, const std::vector<int>& triangles)
{
    std::stable_sort(strips.begin(), strips.end(), [](const TerrainStrip& a, const TerrainStrip& b) { return a.name < b.name; });
    unsigned int bound = 0;
    for (size_t k = 0; k < strips.size(); k++) {
        const TerrainStrip& strip = strips[k];
        if (k == 0 || strip.name != bound) glBindTexture(GL_TEXTURE_2D, bound = strip.name);
        const int* t = &triangles[strip.first];
        glBegin(GL_TRIANGLE_STRIP);
        emitCorner(s, t[0], 0);
        emitCorner(s, t[0], 1);
        for (int i = 0; i < strip.count; i++) emitCorner(s, t[i], 2);
        glEnd();
    }
}

void drawPlan(float x, const TrackPoint* pts, const TrackFace* fcs, const float (*normales)[3], const TexData* texs,
              unsigned int* names)
{
    (void)x;  // the window follows the rider's triangle, not his X
    StripContext ctx = {pts, fcs, normales, texs, names, 0, getNumeroFaceCourante(shownRun()) / facesParRangee};
    bool lit = !trackWorldShown();
    if (!lit) glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    StripRecord record = {&ctx, {}, {}};
    walkTerrainWindow(getNumeroFaceCourante(shownRun()), texs, recordTriangle, &record);
    drawStrips(&ctx, record.strips, record.triangles);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    if (!lit) {
        glColor3f(1, 1, 1);
        glEnable(GL_LIGHTING);
    }
}
