// Runs part of a test under another C locale, the one std::tolower follows,
// and gives the former one back.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

class ScopedCLocale {
 public:
  explicit ScopedCLocale(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
    EXPECT_NE(std::setlocale(LC_ALL, name), nullptr) << name << " is not installed";
  }
  ~ScopedCLocale() { std::setlocale(LC_ALL, saved_.c_str()); }

 private:
  std::string saved_;
};
