// Whole stories through the real widgets of the customer register, the
// quote header dialog and the price table.
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/output_windows/customers_window.h"
#include "editor/output_windows/price_table_dialog.h"
#include "editor/output_windows/quote_header_dialog.h"
#include "editor/output_windows/text_window.h"
#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/files/preferences.h"
#include "model/files/project_file.h"
#include "quote_fixture.h"
#include "support/keyboard_walk.h"
#include "support/long_texts.h"

namespace {

std::vector<std::string> listed(const QListWidget* list) {
  std::vector<std::string> names;
  for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text().toStdString());
  return names;
}

// Answers the next modal text window: pastes text and presses OK.
void answer_text_window(TFormTxt& window, const QString& text, std::string* shown = nullptr) {
  QTimer::singleShot(0, &window, [&window, text, shown] {
    if (shown) *shown = window.Memo1->toPlainText().toStdString();
    window.Memo1->setPlainText(text);
    window.BitBtn1->click();
  });
}

// What the register window showed behind a message: the message, the names
// listed and the name field.
using ShownWithMessage = std::tuple<std::string, std::vector<std::string>, std::string>;

class CustomersWindow : public QuoteTest {
 protected:
  void SetUp() override {
    QuoteTest::SetUp();
    Customers = {named("Bianchi"), named("Rossi"), named("Verdi")};
    window.set_text_window(&text);
    window.apply_language();
    window.show();
    QApplication::processEvents();
    ui->while_message_shown = [this](const std::string& message) {
      last_shown = {message, listed(window.ListBox1), window.Edit1->text().toStdString()};
    };
  }
  void TearDown() override {
    window.hide();
    QuoteTest::TearDown();
  }
  void click_row(int row) {
    window.ListBox1->setCurrentRow(row);
    window.ListBox1Click();
  }

  TFormTxt text;
  TFclienti window;
  ShownWithMessage last_shown;
};

class QuoteHeaderWindow : public QuoteTest {
 protected:
  TFpreventivo window;
};

class PriceTableWindow : public QuoteTest {
 protected:
  void SetUp() override {
    QuoteTest::SetUp();
    HeightList = {2000};
    WidthList = {300};
    LengthList = {1000};
    for (const char* code : {"A", "B", "C"}) {
      Tcodice row;
      row.tipo = "R";
      row.lar = "300";
      row.lung = "1000";
      row.alt = "-";
      row.options = {"SI"};
      row.code = code;
      row.price = 1.5;
      CodesTable.push_back(row);
    }
  }
  // The open cell editor, where the keys go while the grid shows one.
  QLineEdit* cell_editor() {
    for (auto* editor : window.StringGrid1->viewport()->findChildren<QLineEdit*>())
      if (editor->isVisible()) return editor;
    return nullptr;
  }
  void press_enter() {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QWidget* target = cell_editor();
    QApplication::sendEvent(target ? target : window.StringGrid1, &enter);
    QApplication::processEvents();
  }

  TFprezzi window;
};

}  // namespace

TEST_F(CustomersWindow, DeleteWithAFilterRemovesTheListedCustomer) {
  EXPECT_EQ(window.windowTitle().toStdString(), "t60");
  EXPECT_EQ(listed(window.ListBox1), (std::vector<std::string>{"Bianchi", "Rossi", "Verdi"}));
  EXPECT_FALSE(window.BitBtn9->isEnabled());
  ui->input_answers = {"I"};
  window.BitBtn3->click();
  EXPECT_EQ(ui->questions.back(), "t134: t125");
  ui->input_answers = {"via r"};
  window.BitBtn3->click();
  EXPECT_EQ(listed(window.ListBox1), std::vector<std::string>{"Rossi"});
  EXPECT_TRUE(window.BitBtn5->isEnabled());
  window.BitBtn5->click();
  ui->input_answers = {"di"};
  window.BitBtn3->click();
  ASSERT_EQ(listed(window.ListBox1), (std::vector<std::string>{"Verdi"}));
  click_row(0);
  EXPECT_EQ(window.Edit2->text().toStdString(), "Via Verdi");
  EXPECT_TRUE(window.BitBtn9->isEnabled());
  ui->yes_no_answers = {true};
  window.BitBtn9->click();
  EXPECT_EQ(listed(window.ListBox1), (std::vector<std::string>{"Bianchi", "Rossi"})) << "the filter is dropped";
  EXPECT_EQ(window.Edit1->text().toStdString(), "");
  EXPECT_EQ(last_shown, (ShownWithMessage{"t78", {"Bianchi", "Rossi"}, ""})) << "cleared and listed before the message";
  std::vector<Tcliente> live = Customers;
  read_customers();
  EXPECT_EQ(Customers, live);
}

