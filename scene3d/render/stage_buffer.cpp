#include "scene3d/render/stage_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_context.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/materials/textures.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/graph/stage.h"
#include "scene3d/render/camera.h"

namespace {

constexpr const char* kUnit = "SceneGraph";

int ColorBitsOf(TGLColorDepth depth) {
  static constexpr int kBits[] = {24, 8, 16, 24, 64, 128};
  return kBits[depth];
}

int DepthBitsOf(TGLDepthPrecision precision) {
  static constexpr int kBits[] = {24, 16, 24, 32};
  return kBits[precision];
}

// Activation for one frame or one call, undone on every exit.
class ContextActivation {
 public:
  explicit ContextActivation(TGLContext& context) : context_(context) { context_.Activate(); }
  ~ContextActivation() {
    try {
      context_.Deactivate();
    } catch (const std::exception&) {
      // A failed deactivation must not hide the error that unwound the frame.
    }
  }
  ContextActivation(const ContextActivation&) = delete;
  ContextActivation& operator=(const ContextActivation&) = delete;

 private:
  TGLContext& context_;
};

// Sets a flag for a scope and clears it on every exit.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// GL's selection mode for one pick pass, left on every exit so that a failed
// pass does not leave GL selecting.
class SelectionMode {
 public:
  explicit SelectionMode(std::vector<GLuint>& selection) {
    auto& gl = GL();
    gl.glSelectBuffer(static_cast<GLsizei>(selection.size()), selection.data());
    gl.glRenderMode(GL_SELECT);
    gl.glInitNames();
    // Objects replace the top name, so there must be one.
    gl.glPushName(0);
  }
  ~SelectionMode() {
    if (selecting_) GL().glRenderMode(GL_RENDER);
  }
  SelectionMode(const SelectionMode&) = delete;
  SelectionMode& operator=(const SelectionMode&) = delete;
  // The number of hit records, or -1 when they overflowed the selection buffer.
  GLint Leave() {
    selecting_ = false;
    return GL().glRenderMode(GL_RENDER);
  }

 private:
  bool selecting_ = true;
};

// Room for a record of a few names per object; a pass that overflows it runs again with twice the room, up to this.
constexpr std::size_t kSelectionWordsPerObject = 8;
constexpr std::size_t kMaxSelectionWords = std::size_t{1} << 24;

void ReadMatrix(GLenum which, TMatrix4f& matrix) { GL().glGetFloatv(which, &matrix[0].x); }

}  // namespace

// ---- Fog -------------------------------------------------------------------

TGLFogEnvironment::TGLFogEnvironment(TGLStageBuffer* buffer)
    : TGLUpdateAbleObject(buffer), buffer_(buffer), fog_color_(std::make_unique<TGLColor>(this)) {}

