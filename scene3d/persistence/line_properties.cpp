// Lines: the line base, the noded lines, their nodes and the lines object.
#include "scene3d/lines/lines.h"
#include "scene3d/persistence/published_families.h"

void PublishLineProperties() {
  using B = TGLLineBase;
  Publisher<B>("TGLLineBase", "TGLImmaterialStageObject")
      .Object("LineColor", &B::LineColor)
      .Integer("LinePattern", &B::LinePattern, &B::SetLinePattern, 0xFFFF)
      .Single("LineWidth", &B::LineWidth, &B::SetLineWidth, 1.0f)
      .Boolean("AntiAliased", &B::AntiAliased, &B::SetAntiAliased, false);
  using N = TGLNodedLines;
  Publisher<N>("TGLNodedLines", "TGLLineBase")
      .Collection("Nodes", [](N& o) -> TCollection& { return o.Nodes(); })
      .Enum("NodesAspect", {"lnaInvisible", "lnaAxes", "lnaCube", "lnaDodecahedron"}, &N::NodesAspect,
            &N::SetNodesAspect, lnaAxes)
      .Object("NodeColor", &N::NodeColor)
      .Single("NodeSize", &N::NodeSize, &N::SetNodeSize, 1.0f);
  using L = TGLLines;
  Publisher<L>("TGLLines", "TGLNodedLines")
      .Integer("Division", &L::Division, &L::SetDivision, 10)
      .Enum("SplineMode", kSplineModeNames, &L::SplineMode, &L::SetSplineMode, lsmLines)
      .Set("Options", {"loUseNodeColorForLines"}, &L::Options, &L::SetOptions, 0u);
  using Node = TGLLinesNode;
  Publisher<Node>("TGLLinesNode", "TGLNode").StoredWhen(&Node::StoreColor).Object("Color", &Node::Color);
}
