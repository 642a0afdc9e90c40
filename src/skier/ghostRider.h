// The ghost's rider: a second rider model held beside the resident one, put in its place only
// while the ghost is posed and drawn, and everything of the resident rider that posing changes
// given back afterwards.
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
};

// What posing another rider changes in the resident rider's state.
struct RiderPoseState {
    float pose[poseAngles];
    float angleZ, trans;
    float skiEnds[4][3];
    int textured;
};

extern RiderModelSlot ghostRider;

// The resident rider's pose state, and given back (the bones follow the pose again).
void saveRiderPoseState(RiderPoseState* s);
void restoreRiderPoseState(const RiderPoseState& s);

// Exchanges the resident model (tables, triangle list, texture name) with the slot's.
void swapRiderModel(RiderModelSlot* slot);
// Swaps the slot's model in, saves the resident rider's pose state and skins the slot's model in
// the sample's pose into the triangle list.
void beginGhostPose(RiderModelSlot* slot, const RunSample& s, RiderPoseState* saved);
// Gives the resident rider everything back.
void endGhostPose(RiderModelSlot* slot, const RiderPoseState& saved);
