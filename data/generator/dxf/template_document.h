// A template drawing for the exports: an ASCII DXF R2000 file with the header,
// the tables (viewport, line types, layers, text and dimension styles,
// applications, block records), the block definitions, an empty entity section
// and the root dictionary with the two layouts. Lines end in CR LF; every
// handle lies below the first one the export gives its entities.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Writes the entities of one block definition: on layer "0", coloured by block.
class BlockShapes {
 public:
  BlockShapes(std::string& out, unsigned& handle, std::string owner)
      : out_(out), handle_(handle), owner_(std::move(owner)) {}

  void line(double x1, double y1, double x2, double y2);
  // Closed polyline through the points (x, y pairs).
  void polygon(const std::vector<std::pair<double, double>>& points);
  void rectangle(double x1, double y1, double x2, double y2);
  void circle(double x, double y, double radius);
  // A solid box as its six 3DFACE sides.
  void box(double x1, double y1, double z1, double x2, double y2, double z2);

 private:
  void begin(std::string_view type, std::string_view subclass);
  void face(const double (&corners)[4][3]);

  std::string& out_;
  unsigned& handle_;
  std::string owner_;
};

struct TemplateBlock {
  std::string name;
  std::function<void(BlockShapes&)> draw;
};

struct TemplateLayer {
  std::string name;
  int colour;
};

// The whole template; raises std::runtime_error when its handles would reach first_entity_handle.
std::string template_document(const std::vector<TemplateLayer>& layers, const std::vector<TemplateBlock>& blocks,
                              unsigned first_entity_handle);
