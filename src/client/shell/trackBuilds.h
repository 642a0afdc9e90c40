// Seeded tracks made for the player while the game goes on: today's track when it is missing, a seed
// the player typed; the content tool builds them beside the game into the player's folder.
#pragma once

#include <string>

// Today's track, built when the player's folder lacks it (once a session); old days' tracks past the
// kept ones are removed first.
void startDayTrackIfMissing();
// Starts building the seed's track (a typed seed: it is highlighted once built). 1 when it cannot
// start, with the reason in trackBuildLine(); 0 when it started or the track is there already.
int startSeedBuild(const std::string& seed, bool typed);
// Once a frame: a finished build is checked and moved into the player's tracks, and the list reloaded.
void pollTrackBuilds();
bool trackBuildRunning();
// What the track screen says of the builds: under way, or why the last one failed; "" otherwise.
const char* trackBuildLine();
// The game's exit: a build under way is waited for and its half-made folder removed.
void finishTrackBuilds();

// In tracksFolder, removes the days' tracks past the DAY_TRACKS_KEPT newest that have neither a score
// file nor a best run, oldest first; other folders stay. Returns how many it removed.
int pruneDayTracks(const std::string& tracksFolder, int kept);
