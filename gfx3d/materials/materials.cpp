#include "gfx3d/materials/materials.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/persistence/streams.h"

namespace {

constexpr const char* kUnit = "GLMaterial";

constexpr GLenum kPolygonModes[] = {GL_FILL, GL_LINE, GL_POINT};

// Library links deeper than this are taken for a cycle.
constexpr int kMaxLibraryLinks = 16;

TGLLibMaterial* FindLibMaterial(const TGLMaterialLibrary* library, const std::string& name) {
  return library ? library->LibMaterialByName(name) : nullptr;
}

// Counts every material inside the one that switched the state off, not only
// that one, so the state returns at the outermost UnApply alone.
void SwitchOff(TGLStateCache& cache, TGLState state, int& counter) {
  if (cache.IsEnabled(state)) {
    cache.Disable(state);
    ++counter;
  } else if (counter > 0) {
    ++counter;
  }
}

}  // namespace

TGLColor::TGLColor(TPersistent* owner, const TVector4f& color, TNotifyEvent changeEvent)
    : TGLUpdateAbleObject(owner), color_(color) {
  OnNotifyChange = std::move(changeEvent);
}

void TGLColor::Assign(const TPersistent* source) {
  if (auto* color = dynamic_cast<const TGLColor*>(source)) {
    color_ = color->color_;
    NotifyChange(this);
  } else {
    TGLUpdateAbleObject::Assign(source);
  }
}

void TGLColor::SetColor(const TVector4f& color) {
  color_ = color;
  NotifyChange(this);
}

void TGLColor::SetColorComponent(int index, float value) {
  if (color_[index] == value) return;
  color_[index] = value;
  NotifyChange(this);
}

void TGLColor::DefineProperties(TPropertyDefiner& definer) {
  definer.DefineBinaryProperty(
      "Color", [this](TStream& stream) { stream.ReadBuffer(&color_.x, sizeof color_); },
      [this](TStream& stream) { stream.WriteBuffer(&color_.x, sizeof color_); }, true);
}

void TGLColor::NotifyChange(TObject* sender) {
  if (auto* owner = dynamic_cast<IGLStructureOwner*>(Owner())) owner->StructureChanged();
  TGLUpdateAbleObject::NotifyChange(sender);
}

TGLFaceProperties::TGLFaceProperties(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      ambient_(std::make_unique<TGLColor>(this, TVector4f{0.2f, 0.2f, 0.2f, 1})),
      diffuse_(std::make_unique<TGLColor>(this, TVector4f{0.8f, 0.8f, 0.8f, 1})),
      specular_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 1})),
      emission_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 1})) {}

void TGLFaceProperties::Assign(const TPersistent* source) {
  auto* face = dynamic_cast<const TGLFaceProperties*>(source);
  if (!face) return;
  BeginUpdate();
  ambient_->Assign(face->ambient_.get());
  diffuse_->Assign(face->diffuse_.get());
  specular_->Assign(face->specular_.get());
  emission_->Assign(face->emission_.get());
  shininess_ = face->shininess_;
  polygon_mode_ = face->polygon_mode_;
  EndUpdate();
}

void TGLFaceProperties::SetColor(TGLColor& target, const TGLColor& source) {
  target.BeginUpdate();
  target.SetColor(source.Color());
  target.EndUpdate();
  NotifyChange(this);
}

void TGLFaceProperties::SetPolygonMode(TPolygonMode value) {
  if (value == polygon_mode_) return;
  polygon_mode_ = value;
  NotifyChange(this);
}

void TGLFaceProperties::SetShininess(std::uint8_t value) {
  if (value == shininess_) return;
  shininess_ = value;
  NotifyChange(this);
}

void TGLFaceProperties::Apply(TRenderContextInfo& rci, GLenum face) const {
  rci.GLStates->SetGLMaterialColors(face, emission_->Color(), ambient_->Color(), diffuse_->Color(), specular_->Color(),
                                    shininess_);
  rci.GLStates->SetGLPolygonMode(face, kPolygonModes[polygon_mode_]);
}

void TGLFaceProperties::ApplyNoLighting(TRenderContextInfo& rci, GLenum face) const {
  GL().glColor4fv(diffuse_->AsAddress());
  rci.GLStates->SetGLPolygonMode(face, kPolygonModes[polygon_mode_]);
}

TGLMaterial::TGLMaterial(TPersistent* owner)
    : TGLUpdateAbleObject(owner), front_(std::make_unique<TGLFaceProperties>(this)) {}

TGLMaterial::~TGLMaterial() {
  if (lib_material_) lib_material_->UnRegisterUser(this);
  ReplaceLibrary(nullptr);
}

