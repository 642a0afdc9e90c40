// Run time as text.
#pragma once

// "MM:SS:hh" for a time in seconds, in a newly allocated buffer the caller frees.
char* howManyMinutes(float seconds);
