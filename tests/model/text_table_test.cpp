#include "model/state/text_table.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

TEST(TextTable, HeaderAndRowsWithTheirFields) {
  TempDir dir;
  std::string path = dir.write("maxLoad.txt", "L\tP\tH\r\n1000\t300\t250\r\n1300\t\t200\r\n974\t280\t\r\n");
  Tres table;
  load_text_table(path, table);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0], (Tstringlist{"L", "P", "H"}));
  EXPECT_EQ(table[2], (Tstringlist{"1300", "", "200"}));
  EXPECT_EQ(table[3], (Tstringlist{"974", "280", ""}));
  EXPECT_EQ(split_tab_fields(""), (Tstringlist{""}));
  EXPECT_EQ(split_tab_fields("one"), (Tstringlist{"one"}));
}

TEST(TextTable, MissingFileIsReportedAndTheTableKept) {
  ScopedScriptedUi ui;
  TempDir dir;
  Tres table = {{"kept"}};
  load_text_table(dir.file("none.txt"), table);
  EXPECT_EQ(table, (Tres{{"kept"}}));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0], "Error reading file. \r\n" + dir.file("none.txt"));
}
