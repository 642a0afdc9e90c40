// Falls, the rescue request and the replacement on the track.
#pragma once

struct RunState;
struct TrackModel;

const float lyingTime = 2.5f;

void rescueRequest(RunState& run);
// Tumble, lying, getting up (speed 0); the frame skins the rider in the pose set here.
void fallStep(RunState& run);
// Counts the rescue (rocket, firework) frame by frame; in the frame after its end, the replacement.
void rescueProgress(RunState& run, const TrackModel& track);
// The put-back after a replacement, tick by tick: replacement goes back to 0 when it is over.
void replacementFade(RunState& run);
// How much of the put-back is left after so many of its ticks: 1 before it, 0 or less at its end.
// Summed a tick at a time, so its last tick falls where it always did.
float putBackLeft(int ticks);