void TGLFogEnvironment::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLFogEnvironment*>(source)) {
    fog_color_->SetColor(other->fog_color_->Color());
    fog_start_ = other->fog_start_;
    fog_end_ = other->fog_end_;
    fog_mode_ = other->fog_mode_;
    fog_distance_ = other->fog_distance_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLFogEnvironment::SetFogColor(const TGLColor* value) {
  if (!value) return;
  fog_color_->Assign(value);
}

void TGLFogEnvironment::SetFogStart(float value) {
  StoreOnChange(fog_start_, value, [this] { NotifyChange(this); });
}

void TGLFogEnvironment::SetFogEnd(float value) {
  StoreOnChange(fog_end_, value, [this] { NotifyChange(this); });
}

void TGLFogEnvironment::SetFogMode(TFogMode value) {
  StoreOnChange(fog_mode_, value, [this] { NotifyChange(this); });
}

void TGLFogEnvironment::SetFogDistance(TFogDistance value) {
  StoreOnChange(fog_distance_, value, [this] { NotifyChange(this); });
}

bool TGLFogEnvironment::IsAtDefaultValues() const {
  const TVector4f& c = fog_color_->Color();
  return c.x == 0 && c.y == 0 && c.z == 0 && c.w == 1 && fog_start_ == 10 && fog_end_ == 1000 &&
         fog_mode_ == fmLinear && fog_distance_ == fdDefault;
}

void TGLFogEnvironment::ApplyFog() {
  TGLContext* context = buffer_->RenderingContext();
  if (!context) return;
  ContextActivation activation(*context);
  auto& gl = GL();
  switch (fog_mode_) {
    case fmLinear:
      gl.glFogi(GL_FOG_MODE, GL_LINEAR);
      break;
    case fmExp:
      gl.glFogi(GL_FOG_MODE, GL_EXP);
      gl.glFogf(GL_FOG_DENSITY, fog_color_->Alpha());
      break;
    case fmExp2:
      gl.glFogi(GL_FOG_MODE, GL_EXP2);
      gl.glFogf(GL_FOG_DENSITY, fog_color_->Alpha());
      break;
  }
  gl.glFogfv(GL_FOG_COLOR, fog_color_->AsAddress());
  gl.glFogf(GL_FOG_START, fog_start_);
  gl.glFogf(GL_FOG_END, fog_end_);
  if (!GLFlags().NV_fog_distance) return;
  switch (fog_distance_) {
    case fdDefault:
      if (!default_distance_read_) {
        gl.glGetIntegerv(GL_FOG_DISTANCE_MODE_NV, &default_distance_mode_);
        default_distance_read_ = true;
      } else {
        gl.glFogi(GL_FOG_DISTANCE_MODE_NV, default_distance_mode_);
      }
      break;
    case fdEyeRadial:
      gl.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_RADIAL_NV);
      break;
    case fdEyePlane:
      gl.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_PLANE_ABSOLUTE_NV);
      break;
    default:
      Assert(false, kUnit, __LINE__, "Unknown fog distance");
  }
}

// ---- Buffer ----------------------------------------------------------------

TGLStageBuffer::TGLStageBuffer(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      ambient_color_(std::make_unique<TGLColor>(this, TVector4f{0.2f, 0.2f, 0.2f, 1})),
      fog_environment_(std::make_unique<TGLFogEnvironment>(this)) {}

TGLStageBuffer::~TGLStageBuffer() {
  // The owner is going too: no more calls into it.
  OnChange = nullptr;
  OnStructuralChange = nullptr;
  LeaveScene();
  SetCamera(nullptr);
  DestroyRC();
}

void TGLStageBuffer::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TGLStageBuffer*>(source);
  if (!other) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  fog_environment_->Assign(other->fog_environment_.get());
  background_color_ = other->background_color_;
  ambient_color_->SetColor(other->ambient_color_->Color());
  face_culling_ = other->face_culling_;
  fog_enable_ = other->fog_enable_;
  lighting_ = other->lighting_;
  depth_test_ = other->depth_test_;
  shade_model_ = other->shade_model_;
  SetContextOptions(other->context_options_);
  SetAntiAliasing(other->anti_aliasing_);
  SetDepthPrecision(other->depth_precision_);
  SetColorDepth(other->color_depth_);
  SetAccumBufferBits(other->accum_buffer_bits_);
  NotifyChange(this);
}

void TGLStageBuffer::LeaveScene() {
  if (camera_ && camera_->Scene()) camera_->Scene()->RemoveBuffer(this);
}

