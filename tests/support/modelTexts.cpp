#include "support/modelTexts.h"

#include <cstdio>

static const char* const bones[22][2] = {
    {"jbassin", "sans"},
    {"jbascolonne", "jbassin"},
    {"jhanchegauche", "jbassin"},
    {"jhanchedroite", "jbassin"},
    {"jgenoudroite", "jhanchedroite"},
    {"jgenougauche", "jhanchegauche"},
    {"jchevillegauche", "jgenougauche"},
    {"jchevilledroite", "jgenoudroite"},
    {"jpieddroite", "jchevilledroite"},
    {"jpiedgauche", "jchevillegauche"},
    {"jmidcolonne", "jbascolonne"},
    {"jcou", "jmidcolonne"},
    {"jtete", "jcou"},
    {"jsommettete", "jtete"},
    {"jepaulegauche", "jmidcolonne"},
    {"jcoudegauche", "jepaulegauche"},
    {"jpoignetgauche", "jcoudegauche"},
    {"jmaingauche", "jpoignetgauche"},
    {"jepauledroite", "jmidcolonne"},
    {"jcoudedroite", "jepauledroite"},
    {"jpoignetdroite", "jcoudedroite"},
    {"jmaindroite", "jpoignetdroite"},
};

std::string skeletonBonesText()
{
    std::string s = "Bones: 22\n";
    for (auto& b : bones) s += std::string(b[0]) + "\n" + b[1] + "\n8 1.0 2.0 3.0 0.1 0.2 0.3\n0\n0\n";
    return s;
}

std::string riderModelText(const std::vector<TestVertex>& vertices, const std::string& texture)
{
    char line[160];
    int nbTriangles = (int)vertices.size() / 3;
    std::string s = "// model test\n\nFrames: 30\nFrame: 1\n\nMeshes: 1\n\"body\" 0 0\n";
    s += std::to_string(vertices.size()) + "\n";
    for (size_t i = 0; i < vertices.size(); i++) {
        snprintf(line, sizeof line, "0 %g %g %g %g %g %d\n", vertices[i].x, vertices[i].y, vertices[i].z,
                 0.25f * (float)i, 0.5f, vertices[i].bone);
        s += line;
    }
    s += "2\n0 0 1\n0 1 0\n" + std::to_string(nbTriangles) + "\n";
    for (int t = 0; t < nbTriangles; t++) {
        snprintf(line, sizeof line, "0 %d %d %d 0 1 0 1\n", 3 * t, 3 * t + 1, 3 * t + 2);
        s += line;
    }
    s += "\nMaterials: 1\n\"skin\"\n0.2 0.2 0.2 1\n0.8 0.8 0.8 1\n0 0 0 1\n0 0 0 1\n0\n1\n" + texture + "\n\"\"\n\n";
    return s + skeletonBonesText();
}
