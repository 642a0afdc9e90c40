// Pose variables of the rider's skeleton (degrees) and their accessor families.
#include "skier/skierLib.h"

float rotBassinX, rotBassinY, rotBassinZ;
float rotHancheXR, rotHancheYR, rotHancheZR, rotGenouR, rotChevilleXR, rotChevilleYR, rotChevilleZR;
float rotHancheXL, rotHancheYL, rotHancheZL, rotGenouL, rotChevilleXL, rotChevilleYL, rotChevilleZL;
float rotBaseColonneX, rotBaseColonneY, rotBaseColonneZ;
float rotMidColonneX, rotMidColonneY, rotMidColonneZ;
float rotEpauleXR, rotEpauleYR, rotEpauleZR, rotCoudeR, rotPoignetXR, rotPoignetYR, rotPoignetZR;
float rotEpauleXL, rotEpauleYL, rotEpauleZL, rotCoudeL, rotPoignetXL, rotPoignetYL, rotPoignetZL;
float rotHeadX, rotHeadY, rotHeadZ;

#define KES_POSE_ADDRESS(s) &rot##s,
float* const variablesPose[37] = {KES_POSE_VARIABLES(KES_POSE_ADDRESS)};
#undef KES_POSE_ADDRESS

#define KES_DEFINE_ROT_ACCESSORS(s)                                                                \
    void changeRot##s(float a) { rot##s = a; }                                                     \
    void setRot##s(float a) { rot##s = a; }                                                        \
    void plusRot##s(float a) { rot##s += a; }                                                      \
    void moinsRot##s(float a) { rot##s -= a; }                                                     \
    float getRot##s() { return rot##s; }
KES_POSE_VARIABLES(KES_DEFINE_ROT_ACCESSORS)
#undef KES_DEFINE_ROT_ACCESSORS

void changeRotBassinY(float a) { rotBassinY = a; }
