// Text model reader: takes an open model file, fills the given tables or reports why it refuses it.
#include "skier/modelText.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

const int tokenMax = 255;
const int jointCount = 22;

static const char* const jointNames[jointCount] = {
    "jbassin",        "jbascolonne",   "jhanchegauche",  "jhanchedroite", "jgenoudroite",
    "jgenougauche",   "jchevillegauche", "jchevilledroite", "jpieddroite", "jpiedgauche",
    "jmidcolonne",    "jcou",          "jtete",          "jsommettete",   "jepaulegauche",
    "jcoudegauche",   "jpoignetgauche", "jmaingauche",   "jepauledroite", "jcoudedroite",
    "jpoignetdroite", "jmaindroite"};

int determineNumberBone(const char* name)
{
    for (int i = 0; i < jointCount; i++)
        if (strcmp(name, jointNames[i]) == 0) return i;
    return -1;
}

int litInt(const char* token) { return atoi(token); }
float litFloat(const char* token) { return (float)atof(token); }

namespace {
struct Reader {
    FILE* in;
    const char* fileName;
    char* buffer;
    int refused;
};
}

static int refuse(Reader* r, const char* why)
{
    if (!r->refused) fprintf(stderr, "model %s refused: %s\n", r->fileName, why);
    r->refused = 1;
    return 0;
}

// One token into the buffer; a longer token than the buffer holds is refused, not split.
static int readToken(Reader* r)
{
    if (r->refused) return 0;
    if (fscanf(r->in, "%255s", r->buffer) != 1) return refuse(r, "file ends too early");
    if (strlen(r->buffer) == (size_t)tokenMax) {
        int c = fgetc(r->in);
        if (c != EOF && !isspace(c)) return refuse(r, "token longer than 255 characters");
    }
    return 1;
}

static int tokenInt(Reader* r) { return readToken(r) ? litInt(r->buffer) : 0; }
static float tokenFloat(Reader* r) { return readToken(r) ? litFloat(r->buffer) : 0; }

static int scanInt(Reader* r)
{
    int v = 0;
    if (r->refused) return 0;
    if (fscanf(r->in, "%i", &v) != 1) refuse(r, "integer expected or file ends too early");
    return v;
}

static void tokenText(Reader* r, char* out, int size)
{
    if (!readToken(r)) return;
    strncpy(out, r->buffer, size - 1);
    out[size - 1] = 0;
}

// Skips to the keyword and returns the count after it.
static int keywordCount(Reader* r, const char* keyword, const char* missing)
{
    if (r->refused) return 0;
    for (;;) {
        if (fscanf(r->in, "%255s", r->buffer) != 1) {
            fprintf(stderr, "%s in %s\n", missing, r->fileName);
            r->refused = 1;
            return 0;
        }
        if (strcmp(r->buffer, keyword) == 0) return tokenInt(r);
    }
}

static int countFits(Reader* r, int first, int count, int capacity, const char* what)
{
    if (count < 0 || count > capacity - first) {
        char why[96];
        snprintf(why, sizeof why, "%d %s do not fit in a table of %d", count, what, capacity);
        return refuse(r, why);
    }
    return 1;
}

static void readVertices(Reader* r, ModelTables* t, Mesh* m)
{
    m->nbVertices = scanInt(r);
    m->firstVertex = t->indexVertex;
    if (r->refused || !countFits(r, t->indexVertex, m->nbVertices, t->maxVertices, "vertices")) return;
    for (int j = 0; j < m->nbVertices && !r->refused; j++) {
        Vertex* v = &t->vertices[m->firstVertex + j];
        v->flag = tokenInt(r);
        v->x = tokenFloat(r);
        v->y = tokenFloat(r);
        v->z = tokenFloat(r);
        v->u = tokenFloat(r);
        v->v = tokenFloat(r);
        v->boneId = tokenInt(r);
    }
    t->indexVertex += m->nbVertices;
}

static void readNormales(Reader* r, ModelTables* t, Mesh* m)
{
    m->nbNormales = scanInt(r);
    m->firstNormale = t->indexNormale;
    if (r->refused || !countFits(r, t->indexNormale, m->nbNormales, t->maxNormales, "normals")) return;
    for (int j = 0; j < m->nbNormales && !r->refused; j++) {
        Normale* n = &t->normales[m->firstNormale + j];
        n->x = tokenFloat(r);
        n->y = tokenFloat(r);
        n->z = tokenFloat(r);
    }
    t->indexNormale += m->nbNormales;
}

static int insideGroup(int index, int count) { return index >= 0 && index < count; }

