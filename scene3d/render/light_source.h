// One GL light as a scene object: the scene gives it a light number when it
// joins and its render pass sends the parameters to GL. It draws nothing of
// its own.
#pragma once

#include "scene3d/graph/change_setters.h"
#include "scene3d/graph/stage_object.h"

enum TLightStyle : std::uint8_t { lsSpot, lsOmni, lsParallel };

class TGLLightSource : public TGLBaseStageObject {
 public:
  explicit TGLLightSource(TComponent* owner);
  // Gives its slot back while it is still a light.
  ~TGLLightSource() override;
  std::string ClassName() const override { return "TGLLightSource"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLLightSource>(owner);
  }

  GLenum LightID() const { return light_id_; }
  void SetLightID(GLenum value) { light_id_ = value; }
  TGLCoordinates& SpotDirection() const { return *spot_direction_; }
  void SetSpotDirection(const TGLCoordinates& value);
  float SpotExponent() const { return spot_exponent_; }
  void SetSpotExponent(float value) { SetAndNotify(spot_exponent_, value); }
  float SpotCutOff() const { return spot_cut_off_; }
  // Only 0 to 90 and 180 are taken.
  void SetSpotCutOff(float value);
  float ConstAttenuation() const { return const_attenuation_; }
  void SetConstAttenuation(float value) { SetAndNotify(const_attenuation_, value); }
  float LinearAttenuation() const { return linear_attenuation_; }
  void SetLinearAttenuation(float value) { SetAndNotify(linear_attenuation_, value); }
  float QuadraticAttenuation() const { return quadratic_attenuation_; }
  void SetQuadraticAttenuation(float value) { SetAndNotify(quadratic_attenuation_, value); }
  bool Shining() const { return shining_; }
  void SetShining(bool value) { SetAndNotify(shining_, value); }
  TLightStyle LightStyle() const { return light_style_; }
  void SetLightStyle(TLightStyle value) { SetAndNotify(light_style_, value); }
  TGLColor& Ambient() const { return *ambient_; }
  TGLColor& Diffuse() const { return *diffuse_; }
  TGLColor& Specular() const { return *specular_; }
  void SetAmbient(const TGLColor& value) { SetColor(*ambient_, value); }
  void SetDiffuse(const TGLColor& value) { SetColor(*diffuse_, value); }
  void SetSpecular(const TGLColor& value) { SetColor(*specular_, value); }

  TGLLightSource* AsLightSource() override { return this; }
  void CoordinateChanged(TObject* sender) override;
  GLuint GetHandle(TRenderContextInfo&) override { return 0; }
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters&) override { return nullptr; }
  bool RayCastIntersect(const TVector4f&, const TVector4f&, TVector4f*, TVector4f*) override { return false; }
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  template <typename T>
  void SetAndNotify(T& field, T value) {
    StoreOnChange(field, value, [this] { NotifyChange(this); });
  }
  void SetColor(TGLColor& target, const TGLColor& value);

  GLenum light_id_ = 0;
  std::unique_ptr<TGLCoordinates> spot_direction_;
  float spot_exponent_ = 0;
  float spot_cut_off_ = 180;
  float const_attenuation_ = 1, linear_attenuation_ = 0, quadratic_attenuation_ = 0;
  bool shining_ = true;
  std::unique_ptr<TGLColor> ambient_, diffuse_, specular_;
  TLightStyle light_style_ = lsSpot;
};
