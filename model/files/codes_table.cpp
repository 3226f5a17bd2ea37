#include "model/files/codes_table.h"

#include <climits>
#include <filesystem>

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
constexpr std::size_t kFixedColumns = 10;  // every column but the options

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

// Appends the rows of a plain table to rows; a damaged row is passed over,
// and what is wrong with it goes to faults, so every readable row is kept.
// The writer always opens the table with its header, so a file without it
// (empty, cut short, or not scrambled) is damaged, not an empty table.
void append_rows(const std::string& plain, std::size_t option_count, Tdb_codici& rows,
                 std::vector<std::string>& faults) {
  std::vector<std::string> lines = split_lines(plain, legacy_code_page());
  if (lines.empty() || lines[0] != kHeader) faults.push_back("line 1: the header line of the table is missing");
  for (std::size_t i = 1; i < lines.size(); ++i) {  // line 0 is the header
    if (is_blank_line(lines[i])) continue;
    try {
      rows.push_back(parse_code_row(lines[i], option_count));
    } catch (const FileError& error) {
      faults.push_back("line " + std::to_string(i + 1) + ": " + error.what());
    }
  }
}

}  // namespace

Tcodice parse_code_row(const std::string& line, std::size_t option_count) {
  Tstringlist fields = split_tab_fields(line);
  if (fields.size() != kFixedColumns + option_count)
    throw FileError(std::to_string(fields.size()) + " columns instead of " +
                    std::to_string(kFixedColumns + option_count));
  auto next = fields.begin();
  Tcodice row;
  row.tipo = *next++;
  row.lar = *next++;
  row.lung = *next++;
  row.alt = *next++;
  row.options.assign(next, next + static_cast<std::ptrdiff_t>(option_count));
  next += static_cast<std::ptrdiff_t>(option_count);
  row.code = *next++;
  row.description = *next++;
  row.description_number = integer_field(*next++);
  row.alt_code = *next++;
  row.price = price_field(*next++);
  row.weight = number_field(*next++);
  return row;
}

void read_codes_table() {
  const std::string path = codes_path();
  Tdb_codici rows;
  if (!std::filesystem::exists(path)) {
    ui().show_message(read_error_text(path) + "\r\nThe file is missing.");
  } else if (std::optional<std::string> plain = read_user_file(path)) {
    std::vector<std::string> faults;
    append_rows(*plain, StructureTypes.size(), rows, faults);
    if (!faults.empty()) ui().show_message(note_damaged_file(path, faults));
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
