// Takes a second rider model and a recorded pose; returns that rider skinned in its own model, in a
// pose of its own, for one drawing.
#include "skier/ghostRider.h"

#include "skier/positionDef.h"

RiderModelSlot ghostRider;

void beginGhostPose(RiderModelSlot* slot, const RunSample& s)
{
    RiderPose& pose = slot->pose;
    changePosition(pose, s.pose);
    majRotationsBones(pose, slot->model);
    // The recorded lean is the roll drawn, in the air as on the snow.
    transformSkierEtat(pose, slot->model, s.lean, s.yaw, (s.flags & sampleFakie) != 0, 1);
}
