#include "scene3d/render/light_source.h"

#include "scene3d/graph/stage.h"

TGLLightSource::TGLLightSource(TComponent* owner)
    : TGLBaseStageObject(owner),
      spot_direction_(TGLCoordinates::CreateInitialized(this, {0, 0, -1, 0}, csVector)),
      ambient_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 1})),
      diffuse_(std::make_unique<TGLColor>(this, TVector4f{1, 1, 1, 1})),
      specular_(std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 1})) {}

TGLLightSource::~TGLLightSource() {
  if (Scene()) Scene()->RemoveLights(this);
}

void TGLLightSource::SetSpotDirection(const TGLCoordinates& value) {
  TVector4f direction = value.AsVector();
  direction.w = 0;
  spot_direction_->SetDirectVector(direction);
  NotifyChange(this);
}

void TGLLightSource::SetSpotCutOff(float value) {
  if (value == spot_cut_off_) return;
  if ((value >= 0 && value <= 90) || value == 180) {
    spot_cut_off_ = value;
    NotifyChange(this);
  }
}

void TGLLightSource::SetColor(TGLColor& target, const TGLColor& value) {
  target.SetColor(value.Color());
  NotifyChange(this);
}

void TGLLightSource::CoordinateChanged(TObject* sender) {
  TGLBaseStageObject::CoordinateChanged(sender);
  if (sender == spot_direction_.get()) TransformationChanged();
}

void TGLLightSource::DoRender(TRenderContextInfo& rci, bool, bool renderChildren) {
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}
