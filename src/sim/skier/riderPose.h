// One rider's pose: takes nothing, returns the record each run keeps of its rider's joint angles,
// blend buffers, skeleton chains, ski ends and drawing offsets, and the pointer skinning poses through.
#pragma once

const int nbPoseVariables = 37;  // the pose vector: every posed angle but the pelvis
const int nbSkeletonJoints = 22;

// The pose variables' places in RiderPose::angles: the pose vector first, the pelvis after it.
#define KES_POSE_VARIABLES(X)                                                                      \
    X(HancheXR) X(HancheYR) X(HancheZR) X(GenouR) X(ChevilleXR) X(ChevilleYR) X(ChevilleZR)         \
    X(HancheXL) X(HancheYL) X(HancheZL) X(GenouL) X(ChevilleXL) X(ChevilleYL) X(ChevilleZL)         \
    X(BaseColonneX) X(BaseColonneY) X(BaseColonneZ) X(MidColonneX) X(MidColonneY) X(MidColonneZ)   \
    X(EpauleXR) X(EpauleYR) X(EpauleZR) X(CoudeR) X(PoignetXR) X(PoignetYR) X(PoignetZR)            \
    X(EpauleXL) X(EpauleYL) X(EpauleZL) X(CoudeL) X(PoignetXL) X(PoignetYL) X(PoignetZL)            \
    X(HeadX) X(HeadY) X(HeadZ)

#define KES_POSE_INDEX(s) rot##s,
enum PoseAngle { KES_POSE_VARIABLES(KES_POSE_INDEX) rotBassinX, rotBassinY, rotBassinZ, nbPoseAngles };
#undef KES_POSE_INDEX

// A joint's whole chain folded into one map, p -> rotation * p + offset (normals take the rotation
// alone), so that skinning a frame walks each chain once instead of once per corner.
struct ChainTransform {
    float col[3][3];  // images of the unit axes
    float offset[3];
};

enum SkiEnd { noseSkiGauche, tailSkiGauche, noseSkiDroit, tailSkiDroit, nbSkiEnds };

// Plain data: RiderPose{} is every angle and offset at 0; a run's reset sets the arms' swing.
struct RiderPose {
    float angles[nbPoseAngles];  // degrees
    float figureAerialCourante[nbPoseVariables];  // the trick pose held in the air
    float posInterFak[nbPoseVariables];           // the copies handed out by the fakie selectors
    float posInterFak2[nbPoseVariables];
    float rotBrasDroit, rotBrasGauche;  // the arms' swing in the air, degrees
    int jeuRotBD, jeuRotBG;             // which way each arm swings
    ChainTransform chains[nbSkeletonJoints];  // from the bones, once a skinning
    float skiEnds[nbSkiEnds][3];  // as placed by the last transformSkier / drawSkier
    float transTotalSkier;  // vertical offset that puts the supporting ankle at height 0
    float angleZTemp;       // roll used for drawing, kept from the last frame on the ground
};