TEST_F(CustomersWindow, AFilterMatchingNothingEmptiesTheListUntilRemoved) {
  ui->input_answers = {"nobody"};
  window.BitBtn3->click();
  EXPECT_EQ(window.ListBox1->count(), 0);
  ui->input_answers = {"   "};
  window.BitBtn3->click();
  EXPECT_EQ(window.customer_filter().size(), 0u) << "a blank filter changes nothing";
  window.BitBtn5->click();
  EXPECT_EQ(window.ListBox1->count(), 3);
  EXPECT_FALSE(window.BitBtn5->isEnabled());
}

TEST_F(CustomersWindow, AddModifyAndNewCustomer) {
  window.Edit1->setText("Aaron");
  window.Memo1->setPlainText("one\ntwo");
  ui->yes_no_answers = {true};
  window.BitBtn4->click();
  EXPECT_EQ(listed(window.ListBox1).front(), "Aaron");
  EXPECT_EQ(last_shown, (ShownWithMessage{"t80", {"Aaron", "Bianchi", "Rossi", "Verdi"}, ""}));
  EXPECT_EQ(Customers[0].notes, (std::vector<std::string>{"one", "two"}));
  click_row(2);
  window.Edit1->setText("Zanetti");
  ui->yes_no_answers = {true};
  window.BitBtn8->click();
  EXPECT_EQ(listed(window.ListBox1), (std::vector<std::string>{"Aaron", "Bianchi", "Zanetti", "Verdi"}));
  window.Button1->click();
  EXPECT_FALSE(window.BitBtn8->isEnabled());
  EXPECT_EQ(window.Edit2->text().toStdString(), "");
}

// The entry chosen with the keys, after a click on another, is the one the
// fields show and the one Modifica changes; a filter that drops the
// selection closes Modifica and Elimina.
TEST_F(CustomersWindow, TheCustomerChosenByKeysIsShownAndModified) {
  const std::vector<Tcliente> before = Customers;
  QListWidget* list = window.ListBox1;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(0)).center());
  ASSERT_EQ(window.Edit1->text().toStdString(), "Bianchi");
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(window.Edit1->text().toStdString(), "Rossi");
  window.Edit4->selectAll();
  QTest::keyClicks(window.Edit4, "Torino");
  ui->yes_no_answers = {true};
  window.BitBtn8->click();
  read_customers();
  ASSERT_EQ(Customers.size(), 3u);
  EXPECT_EQ(Customers[0], before[0]);
  EXPECT_EQ(Customers[1].name, "Rossi");
  EXPECT_EQ(Customers[1].city, "Torino");
  EXPECT_EQ(Customers[2], before[2]);

  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(window.Edit4->text().toStdString(), "Milano");
  ui->input_answers = {"verdi"};
  window.BitBtn3->click();
  EXPECT_FALSE(window.BitBtn8->isEnabled() || window.BitBtn9->isEnabled()) << "nothing selected to act on";
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(window.Edit1->text().toStdString(), "Verdi");
  EXPECT_TRUE(window.BitBtn8->isEnabled() && window.BitBtn9->isEnabled());
}

TEST_F(CustomersWindow, ExportThenImportThroughTheTextWindow) {
  std::string exported;
  answer_text_window(text, text.Memo1->toPlainText(), &exported);
  window.BitBtn6->click();
  EXPECT_EQ(text.Label1->text().toStdString(), "Copy and paste values in EXCEL.");
  EXPECT_EQ(exported.substr(0, exported.find('\n')), "Bianchi\tVia Bianchi\t20100\tMilano\tMI\tItalia\t02 1\t02 2\t");
  answer_text_window(text, QString::fromStdString(exported) + "Neri\tVia Po\n");
  window.BitBtn1->click();
  EXPECT_EQ(listed(window.ListBox1),
            (std::vector<std::string>{"Bianchi", "Bianchi", "Neri", "Rossi", "Rossi", "Verdi", "Verdi"}));
}

