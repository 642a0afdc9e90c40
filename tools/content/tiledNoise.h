// Value noise that wraps over a whole number of lattice cells, so a picture made of it tiles.
#pragma once

// In [0, 1]; the lattice repeats every periodX by periodY cells.
float tiledNoise(float x, float y, int periodX, int periodY, int seed);
float tiledNoise(float x, float y, int period, int seed);
// Four octaves over the unit square, the coarsest of basePeriod cells.
float fractal(float u, float v, int basePeriod, int seed);
// As fractal, but only the lattice points on the square's edges come from edgeSeed: pictures made
// with different seeds and the same edgeSeed differ inside and agree along their edges.
float fractalSharedEdges(float u, float v, int basePeriod, int edgeSeed, int seed);
