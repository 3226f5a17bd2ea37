// The texture of a material: an image that supplies the pixels, a GL texture
// name, and the filters, wrap, format, compression and coordinate generation
// that become GL texture state when the material is applied. Extra textures
// on further units come from a collection of items.
#pragma once

#include <GL/gl.h>

#include <memory>
#include <string>

#include "gfx3d/core/toolkit_components.h"
#include "gfx3d/geometry/coordinates.h"
#include "gfx3d/gl/gl_context.h"
#include "gfx3d/gl/render_context_info.h"
#include "gfx3d/materials/texture_enumerations.h"
#include "gfx3d/materials/texture_images.h"

class TGLColor;

class TGLTexture : public TGLUpdateAbleObject {
 public:
  explicit TGLTexture(TPersistent* owner);
  ~TGLTexture() override;
  std::string ClassName() const override { return "TGLTexture"; }
  void Assign(const TPersistent* source) override;

  TGLTextureImage& Image() const { return *image_; }
  // Null puts a fresh persistent image in place; otherwise an image of source's class takes its values.
  void SetImage(const TGLTextureImage* source);
  std::string ImageClassName() const { return image_->ClassName(); }
  // A registered image class; an unknown name changes nothing.
  void SetImageClassName(const std::string& name);
  // Handed to every image this texture holds, now and after a change of image class.
  void SetOnTextureNeeded(TTextureNeededEvent handler);

  TGLTextureMode TextureMode() const { return texture_mode_; }
  TGLTextureWrap TextureWrap() const { return texture_wrap_; }
  TGLTextureFormat TextureFormat() const { return texture_format_; }
  TGLMinFilter MinFilter() const { return min_filter_; }
  TGLMagFilter MagFilter() const { return mag_filter_; }
  TGLTextureCompression Compression() const { return compression_; }
  TGLTextureFilteringQuality FilteringQuality() const { return filtering_quality_; }
  TGLTextureImageAlpha ImageAlpha() const { return image_alpha_; }
  float ImageBrightness() const { return image_brightness_; }
  float ImageGamma() const { return image_gamma_; }
  float NormalMapScale() const { return normal_map_scale_; }
  TGLTextureMappingMode MappingMode() const { return mapping_mode_; }
  bool Disabled() const { return disabled_; }
  bool Enabled() const { return !disabled_; }
  TGLColor& EnvColor() const { return *env_color_; }
  TGLCoordinates4& MappingSCoordinates();
  TGLCoordinates4& MappingTCoordinates();

  // Parameter setters: the parameters are sent again at the next use.
  void SetTextureMode(TGLTextureMode value);
  void SetTextureWrap(TGLTextureWrap value);
  void SetTextureFormat(TGLTextureFormat value);
  void SetMinFilter(TGLMinFilter value);
  void SetMagFilter(TGLMagFilter value);
  void SetCompression(TGLTextureCompression value);
  void SetFilteringQuality(TGLTextureFilteringQuality value);
  // Image setters: the image is uploaded again at the next use.
  void SetImageAlpha(TGLTextureImageAlpha value);
  void SetImageBrightness(float value);
  void SetImageGamma(float value);
  void SetNormalMapScale(float value);
  void SetMappingMode(TGLTextureMappingMode value);
  void SetDisabled(bool value);
  void SetEnabled(bool value) { SetDisabled(!value); }

