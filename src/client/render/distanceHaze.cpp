// Distance haze: takes the track's front sky face, returns OpenGL fog of its horizon colour.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "fileio/gameFolders.h"
#include "render/graphImage.h"
#include "render/renderSettings.h"

RenderSettings renderSettings;

static const int SKY_FACE_SIZE = 256;
// The terrain drawn ahead ends against the sky face's far valley, a little below its horizon (the
// track falls away ahead): the haze takes that band's colour, so the window's end melts into it.
static const float VALLEY_BAND_TOP = 0.02f, VALLEY_BAND_BOTTOM = 0.18f;  // shares of the face's height
static const float HAZE_START = 3000.0f;   // eye distance where the haze begins
// Full before the far edge of the terrain drawn ahead (19000 to 21000 from the eye): fog goes by depth
// along the view, and the edge's corners and a view from high up see it at a shallower depth.
static const float HAZE_END = 16500.0f;
static float hazeColour[4] = {0.8f, 0.85f, 0.9f, 1};

void hazeColourOfSky(const unsigned char* rgb, int width, int height, float out[3])
{
    // rows stored bottom first: the horizon is the middle row, the valley below it
    int from = height / 2 - (int)(height * VALLEY_BAND_BOTTOM), to = height / 2 - (int)(height * VALLEY_BAND_TOP);
    double sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = from; y < to && y < height; y++)
        for (int x = 0; x < width; x++, count++)
            for (int c = 0; c < 3; c++) sum[c] += rgb[((size_t)y * width + x) * 3 + c];
    for (int c = 0; c < 3; c++) out[c] = count ? (float)(sum[c] / count / 255.0) : 0;
}

void loadDistanceHaze(const char* trackName)
{
    if (!renderSettings.distanceHaze) return;
    std::vector<unsigned char> face((size_t)SKY_FACE_SIZE * SKY_FACE_SIZE * 3);
    std::string file = trackPath(trackName, "texObj/front.bmp");
    chargerImageTexPtr(file.c_str(), face.data(), SKY_FACE_SIZE, SKY_FACE_SIZE);
    hazeColourOfSky(face.data(), SKY_FACE_SIZE, SKY_FACE_SIZE, hazeColour);
}

void beginDistanceHaze()
{
    if (!renderSettings.distanceHaze) return;
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, HAZE_START);
    glFogf(GL_FOG_END, HAZE_END);
    glFogfv(GL_FOG_COLOR, hazeColour);
    glEnable(GL_FOG);
}

void endDistanceHaze() { glDisable(GL_FOG); }
