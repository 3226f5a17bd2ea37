// The common base of the curved solids: how normals are generated and which
// way they face. GLU draws most of them through a quadric set up from these.
#pragma once

#include "scene3d/graph/stage_object.h"
#include "scene3d/objects/object_enumerations.h"

struct GLUquadric;

class TGLQuadricObject : public TGLStageObject {
 public:
  using TGLStageObject::TGLStageObject;
  std::string ClassName() const override { return "TGLQuadricObject"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLQuadricObject>(owner);
  }
  void Assign(const TPersistent* source) override;
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing value);
  TNormalDirection NormalDirection() const { return normal_direction_; }
  void SetNormalDirection(TNormalDirection value);

 private:
  TNormalSmoothing normals_ = nsSmooth;
  TNormalDirection normal_direction_ = ndOutside;
};

// A GLU quadric for one build: filled, textured, normals and orientation from
// the object; deleted when the build ends.
class TGLUQuadric {
 public:
  explicit TGLUQuadric(const TGLQuadricObject& object);
  ~TGLUQuadric();
  TGLUQuadric(const TGLUQuadric&) = delete;
  TGLUQuadric& operator=(const TGLUQuadric&) = delete;
  // Outward faces the object's way; inverted the other way, for bottom caps and inner walls.
  void Outward();
  void Inverted();
  GLUquadric* get() const { return quadric_; }

 private:
  const TGLQuadricObject& object_;
  GLUquadric* quadric_;
};
