#include "model/quote/code_lookup.h"

#include <gtest/gtest.h>

#include <random>

#include "model/base/rounding.h"

namespace {

// The rule the index must keep: scan every row, the last one that matches wins.
int last_match_by_scan(const Tdb_codici& table, const CodeKey& key, int structure_type, bool available_only) {
  int found = -1;
  for (std::size_t r = 0; r < table.size(); ++r) {
    const Tcodice& row = table[r];
    if (keys_equal(row.tipo, key.tipo) && (!key.lar || keys_equal(row.lar, *key.lar)) &&
        (!key.lung || keys_equal(row.lung, *key.lung)) && (!key.alt || keys_equal(row.alt, *key.alt)) &&
        (!available_only || row_option(row, structure_type) != "-"))
      found = static_cast<int>(r);
  }
  return found;
}

TEST(CodeIndex, AgreesWithAScanOfEveryRow) {
  const std::vector<std::string> tipos{"R", "TE", "G"}, sizes{"", "500", "914,4", "914.4", "1000"},
      options{"SI", "", "-"};
  std::mt19937 random(7);
  auto pick = [&random](const std::vector<std::string>& from) { return from[random() % from.size()]; };
  Tdb_codici table(400);
  for (Tcodice& row : table) {
    row.tipo = pick(tipos);
    row.lar = pick(sizes);
    row.lung = pick(sizes);
    row.alt = pick(sizes);
    row.options = {pick(options), pick(options)};  // type 2 lies beyond the options
  }
  CodeIndex index(table);
  for (int trial = 0; trial < 3000; ++trial) {
    CodeKey key{pick(tipos), {}, {}, {}};
    if (random() % 2) key.lar = pick(sizes);
    if (random() % 2) key.lung = pick(sizes);
    if (random() % 2) key.alt = pick(sizes);
    const int type = static_cast<int>(random() % 3);
    const bool available_only = random() % 2;
    ASSERT_EQ(index.last_match(key, type, available_only), last_match_by_scan(table, key, type, available_only))
        << "trial " << trial;
  }
}

TEST(CodeIndex, EmptyTableHasNoMatch) {
  const Tdb_codici table;
  EXPECT_EQ(CodeIndex(table).last_match(CodeKey{"R", "500", "1000", {}}, 0, true), -1);
}

TEST(CodeIndex, KeysThatWouldRunTogetherStayApart) {
  // Texts of a user's table may hold any character, a joining one too.
  const std::string unit_separator(1, '\x1f');
  Tdb_codici table(1);
  table[0].tipo = "R";
  table[0].lar = "5" + unit_separator + "00";
  CodeIndex index(table);
  EXPECT_EQ(index.last_match(CodeKey{"R" + unit_separator + "5", "00", {}, {}}, 0, false), -1);
  EXPECT_EQ(index.last_match(CodeKey{"R", table[0].lar, {}, {}}, 0, false), 0);
}

}  // namespace
