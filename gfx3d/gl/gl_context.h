// The platform-neutral rendering context: requested buffer depths, nested
// activation, the one context current on the GUI thread, sharing of display
// lists and textures, the GL object names each context owns, the manager that
// makes contexts of the registered platform class, and the GL error policy.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/core/toolkit_objects.h"

// Misuse of a context: changing an active one, unbalanced activations, a context not created.
class EGLContext : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// An error reported by GL itself, with GLU's text for it.
class EOpenGLError : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

enum TGLAntiAliasing : std::uint8_t { aaDefault, aaNone, aa2x, aa2xHQ, aa4x, aa4xHQ };

enum TGLRCOption : std::uint8_t { rcoDoubleBuffered = 1, rcoStereo = 2 };
using TGLRCOptions = std::uint8_t;

// What a context renders to: an X window id, or 0 for the screen's root window.
using TGLOutputDevice = std::uintptr_t;

class TGLContextHandle;
class TGLContextManager;

class TGLContext : public TObject {
 public:
  TGLContext();
  // Leaves the manager; the platform class has already destroyed its GL context.
  ~TGLContext() override;
  TGLContext(const TGLContext&) = delete;
  TGLContext& operator=(const TGLContext&) = delete;
  std::string ClassName() const override { return "TGLContext"; }

  int ColorBits() const { return color_bits_; }
  int AlphaBits() const { return alpha_bits_; }
  int DepthBits() const { return depth_bits_; }
  int StencilBits() const { return stencil_bits_; }
  int AccumBits() const { return accum_bits_; }
  int AuxBuffers() const { return aux_buffers_; }
  TGLAntiAliasing AntiAliasing() const { return anti_aliasing_; }
  TGLRCOptions Options() const { return options_; }
  // Each raises "Cannot alter an active context" while the context is active.
  void SetColorBits(int value) { SetWhileInactive(color_bits_, value); }
  void SetAlphaBits(int value) { SetWhileInactive(alpha_bits_, value); }
  void SetDepthBits(int value) { SetWhileInactive(depth_bits_, value); }
  void SetStencilBits(int value) { SetWhileInactive(stencil_bits_, value); }
  void SetAccumBits(int value) { SetWhileInactive(accum_bits_, value); }
  void SetAuxBuffers(int value) { SetWhileInactive(aux_buffers_, value); }
  void SetAntiAliasing(TGLAntiAliasing value) { SetWhileInactive(anti_aliasing_, value); }
  void SetOptions(TGLRCOptions value) { SetWhileInactive(options_, value); }

  TGLContextManager* Manager() const { return manager_; }
  int ActivationCount() const { return activation_count_; }
  // 0 not determined, 1 hardware, 2 software.
  std::uint8_t Acceleration() const { return acceleration_; }
  const std::vector<TGLContext*>& SharedContexts() const { return shared_contexts_; }
  const std::vector<TGLContextHandle*>& OwnedHandles() const { return owned_handles_; }

  // Realises the context on a window, or off screen; "Context already created" when valid.
  void CreateContext(TGLOutputDevice outputDevice);
  void CreateMemoryContext(TGLOutputDevice outputDevice, int width, int height, int bufferCount = 1);
  // Shares names with other; both must be created.
  void ShareLists(TGLContext& other);
  // Moves or frees the owned names, leaves the share group and frees the GL context.
  void DestroyContext();

  // Activating while another context is current nests: the last Deactivate
  // makes the other one current again.
  void Activate();
  void Deactivate();
  bool Active() const { return activation_count_ > 0; }
  // Activates or deactivates until Active() equals value, unwinding all nesting.
  void SetActive(bool value);

  virtual bool IsValid() const = 0;
  virtual void SwapBuffers() = 0;
  virtual TGLOutputDevice RenderOutputDevice() const = 0;

 protected:
  virtual void DoCreateContext(TGLOutputDevice outputDevice) = 0;
  virtual void DoCreateMemoryContext(TGLOutputDevice outputDevice, int width, int height, int bufferCount) = 0;
  virtual void DoShareLists(TGLContext& other) = 0;
  virtual void DoDestroyContext() = 0;
  virtual void DoActivate() = 0;
  virtual void DoDeactivate() = 0;
  void SetAcceleration(std::uint8_t value) { acceleration_ = value; }
  // For the platform class's destructor: destroys a live GL context, logging failures.
  void DestroyQuietly();

