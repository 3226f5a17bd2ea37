#include "view3d/part_library.h"

#include <algorithm>
#include <system_error>

#include "scene3d/meshes/base_mesh.h"

namespace fs = std::filesystem;

namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return text;
}

}  // namespace

PartLibrary::PartLibrary(fs::path folder) : folder_(std::move(folder)) {}

PartLibrary::~PartLibrary() = default;

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
      listing_->emplace(lower(it->path().filename().string()), it->path().filename().string());
  }
  auto found = listing_->find(lower(name));
  if (found == listing_->end()) return std::nullopt;
  return folder_ / found->second;
}

const TGLFreeForm* PartLibrary::parsed(const std::string& name) {
  auto known = meshes_.find(name);
  if (known != meshes_.end()) return known->second.get();
  std::unique_ptr<TGLFreeForm> mesh;
  if (std::optional<fs::path> path = resolve(name)) {
    mesh = std::make_unique<TGLFreeForm>(nullptr);
    try {
      mesh->LoadMeshFromFile(path->string());
    } catch (const std::exception&) {
      mesh.reset();
    }
  }
  return meshes_.emplace(name, std::move(mesh)).first->second.get();
}

void PartLibrary::load_into(TGLFreeForm& form, const std::string& name) {
  const TGLFreeForm* source = parsed(name);
  if (!source) {
    fail(name);
    return;
  }
  const TMeshObjectList& meshes = source->MeshObjects();
  for (int i = 0; i < meshes.Count(); ++i) {
    const TMeshObject& from = meshes.Item(i);
    auto* to = new TMeshObject(&form.MeshObjects());
    to->Mode = from.Mode;
    to->Vertices().Assign(&from.Vertices());
    to->Normals().Assign(&from.Normals());
  }
  form.StructureChanged();
}

void PartLibrary::fail(const std::string& name) {
  const std::string path = (folder_ / name).string();
  if (std::find(failures_.begin(), failures_.end(), path) == failures_.end()) failures_.push_back(path);
}