// A note pasted whole is longer than the register file reads back: each field
// takes the longest part of it that fits and says why, and the register
// saved reads back as typed, with nothing called damage. So does an import.
TEST_F(CustomersWindow, ALongPastedTextIsTakenAsFarAsTheRegisterReadsIt) {
  LangTable[255] = "at most %n bytes";
  const std::string note = czech_note();
  const std::string kept = cut_text(note, kTextBytes);
  window.Edit1->insert(QString::fromStdString(note));
  EXPECT_TRUE(window.Edit1->text().toStdString() == kept);
  EXPECT_EQ(QToolTip::text().toStdString(), "at most 4096 bytes");
  window.Memo1->insertPlainText(QString::fromStdString("Pozor\n" + note));
  EXPECT_TRUE(window.Memo1->toPlainText().toStdString() == "Pozor\n" + kept);
  ui->yes_no_answers = {true};
  window.BitBtn4->click();
  answer_text_window(text, QString::fromStdString("Neri\t" + note));
  window.BitBtn1->click();
  EXPECT_EQ(ui->messages.back(), "at most 4096 bytes");

  const std::vector<Tcliente> saved = Customers;
  ui->messages.clear();
  read_customers();
  EXPECT_TRUE(ui->messages.empty()) << ui->messages.front();
  EXPECT_TRUE(Customers == saved);
  EXPECT_TRUE(Customers[1].name == kept);
  EXPECT_TRUE(Customers[1].notes == (std::vector<std::string>{"Pozor", kept}));
  EXPECT_TRUE(std::pair(Customers[2].name, Customers[2].address) == std::pair(std::string("Neri"), kept));
}

TEST_F(QuoteHeaderWindow, APickAfterAnAddFillsTheRightCustomerAndKeepsWhatIsTyped) {
  Customers = {named("Bianchi"), named("Rossi")};
  QuoteHeader.number = "7";
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(window.ComboBox1->count(), 2);
  EXPECT_EQ(window.Edit11->text().toStdString(), "7");
  window.ComboBox1->setEditText("Aaron");
  window.Edit2->setText("Via Aaron");
  window.Edit11->setText("8");
  ui->yes_no_answers = {true};
  window.Btn_Utenti->click();
  EXPECT_EQ(ui->messages.back(), "t80");
  EXPECT_EQ(window.ComboBox1->count(), 3);
  EXPECT_EQ(window.ComboBox1->currentText().toStdString(), "Aaron");
  EXPECT_EQ(window.Edit11->text().toStdString(), "8") << "typed fields are kept";
  emit window.ComboBox1->activated(1);
  EXPECT_EQ(window.Edit2->text().toStdString(), "Via Bianchi");

  window.SpeedButton1->click();
  EXPECT_EQ(window.Edit10->text(), QDate::currentDate().toString("dd/MM/yyyy"));
  window.Edit17->setText("x");
  window.BitBtn1->click();
  EXPECT_TRUE(window.isVisible()) << "a bad discount keeps the dialog open";
  EXPECT_EQ(QuoteHeader.number, "7");
  window.Edit17->setText("5.5");
  window.BitBtn1->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(std::pair(QuoteHeader.customer.name, QuoteHeader.discount2),
            (std::pair<std::string, double>("Bianchi", 5.5)));
  EXPECT_EQ(AppState.modified, 1);
}

