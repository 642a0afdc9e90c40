// Takes solids (tubes, ellipsoids, boxes) and returns them as a text model file with groups, materials and bones.
#include "modelBuilder.h"
#include "content.h"

#include <cmath>
#include <cstdio>

static const float PI = 3.14159265f;

static Vec3 add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
static Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
static Vec3 scale(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
static Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
static Vec3 unit(Vec3 a)
{
    float l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return l > 0 ? scale(a, 1 / l) : a;
}

int ModelBuilder::addMaterial(const std::string& name, float r, float g, float b, const std::string& texture)
{
    ModelMaterial m{name, {r * 0.4f, g * 0.4f, b * 0.4f}, {r, g, b}, {0.1f, 0.1f, 0.1f}, {0, 0, 0}, 8.0f, texture};
    materials.push_back(m);
    return (int)materials.size() - 1;
}

void ModelBuilder::glow(int material, float share)
{
    ModelMaterial& m = materials[material];
    for (int k = 0; k < 3; k++) m.emissive[k] = m.diffuse[k] * share;
}

ModelGroup& ModelBuilder::group(const std::string& name, int material)
{
    for (ModelGroup& g : groups)
        if (g.name == name) return g;
    groups.push_back(ModelGroup{name, material, {}, {}, {}});
    return groups.back();
}

static int addVertex(ModelGroup& g, Vec3 p, float u, float v, int bone)
{
    g.vertices.push_back({p, u, v, bone});
    return (int)g.vertices.size() - 1;
}

static int addNormal(ModelGroup& g, Vec3 n)
{
    g.normals.push_back(unit(n));
    return (int)g.normals.size() - 1;
}

static void addTri(ModelGroup& g, int a, int b, int c, int na, int nb, int nc)
{
    g.tris.insert(g.tris.end(), {a, b, c, na, nb, nc});
}

// Winding: counter-clockwise seen from outside, as the normals point.
static void orientedTri(ModelGroup& g, int a, int b, int c, int na, int nb, int nc)
{
    Vec3 pa = g.vertices[a].p, pb = g.vertices[b].p, pc = g.vertices[c].p;
    Vec3 face = cross(sub(pb, pa), sub(pc, pa));
    Vec3 n = add(add(g.normals[na], g.normals[nb]), g.normals[nc]);
    if (face.x * n.x + face.y * n.y + face.z * n.z < 0) addTri(g, a, c, b, na, nc, nb);
    else addTri(g, a, b, c, na, nb, nc);
}

void ModelBuilder::tube(ModelGroup& g, Vec3 a, Vec3 b, float ra, float rb, int sides, int bone, UvRect uv)
{
    Vec3 along = sub(b, a);
    float length = std::sqrt(along.x * along.x + along.y * along.y + along.z * along.z);
    Vec3 axis = unit(along);
    Vec3 helper = std::fabs(axis.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    Vec3 s = unit(cross(axis, helper)), t = cross(axis, s);
    int first = (int)g.vertices.size();
    int firstNormal = (int)g.normals.size();
    for (int k = 0; k <= sides; k++) {
        float ang = 2 * PI * k / sides;
        Vec3 radial = add(scale(s, std::cos(ang)), scale(t, std::sin(ang)));
        float u = uv.u0 + (uv.u1 - uv.u0) * k / sides;
        addVertex(g, add(a, scale(radial, ra)), u, uv.v0, bone);
        addVertex(g, add(b, scale(radial, rb)), u, uv.v1, bone);
        addNormal(g, add(radial, scale(axis, (ra - rb) / length)));  // leans with a cone's side
    }
    for (int k = 0; k < sides; k++) {
        int v0 = first + 2 * k, n0 = firstNormal + k;
        orientedTri(g, v0, v0 + 2, v0 + 1, n0, n0 + 1, n0);
        orientedTri(g, v0 + 1, v0 + 2, v0 + 3, n0, n0 + 1, n0 + 1);
    }
    float uc = (uv.u0 + uv.u1) / 2, vc = (uv.v0 + uv.v1) / 2;
    int na = addNormal(g, scale(axis, -1)), nb = addNormal(g, axis);
    int ca = addVertex(g, a, uc, vc, bone), cb = addVertex(g, b, uc, vc, bone);
    for (int k = 0; k < sides; k++) {
        int v0 = first + 2 * k;
        if (ra > 0) orientedTri(g, ca, v0 + 2, v0, na, na, na);
        if (rb > 0) orientedTri(g, cb, v0 + 1, v0 + 3, nb, nb, nb);
    }
}

void ModelBuilder::ellipsoid(ModelGroup& g, Vec3 c, Vec3 r, int stacks, int slices, int bone, UvRect uv)
{
    int first = (int)g.vertices.size(), firstNormal = (int)g.normals.size();
    for (int i = 0; i <= stacks; i++) {
        float phi = PI * i / stacks;  // from the top down
        for (int k = 0; k <= slices; k++) {
            float th = 2 * PI * k / slices;
            Vec3 d = {std::sin(phi) * std::cos(th), std::cos(phi), std::sin(phi) * std::sin(th)};
            addVertex(g, {c.x + r.x * d.x, c.y + r.y * d.y, c.z + r.z * d.z},
                      uv.u0 + (uv.u1 - uv.u0) * k / slices, uv.v1 - (uv.v1 - uv.v0) * i / stacks, bone);
            addNormal(g, {d.x / r.x, d.y / r.y, d.z / r.z});
        }
    }
    int row = slices + 1;
    for (int i = 0; i < stacks; i++)
        for (int k = 0; k < slices; k++) {
            int a = i * row + k, b = a + 1, cc = a + row, d = cc + 1;
            if (i > 0) orientedTri(g, first + a, first + cc, first + b, firstNormal + a, firstNormal + cc,
                                   firstNormal + b);
            if (i < stacks - 1) orientedTri(g, first + b, first + cc, first + d, firstNormal + b,
                                            firstNormal + cc, firstNormal + d);
        }
}

void ModelBuilder::loft(ModelGroup& g, const std::vector<LoftRing>& rings, int sides, int bone, UvRect uv, bool caps)
{
    Vec3 axis = unit(sub(rings.back().c, rings.front().c));
    Vec3 helper = std::fabs(axis.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    Vec3 s = unit(cross(axis, helper)), t = cross(axis, s);
    int n = (int)rings.size(), first = (int)g.vertices.size(), firstNormal = (int)g.normals.size();
    for (int r = 0; r < n; r++) {
        const LoftRing& ring = rings[r];
        // the side leans with the change of radius between the neighbouring rings
        const LoftRing &before = rings[r > 0 ? r - 1 : r], &after = rings[r + 1 < n ? r + 1 : r];
        Vec3 d = sub(after.c, before.c);
        float span = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        float v = uv.v0 + (uv.v1 - uv.v0) * r / (n - 1);
        for (int k = 0; k <= sides; k++) {
            float ang = 2 * PI * k / sides, c = std::cos(ang), sn = std::sin(ang);
            Vec3 radial = add(scale(s, c * ring.rs), scale(t, sn * ring.rt));
            float lean = span > 0 ? ((before.rs + before.rt) - (after.rs + after.rt)) / (2 * span) : 0;
            addVertex(g, add(ring.c, radial), uv.u0 + (uv.u1 - uv.u0) * k / sides, v, bone);
            Vec3 out = add(scale(s, c / std::fmax(ring.rs, 0.01f)), scale(t, sn / std::fmax(ring.rt, 0.01f)));
            addNormal(g, add(unit(out), scale(axis, lean)));
        }
    }
    int row = sides + 1;
    for (int r = 0; r + 1 < n; r++)
        for (int k = 0; k < sides; k++) {
            int a = r * row + k, b = a + 1, c = a + row, d = c + 1;
            orientedTri(g, first + a, first + b, first + c, firstNormal + a, firstNormal + b, firstNormal + c);
            orientedTri(g, first + c, first + b, first + d, firstNormal + c, firstNormal + b, firstNormal + d);
        }
    if (!caps) return;
    float uc = (uv.u0 + uv.u1) / 2, vc = (uv.v0 + uv.v1) / 2;
    for (int end = 0; end < 2; end++) {
        int ringStart = first + (end ? (n - 1) * row : 0);
        int centre = addVertex(g, rings[end ? n - 1 : 0].c, uc, vc, bone);
        int nc = addNormal(g, scale(axis, end ? 1.0f : -1.0f));
        for (int k = 0; k < sides; k++) orientedTri(g, centre, ringStart + k, ringStart + k + 1, nc, nc, nc);
    }
}

int ModelBuilder::vertex(ModelGroup& g, Vec3 p, float u, float v, int bone) { return addVertex(g, p, u, v, bone); }

int ModelBuilder::normal(ModelGroup& g, Vec3 n) { return addNormal(g, n); }

void ModelBuilder::triangle(ModelGroup& g, int a, int b, int c, int na, int nb, int nc)
{
    orientedTri(g, a, b, c, na, nb, nc);
}

void ModelBuilder::box(ModelGroup& g, Vec3 lo, Vec3 hi, int bone, UvRect uv)
{
    // Each face: normal, then its four corners.
    const float X[2] = {lo.x, hi.x}, Y[2] = {lo.y, hi.y}, Z[2] = {lo.z, hi.z};
    static const int FACES[6][4][3] = {
        {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}, {{1, 0, 0}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}},
        {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}, {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}},
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}}};
    static const Vec3 NORMALS[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    const float U[4] = {uv.u0, uv.u1, uv.u1, uv.u0}, V[4] = {uv.v0, uv.v0, uv.v1, uv.v1};
    for (int f = 0; f < 6; f++) {
        int n = addNormal(g, NORMALS[f]);
        int v[4];
        for (int k = 0; k < 4; k++)
            v[k] = addVertex(g, {X[FACES[f][k][0]], Y[FACES[f][k][1]], Z[FACES[f][k][2]]}, U[k], V[k], bone);
        orientedTri(g, v[0], v[1], v[2], n, n, n);
        orientedTri(g, v[0], v[2], v[3], n, n, n);
    }
}

