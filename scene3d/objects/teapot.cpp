#include "scene3d/objects/teapot.h"

#include <algorithm>
#include <vector>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "scene3d/objects/teapot_patches.h"

namespace {

using Patch = float[4][4][3];

// The patch mirrored: rows reversed when one axis is negated, kept when both are.
void Mirror(const Patch& source, bool negateX, bool negateY, Patch& target) {
  const bool reverse = negateX != negateY;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      const float* p = source[i][reverse ? 3 - j : j];
      target[i][j][0] = negateX ? -p[0] : p[0];
      target[i][j][1] = negateY ? -p[1] : p[1];
      target[i][j][2] = p[2];
    }
}

constexpr float kTexturePoints[2][2][2] = {{{0, 0}, {1, 0}}, {{0, 1}, {1, 1}}};

}  // namespace

void TGLTeapot::BuildList(TRenderContextInfo& rci) {
  auto& gl = GL();
  grid_ = std::max(grid_, 2);
  gl.glPushMatrix();
  gl.glTranslatef(0, -0.25f, 0);
  gl.glRotatef(-90, 1, 0, 0);
  gl.glScalef(0.15f, 0.15f, 0.15f);
  gl.glPushAttrib(GL_ENABLE_BIT | GL_EVAL_BIT | GL_POLYGON_BIT);
  rci.GLStates->InvertGLFrontFace();
  gl.glEnable(GL_AUTO_NORMAL);
  gl.glEnable(GL_MAP2_VERTEX_3);
  gl.glEnable(GL_MAP2_TEXTURE_COORD_2);
  for (int p = 0; p < 10; ++p) {
    Patch patch;
    for (int i = 0; i < 16; ++i) std::copy_n(kTeapotPoints[kTeapotPatches[p][i]], 3, patch[i / 4][i % 4]);
    // The pot is symmetric about its y = 0 plane; the round parts about x = 0 too.
    std::vector<std::pair<bool, bool>> mirrors = {{false, false}, {false, true}};
    if (p < 6) mirrors.insert(mirrors.end(), {{true, false}, {true, true}});
    gl.glMapGrid2f(grid_, 0, 1, grid_, 0, 1);
    gl.glMap2f(GL_MAP2_TEXTURE_COORD_2, 0, 1, 2, 2, 0, 1, 4, 2, &kTexturePoints[0][0][0]);
    for (auto [negate_x, negate_y] : mirrors) {
      Patch built;
      Mirror(patch, negate_x, negate_y, built);
      gl.glMap2f(GL_MAP2_VERTEX_3, 0, 1, 3, 4, 0, 1, 12, 4, &built[0][0][0]);
      gl.glEvalMesh2(GL_FILL, 0, grid_, 0, grid_);
    }
  }
  rci.GLStates->InvertGLFrontFace();
  gl.glPopAttrib();
  gl.glPopMatrix();
}
