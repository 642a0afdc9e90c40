// Takes the text of a timed input; returns its lines and the buttons held at any millisecond.
#include "run/timedInput.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "run/actionNames.h"

static const long AUTOPILOT_JUMP_MS = 100;

static bool wholeMs(const std::string& word, long* ms)
{
    if (word.empty() || word.size() > 12) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    *ms = strtol(word.c_str(), nullptr, 10);
    return true;
}

static bool readLine(const std::string& line, TimedHold& hold, long previousMs, std::string& bad)
{
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (!wholeMs(word, &hold.ms)) {
        bad = "\"" + word + "\" is not a millisecond";
        return false;
    }
    if (hold.ms < previousMs) {
        bad = "its time is before the line above";
        return false;
    }
    memset(hold.held, 0, sizeof hold.held);
    while (words >> word) {
        RunButton b = runButtonNamed(word.c_str());
        if (b == RB_COUNT) {
            bad = "\"" + word + "\" is not an action";
            return false;
        }
        hold.held[b] = 1;
    }
    return true;
}

bool readTimedInput(const std::string& text, TimedInput& out, std::string& why)
{
    out.lines.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); number++) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        TimedHold hold;
        std::string bad;
        if (!readLine(line, hold, out.lines.empty() ? 0 : out.lines.back().ms, bad)) {
            why = "line " + std::to_string(number) + ": " + bad;
            return false;
        }
        out.lines.push_back(hold);
    }
    return true;
}

bool readTimedInputFile(const char* path, TimedInput& out, std::string& why)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        why = std::string("can't read ") + path + ": " + strerror(errno);
        return false;
    }
    std::stringstream text;
    text << f.rdbuf();
    return readTimedInput(text.str(), out, why);
}

void autopilotInput(TimedInput& out)
{
    std::string why;
    readTimedInput("0 jump\n" + std::to_string(AUTOPILOT_JUMP_MS) + " up\n", out, why);
}

void heldAt(const TimedInput& in, long ms, RunInput& out)
{
    memset(out.held, 0, sizeof out.held);
    auto after = std::upper_bound(in.lines.begin(), in.lines.end(), ms,
                                  [](long t, const TimedHold& h) { return t < h.ms; });
    if (after == in.lines.begin()) return;
    memcpy(out.held, (after - 1)->held, sizeof out.held);
}
