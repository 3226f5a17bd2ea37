// Meshes in the stereolithography format: binary or ASCII when reading,
// binary when writing. A malformed file loads as nothing, without a message,
// and leaves what the mesh held before.
#pragma once

#include "scene3d/meshes/mesh_file_formats.h"

class TGLSTLVectorFile : public TVectorFile {
 public:
  using TVectorFile::TVectorFile;
  static constexpr const char* kClassName = "TGLSTLVectorFile";
  std::string ClassName() const override { return kClassName; }
  static TDataFileCapabilities SupportedOperations() { return dfcRead | dfcWrite; }
  std::unique_ptr<TDataFile> NewOfSameClass(TPersistent* owner) const override {
    return std::make_unique<TGLSTLVectorFile>(owner);
  }
  // Appends one mesh object of triangles with a normal per corner.
  void LoadFromStream(TStream& stream) override;
  // Every triangle of the mesh with its computed normal.
  void SaveToStream(TStream& stream) override;
};

// Registers the format under "stl".
void RegisterSTLFormat();
