// Takes a second rider model and a recorded pose; returns that rider skinned in the resident
// rider's place for one drawing, in a pose of its own, then the resident model back.
#include "skier/ghostRider.h"

#include <algorithm>
#include <cstring>

#include "skier/positionDef.h"

RiderModelSlot ghostRider;

// Only the used part of each table moves: the longer of the two.
template <typename T>
static void swapUsed(T* resident, T* slot, int* residentCount, int* slotCount)
{
    int n = std::max(*residentCount, *slotCount);
    std::swap_ranges(resident, resident + n, slot);
    std::swap(*residentCount, *slotCount);
}

void swapRiderModel(RiderModelSlot* slot)
{
    swapUsed(listeMeshes, slot->meshes, &nbMeshes, &slot->nbMeshes);
    swapUsed(listeMaterials, slot->materials, &nbMaterials, &slot->nbMaterials);
    // Bones are indexed by joint number, whatever their count.
    int joints = nbJointsSquelette, slotJoints = nbJointsSquelette;
    swapUsed(listeBones, slot->bones, &joints, &slotJoints);
    std::swap(nbBones, slot->nbBones);
    swapUsed(listeVertices, slot->vertices, &indexVertexDernierGroupe, &slot->nbVertices);
    swapUsed(listeNormales, slot->normales, &indexNormaleDernierGroupe, &slot->nbNormales);
    swapUsed(listeFaces, slot->faces, &indexFaceDernierGroupe, &slot->nbFaces);
    swapUsed(listeTrianglesToDraw, slot->triangles, &nbTrianglesToDraw, &slot->nbTriangles);
    indexOfTrianglesToDrawToAdd = nbTrianglesToDraw;
    std::swap(texObj, slot->texture);
}

void lendRiderPose(RiderPoseState* s, RiderPose* into)
{
    s->lentFrom = tickPose;
    s->textured = textureAcceptee;
    if (into == &s->pose) s->pose = *tickPose;
    tickPose = into;
}

void giveBackRiderPose(const RiderPoseState& s)
{
    tickPose = s.lentFrom;
    majRotationsBones();
    textureAcceptee = s.textured;
}

void beginGhostPose(RiderModelSlot* slot, const RunSample& s, RiderPoseState* saved)
{
    lendRiderPose(saved, &slot->pose);
    swapRiderModel(slot);
    changePosition(s.pose);
    majRotationsBones();
    // The recorded lean is the roll drawn, in the air as on the snow.
    transformSkierEtat(s.lean, s.yaw, (s.flags & sampleFakie) != 0, 1);
}

void endGhostPose(RiderModelSlot* slot, const RiderPoseState& saved)
{
    swapRiderModel(slot);
    giveBackRiderPose(saved);
}
