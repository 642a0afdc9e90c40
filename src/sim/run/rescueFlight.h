// Takes the frame scale; steps the rescue: the rocket's climb from the fallen rider, then the firework.
// The run counts it; the drawing only shows where it is.
#pragma once

struct RunState;

// Rocket climb: one frame at 20 / frameps; returns 1 when done.
struct RocketState {
    int deb;
    float fireMov;
    int fireRand;
    float yInit, yArrow;
    float accel;
};
short stepRocket(RocketState* s, float y, float k, float* cameraLift);

// Firework phase: one frame at scale k; *messageScale gets the "Rescue me!" scale.
struct FireworkState {
    int deb;
    float sizeMsg, sizeStar, rot;
};
short stepFirework(FireworkState* f, float k, float* messageScale);

struct RescueFlight {
    RocketState rocket;
    FireworkState firework;
    short rocketDone, fireworkDone;
    short rocketShown, fireworkShown;  // stepped in this frame: what the drawing shows
    float messageScale;
    float cameraLift;  // how far the rocket has climbed: the camera follows it a frame behind
};

void resetRescueFlight(RunState& run);
// Nothing of the rescue is shown this frame (called before stepping it).
void hideRescueFlight(RunState& run);
// One frame of the whole sequence; emits the launch and the burst; returns 1 on its last frame.
short stepRescueFlight(RunState& run, float k);
