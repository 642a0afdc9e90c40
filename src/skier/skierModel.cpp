// Resident rider model: takes a rider model file, fills the global tables (untouched when refused).
#include <cstdio>
#include <cstring>

#include "skier/modelText.h"
#include "skier/skierLib.h"
#include "fileio/safeOpen.h"

Mesh listeMeshes[maxMeshesSkier];
Vertex listeVertices[maxVerticesSkier];
Normale listeNormales[maxNormalesSkier];
Face listeFaces[maxFacesSkier];
Material listeMaterials[maxMaterialsSkier];
Bone listeBones[maxBonesSkier];
int nbFrames, currentFrame, nbMeshes, nbMaterials, nbBones;
int indexVertexDernierGroupe, indexNormaleDernierGroupe, indexFaceDernierGroupe;
char nomFic[64];
int textureAcceptee;
unsigned int texObj;  // the rider's texture name, 0 for none

static RiderTextureHooks riderTextureHooks;

void setRiderTextureHooks(const RiderTextureHooks& hooks) { riderTextureHooks = hooks; }

void loadRiderTexture()
{
    if (riderTextureHooks.load) riderTextureHooks.load();
}

void releaseRiderTexture()
{
    if (riderTextureHooks.release) riderTextureHooks.release();
}

// The file is read here first, so that a refused file leaves the resident rider as it was.
static Mesh stMeshes[maxMeshesSkier];
static Vertex stVertices[maxVerticesSkier];
static Normale stNormales[maxNormalesSkier];
static Face stFaces[maxFacesSkier];
static Material stMaterials[maxMaterialsSkier];
static Bone stBones[maxBonesSkier];
static char buffer[256];

void reinitSkierData()
{
    indexVertexDernierGroupe = 0;
    indexNormaleDernierGroupe = 0;
    indexFaceDernierGroupe = 0;
    nbMeshes = 0;
    nbMaterials = 0;
    nbBones = 0;
    textureAcceptee = 0;
}

static ModelTables stagingTables()
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
    t.indexVertex = indexVertexDernierGroupe;
    t.indexNormale = indexNormaleDernierGroupe;
    t.indexFace = indexFaceDernierGroupe;
    return t;
}

template <typename T>
static void copyRange(T* dst, const T* src, int from, int to)
{
    if (to > from) memcpy(dst + from, src + from, sizeof(T) * (to - from));
}

static void commit(const ModelTables& t)
{
    copyRange(listeMeshes, stMeshes, 0, t.nbMeshes);
    copyRange(listeVertices, stVertices, indexVertexDernierGroupe, t.indexVertex);
    copyRange(listeNormales, stNormales, indexNormaleDernierGroupe, t.indexNormale);
    copyRange(listeFaces, stFaces, indexFaceDernierGroupe, t.indexFace);
    copyRange(listeMaterials, stMaterials, 0, t.nbMaterials);
    copyRange(listeBones, stBones, 0, t.nbBones);
    nbFrames = t.nbFrames;
    currentFrame = t.currentFrame;
    nbMeshes = t.nbMeshes;
    nbMaterials = t.nbMaterials;
    nbBones = t.nbBones;
    indexVertexDernierGroupe = t.indexVertex;
    indexNormaleDernierGroupe = t.indexNormale;
    indexFaceDernierGroupe = t.indexFace;
}

int loadMs3d(const char* fileName)
{
    FILE* in = openBoundedOrSay(fileName, CONTENT_FILE_BOUND);
    if (!in) {
        fprintf(stderr, "ouverture impossible (%s)\n", fileName);
        return 1;
    }
    ModelTables t = stagingTables();
    int refused = readModelText(in, fileName, &t, modelRider, buffer);
    if (fclose(in) != 0) fprintf(stderr, "erreur de fermeture");
    if (refused) return 1;
    strncpy(nomFic, fileName, sizeof nomFic - 1);
    nomFic[sizeof nomFic - 1] = 0;
    commit(t);
    return 0;
}

int materialTextureSkier()
{
    for (int i = 0; i < nbMaterials; i++) {
        const char* tex = listeMaterials[i].texture;
        if (tex[0] != 0 && tex[1] != '"') return i;
    }
    return -1;
}

static void printGroup(int i)
{
    const Mesh& m = listeMeshes[i];
    printf("le nom du groupe no%i est: %s\n", i, m.name);
    printf("le flag du groupe no%i est: %i\n", i, m.flag);
    printf("le material du groupe no%i est: %i\n", i, m.material);
    printf("le nb de vertices du groupe no%i est: %i\n", i, m.nbVertices);
    for (int j = 0; j < m.nbVertices; j++) {
        const Vertex& v = listeVertices[m.firstVertex + j];
        printf("\tvertex no%i, flag:%i, x:%f, y:%f, z:%f, u:%f, v:%f, boneId:%i\n", j, v.flag, v.x, v.y, v.z,
               v.u, v.v, v.boneId);
    }
    for (int j = 0; j < m.nbNormales; j++) {
        const Normale& n = listeNormales[m.firstNormale + j];
        printf("\tnormale No%i, x: %f, y:%f, z:%f \n", j, n.x, n.y, n.z);
    }
    for (int j = 0; j < m.nbFaces; j++) {
        const Face& f = listeFaces[m.firstFace + j];
        printf("\ttriangle No%i flag: %i, vertex1: %i, vertex2: %i, vertex3: %i, normale1: %i, normale2: %i, "
               "normale3: %i, soothingGroup: %i, Indice de groupe: %i\n",
               j, f.flag, f.vertex1, f.vertex2, f.vertex3, f.normale1, f.normale2, f.normale3, f.smoothingGroup,
               f.groupIndex);
    }
}

void printObj()
{
    printf("le nb de frames est %i\n", nbFrames);
    printf("la frame courante est %i\n", currentFrame);
    printf("le nb de meshes est %i\n", nbMeshes);
    for (int i = 0; i < nbMeshes; i++) printGroup(i);
    for (int i = 0; i < nbMaterials; i++) {
        const Material& m = listeMaterials[i];
        printf("Materials %s, ambient: %f %f %f %f , diffuse: %f %f %f %f, specular: %f %f %f %f, emissive: %f %f "
               "%f %f, shininess: %f, transparency: %f, texture: %s, alphamap: %s\n",
               m.name, m.ambient[0], m.ambient[1], m.ambient[2], m.ambient[3], m.diffuse[0], m.diffuse[1],
               m.diffuse[2], m.diffuse[3], m.specular[0], m.specular[1], m.specular[2], m.specular[3],
               m.emissive[0], m.emissive[1], m.emissive[2], m.emissive[3], m.shininess, m.transparency,
               m.texture, m.alphamap);
    }
}
