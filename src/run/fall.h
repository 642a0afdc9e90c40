// Falls, the rescue request and the replacement on the track.
#pragma once

const float lyingTime = 2.5f;

void rescueRequest();
// Tumble, lying, getting up (speed 0).
void fallStep();
// After the rescue animation (drawn by the frame drawing, which sets endOfRescue): the replacement.
void rescueProgress();
