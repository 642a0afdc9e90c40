// The committed recipes, as the content tests find them.
#pragma once

#include <string>
#include <vector>

extern const std::string RECIPES;  // the source tree's recipes directory

// Sorted names of RECIPES/kind ending in ext, without it ("tracks", ".track" gives the track names).
std::vector<std::string> recipeNames(const std::string& kind, const std::string& ext);

// Sorted entries of a directory, hidden ones skipped; empty when it cannot be read.
std::vector<std::string> dirEntries(const std::string& dir);

// A data folder with every shipped track's files (no pictures or models) generated from RECIPES into its
// tracks/, made once per test process (tests read it, none writes to it).
const std::string& shippedTracksData();
