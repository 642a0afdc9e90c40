// Static track objects on screen: takes a loaded object, compiles and calls its display list.
#include "render/Generic3dObjectDraw.h"

#include <GL/gl.h>

static const float ambiantDefaut[4] = {1, 1, 1, 1};
static const float diffuseDefaut[4] = {0.8f, 0.8f, 0.8f, 1};
static const float noirOpaque[4] = {0, 0, 0, 1};

static unsigned int objList;  // the first of the lists, 0 = none made yet

void reInitAllGLMaterial()
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambiantDefaut);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuseDefaut);
    glMaterialfv(GL_FRONT, GL_SPECULAR, noirOpaque);
    glMaterialfv(GL_FRONT, GL_EMISSION, noirOpaque);
}

// The textured path is never taken: the obstacle models are drawn with their materials only.
static void sendGroup(const Generic3DObject& o, int group)
{
    const Mesh& g = o.listeMeshesObj[group];
    const Material* m = g.material >= 0 && g.material < o.nbMaterials ? &o.listeMaterialsObj[g.material] : nullptr;
    if (m) {
        glMaterialfv(GL_FRONT, GL_AMBIENT, m->ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, m->diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, m->specular);
        glMaterialfv(GL_FRONT, GL_EMISSION, m->emissive);
    }
    for (int k = 0; k < g.nbFaces; k++) {
        const Face& f = o.listeFacesObj[g.firstFace + k];
        const int vertices[3] = {f.vertex1, f.vertex2, f.vertex3};
        const int normales[3] = {f.normale1, f.normale2, f.normale3};
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; c++) {
            const Normale& n = o.listeNormalesObj[g.firstNormale + normales[c]];
            const Vertex& v = o.listeVerticesObj[g.firstVertex + vertices[c]];
            glNormal3f(n.x, n.y, n.z);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
}

void makeObjectLists()
{
    deleteObjectLists();
    objList = glGenLists(obstacleModelLists);
}

void compileObjectList(const Generic3DObject& object, ObstacleModelList which)
{
    if (objList == 0) return;
    glNewList(objList + which, GL_COMPILE);
    for (int g = 0; g < object.nbMeshes; g++) sendGroup(object, g);
    reInitAllGLMaterial();
    glEndList();
}

void drawObjectList(ObstacleModelList which)
{
    if (objList != 0) glCallList(objList + which);
}

void deleteObjectLists()
{
    if (objList != 0) glDeleteLists(objList, obstacleModelLists);
    objList = 0;
}
