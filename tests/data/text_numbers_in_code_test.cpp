// Every text number the program's code looks up is in the one list of text
// numbers, which the completeness tests hold against every language.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "data/staged_data.h"
#include "sources/texts_source.h"

namespace fs = std::filesystem;

namespace {

// The numbers a source file passes to lang_text, literally or through a named constant of the same file.
std::set<int> looked_up_numbers(const std::string& code) {
  static const std::regex constant(R"(constexpr int (\w+) = (\d+);)");
  static const std::regex lookup(R"(lang_text\((\w+)\))");
  std::map<std::string, int> constants;
  for (std::sregex_iterator it(code.begin(), code.end(), constant), end; it != end; ++it)
    constants[(*it)[1]] = std::stoi((*it)[2]);
  std::set<int> numbers;
  for (std::sregex_iterator it(code.begin(), code.end(), lookup), end; it != end; ++it) {
    std::string argument = (*it)[1];
    if (std::isdigit(static_cast<unsigned char>(argument[0])))
      numbers.insert(std::stoi(argument));
    else if (auto named = constants.find(argument); named != constants.end())
      numbers.insert(named->second);
  }
  return numbers;
}

}  // namespace

TEST(TextNumbers, EveryNumberTheCodeLooksUpIsListed) {
  std::vector<int> listed_numbers = parse_text_numbers(read_source("text_numbers.txt"), "text_numbers.txt");
  std::set<int> listed(listed_numbers.begin(), listed_numbers.end());
  fs::path root = fs::path(source_dir()).parent_path();
  int files = 0;
  for (const char* folder : {"model", "editor", "output", "scene3d"}) {
    if (!fs::exists(root / folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
      ++files;
      for (int number : looked_up_numbers(read_file_bytes(entry.path().string())))
        EXPECT_TRUE(listed.count(number)) << entry.path().filename() << " looks up text " << number;
    }
  }
  EXPECT_GT(files, 0);
}
