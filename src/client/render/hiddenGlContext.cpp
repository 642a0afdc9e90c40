// Takes the X display of $DISPLAY; gives a current OpenGL context on a 16 x 16 pbuffer, never mapped.
#include "render/hiddenGlContext.h"

#include <GL/glx.h>

static const int PBUFFER_SIDE = 16;  // drawing goes into an off-screen frame: this is only its anchor

static Display* display = nullptr;
static GLXPbuffer pbuffer = 0;
static GLXContext context = nullptr;

// What a failed opening made, undone.
static void closeHiddenGlContext()
{
    if (!display) return;
    glXMakeContextCurrent(display, None, None, nullptr);
    if (context) glXDestroyContext(display, context);
    if (pbuffer) glXDestroyPbuffer(display, pbuffer);
    XCloseDisplay(display);
    display = nullptr, pbuffer = 0, context = nullptr;
}

bool openHiddenGlContext(std::string& why)
{
    display = XOpenDisplay(nullptr);
    if (!display) {
        why = "no X display to draw with (DISPLAY is not set or cannot be opened): run it under xvfb-run";
        return false;
    }
    const int wanted[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_RED_SIZE, 8,
                          GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_DEPTH_SIZE, 24, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), wanted, &count);
    if (!configs || count < 1) {
        if (configs) XFree(configs);
        closeHiddenGlContext();
        why = "the X display offers no OpenGL drawing off screen";
        return false;
    }
    const int size[] = {GLX_PBUFFER_WIDTH, PBUFFER_SIDE, GLX_PBUFFER_HEIGHT, PBUFFER_SIDE, None};
    pbuffer = glXCreatePbuffer(display, configs[0], size);
    context = glXCreateNewContext(display, configs[0], GLX_RGBA_TYPE, nullptr, True);
    XFree(configs);
    if (!pbuffer || !context || !glXMakeContextCurrent(display, pbuffer, pbuffer, context)) {
        closeHiddenGlContext();
        why = "the X display gave no OpenGL context off screen";
        return false;
    }
    return true;
}
