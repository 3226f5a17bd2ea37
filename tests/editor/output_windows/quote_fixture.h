// Shared set-up of the quote window tests: the quote globals of the model's
// tests, and an English locale (decimal point).
#pragma once

#include <QLocale>

#include "support/quote_globals.h"

class QuoteTest : public QuoteGlobalsTest {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QuoteGlobalsTest::SetUp();
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
};
