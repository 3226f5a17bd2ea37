#include "model/base/prices.h"

#include "model/base/text_io.h"

bool is_storable_price(double price) { return price >= -kLargestPrice && price <= kLargestPrice; }

std::string price_refusal(std::string_view text, char decimal_separator, double& value) {
  const std::string quoted = "\"" + std::string(text) + "\"";
  double read = 0.0;
  if (!parse_double(text, read, decimal_separator))
    return quoted + " is not a number with a decimal " + (decimal_separator == ',' ? "comma" : "point");
  if (!is_storable_price(read))
    return "the price " + quoted + " is beyond the largest a price list holds, " +
           format_general(kLargestPrice, decimal_separator) +
           " either way; up to it every total of a quote keeps its cents";
  value = read;
  return {};
}
