// How a surface looks: an RGBA colour that tells its owner about changes, the
// fixed-function material of one face, and the material that turns faces,
// blending, culling, options and textures into GL state around each object.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gfx3d/core/free_notification.h"
#include "gfx3d/core/notification.h"
#include "gfx3d/gl/render_context_info.h"
#include "gfx3d/materials/textures.h"
#include "gfx3d/math/vector_types.h"

// What a scene object offers the colours and materials it owns: a change of
// theirs means the object's display list must be rebuilt.
class IGLStructureOwner {
 public:
  virtual ~IGLStructureOwner() = default;
  virtual void StructureChanged() = 0;
};

class TGLColor : public TGLUpdateAbleObject {
 public:
  explicit TGLColor(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  TGLColor(TPersistent* owner, const TVector4f& color, TNotifyEvent changeEvent = nullptr);
  std::string ClassName() const override { return "TGLColor"; }
  void Assign(const TPersistent* source) override;

  const TVector4f& Color() const { return color_; }
  void SetColor(const TVector4f& color);
  float Red() const { return color_.x; }
  float Green() const { return color_.y; }
  float Blue() const { return color_.z; }
  float Alpha() const { return color_.w; }
  // Stores and notifies only when the component (0 to 3) changes; values are not clamped.
  void SetColorComponent(int index, float value);
  const GLfloat* AsAddress() const { return &color_.x; }
  // "Color": R, G, B, A as 16 raw bytes, always written.
  void DefineProperties(TPropertyDefiner& definer) override;
  void NotifyChange(TObject* sender) override;

 private:
  TVector4f color_{0, 0, 0, 1};
};

enum TPolygonMode : std::uint8_t { pmFill, pmLines, pmPoints };

class TGLFaceProperties : public TGLUpdateAbleObject {
 public:
  explicit TGLFaceProperties(TPersistent* owner);
  std::string ClassName() const override { return "TGLFaceProperties"; }
  // From another face only; anything else is ignored.
  void Assign(const TPersistent* source) override;

  TGLColor& Ambient() const { return *ambient_; }
  TGLColor& Diffuse() const { return *diffuse_; }
  TGLColor& Specular() const { return *specular_; }
  TGLColor& Emission() const { return *emission_; }
  void SetAmbient(const TGLColor& color) { SetColor(*ambient_, color); }
  void SetDiffuse(const TGLColor& color) { SetColor(*diffuse_, color); }
  void SetSpecular(const TGLColor& color) { SetColor(*specular_, color); }
  void SetEmission(const TGLColor& color) { SetColor(*emission_, color); }
  TPolygonMode PolygonMode() const { return polygon_mode_; }
  void SetPolygonMode(TPolygonMode value);
  std::uint8_t Shininess() const { return shininess_; }
  void SetShininess(std::uint8_t value);

  // Material colours and polygon mode through the state cache.
  void Apply(TRenderContextInfo& rci, GLenum face) const;
  // The diffuse colour as the current colour, for unlit drawing.
  void ApplyNoLighting(TRenderContextInfo& rci, GLenum face) const;

 private:
  void SetColor(TGLColor& target, const TGLColor& source);

  std::unique_ptr<TGLColor> ambient_, diffuse_, specular_, emission_;
  TPolygonMode polygon_mode_ = pmFill;
  std::uint8_t shininess_ = 0;
};

enum TBlendingMode : std::uint8_t { bmOpaque, bmTransparency, bmAdditive, bmAlphaTest50, bmAlphaTest100, bmModulate };
enum TMaterialOption : std::uint8_t { moIgnoreFog = 1, moNoLighting = 2 };
using TMaterialOptions = std::uint8_t;
enum TFaceCulling : std::uint8_t { fcBufferDefault, fcCull, fcNoCull };

class TGLLibMaterial;
class TGLMaterialLibrary;

class TGLMaterial : public TGLUpdateAbleObject, public IFreeNotificationSink {
 public:
  explicit TGLMaterial(TPersistent* owner);
  ~TGLMaterial() override;
  std::string ClassName() const override { return "TGLMaterial"; }
  void Assign(const TPersistent* source) override;

  TGLFaceProperties& FrontProperties() const { return *front_; }
  // Created on first use, with the default colours.
  TGLFaceProperties& BackProperties();
  bool HasBackProperties() const { return back_ != nullptr; }
  void SetFrontProperties(const TGLFaceProperties& values);
  void SetBackProperties(const TGLFaceProperties& values);
  TBlendingMode BlendingMode() const { return blending_mode_; }
  void SetBlendingMode(TBlendingMode value);
  TMaterialOptions MaterialOptions() const { return material_options_; }
  void SetMaterialOptions(TMaterialOptions value);
  TFaceCulling FaceCulling() const { return face_culling_; }
  void SetFaceCulling(TFaceCulling value);
  // Created on first use; a new texture is disabled.
  TGLTexture& Texture();
  bool HasTexture() const { return texture_ != nullptr; }
  // Null frees the texture.
  void SetTexture(const TGLTexture* value);
  // Given to the texture, now or when it is made: resolves its picture file names.
  void SetOnTextureNeeded(TTextureNeededEvent handler);
  TGLTextureEx& TextureEx();
  bool HasTextureEx() const { return texture_ex_ != nullptr; }
  // Assigns value into the (created) collection; null does nothing while there is none.
  void SetTextureEx(const TGLTextureEx* value);
  TGLMaterialLibrary* MaterialLibrary() const { return library_; }
  // Resolves the library material name again in the new library.
  void SetMaterialLibrary(TGLMaterialLibrary* value);
  const std::string& LibMaterialName() const { return lib_material_name_; }
  // Links the library material of that name, if any; a chain of 16 links is taken for a cycle.
  void SetLibMaterialName(const std::string& value);
  // The linked library material, which then does all the applying.
  TGLLibMaterial* LibMaterial() const { return lib_material_; }
  // The library is going: forget it and the link.
  void ObjectFreed(TObject* object) override;

  // True for the blending modes that must be drawn after the opaque objects.
  bool Blended() const;
  void Apply(TRenderContextInfo& rci);
  // True when the object must be drawn again for another pass.
  bool UnApply(TRenderContextInfo& rci);
  void PrepareBuildList();
  void DestroyHandles();
  void Loaded();
  void NotifyChange(TObject* sender) override;

 private:
  void ApplyBackFace(TRenderContextInfo& rci);
  void ApplyBlending(TRenderContextInfo& rci) const;
  bool MainTextureOnUnitZero() const;
  void LinkLibMaterial(TGLLibMaterial* value);
  // Moves the free notification from the old library to the new one.
  void ReplaceLibrary(TGLMaterialLibrary* value);
  // Called by a linked library material that goes away.
  friend class TGLLibMaterial;
  void LibMaterialDestroyed();

  std::unique_ptr<TGLFaceProperties> front_;
  std::unique_ptr<TGLFaceProperties> back_;
  TBlendingMode blending_mode_ = bmOpaque;
  std::unique_ptr<TGLTexture> texture_;
  TTextureNeededEvent on_texture_needed_;
  std::unique_ptr<TGLTextureEx> texture_ex_;
  TMaterialOptions material_options_ = 0;
  TFaceCulling face_culling_ = fcBufferDefault;
  TGLMaterialLibrary* library_ = nullptr;
  std::string lib_material_name_;
  TGLLibMaterial* lib_material_ = nullptr;
};
