// Collections of 3-D nodes: paths and outlines with their centre, normal,
// tangents, moves, spline and filled-polygon drawing.
#pragma once

#include <memory>

#include "gfx3d/core/notification.h"
#include "gfx3d/geometry/polygon_tessellator.h"
#include "gfx3d/math/splines.h"
#include "gfx3d/math/vector_types.h"

class TGLNode : public TCollectionItem {
 public:
  explicit TGLNode(TCollection* collection = nullptr) : TCollectionItem(collection) {}
  std::string ClassName() const override { return "TGLNode"; }

  // A node source copies its four singles.
  void Assign(const TPersistent* source) override;
  // "x; y; z" with four decimals.
  std::string GetDisplayName() const override;
  TVector4f* AsAddress() { return &coords_; }
  const TVector4f& AsVector() const { return coords_; }
  TAffineVector GetAsAffineVector() const { return {coords_.x, coords_.y, coords_.z}; }
  // Store, then tell the owning collection.
  void SetAsVector(const TVector4f& v);
  void SetCoordinate(int index, float value);
  float X() const { return coords_.x; }
  float Y() const { return coords_.y; }
  float Z() const { return coords_.z; }
  // Form files keep a coordinate only when it is not 0.
  bool StoreCoordinate(int index) const { return coords_[index] != 0; }

 private:
  TVector4f coords_;
};

class TGLNodes : public TOwnedCollection {
 public:
  explicit TGLNodes(TPersistent* owner, TItemClass itemClass = nullptr);
  std::string ClassName() const override { return "TGLNodes"; }
  // A new collection of the same class with the given owner, holding copies of the nodes.
  virtual std::unique_ptr<TGLNodes> CreateCopy(TPersistent* owner) const;

  TGLNode* GetItems(int index) const { return static_cast<TGLNode*>(Items(index)); }
  TGLNode* Add() { return static_cast<TGLNode*>(TOwnedCollection::Add()); }
  // A new node at the point (x, y, z, 1).
  void AddNode(float x, float y, float z);

  // Mean position; (0, 0, 0) without nodes.
  TAffineVector Barycenter() const;
  // Normal of the plane through the first three nodes; (0, 0, 0) with fewer.
  TAffineVector Normal() const;
  // Unit tangent at node i from its neighbours; (0, 0, 0) where they coincide.
  TAffineVector Vector(int i) const;
  void Translate(const TAffineVector& v);
  void RotateAroundY(float angleDegrees);
  // A spline through the node positions; the caller owns it.
  std::unique_ptr<TCubicSpline> CreateNewCubicSpline() const;

  // Fills the polygon of the nodes (smoothed by a spline when splineDivisions > 1)
  // through the GLU tessellator; nothing for two nodes or fewer. A tessellation
  // error raises EAssertionFailed with the GLU error text after drawing ends.
  void RenderTesselatedPolygon(bool textured, const TAffineVector* normal = nullptr, bool invertOrder = false,
                               int splineDivisions = 1) const;
  void RenderTesselatedPolygon(TPolygonSink& sink, bool textured, const TAffineVector* normal, bool invertOrder,
                               int splineDivisions) const;

  // Outside an update bracket, tells an updatable owner component.
  virtual void NotifyChange();

 protected:
  // The change hook, which closing the last update bracket runs too: the owner
  // hears of a bracketed batch of changes once.
  void Update(TCollectionItem* item) override;
};
