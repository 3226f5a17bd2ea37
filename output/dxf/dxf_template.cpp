#include "output/dxf/dxf_template.h"

#include <algorithm>

#include "model/base/file_io.h"
#include "output/dxf/dxf_dimension_blocks.h"

namespace {

std::string_view trimmed(std::string_view text) {
  const char* blanks = " \t\r";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Walks CR LF ended text pair by pair: group code line, value line.
class PairReader {
 public:
  explicit PairReader(std::string_view text) : text_(text) {}

  // False at the end; a last pair without value line gets an empty value.
  bool next() {
    if (position_ >= text_.size()) return false;
    start_ = position_;
    code_ = line();
    value_start_ = position_;
    value_ = position_ < text_.size() ? line() : std::string_view{};
    return true;
  }
  std::string_view code() const { return trimmed(code_); }
  std::string_view value() const { return trimmed(value_); }
  std::size_t start() const { return start_; }              // of the code line
  std::size_t value_start() const { return value_start_; }  // of the value line
  // Where the value line's text ends, before its CR.
  std::size_t value_end() const {
    return value_start_ + value_.size() - (!value_.empty() && value_.back() == '\r' ? 1 : 0);
  }

 private:
  std::string_view line() {
    std::size_t end = std::min(text_.find('\n', position_), text_.size());
    std::string_view line = text_.substr(position_, end - position_);
    position_ = std::min(end + 1, text_.size());
    return line;
  }

  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t start_ = 0;
  std::size_t value_start_ = 0;
  std::string_view code_, value_;
};

// Where the picture blocks of the dimensions go in the head.
struct BlockPlaces {
  std::size_t record_end = std::string::npos;  // the ENDTAB of the block record table
  std::size_t blocks_end = std::string::npos;  // the ENDSEC of the BLOCKS section
  std::string record_table_handle;
};

BlockPlaces block_places(std::string_view head) {
  BlockPlaces places;
  PairReader pairs(head);
  std::string_view previous_code, previous_value;
  enum { Other, RecordTable, BlocksSection } inside = Other;
  while (pairs.next()) {
    if (previous_code == "0" && previous_value == "TABLE" && pairs.code() == "2" && pairs.value() == "BLOCK_RECORD")
      inside = RecordTable;
    if (previous_code == "0" && previous_value == "SECTION" && pairs.code() == "2" && pairs.value() == "BLOCKS")
      inside = BlocksSection;
    if (inside == RecordTable && places.record_table_handle.empty() && pairs.code() == "5")
      places.record_table_handle = pairs.value();
    if (inside == RecordTable && pairs.code() == "0" && pairs.value() == "ENDTAB") {
      places.record_end = pairs.start();
      inside = Other;
    }
    if (inside == BlocksSection && pairs.code() == "0" && pairs.value() == "ENDSEC") {
      places.blocks_end = pairs.start();
      inside = Other;
    }
    previous_code = pairs.code();
    previous_value = pairs.value();
  }
  return places;
}

std::set<std::string> defined_blocks(std::string_view head) {
  std::set<std::string> names;
  PairReader pairs(head);
  bool in_block = false;
  while (pairs.next()) {
    if (pairs.code() == "0") in_block = pairs.value() == "BLOCK";
    if (in_block && pairs.code() == "2") {
      names.insert(std::string(pairs.value()));
      in_block = false;
    }
  }
  return names;
}

}  // namespace

DxfTemplate parse_dxf_template(std::string_view text, const std::string& name) {
  DxfTemplate drawing;
  std::string* part = &drawing.head;
  for (std::size_t position = 0; position < text.size();) {
    std::size_t end = text.find('\n', position);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(position, end - position);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    *part += line;
    *part += "\r\n";
    if (part == &drawing.head && trimmed(line) == "ENTITIES") part = &drawing.tail;
    position = end + 1;
  }
  if (part == &drawing.head) throw FileError("The drawing template " + name + " has no ENTITIES section");
  drawing.block_names = defined_blocks(drawing.head);
  return drawing;
}

DxfTemplate read_dxf_template(const std::string& path) { return parse_dxf_template(read_file_bytes(path), path); }

void patch_handle_seed(std::string& text, unsigned seed) {
  PairReader pairs(text);
  bool armed = false;
  while (pairs.next()) {
    if (pairs.code() == "9" && pairs.value() == "$HANDSEED") {
      armed = true;
    } else if (armed && pairs.code() == "5") {
      text.replace(pairs.value_start(), pairs.value_end() - pairs.value_start(), dxf_handle_text(seed));
      return;
    }
  }
}

std::string finish_dxf(DxfEntities& entities, const DxfTemplate& drawing) {
  unsigned handle = entities.dxf_handle;
  const std::vector<DxfDimensionPicture> pictures = entities.dimensions();
  std::string text = entities.take_text();
  text += drawing.tail;
  // Entities and picture blocks come in whole pairs: only the template can leave a line over.
  if ((std::count(drawing.head.begin(), drawing.head.end(), '\n') +
       std::count(drawing.tail.begin(), drawing.tail.end(), '\n')) %
          2 ==
      1)
    text += "\r\n";
  if (!pictures.empty()) {
    BlockPlaces places = block_places(drawing.head);
    if (places.record_end == std::string::npos || places.blocks_end == std::string::npos ||
        places.record_table_handle.empty())
      throw FileError("The drawing template has no block table for the pictures of the dimensions");
    DxfPictureBlocks blocks = dimension_picture_blocks(pictures, places.record_table_handle, handle);
    std::string head = drawing.head;
    // The later place first, so the earlier one stays where it was found.
    head.insert(places.blocks_end, blocks.blocks);
    head.insert(places.record_end, blocks.records);
    text.replace(0, drawing.head.size(), head);
  }
  patch_handle_seed(text, handle + 1);
  return text;
}
