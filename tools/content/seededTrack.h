// A seed (digits or a short word) in, the recipe of its track and the track's files out: the same seed
// gives the same bytes on every machine.
#pragma once

#include <string>

// Longest seed a player may type.
const int SEED_MAX_LENGTH = 12;
// A rider pushing down the line of any seed's track crosses the finish within this much game time.
const float SEEDED_RIDE_MAX_SECONDS = 120;

// True for 1 to SEED_MAX_LENGTH letters and digits (letters in either case: "Powder" is "powder").
bool validTrackSeed(const std::string& seed);
// The folder and file name of a seed's track: "seed" and the seed in lower case; "" for a bad seed.
std::string seededTrackName(const std::string& seed);
// The recipe text of a seed's track; "" for a bad seed.
std::string seededTrackRecipe(const std::string& seed);
// Writes the seed's track into DATA/tracks/NAME/ (its recipe too, as NAME.track), with its pictures,
// models and sky unless filesOnly; 1 after a message when the seed is bad or a file cannot be written.
int buildSeededTrack(const std::string& seed, const std::string& data, bool filesOnly);
