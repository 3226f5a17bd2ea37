// The project reader on damaged files: every mutation of a real file either
// loads or raises FileError, never crashes, hangs or raises anything else.
#include <gtest/gtest.h>

#include <random>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "support/sample_project.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kReplacements = {"",           "-1",       "0",      "1",        "2147483647", "-2147483648",
                             "9999999999", "1e308",    "-1e308", "nan",      "inf",        "V002",
                             "V001",       "V",        "H",      "    2.50", "x",          std::string(300, 'y'),
                             "\xC3",       "1.5e-320", "0x10",   "+3",       " 7 "};

// One random change: a line replaced, removed, duplicated or a byte altered.
Lines mutate(Lines lines, std::mt19937& random) {
  if (lines.empty()) return lines;
  std::uniform_int_distribution<std::size_t> pick_line(0, lines.size() - 1);
  std::size_t at = pick_line(random);
  switch (random() % 4) {
    case 0:
      lines[at] = kReplacements[random() % kReplacements.size()];
      break;
    case 1:
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
      break;
    case 2:
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[at]);
      break;
    default:
      if (!lines[at].empty()) lines[at][random() % lines[at].size()] = static_cast<char>(random() % 256);
      break;
  }
  return lines;
}

// A real file; without free modules it is also a valid version 1 file once its first line says so.
Lines source_file(bool with_free_modules) {
  int free_modules = with_free_modules ? 2 : 0;
  Tcells cells = {sample_cell("Uno", 2, 2, free_modules), sample_cell("Due", 1, 1, free_modules)};
  return split_lines(project_file_text(sample_quote_header(), cells, 1, true));
}

}  // namespace

TEST(ProjectReaderFuzz, MutatedFilesLoadOrRaiseFileError) {
  HeightList = {1500.0, 1700.0, 2000.0};
  WidthList = {300.0, 475.0};
  LangTable.assign(40, "Cella");
  std::mt19937 random(20261206);
  const Lines sources[] = {source_file(true), source_file(false)};
  int loaded = 0;
  int refused = 0;
  for (int round = 0; round < 4000; ++round) {
    Lines lines = sources[round % 2];
    int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) lines = mutate(lines, random);
    // Try each mutation as the current version, as version 1 and as a legacy file.
    for (int form = 0; form < 3 && !lines.empty(); ++form) {
      Lines variant = lines;
      if (form == 1) variant[0] = "V001";
      if (form == 2) variant.erase(variant.begin());
      try {
        ProjectData project = parse_project(joined_lines(variant), "fuzz");
        EXPECT_FALSE(project.cells.empty());
        EXPECT_GE(project.current_cell, 0);
        EXPECT_LT(project.current_cell, static_cast<int>(project.cells.size()));
        ++loaded;
      } catch (const FileError&) {
        ++refused;
      }
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(refused, 0);
}
