// The entity writers both drawing exports share: each appends one entity of
// an ASCII DXF entity section, with a fresh handle, its X and Y shifted by the
// origin of the cell being written. Group codes are written exactly as the
// drawings have always had them (most padded to three characters, those of
// DIMENSION from "5" on not), so files stay comparable line by line.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

// Appends one group: the code line and the value line, each ended by CR LF.
void append_dxf_pair(std::string& out, std::string_view code, std::string_view value);

// A handle as DXF writes it: upper-case hexadecimal, at least two digits.
std::string dxf_handle_text(unsigned handle);
// A TEXT rotation in the fixed 23-character scientific form (" 9.00000000000000E+0001").
std::string dxf_rotation_text(double degrees);
// A text value in the drawing's single-byte code page: printable ASCII as it
// is, any other character as \U+XXXX; invalid UTF-8 bytes count as Latin-1.
std::string dxf_ascii_text(std::string_view utf8);

// What a DIMENSION references: its measurement, kept to draw the picture block
// that CAD programs show in its place.
struct DxfDimensionPicture {
  std::string block_name;                                // "*D1", "*D2", ...
  double x10, y10, x11, y11, x13, y13, x14, y14, angle;  // shifted by the origin
};

class DxfEntities {
 public:
  // The entities follow text already written (the head of a template drawing).
  explicit DxfEntities(std::string head = {}) : text_(std::move(head)) {}

  // The block names the template defines; an INSERT of any other block is
  // left out and its name remembered (when no names are given, none is checked).
  void set_defined_blocks(std::set<std::string> names);

  void dxf_insert(const std::string& block, const std::string& layer, const std::string& url, double x, double y,
                  double z, double rotation, double scale);
  void dxf_line(const std::string& layer, double x1, double y1, double x2, double y2);
  // Closed 4-vertex polyline of the axis-parallel rectangle with corners (x1, y1) and (x2, y2).
  void dxf_rectangle(const std::string& layer, double x1, double y1, double x2, double y2);
  // Rotated linear dimension; flags is accepted and not written (group 70 is always 0).
  void dxf_dimension(int flags, const std::string& layer, double x10, double y10, double x11, double y11, double x13,
                     double y13, double x14, double y14, double angle);
  // Single-line text centred on (x, y).
  void dxf_text(const std::string& text, const std::string& layer, double x, double y, double rotation);

  // Last handle written; the next entity gets one more.
  unsigned dxf_handle = 0;
  // Added to every X and Y written (not to Z, not to distances).
  double dxf_origin_x = 0.0;
  double dxf_origin_y = 0.0;

  // The head given and the entity lines written so far (CR LF ended).
  const std::string& text() const { return text_; }
  std::string take_text() { return std::move(text_); }
  const std::vector<DxfDimensionPicture>& dimensions() const { return dimensions_; }
  // Names of undefined blocks that were asked for, each once.
  const std::set<std::string>& missing_blocks() const { return missing_blocks_; }

 private:
  void pair(std::string_view code, std::string_view value);
  void number(std::string_view code, double value);
  void begin(std::string_view type, const std::string& layer, bool dimension_codes = false);

  std::string text_;
  std::vector<DxfDimensionPicture> dimensions_;
  bool check_blocks_ = false;
  std::set<std::string> defined_blocks_;
  std::set<std::string> missing_blocks_;
};
