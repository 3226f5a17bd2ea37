#include "scene3d/objects/dodecahedron.h"

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_operations.h"

namespace {

constexpr float kA = 0.485410f, kB = 0.185410f;

constexpr TAffineVector kVertices[20] = {
    {-kA, 0, kB},        {-kA, 0, -kB},       {kA, 0, -kB},         {kA, 0, kB},           {kB, -kA, 0},
    {-kB, -kA, 0},       {-kB, kA, 0},        {kB, kA, 0},          {0, kB, -kA},          {0, -kB, -kA},
    {0, -kB, kA},        {0, kB, kA},         {-0.3f, -0.3f, 0.3f}, {-0.3f, -0.3f, -0.3f}, {0.3f, -0.3f, -0.3f},
    {0.3f, -0.3f, 0.3f}, {-0.3f, 0.3f, 0.3f}, {-0.3f, 0.3f, -0.3f}, {0.3f, 0.3f, -0.3f},   {0.3f, 0.3f, 0.3f},
};

constexpr int kFaces[12][5] = {
    {0, 12, 10, 11, 16}, {1, 17, 8, 9, 13}, {2, 14, 9, 8, 18},  {3, 19, 11, 10, 15},
    {4, 14, 2, 3, 15},   {5, 12, 0, 1, 13}, {6, 17, 1, 0, 16},  {7, 19, 3, 2, 18},
    {8, 17, 6, 7, 18},   {9, 14, 4, 5, 13}, {10, 12, 5, 4, 15}, {11, 19, 7, 6, 16},
};

}  // namespace

void DodecahedronBuildList() {
  auto& gl = GL();
  for (const auto& face : kFaces) {
    const TAffineVector n = TriangleNormal(kVertices[face[0]], kVertices[face[1]], kVertices[face[2]]);
    gl.glNormal3f(n.x, n.y, n.z);
    gl.glBegin(GL_TRIANGLE_FAN);
    for (int index : face) gl.glVertex3f(kVertices[index].x, kVertices[index].y, kVertices[index].z);
    gl.glEnd();
  }
}
