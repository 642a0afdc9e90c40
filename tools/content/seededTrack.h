// A seed (digits or a short word) in, the recipe of its track and the track's files out: the same seed
// gives the same bytes on every machine.
#pragma once

#include <string>

#include "track/seededTracks.h"  // what a seed may be and its track's folder name

// A rider pushing down the line of any seed's track crosses the finish within this much game time.
const float SEEDED_RIDE_MAX_SECONDS = 120;

// The recipe text of a seed's track; "" for a bad seed.
std::string seededTrackRecipe(const std::string& seed);
// Writes the seed's track into DATA/tracks/NAME/ (its recipe too, as NAME.track), with its pictures,
// models and sky unless filesOnly; 1 after a message when the seed is bad or a file cannot be written.
int buildSeededTrack(const std::string& seed, const std::string& data, bool filesOnly);
