// Drawing a rider (current OpenGL context): takes a skinned model of skier/skierLib.h, draws it with
// its one texture, which is kept here beside the model.
#pragma once

#include "skier/skierLib.h"

// A model's texture, loaded and released through the rider's texture hooks (skierLib.h); its name
// is 0 while it has none.
void chargerTexturesObj(const RiderModel& model);
void libereTexturesObj(const RiderModel& model);
unsigned int riderTexture(const RiderModel& model);

// Draws the model's triangle list as skinned last; a group without material is drawn untextured.
void drawSkierAfterTransform(const RiderPose& pose, const RiderModel& model, int withTexture, float unused);
// The same for a rider whose ground contact is given (the roll is drawn only on the snow).
void drawSkierAfterTransformEtat(const RiderPose& pose, const RiderModel& model, int withTexture, int contact);
// Skins and draws the model in one pass; feed keeps the skinned triangles in its list as well.
void drawSkier(RiderPose& pose, RiderModel& model, int withTexture, float lean, float heading, short feed);
