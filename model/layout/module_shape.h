// The part of a module that a wall bay (Tmodulo) and a free-standing module
// (Tmodulo_agg) have in common: its shelf count, sizes, centre and
// orientation. Code that treats either kind alike copies just these.
#pragma once

template <typename To, typename From>
void copy_module_shape(To& to, const From& from) {
  to.shelf_count = from.shelf_count;
  to.height = from.height;
  to.width = from.width;
  to.length = from.length;
  to.x = from.x;
  to.y = from.y;
  to.orientation = from.orientation;
}
