// Drawing the resident rider (current OpenGL context): takes the skinned model of skier/skierLib.h,
// draws it with its one texture.
#pragma once

// The rider's texture, loaded and released through the rider's texture hooks (skierLib.h).
void chargerTexturesObj();
void libereTexturesObj();

// A group without material is drawn untextured.
void drawSkierAfterTransform(int withTexture, float unused);
// The same for a rider whose ground contact is given (the roll is drawn only on the snow).
void drawSkierAfterTransformEtat(int withTexture, int contact);
void drawSkier(int withTexture, float lean, float heading, short feed);
