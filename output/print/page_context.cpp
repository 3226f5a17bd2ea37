#include "output/print/page_context.h"

#include "model/base/rounding.h"

int PageContext::px_x(double mm) const { return static_cast<int>(Round(mm * px_per_mm_x)); }

int PageContext::px_y(double mm) const { return static_cast<int>(Round(mm * px_per_mm_y)); }
