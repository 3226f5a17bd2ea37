#include "model/files/codes_table.h"

#include <climits>
#include <filesystem>

#include "model/base/code_row_options.h"
#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/damaged_files.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/text_table.h"
#include "model/state/ui_seam.h"

namespace {

constexpr const char* kHeader =
    "TIPO\tLAR\tLUNG\tALT\t0\t1\t2\t3\t4\tCODICE\tDESCRIZIONE (NON USATA)\t(DESCR_L)\tCODICE ALT.\tPREZZO\tPESO";

std::string codes_path() { return user_path("codici.dat"); }

int integer_field(const std::string& text) {
  long long value = 0;
  if (!parse_integer(text, value) || value < INT_MIN || value > INT_MAX)
    throw FileError("\"" + text + "\" is not an integer");
  return static_cast<int>(value);
}

double number_field(const std::string& text) {
  double value = 0.0;
  if (!parse_double(text, value, ',')) throw FileError("\"" + text + "\" is not a number with a decimal comma");
  return value;
}

double price_field(const std::string& text) {
  double price = 0.0;
  if (std::string refusal = price_refusal(text, ',', price); !refusal.empty()) throw FileError(refusal);
  return price;
}

// One row cut into its fields: a row with fewer options than option_count
// gets the ones it lacks empty, not available.
Tcodice code_row(const Tstringlist& fields, std::size_t option_count) {
  const std::optional<std::size_t> options = row_option_columns(fields.size(), option_count);
  if (!options)
    throw FileError(std::to_string(fields.size()) + " columns instead of " +
                    std::to_string(kCodeRowFixedColumns + option_count));
  auto next = fields.begin();
  Tcodice row;
  row.tipo = *next++;
  row.lar = *next++;
  row.lung = *next++;
  row.alt = *next++;
  row.options.assign(next, next + static_cast<std::ptrdiff_t>(*options));
  row.options.resize(option_count);
  next += static_cast<std::ptrdiff_t>(*options);
  row.code = *next++;
  row.description = *next++;
  row.description_number = integer_field(*next++);
  row.alt_code = *next++;
  row.price = price_field(*next++);
  row.weight = number_field(*next++);
  return row;
}

// What a table read says of it besides its rows.
struct TableReport {
  std::vector<std::string> faults;  // damage, each naming its line
  std::size_t short_rows = 0;       // rows written before the catalogue's last types were added
};

// Appends the rows of a plain table to rows; a damaged row is passed over,
// and what is wrong with it goes to the report, so every readable row is kept.
// The writer always opens the table with its header, so a file without it
// (empty, cut short, or not scrambled) is damaged, not an empty table.
void append_rows(const std::string& plain, std::size_t option_count, Tdb_codici& rows, TableReport& report) {
  std::vector<std::string> lines = split_lines(plain, legacy_code_page());
  if (lines.empty() || lines[0] != kHeader) report.faults.push_back("line 1: the header line of the table is missing");
  for (std::size_t i = 1; i < lines.size(); ++i) {  // line 0 is the header
    if (is_blank_line(lines[i])) continue;
    try {
      const Tstringlist fields = split_tab_fields(lines[i]);
      rows.push_back(code_row(fields, option_count));
      if (fields.size() < kCodeRowFixedColumns + option_count) ++report.short_rows;
    } catch (const FileError& error) {
      report.faults.push_back("line " + std::to_string(i + 1) + ": " + error.what());
    }
  }
}

// Rows written before structure types were added are no damage: the types
// they do not name are simply not available, as a new type is until the user
// marks its rows.
std::string short_rows_note(const std::string& path, std::size_t short_rows, std::size_t option_count) {
  return "The price and code table " + path + " has " + std::to_string(short_rows) +
         " rows written before structure types were added to the catalogue: they name the availability of fewer "
         "than its " +
         std::to_string(option_count) +
         " types. The types a row does not name are read as not available until the price table is saved again.";
}

}  // namespace

Tcodice parse_code_row(const std::string& line, std::size_t option_count) {
  return code_row(split_tab_fields(line), option_count);
}

void read_codes_table() {
  const std::string path = codes_path();
  Tdb_codici rows;
  if (!std::filesystem::exists(path)) {
    ui().show_message(read_error_text(path) + "\r\nThe file is missing.");
  } else if (std::optional<std::string> plain = read_user_file(path)) {
    TableReport report;
    append_rows(*plain, StructureTypes.size(), rows, report);
    if (!report.faults.empty()) ui().show_message(note_damaged_file(path, report.faults));
    if (report.short_rows > 0) ui().show_message(short_rows_note(path, report.short_rows, StructureTypes.size()));
  }
  CodesTable = std::move(rows);
}

void write_codes_table() {
  keep_damaged_copy(codes_path());
  write_codes_table_file(codes_path(), CodesTable);
}

std::string codes_table_text(const Tdb_codici& rows) {
  TextWriter out;
  out.line(kHeader);
  for (const Tcodice& row : rows) {
    std::string line = row.tipo + '\t' + row.lar + '\t' + row.lung + '\t' + row.alt;
    for (const std::string& option : row.options) line += '\t' + option;
    line += '\t' + row.code + '\t' + row.description + '\t' + std::to_string(row.description_number) + '\t' +
            row.alt_code + '\t' + format_general(row.price, ',') + '\t' + format_general(row.weight, ',');
    out.line(line);
  }
  return out.take();
}

void write_codes_table_file(const std::string& path, const Tdb_codici& rows) {
  write_scrambled_file(path, codes_table_text(rows));
}
