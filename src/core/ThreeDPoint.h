// A point or vector of three floats.
#pragma once

class ThreeDPoint {
public:
    float x, y, z;
    ThreeDPoint() : x(0), y(0), z(0) {}
    ThreeDPoint(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    explicit ThreeDPoint(const float* v) : x(v[0]), y(v[1]), z(v[2]) {}
    void toVec(float* out) const
    {
        out[0] = x;
        out[1] = y;
        out[2] = z;
    }
};
