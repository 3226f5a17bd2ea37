#include "scene3d/objects/quadric_object.h"

#include <GL/glu.h>

#include "gfx3d/gl/gl_binding.h"
#include "scene3d/graph/change_setters.h"

void TGLQuadricObject::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLQuadricObject*>(source)) {
    normals_ = other->normals_;
    normal_direction_ = other->normal_direction_;
  }
  TGLStageObject::Assign(source);
}

void TGLQuadricObject::SetNormals(TNormalSmoothing value) {
  StoreOnChange(normals_, value, [this] { StructureChanged(); });
}

void TGLQuadricObject::SetNormalDirection(TNormalDirection value) {
  StoreOnChange(normal_direction_, value, [this] { StructureChanged(); });
}

TGLUQuadric::TGLUQuadric(const TGLQuadricObject& object) : object_(object), quadric_(GL().gluNewQuadric()) {
  auto& gl = GL();
  gl.gluQuadricDrawStyle(quadric_, GLU_FILL);
  static constexpr GLenum kNormals[] = {GLU_FLAT, GLU_SMOOTH, GLU_NONE};
  gl.gluQuadricNormals(quadric_, kNormals[object.Normals()]);
  Outward();
  gl.gluQuadricTexture(quadric_, GL_TRUE);
}

TGLUQuadric::~TGLUQuadric() { GL().gluDeleteQuadric(quadric_); }

void TGLUQuadric::Outward() {
  GL().gluQuadricOrientation(quadric_, object_.NormalDirection() == ndOutside ? GLU_OUTSIDE : GLU_INSIDE);
}

void TGLUQuadric::Inverted() {
  GL().gluQuadricOrientation(quadric_, object_.NormalDirection() == ndOutside ? GLU_INSIDE : GLU_OUTSIDE);
}
