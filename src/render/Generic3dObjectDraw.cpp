// Static track objects on screen: takes a loaded object, compiles and calls its display list.
#include <GL/gl.h>

#include "skier/Generic3dObject.h"

static const float ambiantDefaut[4] = {1, 1, 1, 1};
static const float diffuseDefaut[4] = {0.8f, 0.8f, 0.8f, 1};
static const float noirOpaque[4] = {0, 0, 0, 1};

void reInitAllGLMaterial()
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambiantDefaut);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuseDefaut);
    glMaterialfv(GL_FRONT, GL_SPECULAR, noirOpaque);
    glMaterialfv(GL_FRONT, GL_EMISSION, noirOpaque);
}

void Generic3DObject::initDraw()
{
    glNewList(listName, GL_COMPILE);
    drawWithTex(0);
    glEndList();
}

void Generic3DObject::draw() { glCallList(listName); }

void Generic3DObject::drawWithTex(short withTexture)
{
    drawingWithTex = withTexture;
    if (withTexture) glBindTexture(GL_TEXTURE_2D, texNameObj);
    for (int g = 0; g < nbMeshes; g++) drawGroup(g);
    reInitAllGLMaterial();
}

void Generic3DObject::drawGroup(int group)
{
    const Mesh& g = listeMeshesObj[group];
    const Material* m = g.material >= 0 && g.material < nbMaterials ? &listeMaterialsObj[g.material] : nullptr;
    if (m) {
        glMaterialfv(GL_FRONT, GL_AMBIENT, m->ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, m->diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, m->specular);
        glMaterialfv(GL_FRONT, GL_EMISSION, m->emissive);
    }
    int textured = drawingWithTex && m && m->texture[1] != '"';
    if (textured) glEnable(GL_TEXTURE_2D);
    for (int k = 0; k < g.nbFaces; k++) {
        const Face& f = listeFacesObj[g.firstFace + k];
        const int vertices[3] = {f.vertex1, f.vertex2, f.vertex3};
        const int normales[3] = {f.normale1, f.normale2, f.normale3};
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; c++) {
            const Normale& n = listeNormalesObj[g.firstNormale + normales[c]];
            const Vertex& v = listeVerticesObj[g.firstVertex + vertices[c]];
            glNormal3f(n.x, n.y, n.z);
            if (textured) glTexCoord2f(v.u, v.v);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    if (textured) glDisable(GL_TEXTURE_2D);
}

void deleteObjectLists()
{
    if (objList != 0) glDeleteLists(objList, 3);
    objList = 0;
}
