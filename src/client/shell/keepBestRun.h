// Takes a finished run's recording; writes it as the track's best run in the player's folder.
#pragma once

// Saves the finished recording as the track's best run: 0 when written, 1 on failure (why holds
// the reason, FILE_WHY_CHARS) or when there is no finished recording. Written atomically.
int keepBestRun(const char* trackDir, const char* rider, int finalScore, float finalTime, char* why);
