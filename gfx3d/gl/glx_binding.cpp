// The GLX half of the binding: the platform's entry points beyond GLX 1.3 and
// its flags, kept under the names the rest of the library asks for.
#include "gfx3d/gl/glx_binding.h"

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_context.h"
#include "gfx3d/gl/glx_display.h"

// clang-format off
#include <GL/glx.h>
#include <X11/Xlib.h>
// clang-format on

namespace {

// The swap-control entry points, null unless the current display offers them.
struct TGLXFunctionTable {
  PFNGLXSWAPINTERVALEXTPROC glXSwapIntervalEXT = nullptr;
  PFNGLXSWAPINTERVALMESAPROC glXSwapIntervalMESA = nullptr;
  PFNGLXGETSWAPINTERVALMESAPROC glXGetSwapIntervalMESA = nullptr;
};

TGLXFunctionTable glx_functions;

// The display of the current context; the library's own connection before
// any is current; null without an X server, when GLX offers nothing.
Display* CurrentDisplay() {
  if (Display* display = glXGetCurrentDisplay()) return display;
  try {
    return XDisplayConnection();
  } catch (const EGLContext&) {
    return nullptr;
  }
}

std::string_view GLXExtensions(Display* display) {
  const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
  return extensions ? extensions : "";
}

template <typename T>
T Resolve(const char* name, bool offered) {
  return offered ? reinterpret_cast<T>(GetGLProcAddress(name)) : nullptr;
}

int GLXVersionMinor(Display* display) {
  int major = 0;
  int minor = 0;
  if (!display || !glXQueryVersion(display, &major, &minor)) return -1;
  return major > 1 ? 3 : minor;
}

}  // namespace

void LoadGLXExtensionEntryPoints() {
  const std::string_view extensions = GLXExtensions(CurrentDisplay());
  const bool ext = HasExtension("GLX_EXT_swap_control", extensions);
  const bool mesa = HasExtension("GLX_MESA_swap_control", extensions);
  glx_functions.glXSwapIntervalEXT = Resolve<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT", ext);
  glx_functions.glXSwapIntervalMESA = Resolve<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA", mesa);
  glx_functions.glXGetSwapIntervalMESA = Resolve<PFNGLXGETSWAPINTERVALMESAPROC>("glXGetSwapIntervalMESA", mesa);
}

// GLX 1.3 gives configurations and pbuffers; the rest are GLX extensions.
void ReadGLXExtensionFlags() {
  Display* display = CurrentDisplay();
  const std::string_view extensions = GLXExtensions(display);
  TGLExtensionFlags& flags = GLFlags();
  const bool glx13 = GLXVersionMinor(display) >= 3;
  flags.WGL_ARB_pixel_format = glx13;
  flags.WGL_ARB_pbuffer = glx13;
  flags.WGL_ARB_multisample = HasExtension("GLX_ARB_multisample", extensions);
  flags.WGL_EXT_swap_control =
      HasExtension("GLX_EXT_swap_control", extensions) || HasExtension("GLX_MESA_swap_control", extensions);
  flags.WGL_ATI_pixel_format_float = HasExtension("GLX_ARB_fbconfig_float", extensions);
  flags.WGL_ARB_buffer_region = false;
  flags.WGL_ARB_extensions_string = display != nullptr;
}

bool CurrentSwapInterval(int& interval) {
  Display* display = glXGetCurrentDisplay();
  if (display && glx_functions.glXSwapIntervalEXT) {
    unsigned value = 0;
    glXQueryDrawable(display, glXGetCurrentDrawable(), GLX_SWAP_INTERVAL_EXT, &value);
    interval = static_cast<int>(value);
    return true;
  }
  if (!glx_functions.glXGetSwapIntervalMESA) return false;
  interval = glx_functions.glXGetSwapIntervalMESA();
  return true;
}

void SetCurrentSwapInterval(int interval) {
  Display* display = glXGetCurrentDisplay();
  if (display && glx_functions.glXSwapIntervalEXT)
    glx_functions.glXSwapIntervalEXT(display, glXGetCurrentDrawable(), interval);
  else if (glx_functions.glXSwapIntervalMESA)
    glx_functions.glXSwapIntervalMESA(static_cast<unsigned>(interval));
}
