// Builds an inclined planar track grid in the track model, with the game's face numbering.
#pragma once

// Height of the generated plane at (x, z).
inline float planeTrackHeight(float x, float z) { return 500.0f - 0.3f * x + 0.1f * z; }

// Fills points and faces with the whole grid lying on planeTrackHeight (flat when flat is true).
void buildPlaneTrack(bool flat);