// The customer's texts and the company lines take what the project and the
// preferences read back, the quote's texts what the project keeps of them.
TEST_F(QuoteHeaderWindow, LongPastedTextsAreTakenAsFarAsTheFilesReadThem) {
  const std::string note = czech_note();
  const std::string kept = cut_text(note, kTextBytes);
  window.show();
  QApplication::processEvents();
  window.ComboBox1->lineEdit()->insert(QString::fromStdString(note));
  window.Memo1->insertPlainText(QString::fromStdString(note));
  window.Edit14->insert(QString::fromStdString(note));
  EXPECT_TRUE(window.Edit14->text().toStdString() == cut_short_string(note));
  window.StringGrid2->setCurrentCell(0, 0);
  window.StringGrid2->editItem(window.StringGrid2->item(0, 0));
  auto* line = window.StringGrid2->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(line, nullptr);
  line->insert(QString::fromStdString(note));
  EXPECT_TRUE(line->text().toStdString() == kept);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(line, &enter);
  QApplication::processEvents();  // the grid takes an edit after the key
  window.BitBtn1->click();
  ASSERT_FALSE(window.isVisible());
  EXPECT_TRUE(std::pair(QuoteHeader.customer.name, QuoteHeader.customer.notes) ==
              std::pair(kept, std::vector<std::string>{kept}));
  EXPECT_TRUE(Company.more_lines[0] == kept);

  Cells = {first_cell()};
  const std::string project = dir.file("user/prv00001.cel");
  write_project_file(project, true);
  const ProjectData read = read_project_file(project);
  EXPECT_TRUE(read.damage.empty()) << read.damage.front();
  EXPECT_TRUE(read.header == QuoteHeader);
  Tvar_amb state;
  Tazienda company;
  EXPECT_NO_THROW(
      parse_preferences_text(read_scrambled_file(dir.file("user/preferenze.dat")), "preferences", state, company));
  EXPECT_TRUE(company.more_lines == Company.more_lines);
}

TEST_F(QuoteHeaderWindow, AFileOfTheProgramPickedAsLogoIsRefusedAtOnce) {
  Company.logo = "logo.png";
  dir.write("user/clienti.dat", "register");
  window.show();
  QApplication::processEvents();
  ui->file_answers = {dir.file("user/clienti.dat")};
  window.Image1DblClick();
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("\"clienti.dat\" is not the name of a picture"), std::string::npos);
  window.BitBtn1->click();
  EXPECT_EQ(Company.logo, "logo.png");
  EXPECT_EQ(dir.read("user/clienti.dat"), "register");
}

TEST_F(QuoteHeaderWindow, TheRegisterOpenedFromTheDialogRefreshesThePickList) {
  window.open_customers = [] { Customers.push_back(QuoteTest::named("Nuovo")); };
  window.show();
  QApplication::processEvents();
  window.ComboBox1->setEditText("typed");
  window.SpeedButton2->click();
  EXPECT_EQ(window.ComboBox1->count(), 1);
  EXPECT_EQ(window.ComboBox1->currentText().toStdString(), "typed");
  window.hide();
}

// Tab leaves the notes and each list of lines at once, so that from any field
// it goes on to OK and Cancel. The window opens on the customer's name, Tab
// goes through the fields in reading order, the logo among them, and Enter
// presses the focused button or picks the logo.
TEST_F(QuoteHeaderWindow, TabGoesFromTheNotesThroughEachFieldOnceToOkAndCancel) {
  ASSERT_TRUE(show_active(window));
  EXPECT_EQ(QApplication::focusWidget(), window.ComboBox1) << "it opens on its first field";
  const std::vector<QWidget*> reading = {
      window.ComboBox1, window.Btn_Utenti,   window.SpeedButton2, window.Edit2,  window.Edit3,   window.Edit4,
      window.Edit5,     window.Edit9,        window.Edit6,        window.Edit7,  window.Edit8,   window.Memo1,
      window.Edit10,    window.SpeedButton1, window.Edit11,       window.Edit12, window.Edit13,  window.Edit1,
      window.Edit14,    window.Edit15,       window.Edit16,       window.Edit17, window.Edit19,  window.Edit20,
      window.Image1,    window.StringGrid1,  window.StringGrid2,  window.Edit18, window.BitBtn1, window.BitBtn2};
  EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading);
  ASSERT_EQ(QApplication::focusWidget(), window.ComboBox1) << "and from Cancel back to the first field";
  EXPECT_TRUE(tab_walks_to(window.BitBtn2));
  window.Memo1->setFocus();
  const std::vector<QWidget*> stops = tab_stops(40);
  const auto cancel = std::find(stops.begin(), stops.end(), window.BitBtn2);
  ASSERT_NE(cancel, stops.end());
  EXPECT_EQ(*(cancel - 1), window.BitBtn1);
  for (QWidget* lines : {window.StringGrid1, window.StringGrid2})
    EXPECT_EQ(std::count(stops.begin(), cancel, lines), 1);
  EXPECT_EQ(window.Memo1->toPlainText().toStdString(), "");
  window.StringGrid1->setFocus();
  QTest::keyClick(window.StringGrid1, Qt::Key_F2);
  ASSERT_EQ(QApplication::focusWidget()->parentWidget(), window.StringGrid1->viewport()) << "a line's editor is open";
  QTest::keyClicks(QApplication::focusWidget(), "Ltd");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window.StringGrid2) << "Tab in a line's editor leaves the lines";
  EXPECT_EQ(window.StringGrid1->item(0, 0)->text().toStdString(), "Ltd");

  window.SpeedButton1->setFocus();
  press_enter();
  EXPECT_EQ(window.Edit10->text(), QDate::currentDate().toString("dd/MM/yyyy"));
  window.Image1->setFocus();
  press_enter();
  EXPECT_EQ(ui->questions, std::vector<std::string>{"Logo"}) << "Enter on the logo picks another";
  window.BitBtn2->setFocus();
  press_enter();
  ASSERT_FALSE(window.isVisible()) << "Enter on Cancel closes the window";
  ASSERT_TRUE(show_active(window));
  EXPECT_EQ(window.focusWidget(), window.ComboBox1) << "every opening starts on the first field";
  window.hide();
}

