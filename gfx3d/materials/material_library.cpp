#include "gfx3d/materials/material_library.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/materials/texture_images.h"
#include "gfx3d/persistence/persistence.h"

namespace {

constexpr const char* kUnit = "GLMaterial";

// ---- Archive pieces

void WriteRaw(TVirtualWriter& writer, const float* values, int count) {
  writer.Write(values, static_cast<std::size_t>(count) * sizeof(float));
}

void ReadRaw(TVirtualReader& reader, float* values, int count) {
  reader.Read(values, static_cast<std::size_t>(count) * sizeof(float));
}

// A picture as BMP file bytes, the format archives carry.
std::string BitmapBytes(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "BMP");
  return bytes.toStdString();
}

const QImage* ArchivedPicture(TGLTexture& texture) {
  if (!texture.Enabled()) return nullptr;
  auto* image = dynamic_cast<TGLPersistentImage*>(&texture.Image());
  return image && !image->Picture().isNull() ? &image->Picture() : nullptr;
}

void WriteTexture(TVirtualWriter& writer, TGLTexture& texture) {
  const QImage* picture = ArchivedPicture(texture);
  writer.WriteBoolean(picture != nullptr);
  if (picture) writer.WriteString(BitmapBytes(*picture));
}

// The picture of an archived texture, or a null image when there is none.
QImage ReadTexture(TVirtualReader& reader) {
  if (!reader.ReadBoolean()) return {};
  const std::string bytes = reader.ReadString();
  QImage picture;
  if (!picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP"))
    throw EReadError("Material library: unreadable texture bitmap");
  return picture;
}

void WriteFace(TVirtualWriter& writer, const TGLFaceProperties& face) {
  WriteRaw(writer, face.Ambient().AsAddress(), 3);
  WriteRaw(writer, face.Diffuse().AsAddress(), 4);
  WriteRaw(writer, face.Emission().AsAddress(), 3);
  WriteRaw(writer, face.Specular().AsAddress(), 3);
  const std::uint8_t shininess = face.Shininess();
  writer.Write(&shininess, 1);
  writer.WriteInteger(face.PolygonMode());
}

void ReadColor(TVirtualReader& reader, TGLColor& color, int count) {
  TVector4f value = color.Color();
  ReadRaw(reader, &value.x, count);
  color.SetColor(value);
}

void ReadFace(TVirtualReader& reader, TGLFaceProperties& face, bool colorsOnly) {
  ReadColor(reader, face.Ambient(), 3);
  ReadColor(reader, face.Diffuse(), 4);
  ReadColor(reader, face.Emission(), 3);
  ReadColor(reader, face.Specular(), 3);
  if (colorsOnly) return;
  std::uint8_t shininess = 0;
  reader.Read(&shininess, 1);
  face.SetShininess(shininess);
  const int mode = reader.ReadInteger();
  if (mode < pmFill || mode > pmPoints) throw EReadError("Material library: unknown polygon mode");
  face.SetPolygonMode(static_cast<TPolygonMode>(mode));
}

void SetPicture(TGLTexture& texture, const QImage& picture) {
  TGLPersistentImage image(nullptr);
  image.SetPicture(picture);
  texture.SetImage(&image);
}

void WriteVector(TVirtualWriter& writer, const TGLCoordinates& coordinates) {
  WriteRaw(writer, &coordinates.AsVector().x, 3);
}

void ReadVector(TVirtualReader& reader, TGLCoordinates& coordinates) {
  TVector4f value = coordinates.AsVector();
  ReadRaw(reader, &value.x, 3);
  coordinates.SetAsVector(value);
}

void MakeMatrix(const TVector4f& offset, const TVector4f& scale, bool& identity, TMatrix4f& matrix) {
  identity = offset.x == 0 && offset.y == 0 && offset.z == 0 && scale.x == 1 && scale.y == 1 && scale.z == 1;
  matrix = IdentityMatrix;
  matrix[0].x = scale.x;
  matrix[1].y = scale.y;
  matrix[2].z = scale.z;
  matrix[3] = {offset.x, offset.y, offset.z, 1};
}

}  // namespace