void TGLStageBuffer::CreateRC(TGLOutputDevice drawable, bool memoryContext) {
  DestroyRC();
  FlagScope rendering(rendering_);
  context_ = GLContextManager().CreateContext();
  if (!context_) throw ELibraryError("Failed to create RenderingContext.");
  TGLRCOptions options = 0;
  if (context_options_ & roDoubleBuffer) options |= rcoDoubleBuffered;
  if (context_options_ & roStereo) options |= rcoDoubleBuffered | rcoStereo;
  context_->SetOptions(options);
  context_->SetColorBits((context_options_ & roNoColorBuffer) ? 0 : ColorBitsOf(color_depth_));
  context_->SetDepthBits(DepthBitsOf(depth_precision_));
  context_->SetStencilBits((context_options_ & roStencilBuffer) ? 8 : 0);
  context_->SetAlphaBits((context_options_ & roDestinationAlpha) ? 8 : 0);
  context_->SetAccumBits(accum_buffer_bits_);
  context_->SetAuxBuffers(0);
  context_->SetAntiAliasing(anti_aliasing_);
  if (OnPrepareGLContext) OnPrepareGLContext(this);
  try {
    if (memoryContext)
      context_->CreateMemoryContext(drawable, viewport_width_, viewport_height_);
    else
      context_->CreateContext(drawable);
  } catch (...) {
    context_.reset();
    throw;
  }
  ContextActivation activation(*context_);
  if (!GLFlags().VERSION_1_1) throw EOpenGLError("Need at least OpenGL version 1.1");
  state_cache_ = TGLStateCache();
  GL().glViewport(0, 0, viewport_width_, viewport_height_);
  PrepareGLContext();
  const TVector4f background = ConvertWinColor(background_color_, 1.0f);
  GL().glClearColor(background.x, background.y, background.z, background.w);
}

void TGLStageBuffer::DestroyRC() {
  if (!context_) return;
  DropFrozenImage();
  LeaveScene();
  context_->SetActive(false);
  context_.reset();
}

void TGLStageBuffer::Resize(int width, int height) {
  viewport_width_ = std::max(1, width);
  viewport_height_ = std::max(1, height);
  if (!context_) return;
  if (auto* glx = dynamic_cast<TGLGLXContext*>(context_.get())) glx->SetOutputSize(viewport_width_, viewport_height_);
  ContextActivation activation(*context_);
  GL().glViewport(0, 0, viewport_width_, viewport_height_);
}

void TGLStageBuffer::SetViewPort(int left, int top, int width, int height) {
  viewport_left_ = left;
  viewport_top_ = top;
  viewport_width_ = width;
  viewport_height_ = height;
  NotifyChange(this);
}

void TGLStageBuffer::PrepareGLContext() {
  auto& gl = GL();
  gl.glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient_color_->AsAddress());
  gl.glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, (context_options_ & roTwoSideLighting) ? 1 : 0);
  // Each state goes to GL and to the cache, whatever the cache believed.
  const auto set = [this](TGLState state, bool on) {
    if (on) {
      state_cache_.Disable(state);
      state_cache_.Enable(state);
    } else {
      state_cache_.Enable(state);
      state_cache_.Disable(state);
    }
  };
  set(stNormalize, true);
  set(stDepthTest, depth_test_);
  set(stCullFace, face_culling_);
  set(stLighting, lighting_);
  set(stFog, fog_enable_);
  GLint red_bits = 8;
  gl.glGetIntegerv(GL_RED_BITS, &red_bits);
  set(stDither, red_bits < 8);
  gl.glDepthFunc(GL_LEQUAL);
  gl.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  switch (shade_model_) {
    case smDefault:
    case smSmooth:
      gl.glShadeModel(GL_SMOOTH);
      break;
    case smFlat:
      gl.glShadeModel(GL_FLAT);
      break;
    default:
      Assert(false, kUnit, __LINE__, "Unknown shade model");
  }
}

void TGLStageBuffer::ClearBuffers() {
  GLbitfield mask = GL_DEPTH_BUFFER_BIT;
  if (!(context_options_ & (roNoColorBuffer | roNoColorBufferClear))) mask |= GL_COLOR_BUFFER_BIT;
  if (context_options_ & roStencilBuffer) mask |= GL_STENCIL_BUFFER_BIT;
  GL().glClear(mask);
}

TVector4f TGLStageBuffer::BackgroundRGBA() const { return ConvertWinColor(background_color_, background_alpha_); }

void TGLStageBuffer::RenderToContext(TGLBaseStageObject* baseObject) { RenderFrame(baseObject, true); }