void TGLMaterial::SetMaterialLibrary(TGLMaterialLibrary* value) {
  ReplaceLibrary(value);
  SetLibMaterialName(lib_material_name_);
}

void TGLMaterial::ReplaceLibrary(TGLMaterialLibrary* value) {
  if (value == library_) return;
  if (library_) library_->FreeNotifier().Remove(this);
  library_ = value;
  if (library_) library_->FreeNotifier().Add(this);
}

void TGLMaterial::SetLibMaterialName(const std::string& value) {
  TGLLibMaterial* found = FindLibMaterial(library_, value);
  int links = 0;
  for (TGLLibMaterial* link = found; link;) {
    if (++links >= kMaxLibraryLinks) Assert(false, kUnit, 0, "Error: Cyclic material reference detected!");
    const TGLMaterial& inner = link->Material();
    // When the chain comes back through this material, the new name is the one that counts: a cycle made
    // in this very call is caught too, instead of recursing without end when applied.
    link = FindLibMaterial(inner.library_, &inner == this ? value : inner.lib_material_name_);
  }
  lib_material_name_ = value;
  if (found != lib_material_) LinkLibMaterial(found);
}

void TGLMaterial::LinkLibMaterial(TGLLibMaterial* value) {
  if (lib_material_) lib_material_->UnRegisterUser(this);
  lib_material_ = value;
  if (lib_material_) lib_material_->RegisterUser(this);
  NotifyChange(this);
}

void TGLMaterial::LibMaterialDestroyed() {
  lib_material_ = nullptr;
  lib_material_name_.clear();
  ReplaceLibrary(nullptr);
  NotifyChange(this);
}

void TGLMaterial::ObjectFreed(TObject* object) {
  if (!library_ || object != static_cast<TObject*>(library_)) return;
  library_ = nullptr;
  LinkLibMaterial(nullptr);
}

TGLFaceProperties& TGLMaterial::BackProperties() {
  if (!back_) back_ = std::make_unique<TGLFaceProperties>(this);
  return *back_;
}

void TGLMaterial::SetFrontProperties(const TGLFaceProperties& values) {
  front_->Assign(&values);
  NotifyChange(this);
}

void TGLMaterial::SetBackProperties(const TGLFaceProperties& values) {
  BackProperties().Assign(&values);
  NotifyChange(this);
}

void TGLMaterial::SetBlendingMode(TBlendingMode value) {
  if (value == blending_mode_) return;
  blending_mode_ = value;
  NotifyChange(this);
}

void TGLMaterial::SetMaterialOptions(TMaterialOptions value) {
  if (value == material_options_) return;
  material_options_ = value;
  NotifyChange(this);
}

void TGLMaterial::SetFaceCulling(TFaceCulling value) {
  if (value == face_culling_) return;
  face_culling_ = value;
  NotifyChange(this);
}

TGLTexture& TGLMaterial::Texture() {
  if (!texture_) {
    texture_ = std::make_unique<TGLTexture>(this);
    if (on_texture_needed_) texture_->SetOnTextureNeeded(on_texture_needed_);
  }
  return *texture_;
}

void TGLMaterial::SetOnTextureNeeded(TTextureNeededEvent handler) {
  on_texture_needed_ = std::move(handler);
  if (texture_) texture_->SetOnTextureNeeded(on_texture_needed_);
}

void TGLMaterial::SetTexture(const TGLTexture* value) {
  if (value)
    Texture().Assign(value);
  else
    texture_.reset();
}

TGLTextureEx& TGLMaterial::TextureEx() {
  if (!texture_ex_) texture_ex_ = std::make_unique<TGLTextureEx>(this);
  return *texture_ex_;
}

void TGLMaterial::SetTextureEx(const TGLTextureEx* value) {
  if (value || texture_ex_) TextureEx().Assign(value);
}

void TGLMaterial::Assign(const TPersistent* source) {
  auto* material = dynamic_cast<const TGLMaterial*>(source);
  if (!material) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  if (material->back_)
    BackProperties().Assign(material->back_.get());
  else
    back_.reset();
  front_->Assign(material->front_.get());
  blending_mode_ = material->blending_mode_;
  material_options_ = material->material_options_;
  if (material->texture_)
    Texture().Assign(material->texture_.get());
  else
    texture_.reset();
  face_culling_ = material->face_culling_;
  ReplaceLibrary(material->library_);
  SetLibMaterialName(material->lib_material_name_);
  // The copy ends with exactly the source's extra textures, none when it has none.
  if (material->texture_ex_)
    TextureEx().Assign(material->texture_ex_.get());
  else if (texture_ex_)
    texture_ex_->Clear();
  NotifyChange(this);
}

