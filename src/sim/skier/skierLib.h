// Rider models as values: loading, the fixed skeleton, CPU skinning into a model's triangle list, the
// hooks that load a model's texture and the pose variables with their accessors (drawn by
// render/skierDraw.h).
#pragma once

#include "skier/modelRecords.h"
#include "skier/riderPose.h"

struct RunState;

// Capacities of the rider model tables.
const int maxMeshesSkier = 100;
const int maxVerticesSkier = 2000;
const int maxNormalesSkier = 2000;
const int maxFacesSkier = 2000;
const int maxMaterialsSkier = 40;
const int maxBonesSkier = 100;
const int maxTrianglesToDraw = 2000;

const int nbJointsSquelette = 22;
static_assert(nbJointsSquelette == nbSkeletonJoints, "one skeleton");
const int jointBassin = 0;
const int jointChevilleGauche = 6;
const int jointChevilleDroite = 7;

// Ready-to-draw triangles built by transformObj.
struct TriangleToDraw {
    int groupIndex;
    float position[3][3];
    float uv[3][2];
    float normale[3][3];
};

// One rider's model: the tables the loader fills, the bones posing turns and the triangle list
// skinning makes. Drawing only reads it.
struct RiderModel {
    Mesh meshes[maxMeshesSkier];
    Vertex vertices[maxVerticesSkier];
    Normale normales[maxNormalesSkier];
    Face faces[maxFacesSkier];
    Material materials[maxMaterialsSkier];
    Bone bones[maxBonesSkier];
    int nbFrames, currentFrame, nbMeshes, nbMaterials, nbBones;
    int nbVertices, nbNormales, nbFaces;  // the tables' used lengths: where a next group would go
    char fileName[64];
    TriangleToDraw triangles[maxTrianglesToDraw];
    int nbTriangles;
};

// The player's chosen rider (chargeSkierGui).
extern RiderModel playerRider;
// The model a run is posed and drawn in: the player's, or the best run's rider while a replay or a
// film shows it. Pointed back at the player's with nullptr.
RiderModel& riddenModel();
void setRiddenModel(RiderModel* model);

// Loading. loadMs3d appends the file's groups after the model's (reinitSkierData empties it first)
// and returns 0, or 1 (after a message naming the file) when the file cannot be opened or is refused
// (over the capacities, indices outside their group or tables); the model is then left untouched.
int loadMs3d(RiderModel& model, const char* fileName);
int determineNumberBone(const char* name);
int litInt(const char* token);
float litFloat(const char* token);
void printObj(const RiderModel& model);
void reinitSkierData(RiderModel& model);

// How a rider's texture is loaded and released: the drawing installs its own (render/skierDraw.h),
// which keeps the texture beside the model; without it (the simulation alone, a test) a rider loads
// without a texture.
struct RiderTextureHooks {
    void (*load)(const RiderModel& model);
    void (*release)(const RiderModel& model);
};
void setRiderTextureHooks(const RiderTextureHooks& hooks);
void loadRiderTexture(const RiderModel& model);
void releaseRiderTexture(const RiderModel& model);
// Index of the material whose texture is the rider's, -1 when the rider is untextured.
int materialTextureSkier(const RiderModel& model);

// Skeleton: centre of joint j in model space (0 0 0 for joints that are never rotated).
void centreJoint(int joint, float* out);

// Ski end points in model space, and as transformed by the last transformSkier / drawSkier in the
// pose given.
extern const float noseSkiGauchePos[3], tailSkiGauchePos[3], noseSkiDroitPos[3], tailSkiDroitPos[3];
float* getOutNoseSkiGauchePos(RiderPose& pose);
float* getOutTailSkiGauchePos(RiderPose& pose);
float* getOutNoseSkiDroitPos(RiderPose& pose);
float* getOutTailSkiDroitPos(RiderPose& pose);

// Distance from the ankle centre down to the snow, in model units.
const float hauteurPiedSkier = 18;

// The model's bones turned as the pose says.
void majRotationsBones(const RiderPose& pose, RiderModel& model);
void transformeBoneCoords(const RiderModel& model, const float* vertex, const float* normal, int joint,
                          float* outVertex, float* outNormal);
// The pose of every joint's chain, taken from the bone rotations once a frame (transformObj and
// drawObj do it), and the skinning of one point with it: the same result as transformeBoneCoords.
void prepareSkinning(RiderPose& pose, const RiderModel& model);
void skinWithChain(const RiderPose& pose, const float* vertex, const float* normal, int joint, float* outVertex, float* outNormal);
void feedListeTriangleToDraw(RiderModel& model, int record, int corner, const float* position, const float* uv,
                             const float* normal);
int transformGroup(RiderPose& pose, RiderModel& model, int group, int firstRecord);
void transformObj(RiderPose& pose, RiderModel& model);

// Supporting ankle (jointChevilleGauche or jointChevilleDroite) for a heading in degrees.
int chevilleSupport(short isFakie, float heading);
// Skins the four ski end points about their ankles and sets transTotalSkier from the supporting
// ankle (steps shared by both drawing paths).
void placeSkisEtCheville(RiderPose& pose, const RiderModel& model, short isFakie, float heading);
// Per-frame transform with the rider's state given explicitly (contact: touching the ground).
void transformSkierEtat(RiderPose& pose, RiderModel& model, float lean, float heading, short isFakie, int contact);
// Per-frame transform reading the run's fakie flag and the ground contact.
void transformSkier(RunState& run, RiderModel& model, float lean, float heading);

void getVectorBassinSkier(float* v);
void getVectorFrontSkier(float* v);

// Pose variables, degrees, of the pose given. The pelvis is never posed (only rotBassinY has a setter).
// Accessor families, e.g. changeRotEpauleXR, setRotEpauleXR, plusRotEpauleXR, moinsRotEpauleXR,
// getRotEpauleXR.
#define KES_DECLARE_ROT_ACCESSORS(s)                                                               \
    void changeRot##s(RiderPose& pose, float a);                                                   \
    void setRot##s(RiderPose& pose, float a);                                                      \
    void plusRot##s(RiderPose& pose, float a);                                                     \
    void moinsRot##s(RiderPose& pose, float a);                                                    \
    float getRot##s(const RiderPose& pose);
KES_POSE_VARIABLES(KES_DECLARE_ROT_ACCESSORS)
#undef KES_DECLARE_ROT_ACCESSORS
void changeRotBassinY(RiderPose& pose, float a);
