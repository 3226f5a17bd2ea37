#include "scene3d/render/picking.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

// GL stores hit depths as unsigned integers spanning the whole depth range.
float WindowDepth(GLuint stored) {
  return static_cast<float>(static_cast<double>(stored) / std::numeric_limits<GLuint>::max());
}

}  // namespace

TGLPickList PickListFromSelection(const std::vector<GLuint>& selection, int hitCount, const TGLPickNames& names) {
  TGLPickList list;
  std::unordered_map<TGLBaseStageObject*, std::size_t> entry_of;
  std::size_t at = 0;
  for (int hit = 0; hit < hitCount; ++hit) {
    // A record: name count, smallest and largest depth, the name stack bottom first.
    if (at + 3 > selection.size()) break;
    const std::size_t name_count = selection[at];
    const float z_min = WindowDepth(selection[at + 1]);
    const float z_max = WindowDepth(selection[at + 2]);
    const std::size_t first_name = at + 3;
    at = first_name + name_count;
    if (name_count == 0 || at > selection.size()) continue;
    TGLBaseStageObject* object = names.ObjectNamed(selection[first_name]);
    if (!object) continue;
    std::vector<TGLBaseStageObject*> sub_objects;
    for (std::size_t i = first_name + 1; i < at; ++i)
      if (TGLBaseStageObject* sub_object = names.ObjectNamed(selection[i])) sub_objects.push_back(sub_object);

    const auto [entry, added] = entry_of.try_emplace(object, list.size());
    if (added) {
      list.push_back({object, z_min, z_max, std::move(sub_objects)});
      continue;
    }
    TGLPickInfo& info = list[entry->second];
    if (z_min < info.zMin) {
      info.zMin = z_min;
      info.subObjects = std::move(sub_objects);
    }
    info.zMax = std::max(info.zMax, z_max);
  }
  std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.zMin < b.zMin; });
  return list;
}
