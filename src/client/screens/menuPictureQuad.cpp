// Menu pictures: takes RGB pictures of the 800 x 600 layout; draws them as textured quads that
// scale with the menu box, and fills the window around the box with the pictures' edges.
#include <GL/gl.h>

#include "platform/displaySize.h"
#include "render/viewFrame.h"
#include "screens/menuDraw.h"

static const int PICTURE_TEX_SIDE = 1024;  // power of two holding the largest menu picture
static const float TEXEL = 1.0f / PICTURE_TEX_SIDE;

static GLuint pictureTexture = 0;
static const unsigned char* uploaded = nullptr;
static int uploadedW = 0, uploadedH = 0;

// The picture's last column and row are repeated once beyond it, so linear filtering at its
// right and top edges never reads the unused part of the texture.
static void uploadEdgeCopies(const unsigned char* rgb, int w, int h)
{
    static unsigned char line[PICTURE_TEX_SIDE * 3];
    for (int y = 0; y < h; y++)
        for (int c = 0; c < 3; c++) line[y * 3 + c] = rgb[((long)y * w + w - 1) * 3 + c];
    if (w < PICTURE_TEX_SIDE) glTexSubImage2D(GL_TEXTURE_2D, 0, w, 0, 1, h, GL_RGB, GL_UNSIGNED_BYTE, line);
    if (h < PICTURE_TEX_SIDE)
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, h, w, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb + (long)(h - 1) * w * 3);
}

static void bindPicture(const unsigned char* rgb, int w, int h)
{
    if (!pictureTexture) {
        glGenTextures(1, &pictureTexture);
        glBindTexture(GL_TEXTURE_2D, pictureTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, PICTURE_TEX_SIDE, PICTURE_TEX_SIDE, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, pictureTexture);
    if (rgb != uploaded || w != uploadedW || h != uploadedH) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        uploadEdgeCopies(rgb, w, h);
        uploaded = rgb;
        uploadedW = w;
        uploadedH = h;
    }
    // one picture pixel per window pixel at 800 x 600: nearest keeps it exact; larger boxes blend
    GLint filter = currentViewport().w == MENU_WINDOW_W ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

// Quad (x0, y0)-(x1, y1) of the current projection showing texture s0..s1, t0..t1.
static void texturedQuad(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1)
{
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
    glEnd();
}

static void beginPictureState(double w, double h)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // pictures write no depth, so the wipes and figures drawn after them always show
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
}

static void endPictureState()
{
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void drawPictureAt(int x, int y, int w, int h, const unsigned char* picture)
{
    if (!picture || w > PICTURE_TEX_SIDE || h > PICTURE_TEX_SIDE) return;
    beginPictureState(MENU_WINDOW_W, MENU_WINDOW_H);
    bindPicture(picture, w, h);
    texturedQuad(x, y, x + w, y + h, 0, 0, w * TEXEL, h * TEXEL);
    endPictureState();
}

// Outside the menu box each band repeats the picture's nearest column (left, right) or row
// (bottom, top), so skies and panels run on to the window's border.
static void drawEdgeBands(int w, int h)
{
    const DisplayDesc& d = displayDesc();
    PixelBox b = currentViewport();
    if (b.w == d.width && b.h == d.height) return;
    float x1 = b.x + b.w, y1 = b.y + b.h;
    float sIn = 0.5f * TEXEL, sOut = (w - 0.5f) * TEXEL, tIn = 0.5f * TEXEL, tOut = (h - 0.5f) * TEXEL;
    useWindowViewport();
    beginPictureState(d.width, d.height);
    glBindTexture(GL_TEXTURE_2D, pictureTexture);
    texturedQuad(0, b.y, b.x, y1, sIn, 0, sIn, h * TEXEL);
    texturedQuad(x1, b.y, d.width, y1, sOut, 0, sOut, h * TEXEL);
    texturedQuad(b.x, 0, x1, b.y, 0, tIn, w * TEXEL, tIn);
    texturedQuad(b.x, y1, x1, d.height, 0, tOut, w * TEXEL, tOut);
    endPictureState();
    useMenuViewport();
}

void drawWindowPicture(const unsigned char* picture)
{
    if (!picture) return;
    drawPictureAt(0, 0, MENU_WINDOW_W, MENU_WINDOW_H, picture);
    drawEdgeBands(MENU_WINDOW_W, MENU_WINDOW_H);
}

// The home picture beside a wide box: on the left the mountains go on as their mirror image (a
// repeated column drew their ridges as flat ledges), the sky above the title repeats its edge column
// (a mirror would show the title's letters backwards); on the right the menu column's panel and its
// rules go on to the window's border from a column inside them.
static const int HOME_MIRROR_BELOW = 385;      // picture rows from the bottom: under the tagline
static const int HOME_PANEL_COLUMN = 786;      // inside the menu column's rules
static const int HOME_PANEL_RULE_END = 788;    // where the rules stop short of the picture's edge
static const int HOME_MIRROR_MAX = 400;        // at most half the picture is mirrored

void drawHomeWindowPicture(const unsigned char* picture)
{
    if (!picture) return;
    drawPictureAt(0, 0, MENU_WINDOW_W, MENU_WINDOW_H, picture);
    const DisplayDesc& d = displayDesc();
    PixelBox b = currentViewport();
    if (b.w == d.width && b.h == d.height) return;
    if (b.y > 0) {  // a box taller than wide: the plain edges
        drawEdgeBands(MENU_WINDOW_W, MENU_WINDOW_H);
        return;
    }
    float scale = (float)b.h / MENU_WINDOW_H;
    float mirrored = b.x / scale;
    if (mirrored > HOME_MIRROR_MAX) mirrored = HOME_MIRROR_MAX;
    float split = b.y + HOME_MIRROR_BELOW * scale, top = (float)(b.y + b.h);
    float sEdge = 0.5f * TEXEL, sPanel = (HOME_PANEL_COLUMN + 0.5f) * TEXEL;
    float tSplit = HOME_MIRROR_BELOW * TEXEL, tTop = MENU_WINDOW_H * TEXEL;
    useWindowViewport();
    beginPictureState(d.width, d.height);
    glBindTexture(GL_TEXTURE_2D, pictureTexture);
    texturedQuad(0, (float)b.y, (float)b.x, split, mirrored * TEXEL, 0, 0, tSplit);
    texturedQuad(0, split, (float)b.x, top, sEdge, tSplit, sEdge, tTop);
    float panelFrom = b.x + HOME_PANEL_RULE_END * scale;
    texturedQuad(panelFrom, (float)b.y, (float)d.width, top, sPanel, 0, sPanel, tTop);
    endPictureState();
    useMenuViewport();
}
