// Releasing the track's surface textures: takes the table of their names, deletes the loaded ones.
#include <GL/gl.h>

#include "render/graphImage.h"
#include "track/planLib.h"

void libereTexturesTrack(unsigned int* texNames)
{
    int n = getNbTrackTextures();
    if (n > maxTrackTextures) n = maxTrackTextures;
    if (!texNames || n <= 0) return;
    glDeleteTextures(n, texNames);
    for (int i = 0; i < n; i++) texNames[i] = 0;
}
