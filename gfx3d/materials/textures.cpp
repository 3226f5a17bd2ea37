#include "gfx3d/materials/textures.h"

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/materials.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/vector_operations.h"

TGLTextureFormat vDefaultTextureFormat = tfRGBA;
TGLTextureCompression vDefaultTextureCompression = tcNone;

namespace {

constexpr GLenum kTextureRectangleNV = 0x84F5;
constexpr GLenum kTextureCompressedImageSize = 0x86A0;
constexpr GLenum kTextureCompressionHint = 0x84EF;
constexpr GLenum kMaxAnisotropy = 0x84FE;
constexpr GLenum kMaxTextureUnits = 0x84E2;

constexpr GLenum kTextureModes[] = {GL_DECAL, GL_MODULATE, GL_BLEND, GL_REPLACE};
constexpr GLenum kMinFilters[] = {GL_NEAREST,
                                  GL_LINEAR,
                                  GL_NEAREST_MIPMAP_NEAREST,
                                  GL_LINEAR_MIPMAP_NEAREST,
                                  GL_NEAREST_MIPMAP_LINEAR,
                                  GL_LINEAR_MIPMAP_LINEAR};
constexpr GLenum kMagFilters[] = {GL_NEAREST, GL_LINEAR};

struct FormatPair {
  GLenum uncompressed, compressed;
};
// By TGLTextureFormat, tfDefault unused.
constexpr FormatPair kFormats[] = {{0, 0},
                                   {GL_RGB8, 0x84ED},
                                   {GL_RGBA8, 0x84EE},
                                   {GL_RGB5, 0x84ED},
                                   {GL_RGBA4, 0x84EE},
                                   {GL_ALPHA8, 0x84E9},
                                   {GL_LUMINANCE8, 0x84EA},
                                   {GL_LUMINANCE8_ALPHA8, 0x84EB},
                                   {GL_INTENSITY8, 0x84EC},
                                   {GL_RGB8, 0x84ED},
                                   {0x881A, 0x881A},
                                   {0x8814, 0x8814}};

bool IsFloatFormat(TGLTextureFormat format) { return format == tfRGBAFloat16 || format == tfRGBAFloat32; }

TGLState StateOfTarget(GLenum target) {
  if (target == kTextureRectangleNV) return stTextureRect;
  if (target == GL_TEXTURE_CUBE_MAP_ARB) return stTextureCubeMap;
  return stTexture2D;
}

void LoadTransposed(TMatrix4f m) {
  if (GLFlags().ARB_transpose_matrix && GL().glLoadTransposeMatrixfARB) {
    GL().glLoadTransposeMatrixfARB(&m[0].x);
  } else {
    TransposeMatrix(m);
    GL().glLoadMatrixf(&m[0].x);
  }
}

TMatrix4f Orthonormalized(TMatrix4f m) {
  OrthonormalizeMatrix(m);
  return m;
}

}  // namespace

TGLTexture::TGLTexture(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      image_(std::make_unique<TGLPersistentImage>(this)),
      env_color_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 0})) {}

TGLTexture::~TGLTexture() = default;

void TGLTexture::Assign(const TPersistent* source) {
  auto* texture = dynamic_cast<const TGLTexture*>(source);
  if (!texture) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  SetImage(texture->image_.get());
  image_alpha_ = texture->image_alpha_;
  image_brightness_ = texture->image_brightness_;
  image_gamma_ = texture->image_gamma_;
  texture_mode_ = texture->texture_mode_;
  texture_wrap_ = texture->texture_wrap_;
  texture_format_ = texture->texture_format_;
  min_filter_ = texture->min_filter_;
  mag_filter_ = texture->mag_filter_;
  compression_ = texture->compression_;
  filtering_quality_ = texture->filtering_quality_;
  mapping_mode_ = texture->mapping_mode_;
  if (texture->mapping_s_) MappingSCoordinates().Initialize(texture->mapping_s_->AsVector());
  if (texture->mapping_t_) MappingTCoordinates().Initialize(texture->mapping_t_->AsVector());
  env_color_->SetColor(texture->env_color_->Color());
  normal_map_scale_ = texture->normal_map_scale_;
  disabled_ = texture->disabled_;
  image_changed_ = params_changed_ = true;
  NotifyChange(this);
}

void TGLTexture::InstallImage(std::unique_ptr<TGLTextureImage> image) {
  image_ = std::move(image);
  image_->OnTextureNeeded = on_texture_needed_;
}