// ---- TGLShader

TGLShader::TGLShader(TComponent* owner) : TComponent(owner) {
  handle_.OnAllocate = [](TGLVirtualHandle*, GLuint& handle) { handle = 1; };
  handle_.OnDestroy = [this](TGLVirtualHandle*, GLuint&) {
    initialized_ = false;
    DoFinalize();
  };
}

TGLShader::~TGLShader() {
  FinalizeShader();
  for (TGLLibMaterial* user : std::vector<TGLLibMaterial*>(users_)) user->SetShader(nullptr);
}

void TGLShader::SetEnabled(bool value) {
  Assert(!applying_, kUnit, __LINE__, "Shader is active.");
  if (value == enabled_) return;
  enabled_ = value;
  NotifyUsers();
}

void TGLShader::Apply(TRenderContextInfo& rci, TObject* sender) {
  Assert(!applying_, kUnit, __LINE__, "Unbalanced shader application.");
  if (enabled_) {
    if (!initialized_) {
      // Drawing always has a context; only a recording of calls may come without one.
      if (CurrentGLContext()) handle_.AllocateHandle();
      DoInitialize();
      initialized_ = true;
    }
    DoApply(rci, sender);
  }
  applying_ = true;
}

bool TGLShader::UnApply(TRenderContextInfo& rci) {
  Assert(applying_, kUnit, __LINE__, "Unbalanced shader application.");
  const bool again = enabled_ && DoUnApply(rci);
  applying_ = again;
  return again;
}

void TGLShader::RegisterUser(TGLLibMaterial* user) {
  if (std::find(users_.begin(), users_.end(), user) == users_.end()) users_.push_back(user);
}

void TGLShader::UnRegisterUser(TGLLibMaterial* user) { std::erase(users_, user); }

void TGLShader::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) NotifyUsers();
}

void TGLShader::NotifyUsers() {
  if (update_count_ > 0) return;
  for (TGLLibMaterial* user : users_) user->NotifyUsers();
  FinalizeShader();
}

// Freeing the handle makes its context current for DoFinalize when another one is.
void TGLShader::FinalizeShader() {
  if (!initialized_) return;
  if (handle_.Handle() != 0) {
    handle_.DestroyHandle();
  } else {
    initialized_ = false;
    DoFinalize();
  }
}

// ---- TGLLibMaterial

std::uint32_t LibMaterialNameHash(const std::string& name) {
  auto hash = static_cast<std::uint32_t>(name.size());
  for (unsigned char c : name) hash = 2 * hash + c;
  return hash;
}

TGLLibMaterial::TGLLibMaterial(TCollection* collection)
    : TCollectionItem(collection),
      texture_offset_(TGLCoordinates::CreateInitialized(this, {0, 0, 0, 0}, csPoint)),
      texture_scale_(TGLCoordinates::CreateInitialized(this, {1, 1, 1, 0}, csVector)) {
  texture_matrix_ = IdentityMatrix;
  const auto changed = [this](TObject*) {
    CalculateTextureMatrix();
    NotifyUsers();
  };
  texture_offset_->OnNotifyChange = changed;
  texture_scale_->OnNotifyChange = changed;
  material_.OnNotifyChange = [this](TObject*) { NotifyUsers(); };
  // Picture files named by this material are looked for along the library's texture paths.
  material_.SetOnTextureNeeded([this](TObject*, std::string& fileName) {
    if (TGLMaterialLibrary* library = Library()) fileName = library->TextureFileName(fileName);
  });
}

TGLLibMaterial::~TGLLibMaterial() {
  if (TGLMaterialLibrary* library = Library(); library && library->last_applied_ == this)
    library->last_applied_ = nullptr;
  if (shader_) shader_->UnRegisterUser(this);
  if (texture2_) texture2_->UnRegisterUser(this);
  // Library materials that took this one as their second texture forget it, and linked materials drop the link.
  for (TObject* user : std::vector<TObject*>(users_)) {
    if (auto* other = dynamic_cast<TGLLibMaterial*>(user); other && other->texture2_ == this)
      other->texture2_ = nullptr;
    else if (auto* material = dynamic_cast<TGLMaterial*>(user); material && material->LibMaterial() == this)
      material->LibMaterialDestroyed();
  }
}

