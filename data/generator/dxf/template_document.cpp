#include "template_document.h"

#include <optional>
#include <stdexcept>

#include "model/base/rounding.h"
#include "output/dxf/dxf_dimension_blocks.h"
#include "output/dxf/dxf_entities.h"
#include "output/dxf/dxf_template.h"

namespace {

// Fixed handles: the tables, the root dictionaries, the model space (which the
// exports' entities name as their owner) and the paper space.
constexpr unsigned kBlockRecordTable = 0x1, kLayerTable = 0x2, kStyleTable = 0x3, kLineTypeTable = 0x5,
                   kViewTable = 0x6, kUcsTable = 0x7, kViewportTable = 0x8, kAppIdTable = 0x9, kDimStyleTable = 0xA,
                   kRootDictionary = 0xC, kGroupDictionary = 0xD, kLayoutDictionary = 0x1A, kModelSpaceRecord = 0x21,
                   kModelSpaceBlock = 0x22, kModelSpaceEnd = 0x23, kPaperSpaceRecord = 0x24, kPaperSpaceBlock = 0x25,
                   kPaperSpaceEnd = 0x26, kModelLayout = 0x27, kPaperLayout = 0x28, kStandardStyle = 0x29,
                   kFirstFreeHandle = 0x30;

class Writer {
 public:
  void pair(std::string_view code, std::string_view value) { append_dxf_pair(text, code, value); }
  void number(std::string_view code, double value) { pair(code, size_key(value)); }
  void handle(std::string_view code, unsigned value) { pair(code, dxf_handle_text(value)); }
  void integer(std::string_view code, int value) {
    std::string digits = std::to_string(value);
    pair(code, std::string(digits.size() < 6 ? 6 - digits.size() : 0, ' ') + digits);
  }
  void point(int code, double x, double y, double z) {
    number(" " + std::to_string(code), x);
    number(" " + std::to_string(code + 10), y);
    number(" " + std::to_string(code + 20), z);
  }
  void numbers(std::initializer_list<std::pair<std::string_view, double>> values) {
    for (auto [code, value] : values) number(code, value);
  }
  void integers(std::initializer_list<std::pair<std::string_view, int>> values) {
    for (auto [code, value] : values) integer(code, value);
  }
  void variable(std::string_view name) { pair("  9", name); }

  void begin_section(std::string_view name) {
    pair("  0", "SECTION");
    pair("  2", name);
  }
  void end_section() { pair("  0", "ENDSEC"); }

  void begin_table(std::string_view name, unsigned table_handle, int entries) {
    pair("  0", "TABLE");
    pair("  2", name);
    handle("  5", table_handle);
    pair("330", "0");
    pair("100", "AcDbSymbolTable");
    integer(" 70", entries);
    if (name == "DIMSTYLE") pair("100", "AcDbDimStyleTable");
  }
  void end_table() { pair("  0", "ENDTAB"); }
  void begin_entry(std::string_view type, unsigned entry_handle, unsigned table_handle, std::string_view subclass,
                   std::string_view name) {
    pair("  0", type);
    handle(type == "DIMSTYLE" ? "105" : "  5", entry_handle);
    handle("330", table_handle);
    pair("100", "AcDbSymbolTableRecord");
    pair("100", subclass);
    pair("  2", name);
    integer(" 70", 0);
  }

  // The head shared by a block's begin and end markers.
  void block_marker(std::string_view type, unsigned marker_handle, unsigned record, bool paper) {
    pair("  0", type);
    handle("  5", marker_handle);
    handle("330", record);
    pair("100", "AcDbEntity");
    if (paper) integer(" 67", 1);
    pair("  8", "0");
  }

  // A dictionary and the handle of its owner ("0" for the root, which has none).
  void begin_dictionary(unsigned dictionary_handle, std::string_view owner) {
    pair("  0", "DICTIONARY");
    handle("  5", dictionary_handle);
    pair("330", owner);
    pair("100", "AcDbDictionary");
    integer("281", 1);
  }
  void dictionary_entry(std::string_view name, unsigned entry_handle) {
    pair("  3", name);
    handle("350", entry_handle);
  }

