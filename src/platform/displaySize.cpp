// Takes the window size from the display set-up; returns it to whoever lays out pixels.
#include "platform/displaySize.h"

static DisplayDesc current = {defaultDisplayWidth, defaultDisplayHeight,
                              (double)defaultDisplayWidth / defaultDisplayHeight};

const DisplayDesc& displayDesc() { return current; }

void setDisplaySize(int width, int height)
{
    // a zero or negative size would divide by zero everywhere it is laid out
    if (width <= 0 || height <= 0) {
        width = defaultDisplayWidth;
        height = defaultDisplayHeight;
    }
    current.width = width;
    current.height = height;
    current.aspect = (double)width / height;
}
