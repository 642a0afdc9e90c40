// Falls, the rescue request and the replacement on the track.
#pragma once

const float lyingTime = 2.5f;

void rescueRequest();
// Tumble, lying, getting up (speed 0); the frame skins the rider in the pose set here.
void fallStep();
// Counts the rescue (rocket, firework) frame by frame; in the frame after its end, the replacement.
void rescueProgress();
// The fade-in after a replacement: replacement goes back to 0 when it is over.
void replacementFade();