  std::string text;
};

void write_header(Writer& w) {
  using Text = std::pair<std::string_view, std::pair<std::string_view, std::string_view>>;
  auto texts = [&w](std::initializer_list<Text> variables) {
    for (const auto& [name, value] : variables) {
      w.variable(name);
      w.pair(value.first, value.second);
    }
  };
  w.begin_section("HEADER");
  texts({{"$ACADVER", {"  1", "AC1015"}}, {"$DWGCODEPAGE", {"  3", "ANSI_1252"}}});
  w.variable("$INSBASE");
  w.point(10, 0, 0, 0);
  texts({{"$CLAYER", {"  8", "0"}}, {"$TEXTSTYLE", {"  7", "Standard"}}, {"$DIMSTYLE", {"  2", "ISO-25"}}});
  // Dimensions of plans in millimetres, as the exports draw their pictures.
  for (auto [name, value] : {std::pair<std::string_view, double>{"$DIMSCALE", 1},
                             {"$DIMASZ", kDimensionArrowSize},
                             {"$DIMEXO", kDimensionExtensionOffset},
                             {"$DIMEXE", kDimensionExtensionBeyond},
                             {"$DIMTXT", kDimensionTextHeight},
                             {"$DIMGAP", kDimensionTextGap}}) {
    w.variable(name);
    w.number(" 40", value);
  }
  for (auto [name, value] : {std::pair<std::string_view, int>{"$DIMTAD", 1},
                             {"$DIMTIH", 0},
                             {"$DIMTOH", 0},
                             {"$DIMDEC", 2},
                             {"$DIMZIN", 8},
                             {"$DIMDSEP", 46},
                             {"$LUNITS", 2},
                             {"$LUPREC", 2},
                             {"$INSUNITS", 4},
                             {"$MEASUREMENT", 1}}) {
    w.variable(name);
    w.integer(" 70", value);
  }
  w.variable("$HANDSEED");
  w.handle("  5", kFirstFreeHandle);  // set to the first unused handle once all are given
  w.end_section();
  w.begin_section("CLASSES");
  w.end_section();
}

void write_tables(Writer& w, const std::vector<TemplateLayer>& layers, const std::vector<TemplateBlock>& blocks,
                  const std::vector<unsigned>& block_records, unsigned& next) {
  w.begin_section("TABLES");

  w.begin_table("VPORT", kViewportTable, 1);
  w.begin_entry("VPORT", next++, kViewportTable, "AcDbViewportTableRecord", "*ACTIVE");
  w.point(10, 0, 0, 0);
  w.point(11, 1, 1, 0);
  w.point(12, 0, 0, 0);
  w.point(13, 0, 0, 0);
  w.point(14, 10, 10, 0);
  w.point(15, 10, 10, 0);
  w.point(16, 0, 0, 1);
  w.point(17, 0, 0, 0);
  w.numbers({{" 40", 20000}, {" 41", 1.5}, {" 42", 50}, {" 43", 0}, {" 44", 0}, {" 50", 0}, {" 51", 0}});
  w.integers({{" 71", 0}, {" 72", 100}, {" 73", 1}, {" 74", 3}, {" 75", 0}, {" 76", 0}, {" 77", 0}, {" 78", 0}});
  w.end_table();

  w.begin_table("LTYPE", kLineTypeTable, 3);
  for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
    w.begin_entry("LTYPE", next++, kLineTypeTable, "AcDbLinetypeTableRecord", name);
    w.pair("  3", std::string_view(name) == "Continuous" ? "Solid line" : "");
    w.integers({{" 72", 65}, {" 73", 0}});
    w.number(" 40", 0);
  }
  w.end_table();

  w.begin_table("LAYER", kLayerTable, static_cast<int>(layers.size()));
  for (const TemplateLayer& layer : layers) {
    w.begin_entry("LAYER", next++, kLayerTable, "AcDbLayerTableRecord", layer.name);
    w.integer(" 62", layer.colour);
    w.pair("  6", "Continuous");
  }
  w.end_table();