static void readFaces(Reader* r, ModelTables* t, Mesh* m, int group)
{
    m->nbFaces = scanInt(r);
    m->firstFace = t->indexFace;
    if (r->refused || !countFits(r, t->indexFace, m->nbFaces, t->maxFaces, "triangles")) return;
    for (int j = 0; j < m->nbFaces && !r->refused; j++) {
        Face* f = &t->faces[m->firstFace + j];
        f->flag = tokenInt(r);
        f->vertex1 = tokenInt(r);
        f->vertex2 = tokenInt(r);
        f->vertex3 = tokenInt(r);
        f->normale1 = tokenInt(r);
        f->normale2 = tokenInt(r);
        f->normale3 = tokenInt(r);
        f->smoothingGroup = tokenInt(r);
        f->groupIndex = group;
        if (r->refused) return;
        if (!insideGroup(f->vertex1, m->nbVertices) || !insideGroup(f->vertex2, m->nbVertices) ||
            !insideGroup(f->vertex3, m->nbVertices))
            refuse(r, "triangle vertex outside its group");
        if (!insideGroup(f->normale1, m->nbNormales) || !insideGroup(f->normale2, m->nbNormales) ||
            !insideGroup(f->normale3, m->nbNormales))
            refuse(r, "triangle normal outside its group");
    }
    t->indexFace += m->nbFaces;
}

static void readGroups(Reader* r, ModelTables* t)
{
    int count = keywordCount(r, "Meshes:", "unable to find number of meshes");
    if (r->refused || !countFits(r, 0, count, t->maxMeshes, "groups")) return;
    t->nbMeshes = count;
    for (int i = 0; i < count && !r->refused; i++) {
        Mesh* m = &t->meshes[i];
        tokenText(r, m->name, sizeof m->name);
        m->flag = scanInt(r);
        m->material = scanInt(r);
        readVertices(r, t, m);
        readNormales(r, t, m);
        readFaces(r, t, m, i);
    }
}

static void readColour(Reader* r, float* c)
{
    for (int k = 0; k < 4; k++) c[k] = tokenFloat(r);
}

static void readMaterials(Reader* r, ModelTables* t)
{
    int count = keywordCount(r, "Materials:", "unable to find number of materials");
    if (r->refused || !countFits(r, 0, count, t->maxMaterials, "materials")) return;
    t->nbMaterials = count;
    for (int i = 0; i < count && !r->refused; i++) {
        Material* m = &t->materials[i];
        tokenText(r, m->name, sizeof m->name);
        readColour(r, m->ambient);
        readColour(r, m->diffuse);
        readColour(r, m->specular);
        readColour(r, m->emissive);
        m->shininess = tokenFloat(r);
        m->transparency = tokenFloat(r);
        tokenText(r, m->texture, sizeof m->texture);
        tokenText(r, m->alphamap, sizeof m->alphamap);
    }
}

static void readBones(Reader* r, ModelTables* t, ModelKind kind)
{
    int count = keywordCount(r, "Bones:", "unable to find number of bones");
    if (r->refused || !countFits(r, 0, count, t->maxBones, "bones")) return;
    t->nbBones = count;
    for (int i = 0; i < count && !r->refused; i++) {
        Bone* b = &t->bones[i];
        b->number = readToken(r) && kind == modelRider ? determineNumberBone(r->buffer) : 0;
        b->parent = readToken(r) && kind == modelRider ? determineNumberBone(r->buffer) : 0;
        b->flag = tokenInt(r);
        for (int k = 0; k < 3; k++) b->position[k] = tokenFloat(r);
        for (int k = 0; k < 3; k++) {
            tokenFloat(r);
            b->rotation[k] = 0;
        }
        int positionKeys = tokenInt(r);
        int rotationKeys = tokenInt(r);
        if (!r->refused && (positionKeys != 0 || rotationKeys != 0)) refuse(r, "bone with key frames");
    }
}

static void checkMaterials(Reader* r, const ModelTables* t)
{
    for (int i = 0; i < t->nbMeshes && !r->refused; i++) {
        int m = t->meshes[i].material;
        if (m < -1 || m >= t->nbMaterials) refuse(r, "group material outside the materials");
    }
}

// Skinning walks vertex joints and parents by bone record, and centres by joint number.
static int usableJoint(int joint, const ModelTables* t)
{
    return joint >= -1 && joint < t->nbBones && joint < jointCount;
}

static void checkSkeleton(Reader* r, const ModelTables* t, int firstVertex)
{
    for (int i = firstVertex; i < t->indexVertex && !r->refused; i++)
        if (!usableJoint(t->vertices[i].boneId, t)) refuse(r, "vertex bound to a missing bone");
    for (int i = 0; i < t->nbBones && !r->refused; i++)
        if (!usableJoint(t->bones[i].parent, t)) refuse(r, "parent bone missing from the file");
    for (int i = 0; i < t->nbBones && !r->refused; i++) {
        int j = i, steps = 0;
        while (j != -1 && steps <= t->nbBones) {
            j = t->bones[j].parent;
            steps++;
        }
        if (j != -1) refuse(r, "bone parents form a loop");
    }
}

int readModelText(FILE* in, const char* fileName, ModelTables* t, ModelKind kind, char* buffer)
{
    Reader r = {in, fileName, buffer, 0};
    t->nbFrames = keywordCount(&r, "Frames:", "unable to find number of frame");
    t->currentFrame = keywordCount(&r, "Frame:", "unable to find current frame");
    int firstVertex = t->indexVertex;
    readGroups(&r, t);
    readMaterials(&r, t);
    readBones(&r, t, kind);
    checkMaterials(&r, t);
    if (kind == modelRider && !r.refused) checkSkeleton(&r, t, firstVertex);
    return r.refused;
}