 private:
  friend class TGLContextHandle;
  friend class TGLContextManager;
  template <typename T>
  void SetWhileInactive(T& field, T value) {
    if (activation_count_ > 0) throw EGLContext("Cannot alter an active context");
    field = value;
  }
  void FinishCreation();
  void PropagateSharedContexts();

  int color_bits_ = 32, alpha_bits_ = 0, depth_bits_ = 0, stencil_bits_ = 0, accum_bits_ = 0, aux_buffers_ = 0;
  TGLAntiAliasing anti_aliasing_ = aaDefault;
  TGLRCOptions options_ = 0;
  TGLContextManager* manager_ = nullptr;
  int activation_count_ = 0;
  TGLContext* previous_ = nullptr;  // current when this one was activated, current again after it
  std::vector<TGLContext*> shared_contexts_;
  std::vector<TGLContextHandle*> owned_handles_;
  std::uint8_t acceleration_ = 0;
};

// The context current on the GUI thread, or null.
TGLContext* CurrentGLContext();

// One GL object name, owned by the context that was current when it was made.
class TGLContextHandle : public TObject {
 public:
  TGLContextHandle() = default;
  // Frees the name; a GL failure is logged, never thrown.
  ~TGLContextHandle() override;
  TGLContextHandle(const TGLContextHandle&) = delete;
  TGLContextHandle& operator=(const TGLContextHandle&) = delete;
  std::string ClassName() const override { return "TGLContextHandle"; }

  TGLContext* RenderingContext() const { return rendering_context_; }
  GLuint Handle() const { return handle_; }
  // Needs a current context and no name yet.
  void AllocateHandle();
  // Frees the name in its own context, switching contexts for the call when needed.
  void DestroyHandle();
  // Whether the name may move to a sharing context when its own is destroyed.
  virtual bool Transferable() const { return true; }

 protected:
  virtual GLuint DoAllocateHandle() = 0;
  virtual void DoDestroyHandle() = 0;
  // For the destructors of the subclasses, whose DoDestroyHandle the base cannot reach.
  void ReleaseQuietly();

 private:
  friend class TGLContext;
  void ContextDestroying();
  // The name died with its context: forgotten without a GL call.
  void ContextLost();

  TGLContext* rendering_context_ = nullptr;
  GLuint handle_ = 0;
};

// A name made and freed by the owner's callbacks.
class TGLVirtualHandle : public TGLContextHandle {
 public:
  ~TGLVirtualHandle() override;
  std::string ClassName() const override { return "TGLVirtualHandle"; }
  std::function<void(TGLVirtualHandle* sender, GLuint& handle)> OnAllocate;
  std::function<void(TGLVirtualHandle* sender, GLuint& handle)> OnDestroy;

 protected:
  GLuint DoAllocateHandle() override;
  void DoDestroyHandle() override;
};

class TGLListHandle : public TGLContextHandle {
 public:
  ~TGLListHandle() override;
  std::string ClassName() const override { return "TGLListHandle"; }

 protected:
  GLuint DoAllocateHandle() override;
  void DoDestroyHandle() override;
};

class TGLTextureHandle : public TGLContextHandle {
 public:
  ~TGLTextureHandle() override;
  std::string ClassName() const override { return "TGLTextureHandle"; }

 protected:
  GLuint DoAllocateHandle() override;
  void DoDestroyHandle() override;
};

using TGLContextFactory = std::function<std::unique_ptr<TGLContext>()>;

// Registers the platform context class; the manager makes contexts of the first one.
void RegisterGLContextClass(TGLContextFactory factory);

// The process-wide registry of contexts.
class TGLContextManager {
 public:
  // A new, unrealised context of the first registered class; null when none is registered.
  std::unique_ptr<TGLContext> CreateContext();
  int ContextCount() const;
  int CreatedContextCount() const;

  void RegisterContext(TGLContext* context);
  void UnregisterContext(TGLContext* context);
  void ContextCreatedBy(TGLContext* context);
  void DestroyingContextBy(TGLContext* context);

 private:
  friend class TGLContext;
  mutable std::mutex lock_;
  std::vector<TGLContext*> contexts_;
  int created_count_ = 0;
};

TGLContextManager& GLContextManager();

// Raises EOpenGLError with GLU's text when GL reports an error, after draining the queue.
void CheckOpenGLError();
// Drains GL's error queue (at most 7 reads).
void ClearGLError();
