// The rendering target of one viewer: it owns the GL context, the background
// and GL options, the fog, the camera it looks through and the frame timing,
// and its Render runs one frame: clear, projection and view, lights, fog,
// objects, swap. It also runs pick passes over a rectangle of the view and can
// freeze the picture it shows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx3d/core/free_notification.h"
#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/gl/gl_context.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/gl/render_context_info.h"
#include "gfx3d/materials/bitmap32.h"
#include "gfx3d/materials/materials.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/render/picking.h"

class TGLCamera;
class TGLStageBuffer;
class TGLTexture;
class TGLBaseStageObject;

enum TContextOption : std::uint16_t {
  roDoubleBuffer = 1 << 0,
  roStencilBuffer = 1 << 1,
  roRenderToWindow = 1 << 2,
  roTwoSideLighting = 1 << 3,
  roStereo = 1 << 4,
  roDestinationAlpha = 1 << 5,
  roNoColorBuffer = 1 << 6,
  roNoColorBufferClear = 1 << 7,
  roNoSwapBuffers = 1 << 8,
};
using TContextOptions = std::uint16_t;

enum TGLDepthPrecision : std::uint8_t { dpDefault, dp16bits, dp24bits, dp32bits };
enum TGLColorDepth : std::uint8_t { cdDefault, cd8bits, cd16bits, cd24bits, cdFloat64bits, cdFloat128bits };
enum TGLShadeModel : std::uint8_t { smDefault, smSmooth, smFlat };
enum TFogMode : std::uint8_t { fmLinear, fmExp, fmExp2 };
enum TFogDistance : std::uint8_t { fdDefault, fdEyeRadial, fdEyePlane };

// The system colour behind the toolkit's button face, the buffer's default background.
inline constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);

class TGLFogEnvironment : public TGLUpdateAbleObject {
 public:
  explicit TGLFogEnvironment(TGLStageBuffer* buffer);
  std::string ClassName() const override { return "TGLFogEnvironment"; }
  void Assign(const TPersistent* source) override;

  TGLColor& FogColor() const { return *fog_color_; }
  void SetFogColor(const TGLColor* value);
  float FogStart() const { return fog_start_; }
  void SetFogStart(float value);
  float FogEnd() const { return fog_end_; }
  void SetFogEnd(float value);
  TFogMode FogMode() const { return fog_mode_; }
  void SetFogMode(TFogMode value);
  TFogDistance FogDistance() const { return fog_distance_; }
  void SetFogDistance(TFogDistance value);
  // Whether the form file may leave it out.
  bool IsAtDefaultValues() const;
  void ApplyFog();

 private:
  TGLStageBuffer* buffer_;
  std::unique_ptr<TGLColor> fog_color_;
  float fog_start_ = 10, fog_end_ = 1000;
  TFogMode fog_mode_ = fmLinear;
  TFogDistance fog_distance_ = fdDefault;
  bool default_distance_read_ = false;
  GLint default_distance_mode_ = 0;
};

using TBufferEvent = std::function<void(TGLStageBuffer* buffer)>;
using TRenderEvent = std::function<void(TGLStageBuffer* buffer, TRenderContextInfo& rci)>;

class TGLStageBuffer : public TGLUpdateAbleObject, public IFreeNotificationSink {
 public:
  explicit TGLStageBuffer(TPersistent* owner);
  ~TGLStageBuffer() override;
  TGLStageBuffer(const TGLStageBuffer&) = delete;
  TGLStageBuffer& operator=(const TGLStageBuffer&) = delete;
  std::string ClassName() const override { return "TGLStageBuffer"; }
  void Assign(const TPersistent* source) override;

  // Context. drawable: the X window the context's own child window goes into (0 for the root).
  void CreateRC(TGLOutputDevice drawable, bool memoryContext);
  void DestroyRC();
  bool RCInstantiated() const { return context_ != nullptr; }
  TGLContext* RenderingContext() const { return context_.get(); }
  void Resize(int width, int height);
  void SetViewPort(int left, int top, int width, int height);
  int ViewportWidth() const { return viewport_width_; }
  int ViewportHeight() const { return viewport_height_; }
  bool Rendering() const { return rendering_; }

