// Takes a second rider model and a recorded pose; returns that rider skinned in its own model, in a
// pose of its own, for one drawing.
#include "skier/ghostRider.h"

#include "skier/positionDef.h"

RiderModelSlot ghostRider;

void lendRiderPose(RiderPoseState* s, RiderPose* into)
{
    s->lentFrom = tickPose;
    if (into == &s->pose) s->pose = *tickPose;
    tickPose = into;
}

void giveBackRiderPose(const RiderPoseState& s, RiderModel& model)
{
    tickPose = s.lentFrom;
    majRotationsBones(model);
}

void beginGhostPose(RiderModelSlot* slot, const RunSample& s, RiderPoseState* saved)
{
    lendRiderPose(saved, &slot->pose);
    changePosition(s.pose);
    majRotationsBones(slot->model);
    // The recorded lean is the roll drawn, in the air as on the snow.
    transformSkierEtat(slot->model, s.lean, s.yaw, (s.flags & sampleFakie) != 0, 1);
}

// The ghost's bones are turned afresh at its next posing: only the pose is given back.
void endGhostPose(const RiderPoseState& saved) { tickPose = saved.lentFrom; }
