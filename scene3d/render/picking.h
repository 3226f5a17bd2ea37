// What a pick pass found under a rectangle of the view. During the pass every
// object drawn takes a GL selection name (its place in the pass's name table
// plus one, as a pointer does not fit a name); GL's hit records are then
// turned back into objects, one entry per object, nearest first.
#pragma once

#include <vector>

#include "gfx3d/gl/gl_binding.h"

class TGLBaseStageObject;

struct TGLPickInfo {
  TGLBaseStageObject* object = nullptr;
  // Window depths of the object's hits: 0 at the near plane, 1 at the far one.
  float zMin = 0, zMax = 0;
  // Met through a proxy: the objects inside it that were hit, outermost first.
  std::vector<TGLBaseStageObject*> subObjects;
};

using TGLPickList = std::vector<TGLPickInfo>;

// The objects a pick pass names, in the order they took their names.
class TGLPickNames {
 public:
  GLuint NameOf(TGLBaseStageObject* object) {
    objects_.push_back(object);
    return static_cast<GLuint>(objects_.size());
  }
  // Null for 0 (no object) and for names this pass never gave.
  TGLBaseStageObject* ObjectNamed(GLuint name) const {
    return name >= 1 && name <= objects_.size() ? objects_[name - 1] : nullptr;
  }
  void Clear() { objects_.clear(); }

 private:
  std::vector<TGLBaseStageObject*> objects_;
};

// The pick list of hitCount records in a GL selection buffer. An object hit
// several times appears once, with the depth range of all its hits and the
// sub-objects of its nearest one; ties keep the drawing order.
TGLPickList PickListFromSelection(const std::vector<GLuint>& selection, int hitCount, const TGLPickNames& names);