TEST_F(PriceTableWindow, EnterStopsAtTheLastRowAndLocalePricesAreStored) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  window.show();
  QApplication::processEvents();
  ASSERT_EQ(window.StringGrid1->rowCount(), 3);
  EXPECT_EQ(window.StringGrid1->item(0, 3)->text().toStdString(), "1,5");
  EXPECT_FALSE(window.StringGrid1->item(0, 0)->flags() & Qt::ItemIsEditable);
  for (int i = 0; i < 4; ++i) press_enter();
  EXPECT_EQ(window.StringGrid1->currentRow(), 2);
  window.StringGrid1->item(1, 3)->setText("12,5");
  window.BitBtn1->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(std::pair(CodesTable[0].price, CodesTable[1].price), std::pair(1.5, 12.5));
}

TEST_F(PriceTableWindow, EnterInTheCellEditorCommitsAndMovesDown) {
  window.show();
  QApplication::processEvents();
  window.StringGrid1->setCurrentCell(0, 3);
  QLineEdit* editor = cell_editor();
  ASSERT_NE(editor, nullptr) << "the current cell's editor is open";
  editor->setText("7.25");
  press_enter();
  EXPECT_EQ(window.StringGrid1->item(0, 3)->text().toStdString(), "7.25");
  EXPECT_EQ(window.StringGrid1->currentRow(), 1);
  window.hide();
}

TEST_F(PriceTableWindow, AnInvalidPriceKeepsTheWindowOpenOnThatCell) {
  window.show();
  QApplication::processEvents();
  window.StringGrid1->item(2, 3)->setText("abc");
  window.BitBtn1->click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(std::pair(window.StringGrid1->currentRow(), window.StringGrid1->currentColumn()), std::pair(2, 3));
  EXPECT_EQ(ui->messages, std::vector<std::string>{"t8"});
  window.hide();
}

// The largest price either way, typed or among rows the column's fit passed
// over, shows whole in the price column.
TEST_F(PriceTableWindow, TheLargestPriceShowsWholeInItsColumn) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  window.show();
  QApplication::processEvents();
  QTableWidgetItem* price = window.StringGrid1->item(2, 3);
  price->setText("-999999999,99");
  EXPECT_LE(window.StringGrid1->sizeHintForIndex(window.StringGrid1->indexFromItem(price)).width(),
            window.StringGrid1->columnWidth(3));
  window.hide();
}