void TGLTexture::SetOnTextureNeeded(TTextureNeededEvent handler) {
  on_texture_needed_ = std::move(handler);
  image_->OnTextureNeeded = on_texture_needed_;
}

void TGLTexture::ReplaceImage(std::unique_ptr<TGLTextureImage> image) {
  InstallImage(std::move(image));
  NotifyImageChange();
  NotifyChange(this);
}

void TGLTexture::SetImage(const TGLTextureImage* source) {
  if (!source) {
    ReplaceImage(std::make_unique<TGLPersistentImage>(this));
    return;
  }
  if (source->ClassName() != image_->ClassName()) {
    const TGLTextureImageFactory* factory = FindGLTextureImageClass(source->ClassName());
    if (!factory) return;
    InstallImage((*factory)(this));
  }
  image_->Assign(source);
  NotifyImageChange();
}

void TGLTexture::SetImageClassName(const std::string& name) {
  if (name == image_->ClassName()) return;
  if (const TGLTextureImageFactory* factory = FindGLTextureImageClass(name)) ReplaceImage((*factory)(this));
}

TGLCoordinates4& TGLTexture::LazyCoordinates(std::unique_ptr<TGLCoordinates4>& coordinates, const TVector4f& initial) {
  if (!coordinates) {
    coordinates = std::make_unique<TGLCoordinates4>(this);
    coordinates->Initialize(initial);
  }
  return *coordinates;
}

TGLCoordinates4& TGLTexture::MappingSCoordinates() { return LazyCoordinates(mapping_s_, {1, 0, 0, 0}); }
TGLCoordinates4& TGLTexture::MappingTCoordinates() { return LazyCoordinates(mapping_t_, {0, 1, 0, 0}); }

void TGLTexture::NotifyImageChange() { image_changed_ = true; }
void TGLTexture::NotifyParamsChange() { params_changed_ = true; }

namespace {

template <typename T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

#define GFX3D_PARAMETER_SETTER(Name, Type, field) \
  void TGLTexture::Set##Name(Type value) {        \
    if (!Store(field, value)) return;             \
    NotifyParamsChange();                         \
    NotifyChange(this);                           \
  }
GFX3D_PARAMETER_SETTER(TextureMode, TGLTextureMode, texture_mode_)
GFX3D_PARAMETER_SETTER(TextureWrap, TGLTextureWrap, texture_wrap_)
GFX3D_PARAMETER_SETTER(TextureFormat, TGLTextureFormat, texture_format_)
GFX3D_PARAMETER_SETTER(MinFilter, TGLMinFilter, min_filter_)
GFX3D_PARAMETER_SETTER(MagFilter, TGLMagFilter, mag_filter_)
GFX3D_PARAMETER_SETTER(Compression, TGLTextureCompression, compression_)
GFX3D_PARAMETER_SETTER(FilteringQuality, TGLTextureFilteringQuality, filtering_quality_)
#undef GFX3D_PARAMETER_SETTER

#define GFX3D_IMAGE_SETTER(Name, Type, field) \
  void TGLTexture::Set##Name(Type value) {    \
    if (!Store(field, value)) return;         \
    NotifyImageChange();                      \
    NotifyChange(this);                       \
  }
GFX3D_IMAGE_SETTER(ImageAlpha, TGLTextureImageAlpha, image_alpha_)
GFX3D_IMAGE_SETTER(ImageBrightness, float, image_brightness_)
GFX3D_IMAGE_SETTER(ImageGamma, float, image_gamma_)
#undef GFX3D_IMAGE_SETTER

void TGLTexture::SetNormalMapScale(float value) {
  if (!Store(normal_map_scale_, value) || texture_format_ != tfNormalMap) return;
  NotifyImageChange();
  NotifyChange(this);
}

void TGLTexture::SetMappingMode(TGLTextureMappingMode value) {
  if (Store(mapping_mode_, value)) NotifyChange(this);
}

void TGLTexture::SetDisabled(bool value) {
  if (Store(disabled_, value)) NotifyChange(this);
}

