// Every translation text the program looks up is named once, in the list of
// text numbers (text::<name>), and every tool button in the list of tool
// buttons (tool_button::<name>): a bare number handed to lang_text, to a
// function of the same file that hands its argument on, or to the tool-bar
// lookups is found here, and so is a file-local constant or list of numbers
// standing in for one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "source_tree.h"

namespace fs = std::filesystem;

namespace {

// The functions that take a text or tool-button number: the argument they
// take it in, -1 for the last.
struct Lookup {
  std::string name;
  int argument = 0;
};

const std::vector<Lookup> kLookups = {
    {"lang_text", -1},
    {"qt_lang_text", 0},
    {"tool_button", 0},
    {"add_tool_button", 0},
    {"tool_button_down", 0},
    {"set_tool_button_down", 0},
    {"set_tool_button_enabled", 0},
};

// The code alone: comments, strings and characters become blanks, so that a
// number in a message or a remark is never taken for one in a call (a quote
// after a digit separates digits: 1'000).
std::string code_only(const std::string& source) {
  std::string code = source;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code.compare(i, 2, "//") == 0) {
      for (; i < code.size() && code[i] != '\n'; ++i) code[i] = ' ';
    } else if (code.compare(i, 2, "/*") == 0) {
      const std::size_t end = std::min(code.find("*/", i + 2), code.size() - 2) + 2;
      for (; i < end; ++i)
        if (code[i] != '\n') code[i] = ' ';
      --i;
    } else if (code[i] == '"' ||
               (code[i] == '\'' && (i == 0 || !std::isalnum(static_cast<unsigned char>(code[i - 1]))))) {
      const char quote = code[i];
      for (++i; i < code.size() && code[i] != quote; ++i) {
        if (code[i] == '\\' && i + 1 < code.size()) code[i++] = ' ';
        if (code[i] != '\n') code[i] = ' ';
      }
    }
  }
  return code;
}

// The text between the bracket at `open` and its partner.
std::string bracketed(const std::string& code, std::size_t open) {
  const char opening = code[open];
  const char closing = opening == '(' ? ')' : opening == '{' ? '}' : ']';
  int depth = 0;
  for (std::size_t i = open; i < code.size(); ++i) {
    if (code[i] == opening) ++depth;
    if (code[i] == closing && --depth == 0) return code.substr(open + 1, i - open - 1);
  }
  return code.substr(open + 1);
}

// The arguments of a call, split at the commas outside brackets.
std::vector<std::string> arguments(const std::string& list) {
  std::vector<std::string> found(1);
  int depth = 0;
  for (char c : list) {
    if (c == '(' || c == '[' || c == '{') ++depth;
    if (c == ')' || c == ']' || c == '}') --depth;
    if (c == ',' && depth == 0)
      found.emplace_back();
    else
      found.back() += c;
  }
  return found;
}