  // The GL name with image and parameters up to date; allocates and uploads when needed.
  GLuint GetHandle();
  GLuint Handle() const { return handle_.Handle(); }
  // For callers that write the pixels into GL themselves, such as a copy of
  // the frame buffer: the GL name, allocated when there is none, with nothing
  // uploaded or sent.
  GLuint AllocateHandle();
  // Those pixels, width x height, now stand for the image: the next use sends
  // pending parameters but uploads no image over them.
  void ImageWrittenDirectly(int width, int height);
  // The GL internal format for TextureFormat and Compression.
  GLenum OpenGLTextureFormat() const;
  // Bytes GL reports for the uploaded image; -1 when unknown.
  int TextureImageRequiredMemory() const { return required_memory_; }
  int TexWidth() const { return tex_width_; }
  int TexHeight() const { return tex_height_; }

  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);
  // The same on texture unit 2 (index 1) or unit n (index n-1).
  void ApplyAsTexture2(TRenderContextInfo& rci, const TMatrix4f* textureMatrix = nullptr);
  void UnApplyAsTexture2(TRenderContextInfo& rci);
  void ApplyAsTextureN(int n, TRenderContextInfo& rci, const TMatrix4f* textureMatrix = nullptr);
  void UnApplyAsTextureN(int n, TRenderContextInfo& rci);

  // Frees the GL name; the next use uploads everything again.
  void DestroyHandles();
  // Uploads now, so that it does not happen while a display list is compiled.
  void PrepareBuildList();
  void NotifyImageChange();
  void NotifyParamsChange();

 private:
  void ReplaceImage(std::unique_ptr<TGLTextureImage> image);
  void InstallImage(std::unique_ptr<TGLTextureImage> image);
  void PrepareImage(GLenum target);
  void PrepareParams(GLenum target);
  void ApplyEnvironmentAndGeneration(TRenderContextInfo& rci);
  void LoadCubeMapMatrix(const TRenderContextInfo& rci);
  void DisableGeneration();
  TGLCoordinates4& LazyCoordinates(std::unique_ptr<TGLCoordinates4>& coordinates, const TVector4f& initial);

  TGLTextureHandle handle_;
  TGLTextureMode texture_mode_ = tmDecal;
  TGLTextureWrap texture_wrap_ = twBoth;
  TGLTextureFormat texture_format_ = tfDefault;
  TGLMinFilter min_filter_ = miLinearMipmapLinear;
  TGLMagFilter mag_filter_ = maLinear;
  bool image_changed_ = true;
  bool params_changed_ = true;
  bool disabled_ = true;
  std::unique_ptr<TGLTextureImage> image_;
  TTextureNeededEvent on_texture_needed_;
  TGLTextureImageAlpha image_alpha_ = tiaDefault;
  float image_brightness_ = 1.0f;
  float image_gamma_ = 1.0f;
  TGLTextureMappingMode mapping_mode_ = tmmUser;
  std::unique_ptr<TGLCoordinates4> mapping_s_;
  std::unique_ptr<TGLCoordinates4> mapping_t_;
  TGLTextureCompression compression_ = tcDefault;
  int required_memory_ = -1;
  TGLTextureFilteringQuality filtering_quality_ = tfIsotropic;
  int tex_width_ = 0;
  int tex_height_ = 0;
  std::unique_ptr<TGLColor> env_color_;
  float normal_map_scale_ = 0.125f;
};

// Process defaults for tfDefault and tcDefault.
extern TGLTextureFormat vDefaultTextureFormat;
extern TGLTextureCompression vDefaultTextureCompression;

// One extra texture on unit TextureIndex, with its own offset and scale.
class TGLTextureExItem : public TCollectionItem {
 public:
  explicit TGLTextureExItem(TCollection* collection = nullptr);
  std::string ClassName() const override { return "TGLTextureExItem"; }
  std::string GetDisplayName() const override { return "Tex [" + std::to_string(texture_index_) + "]"; }
  void Assign(const TPersistent* source) override;

  TGLTexture& Texture() { return texture_; }
  int TextureIndex() const { return texture_index_; }
  void SetTextureIndex(int value);
  TGLCoordinates& TextureOffset() { return *offset_; }
  TGLCoordinates& TextureScale() { return *scale_; }
  // Rebuilds the texture matrix from offset and scale.
  void CalculateTextureMatrix();

  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);

 private:
  // Owned by the item, so that its changes reach the collection and, through it, the material.
  TGLTexture texture_{this};
  int texture_index_ = 0;
  std::unique_ptr<TGLCoordinates> offset_;
  std::unique_ptr<TGLCoordinates> scale_;
  bool identity_ = true;
  TMatrix4f matrix_{};
  bool applied_ = false;
};

class TGLTextureEx : public TOwnedCollection {
 public:
  explicit TGLTextureEx(TPersistent* owner);
  std::string ClassName() const override { return "TGLTextureEx"; }
  TGLTextureExItem& Items(int index) const { return static_cast<TGLTextureExItem&>(*TCollection::Items(index)); }
  // A new item whose texture index is its position.
  TGLTextureExItem& AddItem();
  bool IsTextureEnabled(int index) const;
  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);
  void Loaded();

 protected:
  // Any change of the items is a change of the owning material.
  void Update(TCollectionItem* item) override;
};
