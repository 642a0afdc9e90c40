// Builds models out of simple solids and writes them in the game's text model format.
#pragma once

#include <string>
#include <vector>

struct Vec3 {
    float x, y, z;
};

// A rectangle of the texture, in texture coordinates.
struct UvRect {
    float u0, v0, u1, v1;
};

struct ModelMaterial {
    std::string name;
    float ambient[3], diffuse[3], specular[3], emissive[3];
    float shininess;
    std::string texture;  // ':' path, or empty for none
};

struct ModelGroup {
    std::string name;
    int material;
    struct V {
        Vec3 p;
        float u, v;
        int bone;
    };
    std::vector<V> vertices;
    std::vector<Vec3> normals;
    std::vector<int> tris;  // v1 v2 v3 n1 n2 n3 per triangle
};

struct ModelBone {
    std::string name, parent;
    Vec3 position;
};

struct ModelBuilder {
    std::vector<ModelGroup> groups;
    std::vector<ModelMaterial> materials;
    std::vector<ModelBone> bones;

    int addMaterial(const std::string& name, float r, float g, float b, const std::string& texture = "");
    // The run's sun lights the far side of what the chase camera sees: a share of the colour is
    // given as emission so that side keeps its colour instead of going black.
    void glow(int material, float share);
    ModelGroup& group(const std::string& name, int material);  // found or added

    // A tube from a to b (radius ra at a, rb at b) of `sides` sides with capped ends,
    // its side unwrapped over uv; every vertex bound to bone.
    void tube(ModelGroup& g, Vec3 a, Vec3 b, float ra, float rb, int sides, int bone, UvRect uv);
    // An ellipsoid around c with the three radii.
    void ellipsoid(ModelGroup& g, Vec3 c, Vec3 radii, int stacks, int slices, int bone, UvRect uv);
    // An axis-aligned box between lo and hi.
    void box(ModelGroup& g, Vec3 lo, Vec3 hi, int bone, UvRect uv);

    int vertexCount() const;
    int normalCount() const;
    int triangleCount() const;
    // 1 when the file cannot be written.
    int write(const std::string& path) const;
};
