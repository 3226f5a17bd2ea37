#include "view3d/part_library.h"

#include <exception>
#include <system_error>

#include "gfx3d/persistence/data_files.h"
#include "model/base/string_utils.h"
#include "scene3d/meshes/base_mesh.h"

namespace fs = std::filesystem;

namespace {

// The file's meshes; one that cannot be read gives an empty form. Opening a
// file that has gone raises "File not found".
std::unique_ptr<TGLFreeForm> read_mesh(const fs::path& path) {
  auto stream = OpenFileStream(path.string(), fmOpenRead | fmShareDenyWrite);
  auto mesh = std::make_unique<TGLFreeForm>(nullptr);
  try {
    mesh->LoadMeshFromStream(path.string(), *stream);
  } catch (const std::exception&) {
    mesh = std::make_unique<TGLFreeForm>(nullptr);
  }
  return mesh;
}

}  // namespace

PartLibrary::PartLibrary(fs::path folder) : folder_(std::move(folder)) {}

PartLibrary::~PartLibrary() = default;

void PartLibrary::begin_build() {
  listing_.reset();
  resolved_.clear();
  checked_.clear();
}

std::optional<fs::path> PartLibrary::resolve(const std::string& name) {
  auto known = resolved_.find(name);
  if (known != resolved_.end()) return known->second;
  return resolved_[name] = look_up(name);
}

std::optional<fs::path> PartLibrary::look_up(const std::string& name) {
  std::error_code error;
  fs::path exact = folder_ / name;
  if (fs::is_regular_file(exact, error)) return exact;
  if (!listing_) {
    listing_.emplace();
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error))
      listing_->emplace(ascii_lower(it->path().filename().string()), it->path().filename().string());
  }
  auto found = listing_->find(ascii_lower(name));
  if (found == listing_->end()) return std::nullopt;
  return folder_ / found->second;
}

const TGLFreeForm& PartLibrary::current(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  const fs::file_time_type time = error ? fs::file_time_type{} : fs::last_write_time(path, error);
  auto known = files_.find(path);
  if (!error && known != files_.end() && known->second.size == size && known->second.time == time)
    return *known->second.mesh;
  std::unique_ptr<TGLFreeForm> mesh = read_mesh(path);
  ParsedFile& file = files_[path];
  file = {size, time, std::move(mesh)};
  return *file.mesh;
}

const TGLFreeForm& PartLibrary::parsed(const std::string& name) {
  auto known = checked_.find(name);
  if (known != checked_.end()) return *known->second;
  const std::optional<fs::path> path = resolve(name);
  // No file in any case: the library's own error names the path the name gives.
  const TGLFreeForm& mesh = current(path ? *path : folder_ / name);
  checked_.emplace(name, &mesh);
  return mesh;
}

void PartLibrary::load_into(TGLFreeForm& form, const std::string& name) {
  const TMeshObjectList& meshes = parsed(name).MeshObjects();
  for (int i = 0; i < meshes.Count(); ++i) {
    const TMeshObject& from = meshes.Item(i);
    auto* to = new TMeshObject(&form.MeshObjects());
    to->Mode = from.Mode;
    to->Vertices().Assign(&from.Vertices());
    to->Normals().Assign(&from.Normals());
  }
  form.StructureChanged();
}
