// The game window's size, told once by the display set-up; 800 x 600 until then (and in tests).
#pragma once

struct DisplayDesc {
    int width, height;
    double aspect;  // width / height
};

const int defaultDisplayWidth = 800, defaultDisplayHeight = 600;

const DisplayDesc& displayDesc();
void setDisplaySize(int width, int height);
