// The export menu commands: the file the user picks, the extension, and
// failures shown rather than thrown.
#include <gtest/gtest.h>

#include "dxf_fixture.h"
#include "output/dxf/dxf_export_command.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

// Records the filter of each save dialog besides what ScriptedUi records.
class SaveDialogUi : public ScriptedUi {
 public:
  bool ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) override {
    filters.push_back(filter);
    return ScriptedUi::ask_save_file_name(caption, filter, path);
  }
  std::vector<std::string> filters;
};

TEST(DxfCommandTest, TheExtensionIsAddedUnlessPresentInAnyCase) {
  for (std::string kept : {"/home/a/plan.DXF", "/home/a/plan.Dxf"}) EXPECT_EQ(dxf_file_name(kept), kept);
  for (std::string bare : {"/home/a/plan", "/home/a.dxf/plan", "/home/a/plan.dwg"})
    EXPECT_EQ(dxf_file_name(bare), bare + ".dxf");
}

TEST_F(DxfExportTest, TheMenuCommandsAskWriteAndReport) {
  SaveDialogUi dialogs;
  set_ui(&dialogs);
  struct RestoreUi {
    ~RestoreUi() { set_ui(nullptr); }
  } restore;
  TempDir folder;
  add_room(5000, 3000);
  dialogs.file_answers = {folder.file("plan"), folder.file("solid.DXF"), folder.file("missing/plan")};
  run_dxf_export(false);
  run_dxf_export(true);
  EXPECT_EQ(dialogs.filters, (std::vector<std::string>{"Dxf 2D (*.dxf)", "Dxf 3D (*.dxf)"}));
  EXPECT_EQ(read_entities(folder.read("plan.dxf")).size(), 8u);
  EXPECT_EQ(read_entities(folder.read("solid.DXF")).size(), 8u);
  EXPECT_TRUE(dialogs.messages.empty());

  run_dxf_export(false);  // a folder that does not exist
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].find("plan.dxf"), std::string::npos);
  run_dxf_export(true);  // cancelled
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
