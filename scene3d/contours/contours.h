// Flat figures made of several closed contours: the first is the outer
// boundary, each later one (fed reversed) cuts a hole where it turns the same
// way as the first or adds area where it turns the other way. The contours
// are merged once into an outline of simple loops with the GLU tessellator;
// drawing fills that outline with the tessellator again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx3d/geometry/nodes.h"
#include "gfx3d/lists/vector_lists.h"
#include "scene3d/graph/stage_object.h"
#include "scene3d/objects/object_enumerations.h"

class TGLContour;

// A contour's corners; every change reaches the contour.
class TGLContourNodes : public TGLNodes {
 public:
  explicit TGLContourNodes(TGLContour* contour);
  std::string ClassName() const override { return "TGLContourNodes"; }
  void NotifyChange() override;

 private:
  TGLContour* contour_;
};

class TGLContour : public TCollectionItem {
 public:
  explicit TGLContour(TCollection* collection = nullptr);
  std::string ClassName() const override { return "TGLContour"; }
  void Assign(const TPersistent* source) override;
  std::string GetDisplayName() const override;

  TGLContourNodes& Nodes() { return nodes_; }
  const TGLContourNodes& Nodes() const { return nodes_; }
  void SetNodes(const TGLNodes& value);
  int Division() const { return division_; }
  // Below 1 stores 1.
  void SetDivision(int value);
  TLineSplineMode SplineMode() const { return spline_mode_; }
  void SetSplineMode(TLineSplineMode value);
  std::string Description;

  // The points handed to the tessellator: the nodes, or a spline sampled Division times per span.
  std::vector<TAffineVector> Points() const;
  void NodesChanged() { Changed(false); }

 private:
  TGLContourNodes nodes_{this};
  int division_ = 10;
  TLineSplineMode spline_mode_ = lsmLines;
};

class TMultiPolygonBase;

class TGLContours : public TNotifyCollection {
 public:
  explicit TGLContours(TMultiPolygonBase* owner);
  std::string ClassName() const override { return "TGLContours"; }
  TGLContour* Add() { return static_cast<TGLContour*>(TNotifyCollection::Add()); }
  TGLContour* GetItems(int index) const { return static_cast<TGLContour*>(Items(index)); }
};

// The merged outline: closed loops, in the order the tessellator reports them.
class TPolygonList {
 public:
  int Count() const { return static_cast<int>(polygons_.size()); }
  TAffineVectorList& Item(int index) const { return *polygons_[static_cast<std::size_t>(index)]; }
  TAffineVectorList& Add() { return *polygons_.emplace_back(std::make_unique<TAffineVectorList>()); }
  void Clear() { polygons_.clear(); }
  int PointCount() const;

 private:
  std::vector<std::unique_ptr<TAffineVectorList>> polygons_;
};

class TMultiPolygonBase : public TGLStageObject {
 public:
  explicit TMultiPolygonBase(TComponent* owner);
  std::string ClassName() const override { return "TMultiPolygonBase"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TMultiPolygonBase>(owner);
  }
  void Assign(const TPersistent* source) override;

  TGLContours& Contours() { return contours_; }
  void SetContours(const TGLContours& value) { contours_.Assign(&value); }
  // The nodes of contour index, adding empty contours up to it.
  TGLNodes& Path(int index);
  // Built at first use after a change of the contours.
  const TPolygonList& Outline();
  TAffineVector ContourNormal{0, 0, 1};

  virtual void ContoursChanged();
  void RetrieveOutline(TPolygonList& list) const;
  // Fills the outline; the normal, when given, is sent and steers the tessellator.
  void RenderTesselatedPolygon(bool textured, const TAffineVector* normal, bool invertNormals);

 private:
  TGLContours contours_{this};
  std::unique_ptr<TPolygonList> outline_;
};

// The figure as a flat plate: top and bottom faces.
class TGLMultiPolygon : public TMultiPolygonBase {
 public:
  using TMultiPolygonBase::TMultiPolygonBase;
  std::string ClassName() const override { return "TGLMultiPolygon"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLMultiPolygon>(owner);
  }
  void Assign(const TPersistent* source) override;
  TPolygonParts Parts() const { return parts_; }
  void SetParts(TPolygonParts value);
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TPolygonParts parts_ = ppTop | ppBottom;
};