  // Frames.
  void Render() { RenderToContext(nullptr); }
  void RenderToContext(TGLBaseStageObject* baseObject);
  // With a pick rectangle (window pixels, rows top-down) the projection shows only that part of the view.
  void RenderScene(TDrawState drawState, TGLBaseStageObject* baseObject, const TGLRect* pickRect = nullptr);
  void SetupProjectionAndView(const TGLRect* pickRect = nullptr);
  // Renders a frame and reads it before the swap; zero-filled without a context. The caller owns it.
  std::unique_ptr<TGLBitmap32> CaptureFrameBitmap();
  // Copies the rectangle of the last frame into texture on target (0 for the
  // image's own; a cube face binds the cube map). A texture without a GL name,
  // or forceFullUpload, takes the frame from (0, 0) as its whole image;
  // otherwise the rectangle goes to (xDest, yDest) of the existing image.
  void CopyToTexture(TGLTexture& texture, int xSrc, int ySrc, int width, int height, int xDest, int yDest,
                     GLenum target = 0, bool forceFullUpload = false);

  // Picking (window pixels, rows top-down): the visible objects drawn in a
  // rectangle, nearest first; empty without a context or a camera in a scene.
  // The guess sizes GL's selection buffer, which grows when it overflows.
  TGLPickList GetPickedObjects(const TGLRect& rect, int objectCountGuess = 64);
  // The nearest object drawn at a pixel, or null.
  TGLBaseStageObject* GetPickedObject(int x, int y);
  // The names of the pick pass in progress.
  TGLPickNames& PickNames() { return pick_names_; }

  // While frozen, frames show the picture Freeze took instead of the scene and
  // changes no longer ask the viewer for a repaint; Melt goes back to the scene.
  void Freeze();
  void Melt();
  bool Frozen() const { return frozen_; }
  int FrameCount() const { return frame_count_; }
  float FramesPerSecond() const { return frames_per_second_; }
  float LastFrameTime() const { return last_frame_time_; }

  // Model-view bookkeeping for camera-invariant objects.
  const TMatrix4f& ModelViewMatrix() const { return model_view_matrix_; }
  const TMatrix4f& ProjectionMatrix() const { return projection_matrix_; }
  void PushModelViewMatrix(const TMatrix4f& matrix);
  void PopModelViewMatrix();
  std::vector<TObject*>& AfterRenderEffects() { return after_render_effects_; }
  TGLStateCache& GLStates() { return state_cache_; }
  const TVector4f& CameraAbsolutePosition() const { return camera_absolute_position_; }

  // Properties.
  TGLCamera* Camera() const { return camera_; }
  void SetCamera(TGLCamera* camera);
  TColor BackgroundColor() const { return background_color_; }
  void SetBackgroundColor(TColor value);
  float BackgroundAlpha() const { return background_alpha_; }
  void SetBackgroundAlpha(float value);
  TGLColor& AmbientColor() const { return *ambient_color_; }
  void SetAmbientColor(const TGLColor& value) { ambient_color_->Assign(&value); }
  bool FaceCulling() const { return face_culling_; }
  void SetFaceCulling(bool value) { SetAndNotify(face_culling_, value); }
  bool FogEnable() const { return fog_enable_; }
  void SetFogEnable(bool value) { SetAndNotify(fog_enable_, value); }
  bool Lighting() const { return lighting_; }
  void SetLighting(bool value) { SetAndNotify(lighting_, value); }
  bool DepthTest() const { return depth_test_; }
  void SetDepthTest(bool value) { SetAndNotify(depth_test_, value); }
  TGLShadeModel ShadeModel() const { return shade_model_; }
  void SetShadeModel(TGLShadeModel value) { SetAndNotify(shade_model_, value); }
  TGLFogEnvironment& FogEnvironment() const { return *fog_environment_; }
  void SetFogEnvironment(const TGLFogEnvironment& value) { fog_environment_->Assign(&value); }
  TContextOptions ContextOptions() const { return context_options_; }
  void SetContextOptions(TContextOptions value) { SetAndRestructure(context_options_, value); }
  TGLAntiAliasing AntiAliasing() const { return anti_aliasing_; }
  void SetAntiAliasing(TGLAntiAliasing value) { SetAndRestructure(anti_aliasing_, value); }
  TGLDepthPrecision DepthPrecision() const { return depth_precision_; }
  void SetDepthPrecision(TGLDepthPrecision value) { SetAndRestructure(depth_precision_, value); }
  TGLColorDepth ColorDepth() const { return color_depth_; }
  void SetColorDepth(TGLColorDepth value) { SetAndRestructure(color_depth_, value); }
  int AccumBufferBits() const { return accum_buffer_bits_; }
  void SetAccumBufferBits(int value) { SetAndRestructure(accum_buffer_bits_, value); }