void TGLStageBuffer::RenderFrame(TGLBaseStageObject* baseObject, bool swap) {
  if (rendering_ || !context_) return;
  if (frozen_) {
    ShowFrozenImage(swap);
    return;
  }
  const TVector4f background = BackgroundRGBA();
  std::int64_t t0 = 0, frequency = 1;
  QueryPerformanceCounter(t0);
  QueryPerformanceFrequency(frequency);
  FlagScope rendering(rendering_);
  if (camera_ && camera_->Scene()) {
    camera_->AbsoluteMatrix();
    camera_->Scene()->AddBuffer(this);
  }
  {
    ContextActivation activation(*context_);
    if (frame_count_ == 0) first_frame_time_ = t0;
    ClearGLError();
    PrepareGLContext();
    GL().glClearColor(background.x, background.y, background.z, background.w);
    ClearBuffers();
    CheckOpenGLError();
    RenderScene(dsRendering, baseObject);
    CheckOpenGLError();
    if (swap && !(context_options_ & roNoSwapBuffers)) context_->SwapBuffers();
    ++frame_count_;
    std::int64_t t1 = 0;
    QueryPerformanceCounter(t1);
    last_frame_time_ = static_cast<float>(static_cast<double>(t1 - t0) / static_cast<double>(frequency));
    if (t1 - first_frame_time_ > 0)
      frames_per_second_ = static_cast<float>(static_cast<double>(frame_count_) * static_cast<double>(frequency) /
                                              static_cast<double>(t1 - first_frame_time_));
    CheckOpenGLError();
  }
  if (AfterRender) AfterRender(this);
}

void TGLStageBuffer::RenderScene(TDrawState drawState, TGLBaseStageObject* baseObject, const TGLRect* pickRect) {
  SetupProjectionAndView(pickRect);
  XGLMapTexCoordToNull();
  XGLMapTexCoordToMain();
  if (ViewerBeforeRender) ViewerBeforeRender(this);
  if (BeforeRender) BeforeRender(this);
  if (camera_ && camera_->Scene()) {
    TGLStage& scene = *camera_->Scene();
    GLint max_lights = 8;
    GL().glGetIntegerv(GL_MAX_LIGHTS, &max_lights);
    scene.SetupLights(max_lights);
    if (fog_enable_) {
      GL().glEnable(GL_FOG);
      fog_environment_->ApplyFog();
    } else {
      GL().glDisable(GL_FOG);
    }
    scene.RenderScene(*this, viewport_width_, viewport_height_, drawState, baseObject);
  }
  if (PostRender) PostRender(this);
  Assert(model_view_stack_.empty(), kUnit, __LINE__, "Unbalance Push/PopModelViewMatrix.");
}

void TGLStageBuffer::SetupProjectionAndView(const TGLRect* pickRect) {
  auto& gl = GL();
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  if (pickRect) {
    GLint viewport[4] = {viewport_left_, viewport_top_, viewport_width_, viewport_height_};
    // A rectangle narrower than a pixel picks that pixel: GLU would leave the whole view.
    gl.gluPickMatrix((pickRect->Left + pickRect->Right) / 2, viewport_height_ - (pickRect->Top + pickRect->Bottom) / 2,
                     std::max(1, std::abs(pickRect->Right - pickRect->Left)),
                     std::max(1, std::abs(pickRect->Bottom - pickRect->Top)), viewport);
  }
  ReadMatrix(GL_PROJECTION_MATRIX, base_projection_matrix_);
  if (camera_) {
    camera_->ApplyPerspective({viewport_left_, viewport_top_, viewport_width_, viewport_height_}, viewport_width_,
                              viewport_height_, 96);
    ReadMatrix(GL_PROJECTION_MATRIX, projection_matrix_);
  }
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  if (camera_) {
    if (camera_->Scene()) camera_->Scene()->SetCurrentCamera(camera_);
    camera_->Apply();
    camera_absolute_position_ = camera_->AbsolutePosition();
  }
  ReadMatrix(GL_MODELVIEW_MATRIX, model_view_matrix_);
}

