#include "scene3d/lines/lines.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/objects/dodecahedron.h"

namespace {

constexpr const char* kUnit = "GLObjects";

bool SameBits(const TVector4f& a, const TVector4f& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

// ---- Line style ------------------------------------------------------------

TGLLineBase::TGLLineBase(TComponent* owner)
    : TGLImmaterialStageObject(owner), line_color_(std::make_unique<TGLColor>(this, TVector4f{1, 1, 1, 1})) {}

TGLLineBase::~TGLLineBase() = default;

void TGLLineBase::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLLineBase*>(source)) {
    line_color_->SetColor(other->line_color_->Color());
    line_pattern_ = other->line_pattern_;
    line_width_ = other->line_width_;
    anti_aliased_ = other->anti_aliased_;
    return;
  }
  TGLImmaterialStageObject::Assign(source);
}

void TGLLineBase::SetLineColor(const TGLColor& value) {
  line_color_->SetColor(value.Color());
  StructureChanged();
}
void TGLLineBase::SetLinePattern(std::uint16_t value) {
  StoreOnChange(line_pattern_, value, [this] { StructureChanged(); });
}
void TGLLineBase::SetLineWidth(float value) {
  StoreOnChange(line_width_, value, [this] { StructureChanged(); });
}
void TGLLineBase::SetAntiAliased(bool value) {
  StoreOnChange(anti_aliased_, value, [this] { StructureChanged(); });
}

void TGLLineBase::SetupLineStyle() const {
  auto& gl = GL();
  gl.glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  gl.glDisable(GL_LIGHTING);
  const auto blend = [&gl] {
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  };
  if (line_pattern_ != 0xFFFF) {
    gl.glEnable(GL_LINE_STIPPLE);
    blend();
    gl.glLineStipple(1, line_pattern_);
  }
  if (anti_aliased_) {
    gl.glEnable(GL_LINE_SMOOTH);
    blend();
  } else {
    gl.glDisable(GL_LINE_SMOOTH);
  }
  gl.glLineWidth(line_width_);
  const TVector4f& color = line_color_->Color();
  if (color.w == 1) {
    gl.glColor3fv(&color.x);
  } else {
    if (!anti_aliased_) blend();
    gl.glColor4fv(&color.x);
  }
}

void TGLLineBase::RestoreLineStyle() { GL().glPopAttrib(); }

// ---- Nodes -----------------------------------------------------------------

TGLLinesNode::TGLLinesNode(TCollection* collection, TGLNodedLines& lines) : TGLNode(collection), lines_(lines) {
  color_ = std::make_unique<TGLColor>(this, lines.NodeColor().Color(), [this](TObject*) {
    if (auto* nodes = dynamic_cast<TGLNodes*>(Collection())) nodes->NotifyChange();
  });
}

TGLLinesNode::~TGLLinesNode() = default;

void TGLLinesNode::Assign(const TPersistent* source) {
  // The position travels too: copying a collection of these must not lose its shape.
  if (const auto* other = dynamic_cast<const TGLLinesNode*>(source)) color_->SetColor(other->color_->Color());
  TGLNode::Assign(source);
}

bool TGLLinesNode::StoreColor() const { return !SameBits(color_->Color(), lines_.NodeColor().Color()); }

TGLLinesNodes::TGLLinesNodes(TGLNodedLines& lines)
    : TGLNodes(&lines, [&lines] { return std::make_unique<TGLLinesNode>(nullptr, lines); }), lines_(lines) {}

std::unique_ptr<TGLNodes> TGLLinesNodes::CreateCopy(TPersistent*) const {
  auto copy = std::make_unique<TGLLinesNodes>(lines_);
  copy->Assign(this);
  return copy;
}

void TGLLinesNodes::NotifyChange() {
  if (UpdateCount() == 0) lines_.StructureChanged();
}

// ---- Noded lines -------------------------------------------------------------

TGLNodedLines::TGLNodedLines(TComponent* owner)
    : TGLLineBase(owner),
      node_color_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 1, 1}, [this](TObject*) { NodeColorChanged(); })),
      nodes_(std::make_unique<TGLLinesNodes>(*this)) {}

TGLNodedLines::~TGLNodedLines() = default;

void TGLNodedLines::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLNodedLines*>(source)) {
    SetNodes(*other->nodes_);
    nodes_aspect_ = other->nodes_aspect_;
    node_color_->SetColor(other->node_color_->Color());
  }
  TGLLineBase::Assign(source);
}

