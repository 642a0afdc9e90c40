// Rigid models of the track (trees, bombs, rails): their tables, as loaded (drawn by
// render/Generic3dObjectDraw.h).
#pragma once

#include <cstdio>

#include "skier/modelRecords.h"

const int maxMeshesObj = 100;
const int maxVerticesObj = 500;
const int maxNormalesObj = 500;
const int maxFacesObj = 500;
const int maxMaterialsObj = 40;
const int maxBonesObj = 100;

class Generic3DObject {
public:
    FILE* in;
    int notError;
    char nomFic[40];
    Vertex listeVerticesObj[500];
    int indexVertexDernierGroupe;
    Mesh listeMeshesObj[100];
    Normale listeNormalesObj[500];
    int indexNormaleDernierGroupe;
    Face listeFacesObj[500];
    int indexFaceDernierGroupe;
    Material listeMaterialsObj[40];
    Bone listeBonesObj[100];
    int nbFrames, currentFrame, nbMeshes, nbMaterials, nbBones;
    char buffer[256];
    int nbTextures;

    void init();
    // Returns 0, or 1 after a message naming the file when the model is refused (the object is
    // then left empty). A missing file ends the program with exit status 2.
    int load(const char* fileName);
};

// The track's obstacle models.
extern Generic3DObject classicTree, classicBomb, classicRail;
