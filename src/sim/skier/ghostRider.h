// The ghost's rider: a second rider model with a pose of its own, posed and drawn from them; the
// player's model and pose are never written by it.
#pragma once

#include "run/runRecording.h"
#include "skier/skierLib.h"

struct RiderModelSlot {
    RiderModel model;
    short loaded;
    RiderPose pose;  // the ghost's own skeleton
};

// A pose lent for one posing: posing and skinning work in it, and the pose worked on before (a
// run's) is pointed at again afterwards, untouched.
struct RiderPoseState {
    RiderPose pose;
    RiderPose* lentFrom;
};

extern RiderModelSlot ghostRider;

// Points posing at `into` (a copy of the pose worked on when it is s->pose), and back to the pose
// before with the model's bones following it again.
void lendRiderPose(RiderPoseState* s, RiderPose* into);
void giveBackRiderPose(const RiderPoseState& s, RiderModel& model);

// Skins the slot's model in the sample's pose, in the slot's own pose.
void beginGhostPose(RiderModelSlot* slot, const RunSample& s, RiderPoseState* saved);
// Posing back to the pose worked on before.
void endGhostPose(const RiderPoseState& saved);