GLuint TGLTexture::GetHandle() {
  if (handle_.Handle() != 0 && !image_changed_ && !params_changed_) return handle_.Handle();
  AllocateHandle();
  const GLenum target = image_->NativeTextureTarget();
  // The upload binds the name itself; what was bound before comes back, so the state cache stays right.
  GLint previous = 0;
  const GLenum binding = target == GL_TEXTURE_CUBE_MAP_ARB ? GL_TEXTURE_BINDING_CUBE_MAP_ARB
                         : target == kTextureRectangleNV   ? 0x84F6
                                                           : GL_TEXTURE_BINDING_2D;
  GL().glGetIntegerv(binding, &previous);
  GL().glBindTexture(target, handle_.Handle());
  if (params_changed_) {
    PrepareParams(target);
    params_changed_ = false;
  }
  if (image_changed_) {
    if (target == GL_TEXTURE_CUBE_MAP_ARB) {
      auto& cube = static_cast<TGLCubeMapImage&>(*image_);
      if (GLFlags().ARB_texture_cube_map && cube.FacesMatch())
        for (GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; face <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB; ++face)
          PrepareImage(face);
    } else {
      PrepareImage(target);
    }
    image_changed_ = false;
  }
  GL().glBindTexture(target, static_cast<GLuint>(previous));
  return handle_.Handle();
}

GLuint TGLTexture::AllocateHandle() {
  if (handle_.Handle() == 0) handle_.AllocateHandle();
  return handle_.Handle();
}

void TGLTexture::ImageWrittenDirectly(int width, int height) {
  image_changed_ = false;
  tex_width_ = width;
  tex_height_ = height;
  required_memory_ = -1;
}

void TGLTexture::PrepareImage(GLenum target) {
  TGLBitmap32* bitmap = image_->GetBitmap32(target);
  if (!bitmap || bitmap->IsEmpty()) return;
  if (texture_format_ == tfNormalMap)
    bitmap->GenerateNormalMap(texture_wrap_ == twBoth || texture_wrap_ == twHorizontal,
                              texture_wrap_ == twBoth || texture_wrap_ == twVertical, normal_map_scale_);
  switch (image_alpha_) {
    case tiaDefault:
      break;
    case tiaAlphaFromIntensity:
    case tiaLuminance:
      bitmap->SetAlphaFromIntensity();
      break;
    case tiaSuperBlackTransparent:
      bitmap->SetAlphaTransparentForColor(0, 0, 0);
      break;
    case tiaLuminanceSqrt:
      bitmap->SetAlphaFromIntensity();
      bitmap->SetAlphaFromSqrtIntensity();
      break;
    case tiaOpaque:
      bitmap->SetAlphaToValue(255);
      break;
    case tiaTopLeftPointColorTransparent: {
      const std::uint8_t* first = bitmap->Data();
      bitmap->SetAlphaTransparentForColor(first[0], first[1], first[2]);
      break;
    }
    case tiaInverseLuminance:
      bitmap->SetAlphaFromIntensity();
      bitmap->InvertAlpha();
      break;
    case tiaInverseLuminanceSqrt:
      bitmap->SetAlphaFromIntensity();
      bitmap->SetAlphaFromSqrtIntensity();
      bitmap->InvertAlpha();
      break;
  }
  if (image_brightness_ != 1.0f) bitmap->BrightnessCorrection(image_brightness_);
  if (image_gamma_ != 1.0f) bitmap->GammaCorrection(image_gamma_);
  CheckOpenGLError();
  bitmap->RegisterAsOpenGLTexture(target, min_filter_, tex_width_, tex_height_, OpenGLTextureFormat());
  GLint size = -1;
  GL().glGetTexLevelParameteriv(target, 0, kTextureCompressedImageSize, &size);
  required_memory_ = GL().glGetError() == GL_NO_ERROR ? size : -1;
  ClearGLError();
  image_->ReleaseBitmap32();
}

GLenum TGLTexture::OpenGLTextureFormat() const {
  const TGLTextureFormat format = texture_format_ != tfDefault         ? texture_format_
                                  : vDefaultTextureFormat != tfDefault ? vDefaultTextureFormat
                                                                       : tfRGBA;
  if (IsFloatFormat(format) && !GLFlags().ATI_texture_float) return format == tfRGBAFloat16 ? 0x888A : 0x888B;
  if (!GLFlags().ARB_texture_compression || IsFloatFormat(format)) return kFormats[format].uncompressed;
  const TGLTextureCompression compression = compression_ != tcDefault ? compression_ : vDefaultTextureCompression;
  switch (compression) {
    case tcStandard:
      GL().glHint(kTextureCompressionHint, GL_DONT_CARE);
      return kFormats[format].compressed;
    case tcHighQuality:
      GL().glHint(kTextureCompressionHint, GL_NICEST);
      return kFormats[format].compressed;
    case tcHighSpeed:
      GL().glHint(kTextureCompressionHint, GL_FASTEST);
      return kFormats[format].compressed;
    default:
      return kFormats[format].uncompressed;
  }
}

