// The world round a track, built from its recipe's scenery lines and its grid, and the models in it.
#pragma once

#include "trackGen.h"
#include "render/worldScene.h"

// The models of a world, by their place in WorldScene::models.
enum WorldModelKind {
    worldFir, worldFirMid, worldFirFar, worldSpruce, worldSpruceMid, worldSpruceFar, worldPine, worldPineMid,
    worldPineFar, worldBirch, worldBirchMid, worldBirchFar, worldRock, worldRockFar, worldFlag, worldGateRed,
    worldGateBlue, worldFence, worldHut, worldArch, worldModelKinds
};
// Fir, spruce, pine, birch: from worldFir, a near, a middle and a far model each.
const int worldTreeSpecies = 4, worldTreeLooks = 3;
const float worldFenceStep = 850;  // a fence model's length down the line, from one post to the next

// The track's light and haze in its theme: towards the sun, the sky at the horizon, where the haze
// hides 63 % of the land, the snow's colour in full light and in shade, rock and forest (0..255).
struct WorldLook {
    float sun[3], horizon[3], hazeDistance, snowLit[3], snowShade[3], rock[3], forest[3];
};
WorldLook worldLook(int theme);
// The weather a recipe names, or its theme's.
int recipeWeather(const TrackRecipe& r);

// Every model of a world in its theme's colours, in WorldModelKind order; the arch spans the line
// archHalfWidth either side.
std::vector<std::vector<WorldModelVertex>> worldModels(int theme, float archHalfWidth);
// The mean colour (0..255) a surface picture reads as from afar, in the theme's light.
void surfaceMeanColour(int tex, int theme, float rgb[3]);

// The whole world of a track: light on its grid, its edges, the terrain round it, the models on it.
void buildTrackWorld(const TrackRecipe& r, const TrackMesh& m, WorldScene& w);
// Height of a world's terrain at (x, z), on the triangle drawn there.
float worldHeightAt(const WorldScene& w, float x, float z);
// Writes NAME.world into a track directory; 1 after a message when it cannot.
int writeTrackWorld(const std::string& trackDir, const TrackRecipe& r, const TrackMesh& m);
