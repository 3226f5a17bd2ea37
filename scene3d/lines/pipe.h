// A tube swept along its nodes, its radius and colour varying per node.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx3d/materials/materials.h"
#include "scene3d/lines/polygon.h"

// A node of the pipe's centre line with its own radius factor and colour.
class TGLPipeNode : public TGLNode {
 public:
  explicit TGLPipeNode(TCollection* collection = nullptr);
  ~TGLPipeNode() override;
  std::string ClassName() const override { return "TGLPipeNode"; }
  void Assign(const TPersistent* source) override;
  // "<node> / rf = <factor with three decimals>".
  std::string GetDisplayName() const override;
  float RadiusFactor() const { return radius_factor_; }
  void SetRadiusFactor(float value);
  bool StoreRadiusFactor() const { return radius_factor_ != 1; }
  TGLColor& Color() const { return *color_; }
  void SetColor(const TGLColor& value) { color_->Assign(&value); }

 private:
  float radius_factor_ = 1;
  std::unique_ptr<TGLColor> color_;
};

class TGLPipeNodes : public TGLNodes {
 public:
  explicit TGLPipeNodes(TPersistent* owner);
  std::string ClassName() const override { return "TGLPipeNodes"; }
  std::unique_ptr<TGLNodes> CreateCopy(TPersistent* owner) const override;
  TGLPipeNode* GetItems(int index) const { return static_cast<TGLPipeNode*>(Items(index)); }
};

enum TPipePartFlag : std::uint8_t { ppOutside = 1, ppInside = 2, ppStartDisk = 4, ppStopDisk = 8 };
using TPipeParts = std::uint8_t;
// Which material colour the nodes' colours drive.
enum TPipeNodesColorMode : std::uint8_t {
  pncmNone,
  pncmEmission,
  pncmAmbient,
  pncmDiffuse,
  pncmAmbientAndDiffuse,
};

class TGLPipe : public TGLPolygonBase {
 public:
  explicit TGLPipe(TComponent* owner);
  std::string ClassName() const override { return "TGLPipe"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLPipe>(owner);
  }
  void Assign(const TPersistent* source) override;

  TGLPipeNodes& PipeNodes() const { return static_cast<TGLPipeNodes&>(Nodes()); }
  TPipeParts Parts() const { return parts_; }
  void SetParts(TPipeParts value);
  int Slices() const { return slices_; }
  // Zero or less is ignored.
  void SetSlices(int value);
  float Radius() const { return radius_; }
  void SetRadius(float value);
  TPipeNodesColorMode NodesColorMode() const { return nodes_color_mode_; }
  void SetNodesColorMode(TPipeNodesColorMode value);

  void BuildList(TRenderContextInfo& rci) override;

 private:
  struct Ring {
    TAffineVector centre, direction;
    float radius;
    TVector4f color;
  };
  std::vector<Ring> CentreLine() const;
  TAffineVector RingPoint(const Ring& ring, int slice, TAffineVector& normal) const;
  void BuildDisk(const Ring& ring, bool facingBack) const;

  TPipeParts parts_ = ppOutside;
  int slices_ = 16;
  float radius_ = 1;
  TPipeNodesColorMode nodes_color_mode_ = pncmNone;
  // The ring angles' sines and cosines, kept per object between builds.
  mutable std::vector<float> sines_, cosines_;
};
