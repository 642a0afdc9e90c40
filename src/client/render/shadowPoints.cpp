// The three corners of a terrain triangle, for the shadow plane.
#include "render/scene.h"

void makePoints(const TrackModel& track, float pts[3][3], int face)
{
    for (int v = 0; v < 3; v++)
        for (int c = 0; c < 3; c++) pts[v][c] = track.points[track.faces[face][v]][c];
}