void TGLTexture::PrepareParams(GLenum target) {
  TGLFunctionTable& gl = GL();
  gl.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  gl.glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  gl.glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  if (IsFloatFormat(texture_format_)) {
    gl.glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl.glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    const bool filtered = GLFlags().ATI_texture_float && texture_format_ == tfRGBAFloat16;
    gl.glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filtered ? kMinFilters[min_filter_] : GL_NEAREST);
    gl.glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filtered ? kMagFilters[mag_filter_] : GL_NEAREST);
    return;
  }
  const GLint clamp = GLFlags().VERSION_1_2 || GLFlags().EXT_texture_edge_clamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  const bool repeat_s = texture_wrap_ == twBoth || texture_wrap_ == twHorizontal;
  const bool repeat_t = texture_wrap_ == twBoth || texture_wrap_ == twVertical;
  gl.glTexParameteri(target, GL_TEXTURE_WRAP_S, repeat_s ? GL_REPEAT : clamp);
  gl.glTexParameteri(target, GL_TEXTURE_WRAP_T, repeat_t ? GL_REPEAT : clamp);
  gl.glTexParameteri(target, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(kMinFilters[min_filter_]));
  gl.glTexParameteri(target, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(kMagFilters[mag_filter_]));
  if (GLFlags().EXT_texture_filter_anisotropic)
    gl.glTexParameteri(target, kMaxAnisotropy, filtering_quality_ == tfAnisotropic ? 2 : 1);
}

void TGLTexture::LoadCubeMapMatrix(const TRenderContextInfo& rci) {
  GL().glMatrixMode(GL_TEXTURE);
  switch (mapping_mode_) {
    case tmmCubeMapReflection:
    case tmmCubeMapNormal:
      if (rci.modelViewMatrix) LoadTransposed(Orthonormalized(*rci.modelViewMatrix));
      break;
    case tmmCubeMapLight0:
      if (!rci.lights.empty() && rci.modelViewMatrix) {
        LoadTransposed(Orthonormalized(*rci.lights.front()));
        TMatrix4f view = Orthonormalized(*rci.modelViewMatrix);
        TransposeMatrix(view);
        GL().glMultMatrixf(&view[0].x);
      }
      break;
    case tmmCubeMapCamera: {
      const TVector4f& d = rci.cameraDirection;
      const TVector4f& u = rci.cameraUp;
      TMatrix4f m;
      m[0] = VectorCrossProduct(u, d);
      m[1] = {-d.x, -d.y, -d.z, 0};
      m[2] = {u.x, u.y, u.z, 0};
      m[3] = {0, 0, 0, 1};
      LoadTransposed(m);
      break;
    }
    default:
      break;
  }
  GL().glMatrixMode(GL_MODELVIEW);
}

void TGLTexture::ApplyEnvironmentAndGeneration(TRenderContextInfo&) {
  TGLFunctionTable& gl = GL();
  gl.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(kTextureModes[texture_mode_]));
  gl.glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, env_color_->AsAddress());
  const auto generate = [&](std::initializer_list<GLenum> coordinates, GLint mode) {
    for (GLenum coordinate : coordinates) {
      gl.glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, mode);
      gl.glEnable(coordinate == GL_S ? GL_TEXTURE_GEN_S : coordinate == GL_T ? GL_TEXTURE_GEN_T : GL_TEXTURE_GEN_R);
    }
  };
  switch (mapping_mode_) {
    case tmmUser:
      break;
    case tmmObjectLinear:
    case tmmEyeLinear: {
      const bool object = mapping_mode_ == tmmObjectLinear;
      const GLenum plane = object ? GL_OBJECT_PLANE : GL_EYE_PLANE;
      gl.glTexGenfv(GL_S, plane, &MappingSCoordinates().AsAddress()->x);
      gl.glTexGenfv(GL_T, plane, &MappingTCoordinates().AsAddress()->x);
      generate({GL_S, GL_T}, object ? GL_OBJECT_LINEAR : GL_EYE_LINEAR);
      break;
    }
    case tmmSphere:
      generate({GL_S, GL_T}, GL_SPHERE_MAP);
      break;
    case tmmCubeMapReflection:
    case tmmCubeMapCamera:
      if (GLFlags().ARB_texture_cube_map) generate({GL_S, GL_T, GL_R}, GL_REFLECTION_MAP_ARB);
      break;
    case tmmCubeMapNormal:
    case tmmCubeMapLight0:
      if (GLFlags().ARB_texture_cube_map) generate({GL_S, GL_T, GL_R}, GL_NORMAL_MAP_ARB);
      break;
  }
}

