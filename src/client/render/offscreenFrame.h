// A picture drawn away from the window: a framebuffer of any size (a film's), whatever size the
// window has or whether it is shown at all, read back as RGB rows top row first.
#pragma once

#include <string>

struct OffscreenFrame {
    unsigned int framebuffer = 0, colour = 0, depth = 0;
    int width = 0, height = 0;
};

// False, with why, when the driver has no framebuffer objects or none of that size.
bool openOffscreenFrame(OffscreenFrame* f, int width, int height, std::string& why);
// Drawing goes into the frame from now (useOffscreenFrame) or to the window again (null).
void useOffscreenFrame(const OffscreenFrame* f);
// width x height x 3 bytes, the top row first.
void readOffscreenFrame(const OffscreenFrame& f, unsigned char* rgb);
void closeOffscreenFrame(OffscreenFrame* f);
