// Byte-order aware reading and writing of the numbers in the game's binary files (big-endian on disk).
#pragma once

#include <cstdio>

extern int needSwap;

int testByteOrder();
void storeByteOrder(short verbose);
int areWeLittleEndian();

// Readers return 1 when the bytes were read, 0 on a short read.
int readShortInt(FILE* f, short* v);
int readLong(FILE* f, long* v);     // a 32-bit integer in the file
int readFloat(FILE* f, float* v);
int readDouble(FILE* f, double* v);

// Writers leave the caller's value in file byte order; they return 1 when written.
int writeShortInt(FILE* f, short* v);
int writeDouble(FILE* f, double* v);
