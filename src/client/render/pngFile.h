// Pictures written as PNG files (8 bits a channel, deflated), for the content tool's pictures and a
// film's frames.
#pragma once

#include <string>

// width x height pixels of `channels` bytes (3 RGB or 4 RGBA), top row first, deflated at `level`
// (1 fast to 9 small). False, with the system's reason in why, when it cannot be written.
bool writePngFile(const std::string& path, int width, int height, int channels, const unsigned char* pixels,
                  int level, std::string& why);