  w.begin_table("STYLE", kStyleTable, 2);
  for (const char* name : {"Standard", "stile1"}) {
    w.begin_entry("STYLE", std::string_view(name) == "Standard" ? kStandardStyle : next++, kStyleTable,
                  "AcDbTextStyleTableRecord", name);
    w.numbers({{" 40", 0}, {" 41", 1}, {" 50", 0}});
    w.integer(" 71", 0);
    w.number(" 42", 80);
    w.pair("  3", "txt");
    w.pair("  4", "");
  }
  w.end_table();

  w.begin_table("VIEW", kViewTable, 0);
  w.end_table();
  w.begin_table("UCS", kUcsTable, 0);
  w.end_table();

  w.begin_table("APPID", kAppIdTable, 2);
  for (const char* name : {"ACAD", "PE_URL"})
    w.begin_entry("APPID", next++, kAppIdTable, "AcDbRegAppTableRecord", name);
  w.end_table();

  w.begin_table("DIMSTYLE", kDimStyleTable, 2);
  for (const char* name : {"Standard", "ISO-25"}) {
    w.begin_entry("DIMSTYLE", next++, kDimStyleTable, "AcDbDimStyleTableRecord", name);
    w.numbers({{" 40", 1},  // scale
               {" 41", kDimensionArrowSize},
               {" 42", kDimensionExtensionOffset},
               {" 44", kDimensionExtensionBeyond},
               {"140", kDimensionTextHeight},
               {"147", kDimensionTextGap}});
    w.integers({{" 73", 0}, {" 74", 0}, {" 77", 1}, {"271", 2}, {"272", 2}, {"278", 46}, {"277", 2}, {" 78", 8}});
    w.handle("340", kStandardStyle);
  }
  w.end_table();