void TGLLibMaterial::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TGLLibMaterial*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  SetName(other->name_);
  material_.Assign(&other->material_);
  texture_offset_->Assign(other->texture_offset_.get());
  texture_scale_->Assign(other->texture_scale_.get());
  SetTexture2Name(other->texture2_name_);
  SetShader(other->shader_);
  CalculateTextureMatrix();
}

TGLMaterialLibrary* TGLLibMaterial::Library() const {
  const auto* materials = dynamic_cast<const TGLLibMaterials*>(Collection());
  return materials ? dynamic_cast<TGLMaterialLibrary*>(materials->GetOwner()) : nullptr;
}

void TGLLibMaterial::SetName(const std::string& value) {
  if (value == name_) return;
  std::string name = value;
  const TGLMaterialLibrary* library = Library();
  const auto* materials = dynamic_cast<const TGLLibMaterials*>(Collection());
  if (materials && !(library && library->Loading())) {
    const auto taken = [&](const std::string& candidate) {
      for (int i = 0; i < materials->Count(); ++i)
        if (&materials->Items(i) != this && materials->Items(i).Name() == candidate) return true;
      return false;
    };
    for (int suffix = 1; taken(name); ++suffix) name = value + std::to_string(suffix);
  }
  name_ = name;
  name_hash_ = LibMaterialNameHash(name_);
}

void TGLLibMaterial::CalculateTextureMatrix() {
  MakeMatrix(texture_offset_->AsVector(), texture_scale_->AsVector(), texture_matrix_is_identity_, texture_matrix_);
}

void TGLLibMaterial::SetTexture2Name(const std::string& value) {
  if (value == texture2_name_) return;
  if (texture2_) texture2_->UnRegisterUser(this);
  texture2_ = nullptr;
  texture2_name_ = value;
  NotifyUsers();
}

void TGLLibMaterial::SetShader(TGLShader* value) {
  if (value == shader_) return;
  if (shader_) shader_->UnRegisterUser(this);
  shader_ = value;
  if (shader_) shader_->RegisterUser(this);
  NotifyUsers();
}

void TGLLibMaterial::RegisterUser(TObject* user) {
  if (std::find(users_.begin(), users_.end(), user) == users_.end()) users_.push_back(user);
}

void TGLLibMaterial::UnRegisterUser(TObject* user) { std::erase(users_, user); }

void TGLLibMaterial::NotifyUsers() {
  if (notifying_) return;
  notifying_ = true;
  try {
    for (TObject* user : users_) {
      if (auto* material = dynamic_cast<TGLLibMaterial*>(user))
        material->NotifyUsers();
      else if (auto* object = dynamic_cast<TGLUpdateAbleObject*>(user))
        object->NotifyChange(this);
      else if (auto* component = dynamic_cast<TGLUpdateAbleComponent*>(user))
        component->NotifyChange(this);
      else
        Assert(false, kUnit, __LINE__);
    }
  } catch (...) {
    notifying_ = false;
    throw;
  }
  notifying_ = false;
}

TGLLibMaterial* TGLLibMaterial::Texture2() {
  if (texture2_name_.empty() || !GLFlags().ARB_multitexture || XGLSecondTextureUnitForbidden()) return nullptr;
  if (!texture2_) {
    TGLMaterialLibrary* library = Library();
    texture2_ = library ? library->LibMaterialByName(texture2_name_) : nullptr;
    if (texture2_)
      texture2_->RegisterUser(this);
    else
      texture2_name_.clear();
  }
  return texture2_;
}