template <typename Read>
void TGLStageBuffer::RenderAndReadBeforeSwap(const Read& read) {
  // GL leaves the back buffer undefined after a swap, so the frame is read before it.
  RenderFrame(nullptr, false);
  ContextActivation activation(*context_);
  const bool double_buffered = context_->Options() & rcoDoubleBuffered;
  GL().glFinish();
  // The buffer GL drew into: a pbuffer has one colour buffer or two, whatever the options asked.
  GLint drawn = double_buffered ? GL_BACK : GL_FRONT;
  GL().glGetIntegerv(GL_DRAW_BUFFER, &drawn);
  GL().glReadBuffer(static_cast<GLenum>(drawn));
  read();
  if (double_buffered && !(context_options_ & roNoSwapBuffers)) context_->SwapBuffers();
}

std::unique_ptr<TGLBitmap32> TGLStageBuffer::CaptureFrameBitmap() {
  auto bitmap = std::make_unique<TGLBitmap32>();
  bitmap->SetWidth(viewport_width_);
  bitmap->SetHeight(viewport_height_);
  std::memset(bitmap->Data(), 0, static_cast<std::size_t>(bitmap->DataSize()));
  if (!context_ || !camera_ || !camera_->Scene() || rendering_) return bitmap;
  RenderAndReadBeforeSwap([&] { bitmap->ReadPixels({0, 0, viewport_width_, viewport_height_}); });
  return bitmap;
}

void TGLStageBuffer::CopyToTexture(TGLTexture& texture, int xSrc, int ySrc, int width, int height, int xDest, int yDest,
                                   GLenum target, bool forceFullUpload) {
  if (!context_ || width <= 0 || height <= 0) return;
  ContextActivation activation(*context_);
  const GLenum image_target = target == 0 ? texture.Image().NativeTextureTarget() : target;
  const bool cube_face =
      image_target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB && image_target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB;
  const bool new_texture = texture.Handle() == 0;
  const GLuint handle = new_texture ? texture.AllocateHandle() : texture.GetHandle();
  state_cache_.SetGLCurrentTexture(0, cube_face ? GL_TEXTURE_CUBE_MAP_ARB : image_target, handle);
  if (new_texture || forceFullUpload) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    ClearGLError();
    GL().glPixelStorei(GL_PACK_ALIGNMENT, 4);
    GL().glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    UploadTexturePixels(image_target, texture.MinFilter(), texture.OpenGLTextureFormat(), width, height, pixels.data());
    // Only pixels GL took stand for the image; otherwise the image is uploaded at its next use.
    if (GL().glGetError() == GL_NO_ERROR) texture.ImageWrittenDirectly(width, height);
  } else {
    GL().glCopyTexSubImage2D(image_target, 0, xDest, yDest, xSrc, ySrc, width, height);
  }
  ClearGLError();
}

// ---- Picking ---------------------------------------------------------------

TGLPickList TGLStageBuffer::GetPickedObjects(const TGLRect& rect, int objectCountGuess) {
  if (rendering_ || !context_ || !camera_ || !camera_->Scene()) return {};
  std::vector<GLuint> selection(static_cast<std::size_t>(std::max(objectCountGuess, 1)) * kSelectionWordsPerObject);
  GLint hits = PickPass(selection, rect);
  while (hits < 0) {
    if (selection.size() >= kMaxSelectionWords) throw ELibraryError("Too many objects to pick");
    selection.resize(selection.size() * 2);
    hits = PickPass(selection, rect);
  }
  TGLPickList picked = PickListFromSelection(selection, hits, pick_names_);
  pick_names_.Clear();
  return picked;
}

TGLBaseStageObject* TGLStageBuffer::GetPickedObject(int x, int y) {
  const TGLPickList picked = GetPickedObjects({x - 1, y - 1, x + 1, y + 1});
  return picked.empty() ? nullptr : picked.front().object;
}

