// Records of the text models (rider and static objects): groups, vertices, normals, triangles,
// materials and bones, as the loaders store them.
#pragma once

struct Mesh {
    int flag;
    char name[32];
    int nbFaces;
    int firstFace;
    int material;  // index into the materials, -1 = none
    int nbVertices;
    int firstVertex;
    int nbNormales;
    int firstNormale;
};

struct Vertex {
    int flag;
    float x, y, z;
    float u, v;
    int boneId;  // joint that moves this vertex, -1 = none
};

struct Normale {
    float x, y, z;
};

// Vertex and normal indices count from 0 within the triangle's group.
struct Face {
    int flag;
    int vertex1, vertex2, vertex3;
    int normale1, normale2, normale3;
    int smoothingGroup;
    int groupIndex;
};

struct Material {
    char name[32];
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;
    float transparency;
    char texture[255];  // "\"\"" = no texture, else a ':' path such as :data:models:x:skin.bmp
    char alphamap[128];
};

struct Bone {
    int flag;
    int number;       // joint number from the name, -1 = unknown name
    int parent;       // joint number of the parent, -1 = none
    float rotation[3];  // degrees, set by posing
    float position[3];  // as read, not used by skinning
};
