// Objects drawn from a run of nodes: the common base (nodes, spline mode and
// division, shared with the revolution solid and the pipe) and the flat
// filled polygon through the nodes.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx3d/geometry/nodes.h"
#include "scene3d/graph/stage_object.h"
#include "scene3d/objects/object_enumerations.h"

class TGLPolygonBase : public TGLStageObject {
 public:
  explicit TGLPolygonBase(TComponent* owner);
  ~TGLPolygonBase() override;
  std::string ClassName() const override { return "TGLPolygonBase"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLPolygonBase>(owner);
  }
  // Nodes, Division and SplineMode.
  void Assign(const TPersistent* source) override;
  // A change of the own nodes rebuilds the geometry.
  void NotifyChange(TObject* sender) override;

  int Division() const { return division_; }
  // At least 1.
  void SetDivision(int value);
  TLineSplineMode SplineMode() const { return spline_mode_; }
  void SetSplineMode(TLineSplineMode value);
  TGLNodes& Nodes() const { return *nodes_; }
  void SetNodes(const TGLNodes& value);
  void AddNode(float x, float y, float z) { nodes_->AddNode(x, y, z); }

 protected:
  // For subclasses whose nodes carry more than a position.
  void ReplaceNodes(std::unique_ptr<TGLNodes> nodes) { nodes_ = std::move(nodes); }

 private:
  int division_ = 10;
  TLineSplineMode spline_mode_ = lsmLines;
  std::unique_ptr<TGLNodes> nodes_;
};

class TGLPolygon : public TGLPolygonBase {
 public:
  explicit TGLPolygon(TComponent* owner) : TGLPolygonBase(owner) {}
  std::string ClassName() const override { return "TGLPolygon"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLPolygon>(owner);
  }
  void Assign(const TPersistent* source) override;
  TPolygonParts Parts() const { return parts_; }
  void SetParts(TPolygonParts value);
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TPolygonParts parts_ = ppTop | ppBottom;
};
