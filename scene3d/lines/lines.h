// Unlit line objects: the shared line style, lines through coloured nodes
// that can show a marker at each node, and the polyline, segment list or
// curve through them.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx3d/geometry/nodes.h"
#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/materials/materials.h"
#include "scene3d/graph/stage_object.h"
#include "scene3d/objects/object_enumerations.h"

class TGLLineBase : public TGLImmaterialStageObject {
 public:
  explicit TGLLineBase(TComponent* owner);
  ~TGLLineBase() override;
  std::string ClassName() const override { return "TGLLineBase"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLLineBase>(owner);
  }
  // The style only; the transform and the rest stay.
  void Assign(const TPersistent* source) override;

  TGLColor& LineColor() const { return *line_color_; }
  void SetLineColor(const TGLColor& value);
  // A stipple; 0xFFFF is solid.
  std::uint16_t LinePattern() const { return line_pattern_; }
  void SetLinePattern(std::uint16_t value);
  float LineWidth() const { return line_width_; }
  void SetLineWidth(float value);
  bool AntiAliased() const { return anti_aliased_; }
  void SetAntiAliased(bool value);

 protected:
  // Pushes the attributes it changes; RestoreLineStyle pops them.
  void SetupLineStyle() const;
  static void RestoreLineStyle();

 private:
  std::unique_ptr<TGLColor> line_color_;
  std::uint16_t line_pattern_ = 0xFFFF;
  float line_width_ = 1;
  bool anti_aliased_ = false;
};

class TGLNodedLines;

// A node with its own colour, which starts as the lines' node colour.
class TGLLinesNode : public TGLNode {
 public:
  TGLLinesNode(TCollection* collection, TGLNodedLines& lines);
  ~TGLLinesNode() override;
  std::string ClassName() const override { return "TGLLinesNode"; }
  // The colour and the position.
  void Assign(const TPersistent* source) override;
  TGLColor& Color() const { return *color_; }
  void SetColor(const TGLColor& value) { color_->Assign(&value); }
  // Form files keep the colour only when it differs from the lines' node colour.
  bool StoreColor() const;

 private:
  TGLNodedLines& lines_;
  std::unique_ptr<TGLColor> color_;
};

// Every change rebuilds the lines that own the collection.
class TGLLinesNodes : public TGLNodes {
 public:
  explicit TGLLinesNodes(TGLNodedLines& lines);
  std::string ClassName() const override { return "TGLLinesNodes"; }
  std::unique_ptr<TGLNodes> CreateCopy(TPersistent* owner) const override;
  TGLLinesNode* GetItems(int index) const { return static_cast<TGLLinesNode*>(Items(index)); }
  void NotifyChange() override;

 private:
  TGLNodedLines& lines_;
};

enum TLineNodesAspect : std::uint8_t { lnaInvisible, lnaAxes, lnaCube, lnaDodecahedron };

class TGLNodedLines : public TGLLineBase {
 public:
  explicit TGLNodedLines(TComponent* owner);
  ~TGLNodedLines() override;
  std::string ClassName() const override { return "TGLNodedLines"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLNodedLines>(owner);
  }
  void Assign(const TPersistent* source) override;

  TGLLinesNodes& Nodes() const { return *nodes_; }
  void SetNodes(const TGLLinesNodes& value);
  void AddNode(float x, float y, float z) { nodes_->AddNode(x, y, z); }
  TLineNodesAspect NodesAspect() const { return nodes_aspect_; }
  void SetNodesAspect(TLineNodesAspect value);
  // Nodes still wearing the previous node colour follow a change; recoloured ones keep theirs.
  TGLColor& NodeColor() const { return *node_color_; }
  void SetNodeColor(const TGLColor& value);
  float NodeSize() const { return node_size_; }
  // Zero or less is stored as 1.
  void SetNodeSize(float value);

  // The largest absolute node coordinate on each axis.
  TVector4f AxisAlignedDimensionsUnscaled() override;

 protected:
  void DrawNode(TRenderContextInfo& rci, const TAffineVector& position, const TVector4f& color) const;
  // The markers of every node, unless they are invisible.
  void DrawNodes(TRenderContextInfo& rci) const;

 private:
  void NodeColorChanged();

  std::unique_ptr<TGLColor> node_color_;
  TVector4f previous_node_color_{0, 0, 1, 1};
  std::unique_ptr<TGLLinesNodes> nodes_;
  TLineNodesAspect nodes_aspect_ = lnaAxes;
  float node_size_ = 1;
};

enum TLinesOptionFlag : std::uint8_t { loUseNodeColorForLines = 1 };
using TLinesOptions = std::uint8_t;

class TGLLines : public TGLNodedLines {
 public:
  explicit TGLLines(TComponent* owner) : TGLNodedLines(owner) {}
  std::string ClassName() const override { return "TGLLines"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLLines>(owner);
  }
  void Assign(const TPersistent* source) override;

  int Division() const { return division_; }
  // At least 1.
  void SetDivision(int value);
  TLineSplineMode SplineMode() const { return spline_mode_; }
  void SetSplineMode(TLineSplineMode value);
  TLinesOptions Options() const { return options_; }
  void SetOptions(TLinesOptions value);
  // The NURBS curve's order, sampling tolerance and knots; without an order,
  // node count + order knots and finite knots nothing is drawn but the node markers.
  int NURBSOrder() const { return nurbs_order_; }
  void SetNURBSOrder(int value);
  float NURBSTolerance() const { return nurbs_tolerance_; }
  void SetNURBSTolerance(float value);
  TSingleList& NURBSKnots() { return nurbs_knots_; }

  // Draws nothing below two nodes. A NURBS curve GLU refuses is left out; the markers are drawn all the same.
  void BuildList(TRenderContextInfo& rci) override;

 private:
  // Straight lines, or segments, through the nodes.
  void SendNodes() const;
  void SendCubicSpline() const;
  // An order, node count + order knots, all finite: what GLU draws without reading past the nodes.
  bool NURBSCurveFits(int count) const;
  void DrawNURBSCurve(const std::vector<float>& positions) const;

  int division_ = 10;
  TLineSplineMode spline_mode_ = lsmLines;
  TLinesOptions options_ = 0;
  int nurbs_order_ = 0;
  float nurbs_tolerance_ = 50;
  TSingleList nurbs_knots_;
};
