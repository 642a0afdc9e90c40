// Pose variables of the rider's skeleton (degrees), read and written in the pose given.
#include "skier/skierLib.h"

#define KES_DEFINE_ROT_ACCESSORS(s)                                                                \
    void changeRot##s(RiderPose& pose, float a) { pose.angles[rot##s] = a; }                       \
    void setRot##s(RiderPose& pose, float a) { pose.angles[rot##s] = a; }                          \
    void plusRot##s(RiderPose& pose, float a) { pose.angles[rot##s] += a; }                        \
    void moinsRot##s(RiderPose& pose, float a) { pose.angles[rot##s] -= a; }                       \
    float getRot##s(const RiderPose& pose) { return pose.angles[rot##s]; }
KES_POSE_VARIABLES(KES_DEFINE_ROT_ACCESSORS)
#undef KES_DEFINE_ROT_ACCESSORS

void changeRotBassinY(RiderPose& pose, float a) { pose.angles[rotBassinY] = a; }