void TGLLibMaterial::Apply(TRenderContextInfo& rci) {
  if (TGLMaterialLibrary* library = Library()) library->last_applied_ = this;
  XGLBeginUpdate();
  if (shader_ && shader_->ShaderStyle == ssLowLevel) shader_->Apply(rci, this);
  if (shader_ && shader_->ShaderStyle == ssReplace) {
    shader_->Apply(rci, this);
    XGLEndUpdate();
    return;
  }
  const bool ownTexture = material_.HasTexture() && material_.Texture().Enabled();
  TGLLibMaterial* second = Texture2();
  if (second && second->material_.HasTexture() && second->material_.Texture().Enabled()) {
    if (!texture_matrix_is_identity_ && rci.GLStates) rci.GLStates->SetGLTextureMatrix(texture_matrix_);
    material_.Apply(rci);
    TGLTexture& texture2 = second->material_.Texture();
    texture2.ApplyAsTexture2(rci, second->texture_matrix_is_identity_ ? nullptr : &second->texture_matrix_);
    if (texture2.MappingMode() != tmmUser)
      XGLMapTexCoordToMain();
    else if (!ownTexture || material_.Texture().MappingMode() != tmmUser)
      XGLMapTexCoordToSecond();
    else
      XGLMapTexCoordToDual();
  } else {
    if (ownTexture && !texture_matrix_is_identity_ && rci.GLStates) rci.GLStates->SetGLTextureMatrix(texture_matrix_);
    material_.Apply(rci);
  }
  if (shader_ && shader_->ShaderStyle == ssHighLevel) shader_->Apply(rci, this);
  XGLEndUpdate();
}

bool TGLLibMaterial::UnApply(TRenderContextInfo& rci) {
  const bool again = UnApplyPass(rci);
  // Applied until the last pass is done.
  if (TGLMaterialLibrary* library = Library(); library && !again && library->last_applied_ == this)
    library->last_applied_ = nullptr;
  return again;
}

bool TGLLibMaterial::UnApplyPass(TRenderContextInfo& rci) {
  if (shader_ && shader_->ShaderStyle == ssHighLevel && shader_->UnApply(rci)) return true;
  if (shader_ && shader_->ShaderStyle == ssReplace) return shader_->UnApply(rci);
  if (TGLLibMaterial* second = Texture2()) {
    // A disabled texture un-applies nothing, but the coordinates go back to the main unit all the same.
    if (second->material_.HasTexture()) second->material_.Texture().UnApplyAsTexture2(rci);
    XGLMapTexCoordToMain();
  }
  material_.UnApply(rci);
  if (material_.HasTexture() && material_.Texture().Enabled() && !texture_matrix_is_identity_ && rci.GLStates)
    rci.GLStates->ResetGLTextureMatrix();
  if (shader_ && shader_->ShaderStyle == ssLowLevel) return shader_->UnApply(rci);
  return false;
}

// ---- TGLLibMaterials

TGLLibMaterials::TGLLibMaterials(TGLMaterialLibrary* owner)
    : TOwnedCollection(owner, [] { return std::make_unique<TGLLibMaterial>(); }) {}

TGLLibMaterial* TGLLibMaterials::Add() {
  auto* item = static_cast<TGLLibMaterial*>(TOwnedCollection::Add());
  item->SetName("LibMaterial");
  return item;
}

TGLLibMaterial* TGLLibMaterials::GetLibMaterialByName(const std::string& name) const {
  const std::uint32_t hash = LibMaterialNameHash(name);
  for (int i = 0; i < Count(); ++i)
    if (Items(i).NameHash() == hash && Items(i).Name() == name) return &Items(i);
  return nullptr;
}

void TGLLibMaterials::PrepareBuildList() {
  for (int i = 0; i < Count(); ++i) Items(i).PrepareBuildList();
}

// ---- TGLMaterialLibrary

TGLMaterialLibrary::TGLMaterialLibrary(TComponent* owner) : TComponent(owner) {}

TGLMaterialLibrary::~TGLMaterialLibrary() {
  ReportUnbalancedApplication();
  free_notifier_.NotifyFreed(this);
  materials_.Clear();
}