void TGLNodedLines::SetNodes(const TGLLinesNodes& value) {
  if (&value != nodes_.get()) nodes_->Assign(&value);
  StructureChanged();
}
void TGLNodedLines::SetNodesAspect(TLineNodesAspect value) {
  StoreOnChange(nodes_aspect_, value, [this] { StructureChanged(); });
}
void TGLNodedLines::SetNodeColor(const TGLColor& value) {
  node_color_->SetColor(value.Color());
  StructureChanged();
}
void TGLNodedLines::SetNodeSize(float value) {
  node_size_ = value > 0 ? value : 1.0f;
  StructureChanged();
}

void TGLNodedLines::NodeColorChanged() {
  const TVector4f color = node_color_->Color();
  if (nodes_)
    for (int i = 0; i < nodes_->Count(); ++i) {
      TGLColor& node = nodes_->GetItems(i)->Color();
      if (SameBits(node.Color(), previous_node_color_)) node.SetColor(color);
    }
  previous_node_color_ = color;
}

TVector4f TGLNodedLines::AxisAlignedDimensionsUnscaled() {
  TVector4f extent{0, 0, 0, 0};
  for (int i = 0; i < nodes_->Count(); ++i) {
    const TGLNode* node = nodes_->GetItems(i);
    extent.x = std::max(extent.x, std::fabs(node->X()));
    extent.y = std::max(extent.y, std::fabs(node->Y()));
    extent.z = std::max(extent.z, std::fabs(node->Z()));
  }
  return extent;
}

void TGLNodedLines::DrawNode(TRenderContextInfo& rci, const TAffineVector& position, const TVector4f& color) const {
  auto& gl = GL();
  gl.glPushMatrix();
  gl.glTranslatef(position.x, position.y, position.z);
  switch (nodes_aspect_) {
    case lnaAxes:
      DrawAxesCross(rci, 0xCCCC, 0.5f * node_size_);
      break;
    case lnaCube:
      CubeWireframeBuildList(rci, false, color, node_size_);
      break;
    case lnaDodecahedron:
      rci.GLStates->SetGLMaterialColors(GL_FRONT, {0, 0, 0, 1}, {0.2f, 0.2f, 0.2f, 1}, color, {0, 0, 0, 1}, 0);
      if (node_size_ != 1) gl.glScalef(node_size_, node_size_, node_size_);
      DodecahedronBuildList();
      break;
    default:
      Assert(false, kUnit, __LINE__, "Unknown node aspect");
  }
  gl.glPopMatrix();
}

void TGLNodedLines::DrawNodes(TRenderContextInfo& rci) const {
  if (nodes_aspect_ == lnaInvisible) return;
  auto& gl = GL();
  gl.glPushAttrib(GL_ENABLE_BIT);
  if (!rci.ignoreBlendingRequests) {
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  gl.glDisable(GL_TEXTURE_2D);
  if (GLFlags().ARB_texture_cube_map) gl.glDisable(GL_TEXTURE_CUBE_MAP);
  for (int i = 0; i < nodes_->Count(); ++i) {
    const TGLLinesNode* node = nodes_->GetItems(i);
    DrawNode(rci, node->GetAsAffineVector(), node->Color().Color());
  }
  gl.glPopAttrib();
}

// ---- Lines -------------------------------------------------------------------

void TGLLines::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLLines*>(source)) {
    division_ = other->division_;
    spline_mode_ = other->spline_mode_;
  }
  TGLNodedLines::Assign(source);
}

void TGLLines::SetDivision(int value) {
  StoreOnChange(division_, std::max(value, 1), [this] { StructureChanged(); });
}
void TGLLines::SetSplineMode(TLineSplineMode value) {
  StoreOnChange(spline_mode_, value, [this] { StructureChanged(); });
}
void TGLLines::SetOptions(TLinesOptions value) {
  options_ = value;
  StructureChanged();
}
void TGLLines::SetNURBSOrder(int value) {
  StoreOnChange(nurbs_order_, value, [this] { StructureChanged(); });
}
void TGLLines::SetNURBSTolerance(float value) {
  StoreOnChange(nurbs_tolerance_, value, [this] { StructureChanged(); });
}