  w.begin_table("BLOCK_RECORD", kBlockRecordTable, static_cast<int>(blocks.size()) + 2);
  w.begin_entry("BLOCK_RECORD", kModelSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord", "*Model_Space");
  w.handle("340", kModelLayout);
  w.begin_entry("BLOCK_RECORD", kPaperSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord", "*Paper_Space");
  w.handle("340", kPaperLayout);
  for (std::size_t b = 0; b < blocks.size(); ++b)
    w.begin_entry("BLOCK_RECORD", block_records[b], kBlockRecordTable, "AcDbBlockTableRecord", blocks[b].name);
  w.end_table();
  w.end_section();
}

// The end marker takes the given handle, or the next free one after the contents.
void write_block(Writer& w, const std::string& name, unsigned record, unsigned begin, std::optional<unsigned> end,
                 bool paper, unsigned& next, const std::function<void(BlockShapes&)>& draw) {
  w.block_marker("BLOCK", begin, record, paper);
  w.pair("100", "AcDbBlockBegin");
  w.pair("  2", name);
  w.integer(" 70", 0);
  w.point(10, 0, 0, 0);
  w.pair("  3", name);
  w.pair("  1", "");
  if (draw) {
    BlockShapes shapes(w.text, next, dxf_handle_text(record));
    draw(shapes);
  }
  w.block_marker("ENDBLK", end ? *end : next++, record, paper);
  w.pair("100", "AcDbBlockEnd");
}

void write_layout(Writer& w, unsigned handle, std::string_view name, int order, unsigned record) {
  w.pair("  0", "LAYOUT");
  w.handle("  5", handle);
  w.handle("330", kLayoutDictionary);
  w.pair("100", "AcDbPlotSettings");
  w.pair("  1", "");
  w.integer(" 70", 688);
  w.pair("100", "AcDbLayout");
  w.pair("  1", name);
  w.integers({{" 70", 1}, {" 71", order}});
  w.handle("330", record);
}

void write_objects(Writer& w) {
  w.begin_section("OBJECTS");
  w.begin_dictionary(kRootDictionary, "0");
  w.dictionary_entry("ACAD_GROUP", kGroupDictionary);
  w.dictionary_entry("ACAD_LAYOUT", kLayoutDictionary);
  w.begin_dictionary(kGroupDictionary, dxf_handle_text(kRootDictionary));
  w.begin_dictionary(kLayoutDictionary, dxf_handle_text(kRootDictionary));
  w.dictionary_entry("Layout1", kPaperLayout);
  w.dictionary_entry("Model", kModelLayout);
  write_layout(w, kModelLayout, "Model", 0, kModelSpaceRecord);
  write_layout(w, kPaperLayout, "Layout1", 1, kPaperSpaceRecord);
  w.end_section();
}

}  // namespace

void BlockShapes::begin(std::string_view type, std::string_view subclass) {
  auto pair = [this](std::string_view code, std::string_view value) { append_dxf_pair(out_, code, value); };
  pair("  0", type);
  pair("  5", dxf_handle_text(handle_++));
  pair("330", owner_);
  pair("100", "AcDbEntity");
  pair("  8", "0");
  pair(" 62", "     0");
  pair("100", subclass);
}

namespace {
void append_number(std::string& out, std::string_view code, double value) {
  append_dxf_pair(out, code, size_key(value));
}
}  // namespace

void BlockShapes::line(double x1, double y1, double x2, double y2) {
  begin("LINE", "AcDbLine");
  for (auto [code, value] : {std::pair{" 10", x1}, {" 20", y1}, {" 30", 0.0}, {" 11", x2}, {" 21", y2}, {" 31", 0.0}})
    append_number(out_, code, value);
}

void BlockShapes::polygon(const std::vector<std::pair<double, double>>& points) {
  begin("LWPOLYLINE", "AcDbPolyline");
  append_dxf_pair(out_, " 90", std::to_string(points.size()));
  append_dxf_pair(out_, " 70", "     1");
  append_dxf_pair(out_, " 43", "0.0");
  for (auto [x, y] : points) {
    append_number(out_, " 10", x);
    append_number(out_, " 20", y);
  }
}

void BlockShapes::rectangle(double x1, double y1, double x2, double y2) {
  polygon({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

void BlockShapes::circle(double x, double y, double radius) {
  begin("CIRCLE", "AcDbCircle");
  for (auto [code, value] : {std::pair{" 10", x}, {" 20", y}, {" 30", 0.0}, {" 40", radius}})
    append_number(out_, code, value);
}

void BlockShapes::face(const double (&corners)[4][3]) {
  begin("3DFACE", "AcDbFace");
  for (int c = 0; c < 4; ++c)
    for (int axis = 0; axis < 3; ++axis)
      append_number(out_, " " + std::to_string(10 * (axis + 1) + c), corners[c][axis]);
}

void BlockShapes::box(double x1, double y1, double z1, double x2, double y2, double z2) {
  face({{x1, y1, z1}, {x2, y1, z1}, {x2, y2, z1}, {x1, y2, z1}});  // bottom
  face({{x1, y1, z2}, {x2, y1, z2}, {x2, y2, z2}, {x1, y2, z2}});  // top
  face({{x1, y1, z1}, {x2, y1, z1}, {x2, y1, z2}, {x1, y1, z2}});
  face({{x1, y2, z1}, {x2, y2, z1}, {x2, y2, z2}, {x1, y2, z2}});
  face({{x1, y1, z1}, {x1, y2, z1}, {x1, y2, z2}, {x1, y1, z2}});
  face({{x2, y1, z1}, {x2, y2, z1}, {x2, y2, z2}, {x2, y1, z2}});
}

std::string template_document(const std::vector<TemplateLayer>& layers, const std::vector<TemplateBlock>& blocks,
                              unsigned first_entity_handle) {
  unsigned next = kFirstFreeHandle;
  std::vector<unsigned> records;
  for (std::size_t b = 0; b < blocks.size(); ++b) records.push_back(next++);
  Writer w;
  write_header(w);
  write_tables(w, layers, blocks, records, next);
  w.begin_section("BLOCKS");
  write_block(w, "*Model_Space", kModelSpaceRecord, kModelSpaceBlock, kModelSpaceEnd, false, next, nullptr);
  write_block(w, "*Paper_Space", kPaperSpaceRecord, kPaperSpaceBlock, kPaperSpaceEnd, true, next, nullptr);
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    unsigned begin = next++;
    write_block(w, blocks[b].name, records[b], begin, std::nullopt, false, next, blocks[b].draw);
  }
  w.end_section();
  w.begin_section("ENTITIES");
  w.end_section();
  write_objects(w);
  w.pair("  0", "EOF");
  patch_handle_seed(w.text, next);
  if (next >= first_entity_handle) throw std::runtime_error("the template's handles reach those of the entities");
  return w.text;
}