int TGLStageBuffer::PickPass(std::vector<GLuint>& selection, const TGLRect& rect) {
  FlagScope rendering(rendering_);
  camera_->AbsoluteMatrix();
  camera_->Scene()->AddBuffer(this);
  ContextActivation activation(*context_);
  pick_names_.Clear();
  ClearGLError();
  PrepareGLContext();
  SelectionMode selecting(selection);
  RenderScene(dsPicking, nullptr, &rect);
  const GLint hits = selecting.Leave();
  CheckOpenGLError();
  return hits;
}

// ---- Frozen image ----------------------------------------------------------

void TGLStageBuffer::Freeze() {
  if (frozen_ || rendering_ || !context_) return;
  const int width = viewport_width_, height = viewport_height_;
  std::vector<std::uint8_t> image(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  RenderAndReadBeforeSwap([&] {
    GL().glPixelStorei(GL_PACK_ALIGNMENT, 4);
    GL().glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
  });
  frozen_image_ = std::move(image);
  frozen_width_ = width;
  frozen_height_ = height;
  frozen_ = true;
}

void TGLStageBuffer::Melt() {
  if (!frozen_) return;
  DropFrozenImage();
  NotifyChange(this);
}

// The flag goes with the image: a frozen buffer without a picture would show
// the scene yet never ask for a repaint when it changes.
void TGLStageBuffer::DropFrozenImage() {
  frozen_image_ = {};
  frozen_width_ = frozen_height_ = 0;
  frozen_ = false;
}

void TGLStageBuffer::ShowFrozenImage(bool swap) {
  const TVector4f background = BackgroundRGBA();
  ContextActivation activation(*context_);
  auto& gl = GL();
  gl.glClearColor(background.x, background.y, background.z, background.w);
  ClearBuffers();
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  // The picture goes on as it was taken: no state left by the scene may test, fog, texture or blend it.
  gl.glPushAttrib(GL_ENABLE_BIT);
  for (GLenum state : {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_FOG, GL_TEXTURE_2D, GL_BLEND}) gl.glDisable(state);
  gl.glRasterPos2f(-1, -1);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.glDrawPixels(frozen_width_, frozen_height_, GL_RGBA, GL_UNSIGNED_BYTE, frozen_image_.data());
  gl.glPopAttrib();
  if (swap && !(context_options_ & roNoSwapBuffers)) context_->SwapBuffers();
}

void TGLStageBuffer::PushModelViewMatrix(const TMatrix4f& matrix) {
  model_view_stack_.push_back(model_view_matrix_);
  model_view_matrix_ = matrix;
}

void TGLStageBuffer::PopModelViewMatrix() {
  Assert(!model_view_stack_.empty(), kUnit, __LINE__, "Unbalanced PopModelViewMatrix");
  model_view_matrix_ = model_view_stack_.back();
  model_view_stack_.pop_back();
}

void TGLStageBuffer::SetCamera(TGLCamera* camera) {
  if (camera == camera_) return;
  LeaveScene();
  if (camera_) camera_->FreeNotifier().Remove(this);
  camera_ = camera && camera->Scene() ? camera : nullptr;
  if (camera_) {
    camera_->FreeNotifier().Add(this);
    camera_->TransformationChanged();
  }
  NotifyChange(this);
}

void TGLStageBuffer::ObjectFreed(TObject* object) {
  if (object != camera_) return;
  LeaveScene();
  camera_ = nullptr;
}

void TGLStageBuffer::SetBackgroundColor(TColor value) {
  StoreOnChange(background_color_, value, [this] { NotifyChange(this); });
}

void TGLStageBuffer::SetBackgroundAlpha(float value) {
  StoreOnChange(background_alpha_, value, [this] { NotifyChange(this); });
}

void TGLStageBuffer::NotifyChange(TObject*) {
  if (!rendering_ && OnChange) OnChange(this);
}

void TGLStageBuffer::NotifyStructuralChange() {
  if (OnStructuralChange) OnStructuralChange(this);
}