  // Unless rendering, OnChange.
  void NotifyChange(TObject* sender) override;
  void NotifyStructuralChange();
  void ObjectFreed(TObject* object) override;

  TBufferEvent OnChange, OnStructuralChange, OnPrepareGLContext, BeforeRender, ViewerBeforeRender, PostRender,
      AfterRender;
  TRenderEvent InitiateRendering, WrapUpRendering;

 private:
  template <typename T>
  void SetAndNotify(T& field, T value) {
    StoreOnChange(field, value, [this] { NotifyChange(this); });
  }
  template <typename T>
  void SetAndRestructure(T& field, T value) {
    StoreOnChange(field, value, [this] { NotifyStructuralChange(); });
  }
  void PrepareGLContext();
  void ClearBuffers();
  void LeaveScene();
  void RenderFrame(TGLBaseStageObject* baseObject, bool swap);
  void ShowFrozenImage(bool swap);
  void DropFrozenImage();
  // Renders a frame and reads it with read before the swap.
  template <typename Read>
  void RenderAndReadBeforeSwap(const Read& read);
  int PickPass(std::vector<GLuint>& selection, const TGLRect& rect);
  TVector4f BackgroundRGBA() const;

  TGLStateCache state_cache_;
  bool rendering_ = false;
  std::unique_ptr<TGLContext> context_;
  std::vector<TObject*> after_render_effects_;
  TMatrix4f projection_matrix_ = IdentityMatrix, model_view_matrix_ = IdentityMatrix;
  TMatrix4f base_projection_matrix_ = IdentityMatrix;
  std::vector<TMatrix4f> model_view_stack_;
  TVector4f camera_absolute_position_;
  int viewport_left_ = 0, viewport_top_ = 0, viewport_width_ = 1, viewport_height_ = 1;
  bool face_culling_ = true, fog_enable_ = false, lighting_ = true, depth_test_ = true;
  TColor background_color_ = clBtnFace;
  float background_alpha_ = 1;
  std::unique_ptr<TGLColor> ambient_color_;
  TGLAntiAliasing anti_aliasing_ = aaDefault;
  TGLDepthPrecision depth_precision_ = dpDefault;
  TGLColorDepth color_depth_ = cdDefault;
  TContextOptions context_options_ = roDoubleBuffer | roRenderToWindow;
  TGLShadeModel shade_model_ = smDefault;
  std::unique_ptr<TGLFogEnvironment> fog_environment_;
  int accum_buffer_bits_ = 0;
  TGLCamera* camera_ = nullptr;
  TGLPickNames pick_names_;
  // RGBA rows bottom-up, as GL reads and draws them.
  std::vector<std::uint8_t> frozen_image_;
  bool frozen_ = false;
  int frozen_width_ = 0, frozen_height_ = 0;
  int frame_count_ = 0;
  float frames_per_second_ = 0;
  std::int64_t first_frame_time_ = 0;
  float last_frame_time_ = 0;
};
