#include "gfx3d/gl/gl_context.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <utility>

#include "gfx3d/gl/gl_binding.h"

namespace {

constexpr const char* kUnit = "GLContext";

TGLContext* current_context = nullptr;

std::vector<TGLContextFactory>& ContextClasses() {
  static std::vector<TGLContextFactory> classes;
  return classes;
}

template <typename T>
void Remove(std::vector<T*>& list, T* item) {
  auto found = std::find(list.begin(), list.end(), item);
  if (found != list.end()) list.erase(found);
}

template <typename T>
bool Contains(const std::vector<T*>& list, T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// The current context with its whole nesting, taken off the thread and put back
// afterwards, so that work in another context leaves the caller's state as it was.
class SuspendedActivation {
 public:
  SuspendedActivation() : context_(current_context), count_(context_ ? context_->ActivationCount() : 0) {
    if (context_) context_->SetActive(false);
  }
  void Resume() {
    for (int i = 0; i < count_; ++i) context_->Activate();
  }

 private:
  TGLContext* context_;
  int count_;
};

void LogReleaseFailure(const std::exception& error) {
  std::fprintf(stderr, "3-D library: releasing a GL object failed: %s\n", error.what());
}

}  // namespace

TGLContext* CurrentGLContext() { return current_context; }

TGLContext::TGLContext() { GLContextManager().RegisterContext(this); }

void TGLContext::DestroyQuietly() {
  try {
    if (IsValid()) DestroyContext();
  } catch (const std::exception& error) {
    LogReleaseFailure(error);
  }
}

TGLContext::~TGLContext() {
  {
    std::lock_guard guard(GLContextManager().lock_);
    for (TGLContext* other : GLContextManager().contexts_)
      if (other->previous_ == this) other->previous_ = nullptr;
  }
  try {
    GLContextManager().UnregisterContext(this);
  } catch (const std::exception& error) {
    LogReleaseFailure(error);
  }
  if (current_context == this) current_context = nullptr;
}

void TGLContext::FinishCreation() {
  shared_contexts_.push_back(this);
  if (manager_) manager_->ContextCreatedBy(this);
}

void TGLContext::CreateContext(TGLOutputDevice outputDevice) {
  if (IsValid()) throw EGLContext("Context already created");
  acceleration_ = 0;
  DoCreateContext(outputDevice);
  FinishCreation();
}

void TGLContext::CreateMemoryContext(TGLOutputDevice outputDevice, int width, int height, int bufferCount) {
  if (IsValid()) throw EGLContext("Context already created");
  acceleration_ = 0;
  DoCreateMemoryContext(outputDevice, width, height, bufferCount);
  FinishCreation();
}

void TGLContext::PropagateSharedContexts() {
  for (TGLContext* other : shared_contexts_)
    if (other != this) other->shared_contexts_ = shared_contexts_;
}

void TGLContext::ShareLists(TGLContext& other) {
  if (!IsValid()) throw EGLContext("Context not created");
  if (Contains(shared_contexts_, &other)) return;
  DoShareLists(other);
  shared_contexts_.push_back(&other);
  PropagateSharedContexts();
}

void TGLContext::Activate() {
  if (activation_count_ > 0) {
    Assert(current_context == this, kUnit, __LINE__, "Nested activation of a context that is not current");
  } else {
    if (!IsValid()) throw EGLContext("Context not created");
    DoActivate();
    previous_ = current_context;
    current_context = this;
  }
  ++activation_count_;
}

void TGLContext::Deactivate() {
  Assert(current_context == this || activation_count_ <= 0, kUnit, __LINE__,
         "Deactivation of a context that is not current");
  --activation_count_;
  if (activation_count_ == 0) {
    if (!IsValid()) throw EGLContext("Context not created");
    DoDeactivate();
    current_context = nullptr;
    // A context activated inside another one hands the thread back to it.
    TGLContext* previous = std::exchange(previous_, nullptr);
    if (previous && previous->activation_count_ > 0 && previous->IsValid()) {
      previous->DoActivate();
      current_context = previous;
    }
  } else if (activation_count_ < 0) {
    activation_count_ = 0;
    throw EGLContext("Unbalanced context activations");
  }
}

void TGLContext::SetActive(bool value) {
  while (Active() != value) value ? Activate() : Deactivate();
}

// Runs to the end whatever fails on the way: the GL context is freed and leaves
// its share group even when it can no longer be made current (its names then
// die with it), and the first failure is raised afterwards.
void TGLContext::DestroyContext() {
  std::optional<SuspendedActivation> previous;
  if (current_context && current_context != this) previous.emplace();
  std::exception_ptr failure;
  const auto attempt = [&failure](auto&& step) {
    try {
      step();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  attempt([this] { Activate(); });
  const bool current = !failure;
  TGLContext* partner = nullptr;
  for (TGLContext* other : shared_contexts_)
    if (other != this) {
      partner = other;
      break;
    }
  for (auto handle = owned_handles_.rbegin(); handle != owned_handles_.rend(); ++handle) {
    if (partner && (*handle)->Transferable()) {
      partner->owned_handles_.push_back(*handle);
      (*handle)->rendering_context_ = partner;
    } else {
      if (current) attempt([handle] { (*handle)->ContextDestroying(); });
      (*handle)->ContextLost();
    }
  }
  owned_handles_.clear();
  if (manager_) manager_->DestroyingContextBy(this);
  Remove(shared_contexts_, this);
  PropagateSharedContexts();
  shared_contexts_.clear();
  attempt([this] { SetActive(false); });
  activation_count_ = 0;
  if (current_context == this) current_context = nullptr;
  DoDestroyContext();
  if (previous) previous->Resume();
  acceleration_ = 0;
  if (failure) std::rethrow_exception(failure);
}

TGLContextHandle::~TGLContextHandle() = default;

void TGLContextHandle::AllocateHandle() {
  Assert(handle_ == 0, kUnit, __LINE__, "Handle already allocated");
  Assert(current_context != nullptr, kUnit, __LINE__, "No current context");
  handle_ = DoAllocateHandle();
  if (handle_ == 0) return;
  rendering_context_ = current_context;
  rendering_context_->owned_handles_.push_back(this);
}

void TGLContextHandle::DestroyHandle() {
  if (handle_ == 0) return;
  if (rendering_context_) {
    Remove(rendering_context_->owned_handles_, this);
    const bool reachable = current_context == rendering_context_ ||
                           (current_context && Contains(current_context->shared_contexts_, rendering_context_));
    if (reachable) {
      DoDestroyHandle();
    } else {
      SuspendedActivation previous;
      rendering_context_->Activate();
      DoDestroyHandle();
      rendering_context_->Deactivate();
      previous.Resume();
    }
  }
  handle_ = 0;
  rendering_context_ = nullptr;
}

void TGLContextHandle::ContextDestroying() {
  if (handle_ != 0) DoDestroyHandle();
  ContextLost();
}

void TGLContextHandle::ContextLost() {
  handle_ = 0;
  rendering_context_ = nullptr;
}

void TGLContextHandle::ReleaseQuietly() {
  try {
    DestroyHandle();
  } catch (const std::exception& error) {
    LogReleaseFailure(error);
  }
}

TGLVirtualHandle::~TGLVirtualHandle() { ReleaseQuietly(); }

GLuint TGLVirtualHandle::DoAllocateHandle() {
  GLuint handle = 0;
  if (OnAllocate) OnAllocate(this, handle);
  return handle;
}

void TGLVirtualHandle::DoDestroyHandle() {
  ClearGLError();
  GLuint handle = Handle();
  if (OnDestroy) OnDestroy(this, handle);
  CheckOpenGLError();
}

TGLListHandle::~TGLListHandle() { ReleaseQuietly(); }

GLuint TGLListHandle::DoAllocateHandle() { return GL().glGenLists(1); }

void TGLListHandle::DoDestroyHandle() {
  ClearGLError();
  GL().glDeleteLists(Handle(), 1);
  CheckOpenGLError();
}

TGLTextureHandle::~TGLTextureHandle() { ReleaseQuietly(); }

GLuint TGLTextureHandle::DoAllocateHandle() {
  GLuint name = 0;
  GL().glGenTextures(1, &name);
  return name;
}

void TGLTextureHandle::DoDestroyHandle() {
  GL().glGetError();
  const GLuint name = Handle();
  if (GL().glIsTexture(name)) GL().glDeleteTextures(1, &name);
  CheckOpenGLError();
}

void RegisterGLContextClass(TGLContextFactory factory) { ContextClasses().push_back(std::move(factory)); }

std::unique_ptr<TGLContext> TGLContextManager::CreateContext() {
  if (ContextClasses().empty()) return nullptr;
  std::unique_ptr<TGLContext> context = ContextClasses().front()();
  context->manager_ = this;
  return context;
}

int TGLContextManager::ContextCount() const {
  std::lock_guard guard(lock_);
  return static_cast<int>(contexts_.size());
}

int TGLContextManager::CreatedContextCount() const {
  std::lock_guard guard(lock_);
  return created_count_;
}

void TGLContextManager::RegisterContext(TGLContext* context) {
  std::lock_guard guard(lock_);
  if (Contains(contexts_, context)) throw EGLContext("Invalid context registration");
  contexts_.push_back(context);
}

void TGLContextManager::UnregisterContext(TGLContext* context) {
  std::lock_guard guard(lock_);
  if (!Contains(contexts_, context)) throw EGLContext("Invalid context registration");
  Remove(contexts_, context);
}

void TGLContextManager::ContextCreatedBy(TGLContext*) {
  std::lock_guard guard(lock_);
  ++created_count_;
}

void TGLContextManager::DestroyingContextBy(TGLContext*) {
  std::lock_guard guard(lock_);
  --created_count_;
}

TGLContextManager& GLContextManager() {
  static TGLContextManager manager;
  return manager;
}

namespace {

// GL may hold several errors; at most this many more are read after the first.
constexpr int kMaxErrorReads = 6;

void DrainGLErrors() {
  for (int i = 0; i < kMaxErrorReads; ++i)
    if (GL().glGetError() == GL_NO_ERROR) return;
}

}  // namespace

void CheckOpenGLError() {
  const GLenum error = GL().glGetError();
  if (error == GL_NO_ERROR) return;
  DrainGLErrors();
  const GLubyte* text = GL().gluErrorString(error);
  throw EOpenGLError(text ? reinterpret_cast<const char*>(text) : "unknown GL error");
}

void ClearGLError() {
  if (GL().glGetError() != GL_NO_ERROR) DrainGLErrors();
}
