// The world round the track (the terrain out to the horizon, the trees, rocks and trackside models),
// drawn beside the terrain window in distance bands, from the track's "NAME.world" file.
#pragma once

#include "render/worldScene.h"

struct TrackModel;

// Reads the track's world file and builds its drawing; without the file (or with a damaged one, said
// in one line) the run is drawn as it always was.
void loadTrackWorld(const char* trackName);
void freeTrackWorld();
// The projection's far plane with a world: past its haze's end, so its far land melts into the sky.
const double worldFarPlane = 260000.0;
// Whether a world is loaded: the run is then drawn with it.
bool trackWorldShown();
const WorldScene& trackWorld();
// Draws the run as it was drawn without a world while set (to compare the two); the world stays loaded.
void hideTrackWorld(bool hide);
// Whether the grid draws a cell itself (true without a world); the rest is the world's bank.
bool gridDrawsCell(int row, int cell);
// Whether a grid corner stands higher than the world knew it (a bomb's mound).
bool gridCornerRaised(int corner, float y);
// The light on a grid corner (RGB), or null without a world.
const unsigned char* gridCornerLight(int corner);

// The terrain round the terrain windows drawn round the triangles `windows` (left to drawPlan) and the
// models on it, seen through the current modelview (the world placed round the eye) and projection.
// The track's own trees up to X obstaclesTo are left to the obstacles' drawing.
void drawWorldAroundWindows(const TrackModel& track, const std::vector<int>& windows, float obstaclesTo);
// The sky box behind everything already drawn (depth at its farthest, drawn only where nothing is),
// then the sun in the world's sun direction with its halo; the modelview is the view turned, before
// the world is placed round the rider.
void drawSkyBehindWorld();
// The falling snow of the world's weather round the current eye (the world placed round it), at the
// scene's time; point sizes for a window of `lines` pixels' height.
void drawSnowfall(float sceneSeconds, int lines);
// The sky's faces in the order of their files: the front, left and right sides and the top.
enum { worldSkyFront, worldSkyLeft, worldSkyRight, worldSkyUp, worldSkyFaces };
// The share of each side face, from its foot, that the land round the track always covers: the faces
// are drawn above it only (drawing all of it cost some 5 % of a frame in depth tests that all failed).
constexpr float skyLandShare = 0.3f;
struct SkyFaceCorner {
    float s, t, x, y, z;  // texture coordinates, signs of the box's half sizes (y from the share up)
};
// A face's four corners, the side faces from above skyLandShare when aboveLand.
void worldSkyFaceCorners(int face, bool aboveLand, SkyFaceCorner out[4]);
// The same with the side faces from `foot` (a share of their height) up.
void worldSkyFaceCornersFrom(int face, float foot, SkyFaceCorner out[4]);
// The share of a face, from its foot, seen from `eye` (in the box's frame, box centre at 0) wholly
// below the elevation of tangent coverTangent: at least skyLandShare, 1 when all of it is, 0 for the top.
float skyFaceFoot(int face, const float eye[3], float coverTangent);
// The eye in world space of a modelview matrix (column-major): -R^T t, R its rotation, t its translation.
void eyeOfModelview(const float m[16], float eye[3]);
// This frame's land: the tangent of the elevation from the eye below which it hides everything,
// or false when not known (no world drawn this frame).
bool landHidesBelow(float* tangent);
// Fills the frame with the haze's colour: what shows beneath the sky's faces where no land stands.
void clearToWorldHaze();
// The world's own sky faces (far ranges, clouds, no track painted in them), loaded with the world.
void loadWorldSky(const char* trackName);
void freeWorldSky();
// The track's surface pictures averaged for cells a few rows ahead (see worldSurfaces.cpp), loaded with
// the world; the name of the one to draw a cell rowsAhead of the rider with (nearName when near).
void loadDistantSurfaces(const char* trackName, int count);
void freeDistantSurfaces();
unsigned int surfaceSeenFrom(int texIndex, int rowsAhead, unsigned int nearName);
// The share of the sun picture's side, about its centre, that holds light: the rest is black, which
// the additive blend leaves unchanged, so only that share is drawn (the sun fills many pixels).
constexpr float sunLitShare = 0.72f;
// The world's haze on what stands on the ground (fog from the sky's horizon colour), and off again.
void beginWorldHaze();
void endWorldHaze();