// A destructor must not throw: the failed assertion is written to the error output instead.
void TGLMaterialLibrary::ReportUnbalancedApplication() const noexcept {
  try {
    Assert(last_applied_ == nullptr, kUnit, __LINE__, "Unbalanced material application");
  } catch (const EAssertionFailed& failure) {
    std::fprintf(stderr, "3-D library: %s\n", failure.what());
  }
}

void TGLMaterialLibrary::SetTexturePaths(const std::string& value) {
  texture_paths_ = value;
  texture_path_list_.clear();
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(';', start);
    if (end == std::string::npos) end = value.size();
    std::string entry = value.substr(start, end - start);
    if (!entry.empty()) {
      if (entry.back() != '/') entry += '/';
      texture_path_list_.push_back(entry);
    }
    start = end + 1;
  }
}

std::string TGLMaterialLibrary::TextureFileName(std::string name) {
  if (OnTextureNeeded) OnTextureNeeded(this, name);
  if (name.empty() || std::filesystem::path(name).is_absolute()) return name;
  for (const std::string& folder : texture_path_list_) {
    const std::string candidate = folder + name;
    std::error_code ignored;
    if (std::filesystem::exists(candidate, ignored)) return candidate;
  }
  return name;
}

TGLLibMaterial& TGLMaterialLibrary::AddTextureMaterial(const std::string& name, const QImage& image) {
  TGLLibMaterial& material = *materials_.Add();
  material.SetName(name);
  TGLTexture& texture = material.Material().Texture();
  texture.SetMinFilter(miLinearMipmapLinear);
  texture.SetMagFilter(maLinear);
  texture.SetTextureMode(tmModulate);
  texture.SetDisabled(false);
  SetPicture(texture, image);
  return material;
}

void TGLMaterialLibrary::Loaded() {
  for (int i = 0; i < materials_.Count(); ++i) {
    materials_.Items(i).CalculateTextureMatrix();
    materials_.Items(i).Material().Loaded();
  }
}

void TGLMaterialLibrary::DestroyHandles() {
  for (int i = 0; i < materials_.Count(); ++i) materials_.Items(i).Material().DestroyHandles();
}

void TGLMaterialLibrary::WriteToFiler(TVirtualWriter& writer) const {
  writer.WriteInteger(2);
  writer.WriteInteger(materials_.Count());
  for (int i = 0; i < materials_.Count(); ++i) {
    TGLLibMaterial& item = materials_.Items(i);
    TGLMaterial& material = item.Material();
    writer.WriteString(item.Name());
    if (material.HasTexture())
      WriteTexture(writer, material.Texture());
    else
      writer.WriteBoolean(false);
    WriteFace(writer, material.FrontProperties());
    WriteFace(writer, material.BackProperties());
    writer.WriteInteger(material.BlendingMode());
    writer.WriteInteger(1);
    const std::uint8_t options = material.MaterialOptions();
    writer.Write(&options, 1);
    WriteVector(writer, item.TextureOffset());
    WriteVector(writer, item.TextureScale());
    writer.WriteString(item.Texture2Name());
    const int extra = material.HasTextureEx() ? material.TextureEx().Count() : 0;
    writer.WriteInteger(extra);
    for (int k = 0; k < extra; ++k) {
      TGLTextureExItem& texture = material.TextureEx().Items(k);
      WriteTexture(writer, texture.Texture());
      writer.WriteInteger(texture.TextureIndex());
      WriteVector(writer, texture.TextureOffset());
      WriteVector(writer, texture.TextureScale());
    }
  }
}

TGLLibMaterial& TGLMaterialLibrary::EntryToRead(TGLMaterialLibrary& scratch, const std::string& name,
                                                const QImage& picture) const {
  TGLLibMaterial* item = KeepMaterialsOnLoad ? scratch.LibMaterialByName(name) : nullptr;
  if (!item && KeepMaterialsOnLoad) {
    if (const TGLLibMaterial* existing = LibMaterialByName(name)) {
      item = scratch.materials_.Add();
      item->Assign(existing);
    }
  }
  if (!item) return picture.isNull() ? *scratch.materials_.Add() : scratch.AddTextureMaterial(name, picture);
  if (!picture.isNull()) {
    SetPicture(item->Material().Texture(), picture);
    item->Material().Texture().SetDisabled(false);
  }
  return *item;
}

