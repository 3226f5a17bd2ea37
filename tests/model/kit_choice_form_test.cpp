// The kit choice dialog's form: the choices, the kit they name, OK and Cancel.
#include "model/modules/kit_choice_form.h"

#include <gtest/gtest.h>

#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"

namespace {

class KitChoice : public FreshProjectTest {
 protected:
  void SetUp() override {
    KitWidthTable = {{"LARGHEZZA", "SUFFISSO"}, {"974", "-097"}, {"1200", "-120"}};
    KitTable = {{"L", "B", "M", "P", "C"}, {"2600", "2245", "1", "577 577", "CV2245-1"}};
  }
  void TearDown() override {
    KitTable.clear();
    KitWidthTable.clear();
  }
};

}  // namespace

TEST_F(KitChoice, TheFormOffersTheTablesChoicesAndAMatchLoadsTheTemplate) {
  KitChoiceForm form = kit_choice_form();
  EXPECT_EQ(form.widths, (std::vector<std::string>{"974", "1200"}));
  EXPECT_EQ(form.lengths, (std::vector<std::string>{"2600-2245"}));
  EXPECT_TRUE(form.width.empty() && form.length.empty() && form.kit_code.empty());

  form.width = "1200";
  choose_kit(form);  // no length yet
  EXPECT_EQ(form.kit_code, "");
  form.length = "2600-2245";
  choose_kit(form);
  EXPECT_EQ(form.kit_code, "CV2245-1-120");
  EXPECT_EQ(AppState.compact_template.kit_code, "CV2245-1-120");
  EXPECT_EQ(AppState.compact_template.depth, 1200);
}

TEST_F(KitChoice, OkNeedsAKitAndCancelDropsTheKitAndThePlacement) {
  KitChoiceForm form = kit_choice_form();
  EXPECT_FALSE(apply_kit_choice(form));
  EXPECT_EQ(AppState.place_compact_mode, 0);
  form.width = "974";
  form.length = "2600-2245";
  choose_kit(form);
  EXPECT_TRUE(apply_kit_choice(form));
  EXPECT_EQ(AppState.place_compact_mode, 1);
  cancel_kit_choice(form);
  EXPECT_TRUE(form.kit_code.empty());
  EXPECT_EQ(AppState.place_compact_mode, 0);
}
