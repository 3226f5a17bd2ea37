#include "output/dxf/dxf_entities.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "model/base/rounding.h"

namespace {

// Every entity belongs to the model space, whose block record the templates keep at handle 21.
constexpr std::string_view kModelSpaceHandle = "21";

// Decodes one UTF-8 character at text[i], advancing i; a byte that starts no
// valid sequence stands for itself (Latin-1).
unsigned next_code_point(std::string_view text, std::size_t& i) {
  unsigned lead = static_cast<unsigned char>(text[i]);
  std::size_t extra = lead >= 0xC2 && lead < 0xE0   ? 1
                      : lead >= 0xE0 && lead < 0xF0 ? 2
                      : lead >= 0xF0 && lead < 0xF5 ? 3
                                                    : 0;
  if (extra > 0 && i + extra < text.size()) {
    unsigned code = lead & (0x3Fu >> extra);
    bool valid = true;
    for (std::size_t k = 1; k <= extra && valid; ++k) {
      unsigned next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (valid) {
      i += extra + 1;
      return code;
    }
  }
  ++i;
  return lead;
}

}  // namespace

void append_dxf_pair(std::string& out, std::string_view code, std::string_view value) {
  // One append per pair: the entity text of a large project runs to millions of lines.
  char line[128];
  std::size_t size = code.size() + value.size() + 4;
  if (size > sizeof line) {
    out.append(code).append("\r\n").append(value).append("\r\n");
    return;
  }
  char* at = std::copy(code.begin(), code.end(), line);
  *at++ = '\r';
  *at++ = '\n';
  at = std::copy(value.begin(), value.end(), at);
  *at++ = '\r';
  *at++ = '\n';
  out.append(line, size);
}

std::string dxf_handle_text(unsigned handle) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  char text[16];
  char* end = text + sizeof text;
  char* start = end;
  do {
    *--start = Digits[handle % 16];
    handle /= 16;
  } while (handle != 0 || end - start < 2);
  return std::string(start, end);
}

std::string dxf_rotation_text(double degrees) {
  if (degrees == 0.0) degrees = 0.0;  // no sign for -0
  char mantissa[40];
  auto result = std::to_chars(mantissa, mantissa + sizeof mantissa, degrees < 0 ? -degrees : degrees,
                              std::chars_format::scientific, 14);
  std::string digits(mantissa, result.ptr);  // "9.00000000000000e+01"
  std::size_t e = digits.find('e');
  int exponent = 0;
  std::from_chars(digits.data() + e + 2, digits.data() + digits.size(), exponent);
  char text[40];
  std::snprintf(text, sizeof text, "%c%sE%c%04d", degrees < 0 ? '-' : ' ', digits.substr(0, e).c_str(), digits[e + 1],
                exponent);
  return text;
}

std::string dxf_ascii_text(std::string_view utf8) {
  std::string text;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned code = next_code_point(utf8, i);
    if (code >= 0x20 && code < 0x7F) {
      text += static_cast<char>(code);
    } else {
      char escaped[16];
      std::snprintf(escaped, sizeof escaped, "\\U+%04X", code);
      text += escaped;
    }
  }
  return text;
}

void DxfEntities::set_defined_blocks(std::set<std::string> names) {
  defined_blocks_ = std::move(names);
  check_blocks_ = true;
}

void DxfEntities::pair(std::string_view code, std::string_view value) { append_dxf_pair(text_, code, value); }

void DxfEntities::number(std::string_view code, double value) { pair(code, size_key(value)); }

void DxfEntities::begin(std::string_view type, const std::string& layer, bool dimension_codes) {
  ++dxf_handle;
  pair("  0", type);
  pair(dimension_codes ? "5" : "  5", dxf_handle_text(dxf_handle));
  pair("330", kModelSpaceHandle);
  pair("100", "AcDbEntity");
  pair(dimension_codes ? "8" : "  8", layer);
}

void DxfEntities::dxf_insert(const std::string& block, const std::string& layer, const std::string& url, double x,
                             double y, double z, double rotation, double scale) {
  if (check_blocks_ && !defined_blocks_.contains(block)) {
    missing_blocks_.insert(block);
    return;
  }
  begin("INSERT", layer);
  pair("100", "AcDbBlockReference");
  pair("  2", block);
  number(" 10", x + dxf_origin_x);
  number(" 20", y + dxf_origin_y);
  number(" 30", z);
  number(" 41", scale);
  pair(" 42", "1");
  pair(" 43", "1");
  number(" 50", rotation);
  if (!url.empty()) {
    pair("1001", "PE_URL");
    pair("1000", url);
    pair("1002", "{");
    pair("1000", url);
    pair("1002", "}");
  }
}

void DxfEntities::dxf_line(const std::string& layer, double x1, double y1, double x2, double y2) {
  begin("LINE", layer);
  pair("100", "AcDbLine");
  number(" 10", x1 + dxf_origin_x);
  number(" 20", y1 + dxf_origin_y);
  pair(" 30", "0.0");
  number(" 11", x2 + dxf_origin_x);
  number(" 21", y2 + dxf_origin_y);
  pair(" 31", "0.0");
}

void DxfEntities::dxf_rectangle(const std::string& layer, double x1, double y1, double x2, double y2) {
  begin("LWPOLYLINE", layer);
  pair("100", "AcDbPolyline");
  pair(" 90", "  4");
  pair(" 70", "  1");
  pair(" 43", "0.0");
  for (auto [x, y] : {std::pair{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}) {
    number(" 10", x + dxf_origin_x);
    number(" 20", y + dxf_origin_y);
  }
}

void DxfEntities::dxf_dimension(int /*flags*/, const std::string& layer, double x10, double y10, double x11, double y11,
                                double x13, double y13, double x14, double y14, double angle) {
  DxfDimensionPicture picture{"*D" + std::to_string(dimensions_.size() + 1),
                              x10 + dxf_origin_x,
                              y10 + dxf_origin_y,
                              x11 + dxf_origin_x,
                              y11 + dxf_origin_y,
                              x13 + dxf_origin_x,
                              y13 + dxf_origin_y,
                              x14 + dxf_origin_x,
                              y14 + dxf_origin_y,
                              angle};
  begin("DIMENSION", layer, true);
  pair("100", "AcDbDimension");
  pair("2", picture.block_name);
  number("10", picture.x10);
  number("20", picture.y10);
  pair("30", "0");
  number("11", picture.x11);
  number("21", picture.y11);
  pair("31", "0");
  pair("70", "0");
  pair("3", "ISO-25");
  pair("100", "AcDbAlignedDimension");
  number("13", picture.x13);
  number("23", picture.y13);
  pair("33", "0");
  number("14", picture.x14);
  number("24", picture.y14);
  pair("34", "0");
  number("50", angle);
  pair("100", "AcDbRotatedDimension");
  dimensions_.push_back(std::move(picture));
}

void DxfEntities::dxf_text(const std::string& text, const std::string& layer, double x, double y, double rotation) {
  begin("TEXT", layer);
  pair("100", "AcDbText");
  number(" 10", x + dxf_origin_x);
  number(" 20", y + dxf_origin_y);
  pair(" 30", "0.0");
  pair(" 40", "80.0");
  pair("  1", dxf_ascii_text(text));
  pair(" 50", dxf_rotation_text(rotation));
  pair(" 41", "0.8");
  pair("  7", "stile1");
  pair(" 72", "     1");
  number(" 11", x + dxf_origin_x);
  number(" 21", y + dxf_origin_y);
  pair(" 31", "0.0");
  pair("100", "AcDbText");
}
