#include "editor/plan/plan_texts.h"

#include <QLocale>
#include <algorithm>

#include "model/base/rounding.h"
#include "model/base/units.h"
#include "model/state/globals.h"

namespace {

// The user's decimal separator, without digit grouping.
QLocale plain_locale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale;
}

QString fixed_text(double value, const Tvar_amb& state) {
  return plain_locale().toString(value, 'f', std::clamp(state.decimals, 0, 15));
}

}  // namespace

QString plan_length_text(double mm, const Tvar_amb& state) {
  if (state.inches) return QString::fromStdString(format_feet_inches(mm / MmPerInch));
  return fixed_text(mm, state);
}

QString plan_clearance_text(double value, const Tvar_amb& state) {
  if (state.inches) return QString::fromStdString(format_feet_inches(value / state.unit_factor));
  return fixed_text(value, state);
}

QString plan_size_text(double length, double height, const Tvar_amb& state) {
  if (state.inches) return QString::fromStdString(inch_text_length(length) + " x " + inch_text_height(height));
  return fixed_text(length, state) + " x " + fixed_text(height, state);
}

QString useful_surface_text(double square_metres, const Tvar_amb& state) {
  if (state.product_switch != 1) return {};
  const double rounded = static_cast<double>(Round(square_metres * 100.0)) / 100.0;
  return "Sup.Ut.: " + plain_locale().toString(rounded, 'g', 15) + " mq";
}
