#include "gfx3d/core/initialization.h"

#include <cfenv>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_context.h"
#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/lists/vector_lists.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/materials/texture_images.h"
#include "gfx3d/persistence/persistence.h"

namespace {

#if defined(__SSE__) || defined(__x86_64__)
// Flush-to-zero and denormals-are-zero would change results near EpsilonTiny.
constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;
constexpr unsigned kExceptionMasks = 0x1F80;

bool SseStateIsDefault() {
  const unsigned csr = _mm_getcsr();
  return (csr & (kFlushToZero | kDenormalsAreZero)) == 0 && (csr & kExceptionMasks) == kExceptionMasks;
}

void ResetSseState() { _mm_setcsr((_mm_getcsr() & ~(kFlushToZero | kDenormalsAreZero)) | kExceptionMasks); }
#else
bool SseStateIsDefault() { return true; }
void ResetSseState() {}
#endif

void RegisterListClasses() {
  RegisterPersistentClass<TAffineVectorList>();
  RegisterPersistentClass<TVectorList>();
  RegisterPersistentClass<TTexPointList>();
  RegisterPersistentClass<TSingleList>();
}

}  // namespace

bool FloatingPointEnvironmentIsDefault() {
  return std::fegetround() == FE_TONEAREST && fegetexcept() == 0 && SseStateIsDefault();
}

void InitializeGfx3D() {
  if (!FloatingPointEnvironmentIsDefault()) {
    std::fesetround(FE_TONEAREST);
    fedisableexcept(FE_ALL_EXCEPT);
    ResetSseState();
  }
  RegisterListClasses();
  RegisterGLXContextClass();
  InitializePlatformUtilities();
  RegisterGLTextureImageClasses();
  RegisterMaterialLibraryClass();
}

void FinalizeGfx3D() {
  ReleaseXDisplayConnection();
  UnloadOpenGLLibraries();
}