void TGLTexture::DisableGeneration() {
  GL().glDisable(GL_TEXTURE_GEN_S);
  GL().glDisable(GL_TEXTURE_GEN_T);
  GL().glDisable(GL_TEXTURE_GEN_R);
}

void TGLTexture::Apply(TRenderContextInfo& rci) {
  TGLStateCache& cache = *rci.GLStates;
  if (disabled_) {
    cache.Disable(stTexture2D);
    cache.Disable(stTextureRect);
    XGLMapTexCoordToMain();
    return;
  }
  const GLenum target = image_->NativeTextureTarget();
  // Without the extension a cube map can be neither bound nor turned; environment and generation still apply.
  if (target != GL_TEXTURE_CUBE_MAP_ARB || GLFlags().ARB_texture_cube_map) {
    cache.Enable(StateOfTarget(target));
    cache.SetGLCurrentTexture(0, target, GetHandle());
    if (target == GL_TEXTURE_CUBE_MAP_ARB) LoadCubeMapMatrix(rci);
  }
  ApplyEnvironmentAndGeneration(rci);
  XGLMapTexCoordToMain();
}

void TGLTexture::UnApply(TRenderContextInfo& rci) {
  if (disabled_) return;
  TGLStateCache& cache = *rci.GLStates;
  if (image_->NativeTextureTarget() == GL_TEXTURE_CUBE_MAP_ARB) {
    cache.Disable(stTextureCubeMap);
    GL().glMatrixMode(GL_TEXTURE);
    GL().glLoadIdentity();
    GL().glMatrixMode(GL_MODELVIEW);
  } else if (cache.IsEnabled(stTextureRect)) {
    cache.Disable(stTextureRect);
  } else {
    cache.Disable(stTexture2D);
  }
  DisableGeneration();
}

void TGLTexture::ApplyAsTextureN(int n, TRenderContextInfo& rci, const TMatrix4f* textureMatrix) {
  if (disabled_) return;
  // Refused before GL is touched, so GL stays as it was.
  TGLStateCache::CheckTextureUnit(n - 1);
  const GLenum unit = GL_TEXTURE0_ARB + static_cast<GLenum>(n - 1);
  const GLenum target = image_->NativeTextureTarget();
  GL().glActiveTextureARB(unit);
  GL().glEnable(target);
  rci.GLStates->SetGLCurrentTexture(n - 1, target, GetHandle());
  if (textureMatrix) {
    GL().glMatrixMode(GL_TEXTURE);
    GL().glLoadMatrixf(&(*textureMatrix)[0].x);
    GL().glMatrixMode(GL_MODELVIEW);
  }
  ApplyEnvironmentAndGeneration(rci);
  GL().glActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLTexture::UnApplyAsTextureN(int n, TRenderContextInfo&) {
  if (disabled_) return;
  GL().glActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(n - 1));
  GL().glDisable(image_->NativeTextureTarget());
  DisableGeneration();
  GL().glActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLTexture::ApplyAsTexture2(TRenderContextInfo& rci, const TMatrix4f* textureMatrix) {
  ApplyAsTextureN(2, rci, textureMatrix);
}

void TGLTexture::UnApplyAsTexture2(TRenderContextInfo& rci) { UnApplyAsTextureN(2, rci); }

void TGLTexture::DestroyHandles() {
  handle_.DestroyHandle();
  image_changed_ = params_changed_ = true;
}

void TGLTexture::PrepareBuildList() { GetHandle(); }

TGLTextureExItem::TGLTextureExItem(TCollection* collection)
    : TCollectionItem(collection),
      offset_(std::make_unique<TGLCoordinates>(this)),
      scale_(std::make_unique<TGLCoordinates>(this)) {
  offset_->Initialize({0, 0, 0, 0});
  scale_->Initialize({1, 1, 1, 0});
  const auto recalculate = [this](TObject*) {
    CalculateTextureMatrix();
    Changed(false);
  };
  offset_->OnNotifyChange = recalculate;
  scale_->OnNotifyChange = recalculate;
  texture_.OnNotifyChange = [this](TObject*) { Changed(false); };
  if (collection) texture_index_ = collection->Count() - 1;
}

void TGLTextureExItem::Assign(const TPersistent* source) {
  if (auto* item = dynamic_cast<const TGLTextureExItem*>(source)) {
    texture_.Assign(&item->texture_);
    texture_index_ = item->texture_index_;
    offset_->Initialize(item->offset_->AsVector());
    scale_->Initialize(item->scale_->AsVector());
    CalculateTextureMatrix();
  } else {
    TCollectionItem::Assign(source);
  }
}

void TGLTextureExItem::SetTextureIndex(int value) { texture_index_ = std::max(value, 0); }

void TGLTextureExItem::CalculateTextureMatrix() {
  const TVector4f& offset = offset_->AsVector();
  const TVector4f& scale = scale_->AsVector();
  identity_ = offset.x == 0 && offset.y == 0 && offset.z == 0 && scale.x == 1 && scale.y == 1 && scale.z == 1;
  matrix_ = TMatrix4f{};
  matrix_[0].x = scale.x;
  matrix_[1].y = scale.y;
  matrix_[2].z = scale.z;
  matrix_[3] = {offset.x, offset.y, offset.z, 1};
}

void TGLTextureExItem::Apply(TRenderContextInfo& rci) {
  applied_ = false;
  if (!texture_.Enabled()) return;
  // Refused before the unit is selected and its matrix pushed, so GL stays as it was.
  TGLStateCache::CheckTextureUnit(texture_index_);
  GL().glActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(texture_index_));
  GL().glMatrixMode(GL_TEXTURE);
  GL().glPushMatrix();
  if (identity_)
    GL().glLoadIdentity();
  else
    GL().glLoadMatrixf(&matrix_[0].x);
  GL().glMatrixMode(GL_MODELVIEW);
  GL().glActiveTextureARB(GL_TEXTURE0_ARB);
  if (texture_index_ == 0)
    texture_.Apply(rci);
  else if (texture_index_ == 1)
    texture_.ApplyAsTexture2(rci);
  else
    texture_.ApplyAsTextureN(texture_index_ + 1, rci);
  applied_ = true;
}

