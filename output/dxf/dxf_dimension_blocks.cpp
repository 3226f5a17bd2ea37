#include "output/dxf/dxf_dimension_blocks.h"

#include <cmath>
#include <numbers>

#include "model/base/rounding.h"

namespace {

struct Point {
  double x, y;
};
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double f, Point a) { return {f * a.x, f * a.y}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double length(Point a) { return std::sqrt(dot(a, a)); }

Point direction_of(double degrees) {
  double radians = degrees * std::numbers::pi / 180.0;
  return {std::cos(radians), std::sin(radians)};
}

// The entities of one picture block, owned by its block record.
class BlockWriter {
 public:
  BlockWriter(std::string& out, std::string owner, unsigned& handle)
      : out_(out), owner_(std::move(owner)), handle_(handle) {}

  void line(Point a, Point b) {
    begin("LINE", "AcDbLine");
    point(10, a);
    point(11, b);
  }
  void arrow(Point tip, Point back) {
    Point across{-back.y * kDimensionArrowSize / 6.0, back.x * kDimensionArrowSize / 6.0};
    Point base = tip + kDimensionArrowSize * back;
    begin("SOLID", "AcDbTrace");
    point(10, tip);
    point(11, base + across);
    point(12, base - across);
    point(13, base - across);
  }
  void text(const std::string& value, Point at, double rotation) {
    begin("TEXT", "AcDbText");
    point(10, at);
    pair(" 40", size_key(kDimensionTextHeight));
    pair("  1", value);
    pair(" 50", size_key(rotation));
    pair("  7", "Standard");
    pair(" 72", "     1");
    point(11, at);
    pair("100", "AcDbText");
  }

 private:
  void pair(std::string_view code, std::string_view value) { append_dxf_pair(out_, code, value); }
  void begin(std::string_view type, std::string_view subclass) {
    pair("  0", type);
    pair("  5", dxf_handle_text(++handle_));
    pair("330", owner_);
    pair("100", "AcDbEntity");
    pair("  8", "0");
    pair(" 62", "     0");  // colour by block: the dimension's layer colours it
    pair("100", subclass);
  }
  void point(int code, Point p) {
    pair(" " + std::to_string(code), size_key(p.x));
    pair(" " + std::to_string(code + 10), size_key(p.y));
    pair(" " + std::to_string(code + 20), "0.0");
  }

  std::string& out_;
  std::string owner_;
  unsigned& handle_;
};

void draw_picture(BlockWriter& block, const DxfDimensionPicture& picture) {
  Point along = direction_of(picture.angle);
  Point on_line{picture.x10, picture.y10};
  Point first{picture.x13, picture.y13}, second{picture.x14, picture.y14};
  Point foot1 = on_line + dot(first - on_line, along) * along;
  Point foot2 = on_line + dot(second - on_line, along) * along;
  for (auto [origin, foot] : {std::pair{first, foot1}, {second, foot2}}) {
    Point reach = foot - origin;
    double span = length(reach);
    if (span <= kDimensionExtensionOffset) continue;
    Point unit = (1.0 / span) * reach;
    block.line(origin + kDimensionExtensionOffset * unit, foot + kDimensionExtensionBeyond * unit);
  }
  block.line(foot1, foot2);
  Point span = foot2 - foot1;
  if (length(span) > 0.0) {
    Point unit = (1.0 / length(span)) * span;
    block.arrow(foot1, unit);
    block.arrow(foot2, -1.0 * unit);
  }
  // Texts read from the bottom or the right, whichever way the dimension runs.
  double rotation = std::fmod(std::fmod(picture.angle, 360.0) + 360.0, 360.0);
  if (rotation > 90.0 && rotation <= 270.0) rotation -= 180.0;
  Point up = direction_of(rotation + 90.0);
  block.text(dimension_measurement_text(picture), Point{picture.x11, picture.y11} + kDimensionTextGap * up, rotation);
}

}  // namespace

std::string dimension_measurement_text(const DxfDimensionPicture& picture) {
  Point along = direction_of(picture.angle);
  double measured = std::abs(dot(Point{picture.x14 - picture.x13, picture.y14 - picture.y13}, along));
  return size_key(static_cast<double>(Round(measured * 100.0)) / 100.0);
}

DxfPictureBlocks dimension_picture_blocks(const std::vector<DxfDimensionPicture>& pictures,
                                          std::string_view record_table_handle, unsigned& handle) {
  DxfPictureBlocks result;
  auto pair = append_dxf_pair;
  for (const DxfDimensionPicture& picture : pictures) {
    std::string record = dxf_handle_text(++handle);
    pair(result.records, "  0", "BLOCK_RECORD");
    pair(result.records, "  5", record);
    pair(result.records, "330", record_table_handle);
    pair(result.records, "100", "AcDbSymbolTableRecord");
    pair(result.records, "100", "AcDbBlockTableRecord");
    pair(result.records, "  2", picture.block_name);

    std::string& out = result.blocks;
    pair(out, "  0", "BLOCK");
    pair(out, "  5", dxf_handle_text(++handle));
    pair(out, "330", record);
    pair(out, "100", "AcDbEntity");
    pair(out, "  8", "0");
    pair(out, "100", "AcDbBlockBegin");
    pair(out, "  2", picture.block_name);
    pair(out, " 70", "     1");  // anonymous
    pair(out, " 10", "0.0");
    pair(out, " 20", "0.0");
    pair(out, " 30", "0.0");
    pair(out, "  3", picture.block_name);
    pair(out, "  1", "");
    BlockWriter block(out, record, handle);
    draw_picture(block, picture);
    pair(out, "  0", "ENDBLK");
    pair(out, "  5", dxf_handle_text(++handle));
    pair(out, "330", record);
    pair(out, "100", "AcDbEntity");
    pair(out, "  8", "0");
    pair(out, "100", "AcDbBlockEnd");
  }
  return result;
}