void TGLLines::BuildList(TRenderContextInfo& rci) {
  const TGLLinesNodes& nodes = Nodes();
  const int count = nodes.Count();
  if (count < 2) return;
  auto& gl = GL();
  SetupLineStyle();
  std::vector<float> positions, colors;
  if (spline_mode_ == lsmBezierSpline || spline_mode_ == lsmNURBSCurve) {
    for (int i = 0; i < count; ++i) {
      const TGLLinesNode* node = nodes.GetItems(i);
      positions.insert(positions.end(), {node->X(), node->Y(), node->Z()});
      const TVector4f& c = node->Color().Color();
      colors.insert(colors.end(), {c.x, c.y, c.z, c.w});
    }
  }
  if (spline_mode_ == lsmBezierSpline) {
    gl.glPushAttrib(GL_EVAL_BIT);
    gl.glEnable(GL_MAP1_VERTEX_3);
    gl.glEnable(GL_MAP1_COLOR_4);
    gl.glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, count, positions.data());
    gl.glMap1f(GL_MAP1_COLOR_4, 0, 1, 4, count, colors.data());
  }
  if (spline_mode_ == lsmNURBSCurve && division_ >= 2) {
    // The curve or no line at all; a curve GLU refuses is simply not drawn.
    if (NURBSCurveFits(count)) DrawNURBSCurve(positions);
  } else {
    gl.glBegin(spline_mode_ == lsmSegments ? GL_LINES : GL_LINE_STRIP);
    if (division_ >= 2 && spline_mode_ == lsmCubicSpline) {
      SendCubicSpline();
    } else if (division_ >= 2 && spline_mode_ == lsmBezierSpline) {
      for (int i = 0; i <= division_; ++i) gl.glEvalCoord1f(static_cast<float>(i) / static_cast<float>(division_));
    } else {
      SendNodes();
    }
    gl.glEnd();
  }
  if (spline_mode_ == lsmBezierSpline) gl.glPopAttrib();
  RestoreLineStyle();
  DrawNodes(rci);
}

void TGLLines::SendNodes() const {
  auto& gl = GL();
  const TGLLinesNodes& nodes = Nodes();
  for (int i = 0; i < nodes.Count(); ++i) {
    const TGLLinesNode* node = nodes.GetItems(i);
    if (options_ & loUseNodeColorForLines) gl.glColor4fv(node->Color().AsAddress());
    gl.glVertex3f(node->X(), node->Y(), node->Z());
  }
}

void TGLLines::SendCubicSpline() const {
  auto& gl = GL();
  const TGLLinesNodes& nodes = Nodes();
  const int count = nodes.Count();
  const std::unique_ptr<TCubicSpline> spline = nodes.CreateNewCubicSpline();
  const float f = 1.0f / static_cast<float>(division_);
  for (int i = 0; i <= (count - 1) * division_; ++i) {
    if (options_ & loUseNodeColorForLines) {
      const int k = i / division_;
      if (k >= count - 1) {
        gl.glColor4fv(nodes.GetItems(count - 1)->Color().AsAddress());
      } else {
        const TVector4f color = VectorLerp(nodes.GetItems(k)->Color().Color(), nodes.GetItems(k + 1)->Color().Color(),
                                           static_cast<float>(i % division_) * f);
        gl.glColor4fv(&color.x);
      }
    }
    const TAffineVector v = spline->AffineVectorAt(static_cast<float>(i) * f);
    gl.glVertex3f(v.x, v.y, v.z);
  }
}

bool TGLLines::NURBSCurveFits(int count) const {
  // GLU takes knots minus order control points: with more knots than nodes +
  // order it would read past the nodes, with fewer leave some out. Its knot
  // checks let a NaN or an infinity through, which also reads past them.
  const int knots = nurbs_knots_.Count();
  return nurbs_order_ > 0 && knots >= count && knots - count == nurbs_order_ &&
         std::all_of(nurbs_knots_.List(), nurbs_knots_.List() + knots, [](float knot) { return std::isfinite(knot); });
}

void TGLLines::DrawNURBSCurve(const std::vector<float>& positions) const {
  auto& gl = GL();
  GLUnurbs* renderer = gl.gluNewNurbsRenderer();
  gl.gluNurbsProperty(renderer, GLU_SAMPLING_TOLERANCE, nurbs_tolerance_);
  gl.gluNurbsProperty(renderer, GLU_DISPLAY_MODE, GLU_FILL);
  gl.gluBeginCurve(renderer);
  gl.gluNurbsCurve(renderer, nurbs_knots_.Count(), const_cast<float*>(nurbs_knots_.List()), 3,
                   const_cast<float*>(positions.data()), nurbs_order_, GL_MAP1_VERTEX_3);
  gl.gluEndCurve(renderer);
  gl.gluDeleteNurbsRenderer(renderer);
}
