// Small model texts in the game's model format, written by the tests themselves.
#pragma once

#include <string>
#include <vector>

struct TestVertex {
    float x, y, z;
    int bone;
};

// One group "body" of the given vertices, one triangle per three vertices (normals (0 0 1) then
// (0 1 0) ...), material 0 with the given texture token, and the full 22-joint skeleton.
std::string riderModelText(const std::vector<TestVertex>& vertices, const std::string& texture = "\"\"");

// The 22 bones of the rider skeleton, parents chained from the pelvis ("sans").
std::string skeletonBonesText();
