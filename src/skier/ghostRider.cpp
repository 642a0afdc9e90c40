// Takes a second rider model and a recorded pose; returns that rider skinned in the resident
// rider's place for one drawing, then the resident rider as it was.
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

static float* const* skiEnds()
{
    static float* const ends[4] = {outNoseSkiGauchePos, outTailSkiGauchePos, outNoseSkiDroitPos, outTailSkiDroitPos};
    return ends;
}

void saveRiderPoseState(RiderPoseState* s)
{
    lirePoseCourante(s->pose);
    s->angleZ = angleZTemp;
    s->trans = transTotalSkier;
    for (int k = 0; k < 4; k++) memcpy(s->skiEnds[k], skiEnds()[k], sizeof s->skiEnds[k]);
    s->textured = textureAcceptee;
}

void restoreRiderPoseState(const RiderPoseState& s)
{
    changePosition(s.pose);
    majRotationsBones();
    angleZTemp = s.angleZ;
    transTotalSkier = s.trans;
    for (int k = 0; k < 4; k++) memcpy(skiEnds()[k], s.skiEnds[k], sizeof s.skiEnds[k]);
    textureAcceptee = s.textured;
}

void beginGhostPose(RiderModelSlot* slot, const RunSample& s, RiderPoseState* saved)
{
    saveRiderPoseState(saved);
    swapRiderModel(slot);
    changePosition(s.pose);
    majRotationsBones();
    // The recorded lean is the roll drawn, in the air as on the snow.
    transformSkierEtat(s.lean, s.yaw, (s.flags & sampleFakie) != 0, 1);
}

void endGhostPose(RiderModelSlot* slot, const RiderPoseState& saved)
{
    swapRiderModel(slot);
    restoreRiderPoseState(saved);
}
