// The codes that make a module part of a compact mobile-shelving group:
// "CVFISSO_" + group number for the two fixed ends, "CVMOBIL_" + number for
// the mobile units between them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kFixedCompactPrefix = "CVFISSO_";
inline constexpr std::string_view kMobileCompactPrefix = "CVMOBIL_";

// Heights of the line's modules, mm: the fixed ends and their end frames, and the mobile units.
inline constexpr double kFixedCompactHeight = 1850.0;
inline constexpr double kMobileCompactHeight = 1700.0;

bool is_fixed_compact_code(std::string_view code);
bool is_mobile_compact_code(std::string_view code);
bool is_compact_code(std::string_view code);  // either of the two

// The group number after the code's first "_"; nothing when that text is not
// an integer (codes come from project files and may be damaged).
std::optional<int> compact_group_number(std::string_view code);

std::string fixed_compact_code(int group_number);
std::string mobile_compact_code(int group_number);