// A number written in the expression, outside an index.
bool has_number(const std::string& expression) {
  static const std::regex number(R"((^|[^\w.])\d+($|[^\w.]))");
  static const std::regex index(R"(\[[^\]]*\])");
  return std::regex_search(std::regex_replace(expression, index, "[]"), number);
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\n");
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

// Whether `name`, handed to a lookup, is a number in disguise in this file:
// a constant or a list of numbers, or a loop over one.
bool stands_for_numbers(const std::string& code, const std::string& name) {
  const std::regex constant(R"(\bconst(expr)?\s+int\s+)" + name + R"(\s*=\s*\d+\s*;)");
  if (std::regex_search(code, constant)) return true;
  const std::regex list(R"(\b)" + name + R"(\s*(\[[^\]]*\])?\s*=?\s*\{)");
  std::smatch found;
  if (std::regex_search(code, found, list) && has_number(bracketed(code, found.position(0) + found.length(0) - 1)))
    return true;
  const std::regex loop(R"(\bfor\s*\([^;:()]*\b)" + name + R"(\b[^;:()]*:\s*)");
  for (std::sregex_iterator it(code.begin(), code.end(), loop), end; it != end; ++it) {
    const std::size_t range = it->position(0) + it->length(0);
    if (code[range] == '{' && has_number(bracketed(code, range))) return true;
    static const std::regex named_range(R"((\w+)\s*\))");
    std::smatch over;
    if (std::regex_search(code.cbegin() + static_cast<std::ptrdiff_t>(range), code.cend(), over, named_range,
                          std::regex_constants::match_continuous) &&
        stands_for_numbers(code, over[1]))
      return true;
  }
  return false;
}

struct Call {
  std::string function;
  std::vector<std::string> arguments;
  std::size_t at = 0;
};

std::vector<Call> calls_of(const std::string& code, const std::string& function) {
  std::vector<Call> found;
  static std::map<std::string, std::regex> patterns;
  auto [pattern, made] = patterns.try_emplace(function);
  if (made) pattern->second = std::regex(R"((^|[^\w])()" + function + R"()\s*\()");
  for (std::sregex_iterator it(code.begin(), code.end(), pattern->second), end; it != end; ++it) {
    const std::size_t open = it->position(0) + it->length(0) - 1;
    found.push_back({function, arguments(bracketed(code, open)), open});
  }
  return found;
}

// The argument a call hands to the lookup, empty when it has too few.
std::string argument_of(const Call& call, const Lookup& lookup) {
  const int k = lookup.argument < 0 ? static_cast<int>(call.arguments.size()) - 1 : lookup.argument;
  return k < static_cast<int>(call.arguments.size()) ? trimmed(call.arguments[static_cast<std::size_t>(k)]) : "";
}

// The functions of the file that hand one of their int parameters to a lookup, as lookups themselves.
std::vector<Lookup> handing_on(const std::string& code, const std::vector<Lookup>& lookups) {
  std::vector<Lookup> found;
  static const std::regex definition(R"(\b(\w+)\s*\(([^()]*)\)\s*(const\s*)?\{)");
  for (std::sregex_iterator it(code.begin(), code.end(), definition), end; it != end; ++it) {
    const std::vector<std::string> parameters = arguments((*it)[2]);
    const std::string body = bracketed(code, it->position(0) + it->length(0) - 1);
    for (std::size_t k = 0; k < parameters.size(); ++k) {
      std::smatch parameter;
      static const std::regex int_parameter(R"(\bint\s+(\w+)\s*$)");
      if (!std::regex_search(parameters[k], parameter, int_parameter)) continue;
      for (const Lookup& lookup : lookups)
        for (const Call& call : calls_of(body, lookup.name))
          if (argument_of(call, lookup) == parameter[1]) found.push_back({(*it)[1], static_cast<int>(k)});
    }
  }
  return found;
}

int line_of(const std::string& code, std::size_t at) {
  return 1 + static_cast<int>(std::count(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// Each bare number handed to a lookup, as "line: call".
std::vector<std::string> bare_numbers(const std::string& source) {
  const std::string code = code_only(source);
  std::vector<Lookup> lookups = kLookups;
  for (const Lookup& wrapper : handing_on(code, kLookups)) lookups.push_back(wrapper);
  std::vector<std::string> found;
  for (const Lookup& lookup : lookups) {
    for (const Call& call : calls_of(code, lookup.name)) {
      const std::string argument = argument_of(call, lookup);
      static const std::regex element(R"(^(\w+)(\[[^\]]*\])?$)");
      std::smatch name;
      const bool disguised = std::regex_match(argument, name, element) && stands_for_numbers(code, name[1]);
      if (has_number(argument) || disguised)
        found.push_back(std::to_string(line_of(code, call.at)) + ": " + lookup.name + "(" + argument + ")");
    }
  }
  return found;
}

std::string file_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(NamedNumbers, TheProgramHandsNoBareNumberToATextOrToolButtonLookup) {
  const fs::path root = source_root();
  int files = 0;
  std::vector<std::string> found;
  for (const char* folder : {"model", "editor", "output", "plan_drawing", "view3d", "scene3d", "gfx3d"}) {
    for (const fs::path& file : source_files(root / folder)) {
      ++files;
      for (const std::string& call : bare_numbers(file_text(file)))
        found.push_back(fs::relative(file, root).generic_string() + ":" + call);
    }
  }
  EXPECT_GT(files, 100);  // the folders were found
  EXPECT_EQ(found, std::vector<std::string>{});
}

TEST(NamedNumbers, ABareNumberIsFoundHoweverItIsHandedOn) {
  EXPECT_EQ(bare_numbers("show(lang_text(8));").size(), 1u);
  EXPECT_EQ(bare_numbers("ask(lang_text(LangTable, 112));").size(), 1u);
  EXPECT_EQ(bare_numbers("ask(lang_text(again ? 158 : 112));").size(), 1u);
  EXPECT_EQ(bare_numbers("label->setText(qt_lang_text(183) + \"...\");").size(), 1u);
  EXPECT_EQ(bare_numbers("Main->tool_button(13)->trigger();").size(), 1u);
  EXPECT_EQ(bare_numbers("constexpr int kCancelText = 88;\nf(qt_lang_text(kCancelText));").size(), 1u);
  EXPECT_EQ(bare_numbers("const int texts[] = {68, 69};\nf(lang_text(texts[k]));").size(), 1u);
  EXPECT_EQ(bare_numbers("for (int text : {218, 220}) set(lang_text(text));").size(), 1u);
  EXPECT_EQ(bare_numbers("int most = 1'000;\nf(lang_text(8));").size(), 1u) << "a digit separator is no quote";
  EXPECT_EQ(bare_numbers("constexpr std::pair<int, int> kHints[] = {{21, 108}};\n"
                         "for (auto [button, hint] : kHints) tool_button(button)->setToolTip(qt_lang_text(hint));")
                .size(),
            2u);
  EXPECT_EQ(bare_numbers("bool ask(int caption, int prompt) { return query(lang_text(caption), lang_text(prompt)); }\n"
                         "void go() { ask(6, 7); }")
                .size(),
            2u);
}

TEST(NamedNumbers, NamesIndicesCommentsAndMessagesPass) {
  EXPECT_TRUE(bare_numbers("show(lang_text(text::invalid_value));").empty());
  EXPECT_TRUE(bare_numbers("f(lang_text(StructureTypes[0].long_text));").empty());
  EXPECT_TRUE(bare_numbers("f(lang_text(texts, number));").empty());
  EXPECT_TRUE(bare_numbers("// lang_text(8) is shown\nf(\"lang_text(8)\");").empty());
  EXPECT_TRUE(bare_numbers("Main->tool_button(tool_button::print)->trigger();").empty());
  EXPECT_TRUE(bare_numbers("const int texts[] = {text::customer_name};\nf(lang_text(texts[k]));").empty());
}
