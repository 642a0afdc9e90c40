// A film of a recorded run: so many frames a second, each showing the run at its own moment, from
// the tick the run's time starts at to its finish time. The frames follow the film's clock, never
// the time a frame takes to draw, so a film is as long as the run on any machine.
#pragma once

struct RunState;

struct ReplayRide;
struct TrackModel;

struct FilmTiming {
    long startTick;     // the tick the run's time is 0 at
    double runSeconds;  // the run's time
    int fps;
    long frames;        // the run's time at fps, and the frame of its end
};

FilmTiming filmTimingFor(long startTick, double runSeconds, int fps);
// The moment a frame shows: the last tick at or before it and how far past it, in ticks (0 to 1).
void filmFrameMoment(const FilmTiming& t, long frame, long* tick, float* fraction);
// The film's clock at a frame, in milliseconds from its first.
long filmFrameMs(const FilmTiming& t, long frame);
// Sound frames at rate from the film's start to a frame's start: each frame's sound is the
// difference, so the sound lasts exactly as long as the pictures.
long filmSoundFramesBefore(const FilmTiming& t, long frame, int rate);

// A replay ride from its start line on to the tick the run's time starts at (the countdown over):
// that tick, or the last one ridden when the input ends first.
long rideToRunStart(RunState& run, TrackModel& rewoundTrack, ReplayRide* r);
