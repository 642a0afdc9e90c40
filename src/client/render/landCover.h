// Takes the world's terrain and an eye; gives the elevation below which the land hides every
// direction from the eye, so that the sky drawn behind it can stop there.
#pragma once

#include "render/worldScene.h"

// The headings looked at: within halfWidth radians either side of centre (heading a is along
// X cos a + Z sin a), all round when halfWidth is pi or more.
struct HeadingSpan {
    float centre, halfWidth;
};
// The tangent of an elevation (up over level distance) below which every direction from the eye
// within the span meets the terrain drawn out to `reach`, or false when none is sure (the eye off the
// terrain or under it).
bool landCoverTangent(const WorldScene& w, const float eye[3], float reach, HeadingSpan span, float* tangent);
// The headings a view sees: forward its unit looking direction, corner the angle (radians) from it
// to the view's corners.
HeadingSpan headingsSeen(const float forward[3], float corner);
