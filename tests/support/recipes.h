// The committed recipes, as the content tests find them.
#pragma once

#include <string>
#include <vector>

extern const std::string RECIPES;  // the source tree's recipes directory

// Sorted names of RECIPES/kind ending in ext, without it ("tracks", ".track" gives the track names).
std::vector<std::string> recipeNames(const std::string& kind, const std::string& ext);

// Sorted entries of a directory, hidden ones skipped; empty when it cannot be read.
std::vector<std::string> dirEntries(const std::string& dir);

// The checkout's data folder as the build's data step generated it from RECIPES (make data runs before the
// tests): every shipped track, rider, pose and picture. Tests read it; none writes to it.
const std::string& builtData();

// The folder whose tracks/ holds every shipped track's files: the built data.
const std::string& shippedTracksData();
