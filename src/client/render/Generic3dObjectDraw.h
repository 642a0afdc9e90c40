// Drawing the track's obstacle models (current OpenGL context): takes the loaded models of
// skier/Generic3dObject.h, compiles and calls one display list each.
#pragma once

#include "skier/Generic3dObject.h"

// The obstacle models' lists, made together in this order.
enum ObstacleModelList { treeModelList, bombModelList, railModelList, obstacleModelLists };

// Deletes the previous run's lists, if any, and makes fresh ones (still empty).
void makeObjectLists();
// Compiles the object's groups, untextured, into the list of which.
void compileObjectList(const Generic3DObject& object, ObstacleModelList which);
// Calls the list of which (nothing before the lists are made).
void drawObjectList(ObstacleModelList which);
// Deletes the three lists of the previous run, if any.
void deleteObjectLists();

// Front-face material back to the scene defaults.
void reInitAllGLMaterial();
