// Generator of a planar track grid for the terrain tests.
#include "support/planeTrack.h"

#include "track/trackModel.h"

static unsigned int vertexAt(int row, int col) { return row * (largeurPisteEnFaces + 1) + col; }

void buildPlaneTrack(bool flat)
{
    TrackModel& track = loadedTrack;
    for (int i = 0; i <= longueurPisteEnFaces; i++)
        for (int j = 0; j <= largeurPisteEnFaces; j++) {
            float* p = track.points[vertexAt(i, j)];
            p[0] = (float)(i * longueurFace);
            p[2] = (float)((largeurPisteEnFaces / 2 - j) * largeurFace);
            p[1] = flat ? 100.0f : planeTrackHeight(p[0], p[2]);
        }
    for (int r = 0; r < longueurPisteEnFaces; r++)
        for (int q = 0; q < largeurPisteEnFaces; q++) {
            unsigned int* a = track.faces[r * facesParRangee + 2 * q];
            unsigned int* b = track.faces[r * facesParRangee + 2 * q + 1];
            a[0] = vertexAt(r, q);
            a[1] = vertexAt(r + 1, q);
            a[2] = vertexAt(r, q + 1);
            b[0] = vertexAt(r + 1, q);
            b[1] = vertexAt(r + 1, q + 1);
            b[2] = vertexAt(r, q + 1);
        }
}
