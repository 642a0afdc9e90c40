// F10 screenshots: the colour buffer as an uncompressed 24-bit TGA under "screenshots/".
#pragma once

#include <cstddef>

// Writes "<screenshots>/screenshot%i.tga" with the first free number into name (size chars).
void findPossibleScrShotFileName(char* name, size_t size);
// Saves the current colour buffer; returns 1 when written.
int screenshot_tga(int height, int width, const char* name);
// Writes width x height RGB pixels (bottom row first) as a TGA file; returns 1 when written.
int writeTgaFile(const char* name, const unsigned char* rgb, int width, int height);
// On F10: the next free file name, then a capture of the whole window.
void handleScreenShot();
