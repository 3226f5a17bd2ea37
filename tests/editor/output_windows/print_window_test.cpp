// Whole stories through the print window's real widgets.
#include "editor/output_windows/print_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>

#include "output/print_fixture.h"
#include "support/keyboard_walk.h"
#include "support/room_outline.h"
#include "support/scripted_ui.h"

namespace {

class PrintWindow : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    for (int i = 0; i < 3; ++i) {
      Cells.emplace_back();
      Cells.back().name = "Cell " + std::to_string(i + 1);
      Cells.back().walls = walls_through({{-2000, -1000}, {2000, -1000}, {2000, 1000}, {-2000, 1000}});
      QuoteDetails.emplace_back();
    }
    Tcodice row;
    row.alt_code = "A1";
    row.price = 1234.5;
    CodesTable = {row};
    QuoteDetails[0] = {Trec_prv{0, 2, 0, "R"}};
  }
  std::string caption() const { return window.windowTitle().toStdString(); }
  void open() {
    window.show();
    QApplication::processEvents();
  }

  ScopedScriptedUi ui_;
  TFstampa window;
};

std::shared_ptr<const Tpicture> picture() {
  auto made = std::make_shared<Tpicture>();
  made->width = 2;
  made->height = 2;
  made->rgb.assign(12, 200);
  return made;
}

TEST_F(PrintWindow, OpeningShowsTheFirstPageAndTheTotals) {
  window.apply_language();
  EXPECT_EQ(window.BitBtn1->text().toStdString(), "t167");
  EXPECT_EQ(window.CheckBox2->text().toStdString(), "t211");
  open();
  EXPECT_EQ(caption(), "t119 - t168 1/4") << "one quote page and three cell pages";
  EXPECT_EQ(window.Image1->pixmap().size(), QSize(460, 615));
  EXPECT_EQ(window.Label4_->text().toStdString(), "2,469.00");
  EXPECT_EQ(window.Label6->text().toStdString(), "t156 ");
  EXPECT_FALSE(window.CheckBox4->isVisible()) << "not every cell has a 3-D picture";
  window.close();
}

TEST_F(PrintWindow, TheTotalsPanelHasItsRuleAndTheUnboundComboBoxHandlerShowsTheFirstPageAfresh) {
  open();
  const auto* rule = window.Panel1->findChild<QFrame*>("Bevel1");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->frameShape(), QFrame::HLine);
  EXPECT_TRUE(rule->isVisible());
  EXPECT_LT(rule->y(), window.Label6->y()) << "above the net total";
  EXPECT_GT(rule->y(), window.Label5->y());

  window.BitBtn3->click();
  window.BitBtn3->click();
  Cells.pop_back();
  window.ComboBox1Change();
  EXPECT_EQ(caption(), "t119 - t168 1/3") << "rebuilt and back on the first page";
  window.close();
}

TEST_F(PrintWindow, PicturesOptionAppearsWhenEveryCellHasOne) {
  for (Tcell& cell : Cells.edit_all()) cell.picture = picture();
  open();
  EXPECT_TRUE(window.CheckBox4->isVisible());
  EXPECT_TRUE(window.CheckBox4->isChecked());
  EXPECT_TRUE(window.page_context().options.pictures);
  window.close();
  Cells[1].picture.reset();
  open();
  EXPECT_FALSE(window.CheckBox4->isVisible());
  EXPECT_FALSE(window.CheckBox4->isChecked());
  window.close();
}

TEST_F(PrintWindow, PagingStopsAtBothEnds) {
  open();
  window.BitBtn2->click();
  EXPECT_EQ(caption(), "t119 - t168 1/4");
  for (int i = 0; i < 5; ++i) window.BitBtn3->click();
  EXPECT_EQ(caption(), "t119 - t168 4/4");
  window.BitBtn2->click();
  EXPECT_EQ(window.page_context().shown_page, 2);
  window.CheckBox3->click();  // drawings off: the preview shrinks to the quote
  EXPECT_EQ(caption(), "t119 - t168 1/1");
  window.close();
}

TEST_F(PrintWindow, GridChangesShowTheFirstDrawingPageEvenAfterAPdf) {
  open();
  window.BitBtn7->click();
  std::string pdf = program_dir_.file("user/preventivo_mail.pdf");
  EXPECT_TRUE(std::filesystem::exists(pdf));
  EXPECT_EQ(ui_->opened_with_desktop, std::vector<std::string>{pdf});
  window.SpinEdit2->setValue(2);
  EXPECT_EQ(caption(), "t119 - t168 2/3") << "the drawings begin on the second page";
  window.CheckBox1->click();  // quote off
  window.SpinEdit1->setValue(2);
  EXPECT_EQ(caption(), "t119 - t168 1/1");
  window.close();
}

TEST_F(PrintWindow, ThreeColumnsUntickTheExtendedDescription) {
  open();
  window.SpinEdit2->setValue(3);
  EXPECT_TRUE(window.CheckBox2->isChecked()) << "only the description options untick it";
  window.CheckBox2->click();  // unticked by the user
  window.CheckBox2->click();  // ticked again: taken back at once
  EXPECT_FALSE(window.CheckBox2->isChecked());
  EXPECT_FALSE(window.page_context().options.extended_description);
  window.close();
}

TEST_F(PrintWindow, PdfFailureIsReportedAndTheWindowStays) {
  std::filesystem::create_directories(program_dir_.file("user/preventivo_mail.pdf"));
  open();
  window.BitBtn7->click();
  ASSERT_EQ(ui_->messages.size(), 1u);
  EXPECT_EQ(ui_->messages[0].rfind("FileError error raised, with message : ", 0), 0u) << ui_->messages[0];
  EXPECT_TRUE(ui_->opened_with_desktop.empty());
  EXPECT_TRUE(window.isVisible());
  window.close();
}

TEST_F(PrintWindow, DialogButtonsRunTheirHooksAndShowTheDocumentAfresh) {
  int quote_headers = 0;
  window.open_quote_header = [&] {
    ++quote_headers;
    Cells.pop_back();
  };
  open();
  window.BitBtn3->click();
  window.Btn_doc->click();
  EXPECT_EQ(quote_headers, 1);
  EXPECT_EQ(caption(), "t119 - t168 1/3") << "rebuilt and back on the first page";
  window.Btn_Utenti->click();  // no customer window yet: nothing happens
  window.BitBtn6->click();
  EXPECT_EQ(caption(), "t119 - t168 1/3");
  window.close();
}

TEST_F(PrintWindow, EnterPressesOnlyTheFocusedButton) {
  int quote_headers = 0;
  window.open_quote_header = [&] { ++quote_headers; };
  ASSERT_TRUE(show_active(window));
  window.CheckBox1->setFocus();
  press_enter();
  EXPECT_EQ(quote_headers, 0);
  window.Btn_doc->setFocus();
  press_enter();
  EXPECT_EQ(quote_headers, 1);
  window.close();
}

}  // namespace
