// Named materials that scene materials and mesh face groups refer to by name:
// each adds a texture matrix, a second texture taken from another library
// material, and an optional shader run before, after or instead of it. A
// library archives itself in the tagged binary format.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx3d/core/free_notification.h"
#include "gfx3d/core/toolkit_components.h"
#include "gfx3d/geometry/coordinates.h"
#include "gfx3d/gl/gl_context.h"
#include "gfx3d/materials/materials.h"
#include "gfx3d/persistence/binary_filers.h"

class TGLLibMaterial;

enum TGLShaderStyle : std::uint8_t { ssLowLevel, ssHighLevel, ssReplace };

// The base of shaders; this library has no concrete one.
class TGLShader : public TComponent {
 public:
  explicit TGLShader(TComponent* owner);
  ~TGLShader() override;
  std::string ClassName() const override { return "TGLShader"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TGLShaderStyle ShaderStyle = ssHighLevel;
  void Apply(TRenderContextInfo& rci, TObject* sender);
  // True when the object must be drawn again.
  bool UnApply(TRenderContextInfo& rci);
  void RegisterUser(TGLLibMaterial* user);
  void UnRegisterUser(TGLLibMaterial* user);
  // Changes inside the bracket tell the users once, at the outermost end.
  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  // The GL resource of an initialised shader: 1 while initialised, else 0.
  const TGLVirtualHandle& Handle() const { return handle_; }

 protected:
  virtual void DoInitialize() {}
  virtual void DoFinalize() {}
  virtual void DoApply(TRenderContextInfo&, TObject*) {}
  virtual bool DoUnApply(TRenderContextInfo&) { return false; }

 private:
  void NotifyUsers();
  void FinalizeShader();

  bool enabled_ = true;
  std::vector<TGLLibMaterial*> users_;
  // Made on first use in the current context; freeing it, in that context, finalises the shader.
  TGLVirtualHandle handle_;
  int update_count_ = 0;
  bool applying_ = false;
  bool initialized_ = false;
};

class TGLLibMaterials;
class TGLMaterialLibrary;

class TGLLibMaterial : public TCollectionItem {
 public:
  explicit TGLLibMaterial(TCollection* collection = nullptr);
  ~TGLLibMaterial() override;
  std::string ClassName() const override { return "TGLLibMaterial"; }
  void Assign(const TPersistent* source) override;
  std::string GetDisplayName() const override { return name_; }

  const std::string& Name() const { return name_; }
  // A name another item holds gets "1", "2", ... appended, except while loading.
  void SetName(const std::string& value);
  std::uint32_t NameHash() const { return name_hash_; }
  TGLMaterial& Material() { return material_; }
  TGLCoordinates& TextureOffset() { return *texture_offset_; }
  TGLCoordinates& TextureScale() { return *texture_scale_; }
  bool TextureMatrixIsIdentity() const { return texture_matrix_is_identity_; }
  const TMatrix4f& TextureMatrix() const { return texture_matrix_; }
  const std::string& Texture2Name() const { return texture2_name_; }
  void SetTexture2Name(const std::string& value);
  TGLShader* Shader() const { return shader_; }
  void SetShader(TGLShader* value);
  int Tag = 0;

  TGLMaterialLibrary* Library() const;
  void Apply(TRenderContextInfo& rci);
  bool UnApply(TRenderContextInfo& rci);
  void PrepareBuildList() { material_.PrepareBuildList(); }
  void CalculateTextureMatrix();
  // Users hear of every change of this material; they are updatable objects or library materials.
  void RegisterUser(TObject* user);
  void UnRegisterUser(TObject* user);
  void NotifyUsers();

 private:
  TGLLibMaterial* Texture2();
  bool UnApplyPass(TRenderContextInfo& rci);

  std::vector<TObject*> users_;
  std::string name_;
  std::uint32_t name_hash_ = 0;
  // Owned by this item, so its changes reach the users through OnNotifyChange.
  TGLMaterial material_{this};
  // Owned by this item as well: coordinates without an owner never tell of a change.
  std::unique_ptr<TGLCoordinates> texture_offset_, texture_scale_;
  bool texture_matrix_is_identity_ = true;
  TMatrix4f texture_matrix_{};
  std::string texture2_name_;
  TGLShader* shader_ = nullptr;
  bool notifying_ = false;
  TGLLibMaterial* texture2_ = nullptr;
};

class TGLLibMaterials : public TOwnedCollection {
 public:
  explicit TGLLibMaterials(TGLMaterialLibrary* owner);
  std::string ClassName() const override { return "TGLLibMaterials"; }
  TGLLibMaterial& Items(int index) const { return static_cast<TGLLibMaterial&>(*TCollection::Items(index)); }
  // A new item named "LibMaterial", made unique.
  TGLLibMaterial* Add();
  TGLLibMaterial* GetLibMaterialByName(const std::string& name) const;
  void PrepareBuildList();
};

// The hash names are compared by first: length, then doubled and added per character.
std::uint32_t LibMaterialNameHash(const std::string& name);

class TGLMaterialLibrary : public TComponent {
 public:
  explicit TGLMaterialLibrary(TComponent* owner);
  ~TGLMaterialLibrary() override;
  std::string ClassName() const override { return "TGLMaterialLibrary"; }

  TGLLibMaterials& Materials() { return materials_; }
  const std::string& TexturePaths() const { return texture_paths_; }
  // Split at ";", each entry ending in "/".
  void SetTexturePaths(const std::string& value);
  const std::vector<std::string>& TexturePathList() const { return texture_path_list_; }
  std::function<void(TObject* sender, std::string& textureFileName)> OnTextureNeeded;
  bool KeepMaterialsOnLoad = false;
  bool Loading() const { return loading_; }
  // The library material applied and not yet un-applied, or null.
  const TGLLibMaterial* LastAppliedMaterial() const { return last_applied_; }

  // The file a texture name stands for: the handler first, then each texture path in turn.
  std::string TextureFileName(std::string name);
  TGLLibMaterial& AddTextureMaterial(const std::string& name, const QImage& image);
  TGLLibMaterial* LibMaterialByName(const std::string& name) const { return materials_.GetLibMaterialByName(name); }
  void Loaded() override;
  void DestroyHandles();
  // Holders of this library (materials, meshes) are told when it is destroyed.
  TFreeNotifier& FreeNotifier() { return free_notifier_; }

  void WriteToFiler(TVirtualWriter& writer) const;
  // Replaces (or, keeping, updates) the materials; a bad archive leaves them as they were.
  void ReadFromFiler(TVirtualReader& reader);
  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream);

 private:
  friend class TGLLibMaterial;
  void ReportUnbalancedApplication() const noexcept;
  // The scratch item an archive entry is read into; keeping materials, a copy of the one of that name.
  TGLLibMaterial& EntryToRead(TGLMaterialLibrary& scratch, const std::string& name, const QImage& picture) const;
  // The materials read replace this library's, or, keeping materials, update those of the same name.
  void TakeMaterials(const TGLLibMaterials& read);

  TGLLibMaterials materials_{this};
  std::string texture_paths_;
  std::vector<std::string> texture_path_list_;
  bool loading_ = false;
  TGLLibMaterial* last_applied_ = nullptr;
  TFreeNotifier free_notifier_;
};

// Makes TGLMaterialLibrary a class that component streams can name.
void RegisterMaterialLibraryClass();
