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

// One ring of a lofted tube: its centre and its radii across the tube (s: the first, t: the second
// direction of the tube's frame; for an upright or sideways tube s is +z).
struct LoftRing {
    Vec3 c;
    float rs, rt;
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
    // A tube through rings (at least two) along one straight axis, elliptic and tapering as the rings
    // say; capped at both ends when caps is set.
    void loft(ModelGroup& g, const std::vector<LoftRing>& rings, int sides, int bone, UvRect uv, bool caps);
    // An axis-aligned box between lo and hi.
    void box(ModelGroup& g, Vec3 lo, Vec3 hi, int bone, UvRect uv);

    // Free-form meshes: a vertex, a normal, and a triangle wound to face its normals.
    static int vertex(ModelGroup& g, Vec3 p, float u, float v, int bone);
    static int normal(ModelGroup& g, Vec3 n);
    static void triangle(ModelGroup& g, int a, int b, int c, int na, int nb, int nc);

    int vertexCount() const;
    int normalCount() const;
    int triangleCount() const;
    // 1 when the file cannot be written.
    int write(const std::string& path) const;
};
