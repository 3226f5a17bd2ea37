// What the drawing export tests share: the staged catalogue, code table and
// template drawings; a small room; and the entity section of a drawing read
// back pair by pair.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/staged_data.h"
#include "model/base/rounding.h"
#include "model/state/globals.h"
#include "output/dxf/dxf_export.h"
#include "output/dxf/dxf_template.h"
#include "support/plain_number.h"
#include "support/plan_builders.h"

// One entity of a drawing: its type and its pairs, codes without blanks.
struct DxfEntity {
  std::string type;
  std::vector<std::pair<std::string, std::string>> pairs;

  // The value of the n-th pair with this code; "" when there is none.
  std::string value(const std::string& code, int n = 0) const {
    for (const auto& [c, v] : pairs)
      if (c == code && n-- == 0) return v;
    return "";
  }
  double number(const std::string& code, int n = 0) const { return plain_number(value(code, n)); }
};

// Checks the first pairs of these codes, written "code=value" and blank-separated: "10=2500 50=180".
inline void expect_pairs(const DxfEntity& entity, const std::string& wanted) {
  std::istringstream words(wanted);
  for (std::string word; words >> word;) {
    std::size_t equals = word.find('=');
    EXPECT_EQ(entity.value(word.substr(0, equals)), word.substr(equals + 1)) << entity.type << " group " << word;
  }
}

// The entities between the "ENTITIES" line and the end of that section.
inline std::vector<DxfEntity> read_entities(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  auto trim = [](std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
  };
  std::vector<DxfEntity> entities;
  bool inside = false;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    std::string code = trim(lines[i]), value = lines[i + 1];
    if (!inside) {
      inside = code == "2" && value == "ENTITIES";
      continue;
    }
    if (code == "0" && value == "ENDSEC") break;
    if (code == "0")
      entities.push_back({value, {}});
    else
      entities.back().pairs.emplace_back(code, value);
  }
  return entities;
}

inline std::vector<DxfEntity> of_type(const std::vector<DxfEntity>& entities, const std::string& type,
                                      const std::string& block = "") {
  std::vector<DxfEntity> found;
  for (const DxfEntity& e : entities)
    if (e.type == type && (block.empty() || e.value("2") == block)) found.push_back(e);
  return found;
}

// The staged catalogue in millimetres, the default code table and both templates; no cells.
class DxfExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    load_staged_code_table();
    use_staged_program();
    plan_template = read_dxf_template(program_path("data/export.dat"));
    solid_template = read_dxf_template(program_path("data/export3d.dat"));
    Cells.clear();
    AppState.current_cell = 0;
  }
  void TearDown() override {
    Cells.clear();
    CodesTable.clear();
  }

  std::vector<DxfEntity> plan_entities() { return read_entities(dxf_2d_drawing(Cells, plan_template).text); }
  std::vector<DxfEntity> solid_entities() { return read_entities(dxf_3d_drawing(Cells, solid_template).text); }

  // A catalogue length of that composition, with its shelf row of depth 475.
  static void add_length(double length, const std::string& composition) {
    LengthList.push_back(length);
    Compositions.push_back(composition);
    Tcodice row;
    row.tipo = "R";
    row.lar = "475";
    row.lung = size_key(length);
    row.alt = "-";
    row.options = {"SI", "SI", "SI"};
    CodesTable.push_back(row);
  }

  // A cell whose outline is the rectangle from (0, 0) to (w, h), walls counter-clockwise from the bottom one.
  static Tcell& add_room(double w, double h) {
    Tcell& cell = Cells.emplace_back();
    cell.walls = {make_wall(0, 0, w, 0), make_wall(w, 0, w, h), make_wall(w, h, 0, h), make_wall(0, h, 0, 0)};
    const double normals[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (int i = 0; i < 4; ++i) {
      cell.walls[i].normal_x = normals[i][0];
      cell.walls[i].normal_y = normals[i][1];
      cell.walls[i].length = i % 2 == 0 ? w : h;
    }
    return cell;
  }

  // A bay on the bottom wall of a room, standing inside it.
  static Tmodulo& add_bottom_bay(Tcell& cell, double x, double length, double depth = 475, double height = 2000) {
    Tmodulo bay = make_bay(x, depth / 2, depth, length, 'H');
    bay.height = height;
    bay.shelf_pattern = "1";
    return cell.walls[0].modules.emplace_back(bay);
  }

  DxfTemplate plan_template, solid_template;
};
