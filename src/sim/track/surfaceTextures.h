// The numbering of a track's surface pictures ("texTrack/N.bmp"): the content tool writes them and
// sets each cell's texture index by it; the game reads only the bomb ramp's number from it.
#pragma once

// The first six keep the meaning they always had.
const int texSnow = 0;
const int texPacked = 1;
const int texIce = 2;
const int texBooster = 3;
const int texPipeFloor = 4;
const int texOut = 5;
const int texPipeWall = 6;
const int texBombRamp = 7;
const int texKickerBack = 8;  // the steep drop behind a lip

// A kicker's face: flags for a lip on the cell's down-track edge and for the kicker's side on the
// cell's +Z or -Z edge; a kicker that throws onto a rail has its own marked set.
const int kickerLip = 1;
const int kickerEdgePlusZ = 2;
const int kickerEdgeMinusZ = 4;
const int kickerFaceKinds = 8;
const int texKickerFace = 9;
const int texRailKickerFace = texKickerFace + kickerFaceKinds;  // 17
// The snow banks beside a kicker, leaning on its +Z or -Z side; plain, then rail-marked.
const int texKickerWallPlusZ = texRailKickerFace + kickerFaceKinds;  // 25
const int texKickerWallMinusZ = texKickerWallPlusZ + 1;
const int texRailKickerWallPlusZ = texKickerWallPlusZ + 2;
const int texRailKickerWallMinusZ = texKickerWallPlusZ + 3;
// More fresh-snow pictures with the same edges as texSnow, so cells can vary without a seam.
const int texSnowVariant = texKickerWallPlusZ + 4;  // 29
const int snowVariants = 3;
// Where the groomed lane meets fresh snow, each triangle of a cell takes a picture that blends from
// one to the other by which of its corners lie on the lane, so the lane's edge runs through the cells
// instead of along their sides. A picture is named by the corners of the cell's diagonal (its
// down-track end on the +Z side, its up-track end on the -Z side) and by the cell's two other corners,
// which it takes as alike: each triangle, whatever its corners, finds them in one of the six.
const int texLaneEdge = texSnowVariant + snowVariants;  // 32
const int laneEdgeKinds = 6;
const int trackSurfacePictures = texLaneEdge + laneEdgeKinds;  // 38, within the game's 40

inline int laneEdgeTexture(bool diagonalDown, bool diagonalUp, bool apex)
{
    return texLaneEdge + (diagonalDown ? 4 : 0) + (diagonalUp ? 2 : 0) + (apex ? 1 : 0) - 1;
}

inline int kickerFaceTexture(bool railKicker, int flags) { return (railKicker ? texRailKickerFace : texKickerFace) + flags; }
