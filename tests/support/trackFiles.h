// Writes one track in the binary and text forms of the track file, section by section, so tests can
// compare both readers and cut a file at every section boundary.
#pragma once

#include <string>
#include <vector>

struct TrackValue {
    bool isFloat;
    int i;
    float f;
};

struct TrackFileBuilder {
    std::string title;
    std::vector<std::vector<TrackValue>> sections;  // in file order, after the title

    void begin() { sections.emplace_back(); }
    void addInt(int v) { sections.back().push_back({false, v, 0.0f}); }
    void addFloat(float v) { sections.back().push_back({true, 0, v}); }

    // boundaries receives the offset just after the title and after each section.
    std::vector<unsigned char> binary(std::vector<size_t>* boundaries = nullptr) const;
    std::string text(std::vector<size_t>* boundaries = nullptr) const;
};

// The plane track of planeTrack.h with every surface, normal, obstacle type and a few rescue
// points filled, header value 13 set to viewValue. The track model is overwritten on the way.
TrackFileBuilder planeTrackFileBuilder(int viewValue);
