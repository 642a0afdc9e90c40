// Static track objects: takes a model file, fills one object's own tables (left empty when refused).
#include "skier/Generic3dObject.h"

#include <cstdlib>
#include <cstring>

#include "skier/modelText.h"
#include "fileio/safeOpen.h"

Generic3DObject classicTree, classicBomb, classicRail;

void Generic3DObject::init()
{
    indexVertexDernierGroupe = indexNormaleDernierGroupe = indexFaceDernierGroupe = 0;
    nbFrames = currentFrame = nbMeshes = nbMaterials = nbBones = 0;
    nbTextures = 0;
}

static ModelTables objectTables(Generic3DObject* o)
{
    ModelTables t;
    t.meshes = o->listeMeshesObj;
    t.vertices = o->listeVerticesObj;
    t.normales = o->listeNormalesObj;
    t.faces = o->listeFacesObj;
    t.materials = o->listeMaterialsObj;
    t.bones = o->listeBonesObj;
    t.maxMeshes = maxMeshesObj;
    t.maxVertices = maxVerticesObj;
    t.maxNormales = maxNormalesObj;
    t.maxFaces = maxFacesObj;
    t.maxMaterials = maxMaterialsObj;
    t.maxBones = maxBonesObj;
    t.nbFrames = t.currentFrame = t.nbMeshes = t.nbMaterials = t.nbBones = 0;
    t.indexVertex = o->indexVertexDernierGroupe;
    t.indexNormale = o->indexNormaleDernierGroupe;
    t.indexFace = o->indexFaceDernierGroupe;
    return t;
}

static void keepTables(Generic3DObject* o, const ModelTables& t)
{
    o->nbFrames = t.nbFrames;
    o->currentFrame = t.currentFrame;
    o->nbMeshes = t.nbMeshes;
    o->nbMaterials = t.nbMaterials;
    o->nbBones = t.nbBones;
    o->indexVertexDernierGroupe = t.indexVertex;
    o->indexNormaleDernierGroupe = t.indexNormale;
    o->indexFaceDernierGroupe = t.indexFace;
}

int Generic3DObject::load(const char* fileName)
{
    strncpy(nomFic, fileName, sizeof nomFic - 1);
    nomFic[sizeof nomFic - 1] = 0;
    in = openBoundedOrSay(fileName, CONTENT_FILE_BOUND);
    if (!in) {
        fprintf(stderr, "can't open %s\n", fileName);
        exit(2);
    }
    ModelTables t = objectTables(this);
    int refused = readModelText(in, fileName, &t, modelStatic, buffer);
    notError = !refused;
    if (fclose(in) != 0) fprintf(stderr, "Can't close %s\n", fileName);
    in = nullptr;
    if (refused) {
        // Nothing of a refused file is drawn.
        t.nbMeshes = t.nbMaterials = t.nbBones = 0;
        t.indexVertex = t.indexNormale = t.indexFace = 0;
    }
    keepTables(this, t);
    return refused;
}
