// The ghost's rider: a second rider model held beside the resident one, put in its place only
// while the ghost is posed and drawn, posed in a pose of its own; the resident rider's pose is never
// written by it.
#pragma once

#include "run/runRecording.h"
#include "skier/skierLib.h"

struct RiderModelSlot {
    Mesh meshes[maxMeshesSkier];
    Vertex vertices[maxVerticesSkier];
    Normale normales[maxNormalesSkier];
    Face faces[maxFacesSkier];
    Material materials[maxMaterialsSkier];
    Bone bones[maxBonesSkier];
    TriangleToDraw triangles[maxTrianglesToDraw];
    int nbMeshes, nbMaterials, nbBones, nbVertices, nbNormales, nbFaces, nbTriangles;
    unsigned int texture;
    short loaded;
    RiderPose pose;  // the ghost's own skeleton
};

// A pose lent for one posing: posing and skinning work in it, and the pose worked on before (a
// run's) is pointed at again afterwards, untouched.
struct RiderPoseState {
    RiderPose pose;
    RiderPose* lentFrom;
    int textured;
};

extern RiderModelSlot ghostRider;

// Points posing at `into` (a copy of the pose worked on when it is s->pose), and back to the pose
// before with the bones following it again.
void lendRiderPose(RiderPoseState* s, RiderPose* into);
void giveBackRiderPose(const RiderPoseState& s);

// Exchanges the resident model (tables, triangle list, texture name) with the slot's.
void swapRiderModel(RiderModelSlot* slot);
// Swaps the slot's model in and skins it in the sample's pose, in the slot's own pose, into the
// triangle list.
void beginGhostPose(RiderModelSlot* slot, const RunSample& s, RiderPoseState* saved);
// Swaps the resident model back and posing back to the pose worked on before.
void endGhostPose(RiderModelSlot* slot, const RiderPoseState& saved);
