#include "scene3d/meshes/strip_conversion.h"

namespace {

template <typename Corner>
void AppendStrip(int n, TAffineVectorList& list, Corner corner) {
  if (n < 3) return;
  list.EnsureCapacity(list.Count() + (n - 2) * 3);
  for (int i = 0; i + 2 < n; ++i) {
    if (i % 2 == 0)
      list.Add3(corner(i), corner(i + 1), corner(i + 2));
    else
      list.Add3(corner(i + 2), corner(i + 1), corner(i));
  }
}

}  // namespace

void ConvertStripToList(const TAffineVectorList& strip, TAffineVectorList& list) {
  const TAffineVector* v = strip.List();
  AppendStrip(strip.Count(), list, [v](int i) { return v[i]; });
}

void ConvertIndexedStripToList(const TAffineVectorList& vertices, const TIntegerList& indices,
                               TAffineVectorList& list) {
  const TAffineVector* v = vertices.List();
  const std::int32_t* index = indices.List();
  AppendStrip(indices.Count(), list, [v, index](int i) { return v[index[i]]; });
}
