// Another program run beside the game without stopping it: started, then asked each frame whether it ended.
#pragma once

#include <string>
#include <vector>

// Starts program with its arguments (argv[0] is the program's path); its id, or -1 after it could not start.
int startChildProgram(const std::vector<std::string>& argv);
// 0 while it runs; 1 once it ended, with its exit status in exitCode (-1 when a signal ended it).
int childProgramEnded(int id, int& exitCode);
// Waits for it to end (the game's own exit).
void waitChildProgram(int id);
