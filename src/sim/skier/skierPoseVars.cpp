// Pose variables of the rider's skeleton (degrees), read and written in the pose worked on.
#include "skier/skierLib.h"

RiderPose* tickPose;

#define KES_DEFINE_ROT_ACCESSORS(s)                                                                \
    void changeRot##s(float a) { tickPose->angles[rot##s] = a; }                                   \
    void setRot##s(float a) { tickPose->angles[rot##s] = a; }                                      \
    void plusRot##s(float a) { tickPose->angles[rot##s] += a; }                                    \
    void moinsRot##s(float a) { tickPose->angles[rot##s] -= a; }                                   \
    float getRot##s() { return tickPose->angles[rot##s]; }
KES_POSE_VARIABLES(KES_DEFINE_ROT_ACCESSORS)
#undef KES_DEFINE_ROT_ACCESSORS

void changeRotBassinY(float a) { tickPose->angles[rotBassinY] = a; }
