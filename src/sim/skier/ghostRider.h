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

extern RiderModelSlot ghostRider;

// Skins the slot's model in the sample's pose, in the slot's own pose.
void beginGhostPose(RiderModelSlot* slot, const RunSample& s);
