#include "scene3d/text/glyph_outlines.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/text/windows_1252.h"

namespace {

constexpr float kDefaultDeviation = 1.0f / 512;  // em
constexpr int kMaxCurveSteps = 64;

using Contour = std::vector<TAffineVector>;

// Metric twins of the usual Windows fonts, installed with the system.
QString ResolvedFamily(const std::string& name) {
  const QString family = QString::fromStdString(name);
  static const std::pair<const char*, const char*> twins[] = {
      {"Arial", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"}};
  for (const auto& [windows, twin] : twins)
    if (family.compare(QLatin1String(windows), Qt::CaseInsensitive) == 0) return QString::fromLatin1(twin);
  return family;
}

// Qt's outlines run with Y down; the scene's Y is up.
TAffineVector ScenePoint(const QPointF& p, double scale) {
  return {static_cast<float>(p.x() * scale), static_cast<float>(-p.y() * scale), 0};
}

double Length(const QPointF& p) { return std::hypot(p.x(), p.y()); }

// The path's closed loops, curves cut into chords no farther than deviation from them.
std::vector<Contour> FlattenedContours(const QPainterPath& path, double scale, float deviation) {
  std::vector<Contour> contours;
  QPointF pen;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element& element = path.elementAt(i);
    const QPointF point(element.x, element.y);
    if (element.isMoveTo()) contours.emplace_back();
    if (element.isMoveTo() || element.isLineTo()) {
      contours.back().push_back(ScenePoint(point, scale));
    } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
      const QPointF c1 = point, c2(path.elementAt(i + 1).x, path.elementAt(i + 1).y);
      const QPointF end(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
      i += 2;
      // Chords of n equal parameter steps stay within max|B''| / (8 n^2) of a cubic.
      const double bend = 6 * std::max(Length(pen - 2 * c1 + c2), Length(c1 - 2 * c2 + end)) * scale;
      const int steps = std::clamp(static_cast<int>(std::ceil(std::sqrt(bend / (8 * deviation)))), 1, kMaxCurveSteps);
      for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps, u = 1 - t;
        const QPointF p = u * u * u * pen + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * end;
        contours.back().push_back(ScenePoint(p, scale));
      }
      pen = end;
      continue;
    }
    pen = point;
  }
  // Qt repeats a loop's first point at its end; contours too small to enclose anything go.
  for (Contour& contour : contours)
    if (contour.size() > 1 && AffineVectorEquals(contour.front(), contour.back())) contour.pop_back();
  std::erase_if(contours, [](const Contour& contour) { return contour.size() < 3; });
  return contours;
}

double SignedArea(const Contour& contour) {
  double area = 0;
  for (std::size_t i = 0, j = contour.size() - 1; i < contour.size(); j = i++)
    area += static_cast<double>(contour[j].x) * contour[i].y - static_cast<double>(contour[i].x) * contour[j].y;
  return area / 2;
}

// Fonts fill by the non-zero rule with islands turning one way and holes the
// other. Turned so the islands run counter-clockwise about +Z, every contour
// goes to the solid as it stands: the solid feeds all but the first one
// reversed, so those are stored reversed.
void FillSolid(TGLExtrusionSolid& solid, std::vector<Contour>& contours) {
  double area = 0;
  for (const Contour& contour : contours) area += SignedArea(contour);
  for (std::size_t i = 0; i < contours.size(); ++i) {
    Contour& contour = contours[i];
    if ((area < 0) != (i > 0)) std::reverse(contour.begin(), contour.end());
    TGLNodes& nodes = solid.Path(static_cast<int>(i));
    nodes.BeginUpdate();
    for (const TAffineVector& p : contour) nodes.AddNode(p.x, p.y, p.z);
    nodes.EndUpdate();
  }
}

void CompileGlyph(GLuint list, std::vector<Contour> contours, float extrusion, float advance) {
  TGLExtrusionSolid solid(nullptr);
  // A flat text needs only its face.
  solid.SetParts(static_cast<TExtrusionSolidParts>(extrusion > 0 ? espOutside | espStartPolygon | espStopPolygon
                                                                 : espStopPolygon));
  solid.SetHeight(extrusion);
  FillSolid(solid, contours);
  auto& gl = GL();
  gl.glNewList(list, GL_COMPILE);
  try {
    if (!contours.empty()) {
      gl.glTranslatef(0, 0, -extrusion);
      TRenderContextInfo rci;
      solid.BuildList(rci);
      gl.glTranslatef(0, 0, extrusion);
    }
    gl.glTranslatef(advance, 0, 0);
  } catch (...) {
    gl.glEndList();
    throw;
  }
  gl.glEndList();
}

}  // namespace

bool BuildOutlineGlyphLists(const std::string& fontName, TFontStyles style, int first, GLuint base, float deviation,
                            float extrusion, std::span<TGlyphMetricsFloat> metrics) {
  // Qt's font database lives in the GUI application.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  QFont font(ResolvedFamily(fontName));
  font.setBold(style & fsBold);
  font.setItalic(style & fsItalic);
  font.setHintingPreference(QFont::PreferNoHinting);
  QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return false;
  // At one pixel per design unit the outlines carry the font's own numbers.
  raw.setPixelSize(raw.unitsPerEm());
  const double scale = 1.0 / raw.unitsPerEm();
  if (deviation <= 0) deviation = kDefaultDeviation;
  for (std::size_t i = 0; i < metrics.size(); ++i) {
    metrics[i] = {};
    const GLuint list = base + static_cast<GLuint>(i);
    const char32_t character = Windows1252ToUnicode(static_cast<unsigned char>(first + static_cast<int>(i)));
    const QList<quint32> glyphs =
        character < 0x20 ? QList<quint32>{} : raw.glyphIndexesForString(QString::fromUcs4(&character, 1));
    if (glyphs.size() != 1 || glyphs[0] == 0) {
      CompileGlyph(list, {}, extrusion, 0);
      continue;
    }
    const QPainterPath path = raw.pathForGlyph(glyphs[0]);
    const float advance = static_cast<float>(raw.advancesForGlyphIndexes(glyphs).value(0).x() * scale);
    const QRectF bounds = path.boundingRect();
    TGlyphMetricsFloat& m = metrics[i];
    m.blackBoxX = static_cast<float>(bounds.width() * scale);
    m.blackBoxY = static_cast<float>(bounds.height() * scale);
    m.originX = static_cast<float>(bounds.left() * scale);
    m.originY = static_cast<float>(-bounds.top() * scale);
    m.cellIncX = advance;
    CompileGlyph(list, FlattenedContours(path, scale, deviation), extrusion, advance);
  }
  return true;
}