void TGLMaterial::NotifyChange(TObject* sender) {
  // A change of any part is a change of the owning object as a whole.
  if (auto* owner = dynamic_cast<IGLStructureOwner*>(Owner())) owner->StructureChanged();
  TGLUpdateAbleObject::NotifyChange(sender);
}

bool TGLMaterial::Blended() const {
  if (lib_material_) return lib_material_->Material().Blended();
  return blending_mode_ == bmTransparency || blending_mode_ == bmAdditive || blending_mode_ == bmModulate;
}

bool TGLMaterial::MainTextureOnUnitZero() const { return !texture_ex_ || !texture_ex_->IsTextureEnabled(0); }

// Material colours, not the current colour: unlit drawing keeps the front face's colour, and lighting
// switched on later finds the back face ready.
void TGLMaterial::ApplyBackFace(TRenderContextInfo& rci) { BackProperties().Apply(rci, GL_BACK); }

void TGLMaterial::ApplyBlending(TRenderContextInfo& rci) const {
  TGLStateCache& cache = *rci.GLStates;
  const auto set = [&](bool blend, bool alphaTest) {
    blend ? cache.Enable(stBlend) : cache.Disable(stBlend);
    alphaTest ? cache.Enable(stAlphaTest) : cache.Disable(stAlphaTest);
  };
  switch (blending_mode_) {
    case bmOpaque:
      set(false, false);
      break;
    case bmTransparency:
      set(true, true);
      GL().glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case bmAdditive:
      set(true, true);
      GL().glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    case bmAlphaTest50:
      set(false, true);
      GL().glAlphaFunc(GL_GEQUAL, 0.5f);
      break;
    case bmAlphaTest100:
      set(false, true);
      GL().glAlphaFunc(GL_GEQUAL, 1.0f);
      break;
    case bmModulate:
      set(true, true);
      GL().glBlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    default:
      Assert(false, kUnit, __LINE__);
  }
}

void TGLMaterial::Apply(TRenderContextInfo& rci) {
  if (lib_material_) {
    lib_material_->Apply(rci);
    return;
  }
  TGLStateCache& cache = *rci.GLStates;
  if (material_options_ & moNoLighting) SwitchOff(cache, stLighting, rci.lightingDisabledCounter);
  if (cache.IsEnabled(stLighting))
    front_->Apply(rci, GL_FRONT);
  else
    front_->ApplyNoLighting(rci, GL_FRONT);

  const bool culling = cache.IsEnabled(stCullFace);
  switch (face_culling_) {
    case fcBufferDefault:
      if (!culling && rci.bufferFaceCull) {
        cache.Enable(stCullFace);
      } else {
        if (culling && !rci.bufferFaceCull) cache.Disable(stCullFace);
        ApplyBackFace(rci);
      }
      break;
    case fcCull:
      if (!culling) cache.Enable(stCullFace);
      break;
    case fcNoCull:
      if (culling) cache.Disable(stCullFace);
      ApplyBackFace(rci);
      break;
    default:
      Assert(false, kUnit, __LINE__);
  }
  if (!rci.ignoreBlendingRequests) ApplyBlending(rci);
  if (material_options_ & moIgnoreFog) SwitchOff(cache, stFog, rci.fogDisabledCounter);
  if (texture_ex_ && texture_ex_->Count() > 0) {
    if (texture_ && MainTextureOnUnitZero())
      texture_->Apply(rci);
    else
      texture_ex_->Apply(rci);
  } else if (texture_) {
    texture_->Apply(rci);
  }
}

bool TGLMaterial::UnApply(TRenderContextInfo& rci) {
  if (lib_material_) return lib_material_->UnApply(rci);
  if (blending_mode_ == bmAlphaTest50 || blending_mode_ == bmAlphaTest100) GL().glAlphaFunc(GL_GREATER, 0);
  // Every nested material that switched lighting or fog off counted itself; the outermost one switches it back.
  if ((material_options_ & moNoLighting) && rci.lightingDisabledCounter > 0 && --rci.lightingDisabledCounter == 0)
    rci.GLStates->Enable(stLighting);
  if ((material_options_ & moIgnoreFog) && rci.fogDisabledCounter > 0 && --rci.fogDisabledCounter == 0)
    rci.GLStates->Enable(stFog);
  if (texture_ && texture_->Enabled() && MainTextureOnUnitZero())
    texture_->UnApply(rci);
  else if (texture_ex_)
    texture_ex_->UnApply(rci);
  return false;
}

void TGLMaterial::PrepareBuildList() {
  if (texture_ && texture_->Enabled()) texture_->PrepareBuildList();
}

void TGLMaterial::DestroyHandles() {
  if (texture_) texture_->DestroyHandles();
}

void TGLMaterial::Loaded() {
  if (texture_ex_) texture_ex_->Loaded();
}
