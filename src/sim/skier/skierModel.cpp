// Rider models: takes a rider model file, fills a RiderModel's tables (untouched when refused).
#include <cstdio>
#include <cstring>

#include "skier/modelText.h"
#include "skier/skierLib.h"
#include "fileio/safeOpen.h"

RiderModel playerRider;
static RiderModel* ridden = &playerRider;

RiderModel& riddenModel() { return *ridden; }

void setRiddenModel(RiderModel* model) { ridden = model ? model : &playerRider; }

static RiderTextureHooks riderTextureHooks;

void setRiderTextureHooks(const RiderTextureHooks& hooks) { riderTextureHooks = hooks; }

void loadRiderTexture(const RiderModel& model)
{
    if (riderTextureHooks.load) riderTextureHooks.load(model);
}

void releaseRiderTexture(const RiderModel& model)
{
    if (riderTextureHooks.release) riderTextureHooks.release(model);
}

// The file is read here first, so that a refused file leaves the model as it was.
static Mesh stMeshes[maxMeshesSkier];
static Vertex stVertices[maxVerticesSkier];
static Normale stNormales[maxNormalesSkier];
static Face stFaces[maxFacesSkier];
static Material stMaterials[maxMaterialsSkier];
static Bone stBones[maxBonesSkier];
static char buffer[256];

void reinitSkierData(RiderModel& model)
{
    model.nbVertices = 0;
    model.nbNormales = 0;
    model.nbFaces = 0;
    model.nbMeshes = 0;
    model.nbMaterials = 0;
    model.nbBones = 0;
}

static ModelTables stagingTables(const RiderModel& model)
{
    ModelTables t;
    t.meshes = stMeshes;
    t.vertices = stVertices;
    t.normales = stNormales;
    t.faces = stFaces;
    t.materials = stMaterials;
    t.bones = stBones;
    t.maxMeshes = maxMeshesSkier;
    t.maxVertices = maxVerticesSkier;
    t.maxNormales = maxNormalesSkier;
    t.maxFaces = maxFacesSkier;
    t.maxMaterials = maxMaterialsSkier;
    t.maxBones = maxBonesSkier;
    t.nbFrames = t.currentFrame = t.nbMeshes = t.nbMaterials = t.nbBones = 0;
    t.indexVertex = model.nbVertices;
    t.indexNormale = model.nbNormales;
    t.indexFace = model.nbFaces;
    return t;
}

template <typename T>
static void copyRange(T* dst, const T* src, int from, int to)
{
    if (to > from) memcpy(dst + from, src + from, sizeof(T) * (to - from));
}

static void commit(const ModelTables& t, RiderModel& model)
{
    copyRange(model.meshes, stMeshes, 0, t.nbMeshes);
    copyRange(model.vertices, stVertices, model.nbVertices, t.indexVertex);
    copyRange(model.normales, stNormales, model.nbNormales, t.indexNormale);
    copyRange(model.faces, stFaces, model.nbFaces, t.indexFace);
    copyRange(model.materials, stMaterials, 0, t.nbMaterials);
    copyRange(model.bones, stBones, 0, t.nbBones);
    model.nbFrames = t.nbFrames;
    model.currentFrame = t.currentFrame;
    model.nbMeshes = t.nbMeshes;
    model.nbMaterials = t.nbMaterials;
    model.nbBones = t.nbBones;
    model.nbVertices = t.indexVertex;
    model.nbNormales = t.indexNormale;
    model.nbFaces = t.indexFace;
}

int loadMs3d(RiderModel& model, const char* fileName)
{
    FILE* in = openBoundedOrSay(fileName, CONTENT_FILE_BOUND);
    if (!in) {
        fprintf(stderr, "ouverture impossible (%s)\n", fileName);
        return 1;
    }
    ModelTables t = stagingTables(model);
    int refused = readModelText(in, fileName, &t, modelRider, buffer);
    if (fclose(in) != 0) fprintf(stderr, "erreur de fermeture");
    if (refused) return 1;
    strncpy(model.fileName, fileName, sizeof model.fileName - 1);
    model.fileName[sizeof model.fileName - 1] = 0;
    commit(t, model);
    return 0;
}

int materialTextureSkier(const RiderModel& model)
{
    for (int i = 0; i < model.nbMaterials; i++) {
        const char* tex = model.materials[i].texture;
        if (tex[0] != 0 && tex[1] != '"') return i;
    }
    return -1;
}

static void printGroup(const RiderModel& model, int i)
{
    const Mesh& m = model.meshes[i];
    printf("le nom du groupe no%i est: %s\n", i, m.name);
    printf("le flag du groupe no%i est: %i\n", i, m.flag);
    printf("le material du groupe no%i est: %i\n", i, m.material);
    printf("le nb de vertices du groupe no%i est: %i\n", i, m.nbVertices);
    for (int j = 0; j < m.nbVertices; j++) {
        const Vertex& v = model.vertices[m.firstVertex + j];
        printf("\tvertex no%i, flag:%i, x:%f, y:%f, z:%f, u:%f, v:%f, boneId:%i\n", j, v.flag, v.x, v.y, v.z,
               v.u, v.v, v.boneId);
    }
    for (int j = 0; j < m.nbNormales; j++) {
        const Normale& n = model.normales[m.firstNormale + j];
        printf("\tnormale No%i, x: %f, y:%f, z:%f \n", j, n.x, n.y, n.z);
    }
    for (int j = 0; j < m.nbFaces; j++) {
        const Face& f = model.faces[m.firstFace + j];
        printf("\ttriangle No%i flag: %i, vertex1: %i, vertex2: %i, vertex3: %i, normale1: %i, normale2: %i, "
               "normale3: %i, soothingGroup: %i, Indice de groupe: %i\n",
               j, f.flag, f.vertex1, f.vertex2, f.vertex3, f.normale1, f.normale2, f.normale3, f.smoothingGroup,
               f.groupIndex);
    }
}

void printObj(const RiderModel& model)
{
    printf("le nb de frames est %i\n", model.nbFrames);
    printf("la frame courante est %i\n", model.currentFrame);
    printf("le nb de meshes est %i\n", model.nbMeshes);
    for (int i = 0; i < model.nbMeshes; i++) printGroup(model, i);
    for (int i = 0; i < model.nbMaterials; i++) {
        const Material& m = model.materials[i];
        printf("Materials %s, ambient: %f %f %f %f , diffuse: %f %f %f %f, specular: %f %f %f %f, emissive: %f %f "
               "%f %f, shininess: %f, transparency: %f, texture: %s, alphamap: %s\n",
               m.name, m.ambient[0], m.ambient[1], m.ambient[2], m.ambient[3], m.diffuse[0], m.diffuse[1],
               m.diffuse[2], m.diffuse[3], m.specular[0], m.specular[1], m.specular[2], m.specular[3],
               m.emissive[0], m.emissive[1], m.emissive[2], m.emissive[3], m.shininess, m.transparency,
               m.texture, m.alphamap);
    }
}