int ModelBuilder::vertexCount() const
{
    int n = 0;
    for (const ModelGroup& g : groups) n += (int)g.vertices.size();
    return n;
}

int ModelBuilder::normalCount() const
{
    int n = 0;
    for (const ModelGroup& g : groups) n += (int)g.normals.size();
    return n;
}

int ModelBuilder::triangleCount() const
{
    int n = 0;
    for (const ModelGroup& g : groups) n += (int)g.tris.size() / 6;
    return n;
}

static void writeColour(FILE* f, const float* c) { fprintf(f, "%.4f %.4f %.4f 1.0000\n", c[0], c[1], c[2]); }

int ModelBuilder::write(const std::string& path) const
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f) {
        contentError("Can't open %s", path.c_str());
        return 1;
    }
    fprintf(f, "// Kestrune model, made by kescontent\n\nFrames: 1\nFrame: 1\n\nMeshes: %i\n", (int)groups.size());
    for (const ModelGroup& g : groups) {
        fprintf(f, "\"%s\" 0 %i\n%i\n", g.name.c_str(), g.material, (int)g.vertices.size());
        for (const ModelGroup::V& v : g.vertices)
            fprintf(f, "0 %.4f %.4f %.4f %.5f %.5f %i\n", v.p.x, v.p.y, v.p.z, v.u, v.v, v.bone);
        fprintf(f, "%i\n", (int)g.normals.size());
        for (const Vec3& n : g.normals) fprintf(f, "%.5f %.5f %.5f\n", n.x, n.y, n.z);
        fprintf(f, "%i\n", (int)g.tris.size() / 6);
        for (size_t k = 0; k < g.tris.size(); k += 6)
            fprintf(f, "0 %i %i %i %i %i %i 1\n", g.tris[k], g.tris[k + 1], g.tris[k + 2], g.tris[k + 3],
                    g.tris[k + 4], g.tris[k + 5]);
    }
    fprintf(f, "\nMaterials: %i\n", (int)materials.size());
    for (const ModelMaterial& m : materials) {
        fprintf(f, "\"%s\"\n", m.name.c_str());
        writeColour(f, m.ambient);
        writeColour(f, m.diffuse);
        writeColour(f, m.specular);
        writeColour(f, m.emissive);
        // The game takes a texture token of two quotes for none, else a bare ':' path.
        fprintf(f, "%.4f\n1.0000\n%s\n\"\"\n", m.shininess, m.texture.empty() ? "\"\"" : m.texture.c_str());
    }
    fprintf(f, "\nBones: %i\n", (int)bones.size());
    for (const ModelBone& b : bones)
        fprintf(f, "%s %s 8 %.4f %.4f %.4f 0 0 0 0 0\n", b.name.c_str(), b.parent.c_str(), b.position.x,
                b.position.y, b.position.z);
    return fclose(f) != 0;
}
