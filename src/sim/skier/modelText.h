// Reader of the text model format shared by the rider and the static track objects.
//
// The file is a stream of whitespace-separated tokens (at most 255 characters each); line breaks
// mean nothing and anything before a section keyword is skipped. In order:
//   Frames: <n>   Frame: <n>
//   Meshes: <groups>, then per group with no keyword in between:
//     <name> <flags> <material>          name one token (quotes kept, cut to 31 characters),
//                                        flags and material read as C "%i", material -1 = none
//     <vertex count>, then per vertex: <flags> <x> <y> <z> <u> <v> <bone>   (bone -1 = none)
//     <normal count>, then per normal: <x> <y> <z>
//     <triangle count>, then per triangle: <flags> <v1> <v2> <v3> <n1> <n2> <n3> <smoothing>
//       vertex and normal indices count from 0 within the same group
//   Materials: <n>, then per material 21 tokens: <name> ambient r g b a, diffuse r g b a,
//     specular r g b a, emissive r g b a, <shininess> <transparency> <texture> <alphamap>;
//     a texture token of two quote characters ("") means no texture, else a ':' path such as
//     :data:models:x:skin.bmp
//   Bones: <n>, then per bone 11 tokens: <name> <parent name> <flags> <x> <y> <z> <rx> <ry> <rz>
//     <position keys> <rotation keys>; both key counts must be 0 (no key lines are read). Bone
//     names are the joint names of the rider skeleton, the root's parent is written "sans".
// Every keyword must be present, "Bones: 0" included for an object without skeleton.
//
// Refused (message on stderr naming the file, return 1): a missing keyword, a file that ends
// inside a section, a count below 0 or above the table, a triangle index outside its group, a
// group material outside the materials read, a bone with key lines, and for the rider a vertex
// or parent bone outside the bones read or the skeleton, or a parent chain that loops.
#pragma once

#include <cstdio>

#include "skier/modelRecords.h"

struct ModelTables {
    Mesh* meshes;
    Vertex* vertices;
    Normale* normales;
    Face* faces;
    Material* materials;
    Bone* bones;
    int maxMeshes, maxVertices, maxNormales, maxFaces, maxMaterials, maxBones;
    int nbFrames, currentFrame, nbMeshes, nbMaterials, nbBones;
    // Running start indices: where the next group's entries go.
    int indexVertex, indexNormale, indexFace;
};

// Rider files name their bones and bind vertices to them; static objects drop the skeleton.
enum ModelKind { modelRider, modelStatic };

// Reads the model of fileName (already open as in) into t. buffer holds 256 characters.
int readModelText(FILE* in, const char* fileName, ModelTables* t, ModelKind kind, char* buffer);

int determineNumberBone(const char* name);
int litInt(const char* token);
float litFloat(const char* token);
