// Rider drawing: takes a rider model's skinned triangle list, or the model itself, draws it with
// OpenGL, and loads and keeps each model's one texture.
#include "render/skierDraw.h"

#include <GL/gl.h>

#include <cstdlib>
#include <map>

#include "render/graphImage.h"
#include "core/graphicLib.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/systemPortUtils.h"
#include "skier/skierLib.h"
#include "track/planLib.h"

const int tailleTextureSkier = 128;

// Whenever the drawing is in the program, loading a rider loads its texture too.
[[maybe_unused]] static const bool texturesInstalled = (setRiderTextureHooks({chargerTexturesObj, libereTexturesObj}), true);

// Each model's texture name, 0 for none.
static std::map<const RiderModel*, GLuint> texturesObj;

unsigned int riderTexture(const RiderModel& model)
{
    auto found = texturesObj.find(&model);
    return found == texturesObj.end() ? 0 : found->second;
}

void chargerTexturesObj(const RiderModel& model)
{
    GLuint& texObj = texturesObj[&model];
    glGenTextures(1, &texObj);
    int m = materialTextureSkier(model);
    if (m < 0) return;
    glBindTexture(GL_TEXTURE_2D, texObj);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    char* path = convertToSystemPath(model.materials[m].texture);
    unsigned char* image = (unsigned char*)malloc(tailleTextureSkier * tailleTextureSkier * 3);
    if (path && image) {
        chargerImageTexPtr(path, image, tailleTextureSkier, tailleTextureSkier);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, tailleTextureSkier, tailleTextureSkier, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, image);
    }
    free(image);
    free(path);
}

void libereTexturesObj(const RiderModel& model)
{
    auto found = texturesObj.find(&model);
    if (found == texturesObj.end()) return;
    if (found->second != 0) glDeleteTextures(1, &found->second);
    texturesObj.erase(found);
}

static const Material* materialOf(const RiderModel& model, int group)
{
    if (group < 0 || group >= model.nbMeshes) return nullptr;
    int m = model.meshes[group].material;
    return m >= 0 && m < model.nbMaterials ? &model.materials[m] : nullptr;
}

static void setFrontMaterial(const Material* m)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, m->ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m->diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m->specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, m->emissive);
}

static int groupTextured(int withTexture, const Material* m) { return withTexture && m && m->texture[1] != '"'; }

static void sendCorner(const float* normal, const float* uv, const float* position, int textured)
{
    glNormal3fv(normal);
    if (textured) glTexCoord2fv(uv);
    glVertex3fv(position);
}

// Triangles of one group share their material, so each run of them goes to the driver as one batch
// (a batch per triangle made the software renderer hold some 50 MB more, and grow faster).
static void drawObjAfterTransform(const RiderModel& model, int withTexture)
{
    int r = 0;
    while (r < model.nbTriangles) {
        int group = model.triangles[r].groupIndex;
        const Material* m = materialOf(model, group);
        if (m) setFrontMaterial(m);
        int textured = groupTextured(withTexture, m);
        if (textured) glEnable(GL_TEXTURE_2D);
        glBegin(GL_TRIANGLES);
        for (; r < model.nbTriangles && model.triangles[r].groupIndex == group; r++) {
            const TriangleToDraw& t = model.triangles[r];
            for (int c = 0; c < 3; c++) sendCorner(t.normale[c], t.uv[c], t.position[c], textured);
        }
        glEnd();
        if (textured) glDisable(GL_TEXTURE_2D);
    }
}

static void placeOnSnow(const RiderPose& pose)
{
    glTranslatef(0, pose.transTotalSkier, 0);
    glTranslatef(0, hauteurPiedSkier, 0);
}

void drawSkierAfterTransform(const RiderPose& pose, const RiderModel& model, int withTexture, float unused)
{
    drawSkierAfterTransformEtat(pose, model, withTexture, getContact(shownRun()));
}

void drawSkierAfterTransformEtat(const RiderPose& pose, const RiderModel& model, int withTexture, int contact)
{
    if (withTexture) glBindTexture(GL_TEXTURE_2D, riderTexture(model));
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    glPushMatrix();
    if (contact) glRotatef(pose.angleZTemp, 1, 0, 0);
    placeOnSnow(pose);
    drawObjAfterTransform(model, withTexture);
    glPopMatrix();
    glPopMatrix();
}

static void drawGroup(RiderPose& pose, RiderModel& model, int withTexture, int group, int firstRecord, short feed)
{
    const Mesh& g = model.meshes[group];
    const Material* m = materialOf(model, group);
    if (m) setFrontMaterial(m);
    int textured = groupTextured(withTexture, m);
    if (textured) glEnable(GL_TEXTURE_2D);
    for (int k = 0; k < g.nbFaces; k++) {
        const Face& f = model.faces[g.firstFace + k];
        const int vertices[3] = {f.vertex1, f.vertex2, f.vertex3};
        const int normales[3] = {f.normale1, f.normale2, f.normale3};
        int r = firstRecord + k;
        bool stored = feed && r < maxTrianglesToDraw;
        if (stored) model.triangles[r].groupIndex = group;
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; c++) {
            const Vertex& v = model.vertices[g.firstVertex + vertices[c]];
            const Normale& nr = model.normales[g.firstNormale + normales[c]];
            float p[3] = {v.x, v.y, v.z}, n[3] = {nr.x, nr.y, nr.z}, uv[2] = {v.u, v.v};
            float outP[3], outN[3];
            skinWithChain(pose, p, n, v.boneId, outP, outN);
            sendCorner(outN, uv, outP, textured);
            if (stored) feedListeTriangleToDraw(model, r, c, outP, uv, outN);
        }
        glEnd();
    }
    if (textured) glDisable(GL_TEXTURE_2D);
}

static void drawObj(RiderPose& pose, RiderModel& model, int withTexture, short feed)
{
    prepareSkinning(pose, model);
    int next = 0;
    for (int g = 0; g < model.nbMeshes; g++) {
        drawGroup(pose, model, withTexture, g, next, feed);
        next += model.meshes[g].nbFaces;
    }
    if (feed) model.nbTriangles = next < maxTrianglesToDraw ? next : maxTrianglesToDraw;
}

// Quarter turn about y, roll, then up onto the snow, as the drawing matrix does.
static void placeSkiEndDrawn(const RiderPose& pose, float* p)
{
    ThreeDPoint q(p[2], p[1], -p[0]);
    applyRotationToPoint(&q, 0, 0, pose.angleZTemp);
    q.y += pose.transTotalSkier + hauteurPiedSkier;
    q.toVec(p);
}

void drawSkier(RiderPose& pose, RiderModel& model, int withTexture, float lean, float heading, short feed)
{
    placeSkisEtCheville(pose, model, shownRun().phases.fakie, heading);
    glBindTexture(GL_TEXTURE_2D, riderTexture(model));
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    glPushMatrix();
    if (getContact(shownRun())) {
        pose.angleZTemp = shownRun().phases.fakie ? lean : -lean;
        glRotatef(pose.angleZTemp, 1, 0, 0);
    }
    placeOnSnow(pose);
    drawObj(pose, model, withTexture, feed);
    glPopMatrix();
    glPopMatrix();
    placeSkiEndDrawn(pose, pose.skiEnds[noseSkiGauche]);
    placeSkiEndDrawn(pose, pose.skiEnds[tailSkiGauche]);
    placeSkiEndDrawn(pose, pose.skiEnds[noseSkiDroit]);
    placeSkiEndDrawn(pose, pose.skiEnds[tailSkiDroit]);
}