void TGLTextureExItem::UnApply(TRenderContextInfo& rci) {
  if (!applied_) return;
  if (texture_index_ == 0)
    texture_.UnApply(rci);
  else if (texture_index_ == 1)
    texture_.UnApplyAsTexture2(rci);
  else
    texture_.UnApplyAsTextureN(texture_index_ + 1, rci);
  GL().glActiveTextureARB(GL_TEXTURE0_ARB + static_cast<GLenum>(texture_index_));
  GL().glMatrixMode(GL_TEXTURE);
  GL().glPopMatrix();
  GL().glMatrixMode(GL_MODELVIEW);
  GL().glActiveTextureARB(GL_TEXTURE0_ARB);
  applied_ = false;
}

TGLTextureEx::TGLTextureEx(TPersistent* owner)
    : TOwnedCollection(owner, [] { return std::make_unique<TGLTextureExItem>(); }) {}

TGLTextureExItem& TGLTextureEx::AddItem() {
  auto& item = static_cast<TGLTextureExItem&>(*Add());
  item.SetTextureIndex(item.Index());
  return item;
}

bool TGLTextureEx::IsTextureEnabled(int index) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i).TextureIndex() == index && Items(i).Texture().Enabled()) return true;
  return false;
}

void TGLTextureEx::Apply(TRenderContextInfo& rci) {
  if (!GLFlags().ARB_multitexture) return;
  GLint units = 0;
  GL().glGetIntegerv(kMaxTextureUnits, &units);
  unsigned mask = 0;
  for (int i = 0; i < Count(); ++i) {
    TGLTextureExItem& item = Items(i);
    if (item.TextureIndex() >= units) continue;
    item.Apply(rci);
    if (item.Texture().Enabled() && item.TextureIndex() > 0 && item.Texture().MappingMode() == tmmUser)
      mask |= 1u << item.TextureIndex();
  }
  if (mask) XGLMapTexCoordToArbitraryAdd(mask);
}

void TGLTextureEx::UnApply(TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i) Items(i).UnApply(rci);
}

void TGLTextureEx::Update(TCollectionItem* item) {
  TOwnedCollection::Update(item);
  if (auto* owner = dynamic_cast<TGLUpdateAbleObject*>(GetOwner())) owner->NotifyChange(this);
}

void TGLTextureEx::Loaded() {
  for (int i = 0; i < Count(); ++i) Items(i).CalculateTextureMatrix();
}