// The grid is one Tab stop: Tab from an open cell editor keeps what was typed
// and goes on to OK, as Tab from the grid does; Shift+Tab comes back; Ctrl+Tab
// leaves it too.
TEST_F(PriceTableWindow, TabLeavesTheGridForOkAlsoFromAnOpenCellEditor) {
  ASSERT_TRUE(show_active(window));
  QLineEdit* editor = cell_editor();
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(QApplication::focusWidget(), editor) << "the window opens in its first editable cell";
  editor->selectAll();
  QTest::keyClicks(editor, "A-1");
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window.BitBtn1);
  EXPECT_EQ(window.StringGrid1->item(0, 2)->text().toStdString(), "A-1");
  EXPECT_TRUE(key_reaches(window.StringGrid1, Qt::Key_Backtab));
  EXPECT_TRUE(tab_walks_to(window.BitBtn2));
  window.StringGrid1->setCurrentCell(1, 3);
  ASSERT_NE(cell_editor(), nullptr);
  QTest::keyClick(cell_editor(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), window.BitBtn2) << "Shift+Tab leaves the grid backwards";
  EXPECT_EQ(window.StringGrid1->currentRow(), 1);
  QTest::keyClick(window.BitBtn2, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), window.StringGrid1);
  QTest::keyClick(window.StringGrid1, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), window.BitBtn1) << "Ctrl+Tab leaves the grid";
  window.StringGrid1->setCurrentCell(2, 3);
  ASSERT_NE(cell_editor(), nullptr);
  QTest::keyClick(cell_editor(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), window.BitBtn1) << "Ctrl+Tab leaves a cell editor";
  EXPECT_EQ(window.StringGrid1->currentRow(), 2);
  window.hide();
  ASSERT_TRUE(show_active(window));
  EXPECT_EQ(window.focusWidget(), cell_editor()) << "every opening starts in the first editable cell";
  window.hide();
}

// Tab goes through the window as it reads: the list with its filter below
// it, the fields with their commands, then the bottom row (disabled commands
// passed over); Shift+Tab the other way. It leaves the notes, and Enter
// presses the focused button.
TEST_F(CustomersWindow, TabLeavesTheNotesAndEnterPressesTheFocusedButton) {
  ASSERT_TRUE(show_active(window));
  ASSERT_EQ(window.focusWidget(), window.ListBox1);
  const std::vector<QWidget*> reading{window.ListBox1, window.BitBtn3, window.Edit1,   window.Edit2,   window.Edit3,
                                      window.Edit4,    window.Edit5,   window.Edit9,   window.Edit6,   window.Edit7,
                                      window.Edit8,    window.Memo1,   window.Button1, window.BitBtn4, window.BitBtn6,
                                      window.BitBtn1,  window.BitBtn2};
  EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading);
  ASSERT_EQ(QApplication::focusWidget(), window.ListBox1) << "Tab from Chiudi comes round to the list";
  std::vector<QWidget*> backwards;
  for (std::size_t i = 0; i < reading.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    backwards.insert(backwards.begin(), QApplication::focusWidget());
  }
  EXPECT_EQ(backwards, reading) << "Shift+Tab goes the other way";
  window.Memo1->setFocus();
  EXPECT_TRUE(tab_walks_to(window.BitBtn2));
  EXPECT_TRUE(window.Memo1->toPlainText().isEmpty());
  window.Edit1->setFocus();
  QTest::keyClicks(window.Edit1, "Neri");
  ASSERT_TRUE(key_reaches(window.BitBtn4, Qt::Key_Tab));
  ui->yes_no_answers = {true};
  press_enter();
  EXPECT_EQ(ui->messages, std::vector<std::string>{"t80"}) << "Aggiungi added the customer";
  read_customers();
  EXPECT_EQ(Customers.size(), 4u);
  window.BitBtn2->setFocus();
  press_enter();
  EXPECT_FALSE(window.isVisible());
  ASSERT_TRUE(show_active(window));
  EXPECT_EQ(window.focusWidget(), window.ListBox1) << "every opening starts on the list";
  window.hide();
}

TEST(TextWindow, TabTypesInTheTextAndEnterPressesTheFocusedButton) {
  TFormTxt window;
  ASSERT_TRUE(show_active(window));
  window.Memo1->setFocus();
  QTest::keyClick(window.Memo1, Qt::Key_Tab);
  EXPECT_EQ(window.Memo1->toPlainText(), "\t");
  window.BitBtn1->setFocus();
  press_enter();
  EXPECT_FALSE(window.isVisible());
}