void TGLMaterialLibrary::ReadFromFiler(TVirtualReader& reader) {
  const int version = ReadArchiveVersion(reader, ClassName(), 2);
  // Read into a scratch library, so a bad archive leaves this one as it was.
  TGLMaterialLibrary scratch(nullptr);
  scratch.loading_ = true;
  const int count = reader.ReadInteger();
  if (count < 0 || static_cast<std::uint64_t>(count) > reader.Stream().Remaining())
    throw EReadError("Material library: count beyond the archive");
  for (int i = 0; i < count; ++i) {
    const std::string name = reader.ReadString();
    const QImage picture = ReadTexture(reader);
    TGLLibMaterial* item = &EntryToRead(scratch, name, picture);
    item->SetName(name);
    TGLMaterial& material = item->Material();
    ReadFace(reader, material.FrontProperties(), version == 0);
    if (version == 0) continue;
    ReadFace(reader, material.BackProperties(), false);
    const int blending = reader.ReadInteger();
    if (blending < bmOpaque || blending > bmModulate) throw EReadError("Material library: unknown blending mode");
    material.SetBlendingMode(static_cast<TBlendingMode>(blending));
    // The options are one byte; any other stored size is a broken archive.
    if (reader.ReadInteger() != 1) throw EReadError("Material library: unexpected size of the material options");
    std::uint8_t options = 0;
    reader.Read(&options, 1);
    material.SetMaterialOptions(options);
    ReadVector(reader, item->TextureOffset());
    ReadVector(reader, item->TextureScale());
    item->SetTexture2Name(reader.ReadString());
    if (version < 2) continue;
    const int extra = reader.ReadInteger();
    if (extra < 0 || static_cast<std::uint64_t>(extra) > reader.Stream().Remaining())
      throw EReadError("Material library: count beyond the archive");
    // An updated material ends with the archive's extra textures, not those added to its own.
    if (material.HasTextureEx()) material.TextureEx().Clear();
    for (int k = 0; k < extra; ++k) {
      TGLTextureExItem& texture = material.TextureEx().AddItem();
      const QImage extraPicture = ReadTexture(reader);
      if (!extraPicture.isNull()) SetPicture(texture.Texture(), extraPicture);
      texture.SetTextureIndex(reader.ReadInteger());
      ReadVector(reader, texture.TextureOffset());
      ReadVector(reader, texture.TextureScale());
      texture.Texture().SetEnabled(true);
    }
  }
  TakeMaterials(scratch.materials_);
  Loaded();
}

void TGLMaterialLibrary::TakeMaterials(const TGLLibMaterials& read) {
  loading_ = true;
  materials_.BeginUpdate();
  try {
    // Materials of the same name are updated where they are, so the scene materials linked to them stay linked.
    if (!KeepMaterialsOnLoad) materials_.Clear();
    for (int i = 0; i < read.Count(); ++i) {
      TGLLibMaterial* target = KeepMaterialsOnLoad ? LibMaterialByName(read.Items(i).Name()) : nullptr;
      (target ? target : materials_.Add())->Assign(&read.Items(i));
    }
  } catch (...) {
    materials_.EndUpdate();
    loading_ = false;
    throw;
  }
  materials_.EndUpdate();
  loading_ = false;
}

void TGLMaterialLibrary::SaveToStream(TStream& stream) const {
  TBinaryWriter writer(stream);
  WriteToFiler(writer);
}

void TGLMaterialLibrary::LoadFromStream(TStream& stream) {
  TBinaryReader reader(stream);
  ReadFromFiler(reader);
}

void RegisterMaterialLibraryClass() {
  RegisterClass("TGLMaterialLibrary", [] { return std::make_unique<TGLMaterialLibrary>(nullptr); });
}
