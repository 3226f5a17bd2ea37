#include "gfx3d/glx_context.h"

#include <dlfcn.h>
#include <link.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gfx3d/gl_binding.h"
#include "gfx3d/platform_utilities.h"

// clang-format off
#include <GL/glx.h>
#include <X11/Xlib.h>
// clang-format on

namespace {

// X error codes raised inside a trap are recorded here instead of ending the program.
int trapped_error = 0;

int RecordXError(Display*, XErrorEvent* event) {
  trapped_error = event->error_code;
  return 0;
}

// Catches the X errors of one creation or activation; never lets them end the process.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    trapped_error = 0;
    previous_ = XSetErrorHandler(RecordXError);
  }
  // Errors of requests made inside the trap arrive before the old handler is back.
  ~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  // Waits for the server's answers and returns the first error code, 0 for none.
  int Error() {
    XSync(display_, False);
    return trapped_error;
  }
  std::string ErrorText(int code) {
    char text[256] = {};
    XGetErrorText(display_, code, text, sizeof text);
    return text;
  }

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

// The X connection contexts are made on: the toolkit's when it has one, else
// one of the library's own, which ReleaseXDisplayConnection closes again.
struct XConnection {
  Display* display = nullptr;
  bool owned = false;
};

XConnection& Connection() {
  static XConnection connection;
  return connection;
}

Display* XDisplayConnection() {
  XConnection& connection = Connection();
  if (!connection.display) {
    // Qt's offscreen platform answers as an X11 application without a connection of its own.
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
      connection.display = x11->display();
    if (!connection.display) {
      connection.display = XOpenDisplay(nullptr);
      connection.owned = connection.display != nullptr;
    }
  }
  if (!connection.display) throw EGLContext("Cannot connect to the X display");
  return connection.display;
}

int GLXVersionMinor(Display* display) {
  int major = 0;
  int minor = 0;
  if (!glXQueryVersion(display, &major, &minor)) return -1;
  return major > 1 ? 3 : minor;
}

bool GLXExtensionPresent(Display* display, const char* name) {
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  return extensions && HasExtension(name, extensions);
}

// GLX 1.3 gives configurations and pbuffers; the rest are GLX extensions.
void ReadGLXExtensionFlags(Display* display) {
  TGLExtensionFlags& flags = GLFlags();
  const bool glx13 = GLXVersionMinor(display) >= 3;
  flags.WGL_ARB_pixel_format = glx13;
  flags.WGL_ARB_pbuffer = glx13;
  flags.WGL_ARB_multisample = GLXExtensionPresent(display, "GLX_ARB_multisample");
  flags.WGL_EXT_swap_control =
      GLXExtensionPresent(display, "GLX_EXT_swap_control") || GLXExtensionPresent(display, "GLX_MESA_swap_control");
  flags.WGL_ATI_pixel_format_float = GLXExtensionPresent(display, "GLX_ARB_fbconfig_float");
  flags.WGL_ARB_buffer_region = false;
  flags.WGL_ARB_extensions_string = true;
}

int last_fbconfig_id = 0;
std::string last_vendor;
int next_share_group = 0;

std::vector<TGLGLXContext*>& LiveContexts() {
  static std::vector<TGLGLXContext*> contexts;
  return contexts;
}

int AttributeValue(const std::vector<int>& list, int attribute) {
  for (std::size_t i = 0; i + 1 < list.size(); i += 2)
    if (list[i] == attribute) return list[i + 1];
  return 0;
}

struct XFreeDeleter {
  void operator()(void* data) const { XFree(data); }
};

}  // namespace

void TGLXAttribList::AddIntAttrib(int attribute, int value) { data_.insert(data_.end() - 1, {attribute, value}); }

void TGLXAttribList::ChangeIntAttrib(int attribute, int value) {
  for (std::size_t i = 0; i + 1 < data_.size(); i += 2)
    if (data_[i] == attribute) {
      data_[i + 1] = value;
      return;
    }
  AddIntAttrib(attribute, value);
}

void TGLXAttribList::DropIntAttrib(int attribute) {
  for (std::size_t i = 0; i + 1 < data_.size(); i += 2)
    if (data_[i] == attribute) {
      data_.erase(data_.begin() + static_cast<std::ptrdiff_t>(i), data_.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      return;
    }
}

namespace {

int SamplesFor(TGLAntiAliasing antiAliasing) {
  switch (antiAliasing) {
    case aa2x:
    case aa2xHQ:
      return 2;
    case aa4x:
    case aa4xHQ:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

int ChooseGLXFormat(const TGLXConfigRequest& request, TGLXAttribList& attributes, const TGLXConfigChooser& chooser) {
  attributes.ClearIntAttribs();
  attributes.AddIntAttrib(GLX_X_RENDERABLE, True);
  attributes.AddIntAttrib(GLX_DRAWABLE_TYPE, request.pbuffer ? GLX_PBUFFER_BIT : GLX_WINDOW_BIT);
  attributes.AddIntAttrib(GLX_STEREO, request.stereo ? True : False);
  attributes.AddIntAttrib(GLX_DOUBLEBUFFER, request.doubleBuffered ? True : False);
  attributes.AddIntAttrib(GLX_CONFIG_CAVEAT, GLX_NONE);
  const bool float_colour = request.colorBits == 64 || request.colorBits == 128;
  attributes.AddIntAttrib(GLX_RENDER_TYPE,
                          float_colour && request.floatSupported ? GLX_RGBA_FLOAT_BIT_ARB : GLX_RGBA_BIT);
  attributes.AddIntAttrib(GLX_BUFFER_SIZE, request.colorBits);
  if (request.alphaBits > 0) attributes.AddIntAttrib(GLX_ALPHA_SIZE, request.alphaBits);
  attributes.AddIntAttrib(GLX_DEPTH_SIZE, request.depthBits);
  if (request.stencilBits > 0) attributes.AddIntAttrib(GLX_STENCIL_SIZE, request.stencilBits);
  if (request.accumBits > 0)
    for (int channel : {GLX_ACCUM_RED_SIZE, GLX_ACCUM_GREEN_SIZE, GLX_ACCUM_BLUE_SIZE, GLX_ACCUM_ALPHA_SIZE})
      attributes.AddIntAttrib(channel, request.accumBits / 4);
  if (request.auxBuffers > 0) attributes.AddIntAttrib(GLX_AUX_BUFFERS, request.auxBuffers);
  const bool asks_samples = request.antiAliasing != aaDefault && request.multisampleSupported;
  if (asks_samples) {
    const bool none = request.antiAliasing == aaNone;
    attributes.AddIntAttrib(GLX_SAMPLE_BUFFERS, none ? 0 : 1);
    if (!none) attributes.AddIntAttrib(GLX_SAMPLES, SamplesFor(request.antiAliasing));
  }

  int count = chooser(attributes.Data());
  if (count > 0) return count;
  if (request.antiAliasing != aaDefault) {
    attributes.DropIntAttrib(GLX_SAMPLE_BUFFERS);
    attributes.DropIntAttrib(GLX_SAMPLES);
  }
  if (request.depthBits >= 32) {
    attributes.ChangeIntAttrib(GLX_DEPTH_SIZE, 24);
    if ((count = chooser(attributes.Data())) > 0) return count;
  }
  if (request.depthBits >= 24) {
    attributes.ChangeIntAttrib(GLX_DEPTH_SIZE, 16);
    if ((count = chooser(attributes.Data())) > 0) return count;
  }
  if (request.colorBits >= 24) {
    attributes.ChangeIntAttrib(GLX_BUFFER_SIZE, 16);
    if ((count = chooser(attributes.Data())) > 0) return count;
  }
  attributes.ChangeIntAttrib(GLX_BUFFER_SIZE, request.colorBits);
  attributes.ChangeIntAttrib(GLX_DEPTH_SIZE, request.depthBits);
  attributes.DropIntAttrib(GLX_CONFIG_CAVEAT);
  return chooser(attributes.Data());
}

int PickGLXFormat(const std::vector<int>& sampleBuffers, TGLAntiAliasing antiAliasing, bool multisampleSupported) {
  if (sampleBuffers.empty()) return -1;
  if (!multisampleSupported || (antiAliasing != aaDefault && antiAliasing != aaNone)) return 0;
  const auto first = std::find(sampleBuffers.begin(), sampleBuffers.end(), 0);
  return first != sampleBuffers.end() ? static_cast<int>(first - sampleBuffers.begin())
                                      : static_cast<int>(sampleBuffers.size()) - 1;
}

TGLGLXContext::~TGLGLXContext() { DestroyQuietly(); }

TGLXConfigRequest TGLGLXContext::Request(bool pbuffer) const {
  Display* display = XDisplayConnection();
  TGLXConfigRequest request;
  request.colorBits = ColorBits();
  request.alphaBits = AlphaBits();
  request.depthBits = DepthBits();
  request.stencilBits = StencilBits();
  request.accumBits = AccumBits();
  request.auxBuffers = AuxBuffers();
  request.antiAliasing = AntiAliasing();
  request.doubleBuffered = (Options() & rcoDoubleBuffered) != 0 && !pbuffer;
  request.stereo = (Options() & rcoStereo) != 0;
  request.pbuffer = pbuffer;
  request.multisampleSupported = GLXExtensionPresent(display, "GLX_ARB_multisample");
  request.floatSupported = GLXExtensionPresent(display, "GLX_ARB_fbconfig_float");
  return request;
}

// The chosen GLXFBConfig; null when nothing matches even after the cascade.
void* TGLGLXContext::ChooseConfig(bool pbuffer) {
  Display* display = XDisplayConnection();
  const TGLXConfigRequest request = Request(pbuffer);
  std::unique_ptr<GLXFBConfig, XFreeDeleter> configs;
  int count = 0;
  TGLXAttribList attributes;
  ChooseGLXFormat(request, attributes, [&](const std::vector<int>& list) {
    configs.reset(glXChooseFBConfig(display, DefaultScreen(display), list.data(), &count));
    if (!configs) count = 0;
    return count;
  });
  if (count == 0) return nullptr;
  // GLX lists deeper buffers first; a context asks for the depth it names.
  const int wanted_depth = AttributeValue(attributes.Data(), GLX_DEPTH_SIZE);
  std::vector<GLXFBConfig> candidates(configs.get(), configs.get() + count);
  std::stable_partition(candidates.begin(), candidates.end(), [&](GLXFBConfig config) {
    int depth = 0;
    glXGetFBConfigAttrib(display, config, GLX_DEPTH_SIZE, &depth);
    return depth == wanted_depth;
  });
  std::vector<int> sample_buffers(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i)
    glXGetFBConfigAttrib(display, candidates[i], GLX_SAMPLE_BUFFERS, &sample_buffers[i]);
  return candidates[static_cast<std::size_t>(
      PickGLXFormat(sample_buffers, request.antiAliasing, request.multisampleSupported))];
}

void TGLGLXContext::CreateRenderingContext(void* config) {
  Display* display = XDisplayConnection();
  auto fbconfig = static_cast<GLXFBConfig>(config);
  // GLX shares names only at creation, so every context joins the first live one's group.
  TGLGLXContext* partner = LiveContexts().empty() ? nullptr : LiveContexts().front();
  XErrorTrap trap(display);
  GLXContext rc = glXCreateNewContext(display, fbconfig, GLX_RGBA_TYPE,
                                      partner ? static_cast<GLXContext>(partner->rc_) : nullptr, True);
  const int error = trap.Error();
  if (!rc || error != 0) {
    if (rc) glXDestroyContext(display, rc);
    RaiseLastOSError();
  }
  rc_ = rc;
  LiveContexts().push_back(this);
  share_group_ = partner ? partner->share_group_ : ++next_share_group;
  glXGetFBConfigAttrib(display, fbconfig, GLX_FBCONFIG_ID, &fbconfig_id_);
  int caveat = GLX_NONE;
  glXGetFBConfigAttrib(display, fbconfig, GLX_CONFIG_CAVEAT, &caveat);
  SetAcceleration(caveat == GLX_SLOW_CONFIG ? 2 : 1);
}

void TGLGLXContext::DoCreateContext(TGLOutputDevice outputDevice) {
  if (!OpenGLLibrariesLoaded() && !LoadOpenGLLibraries()) RaiseLastOSError();
  Display* display = XDisplayConnection();
  void* config = ChooseConfig(false);
  if (!config) throw EGLContext("No OpenGL frame-buffer configuration matches the requested buffers");
  std::unique_ptr<XVisualInfo, XFreeDeleter> visual(
      glXGetVisualFromFBConfig(display, static_cast<GLXFBConfig>(config)));
  if (!visual) throw EGLContext("No OpenGL frame-buffer configuration matches the requested buffers");

  const Window parent = outputDevice ? static_cast<Window>(outputDevice) : RootWindow(display, visual->screen);
  XErrorTrap trap(display);
  XWindowAttributes parent_attributes{};
  XGetWindowAttributes(display, parent, &parent_attributes);
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, parent, visual->visual, AllocNone);
  attributes.border_pixel = 0;
  const Window window =
      XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(std::max(parent_attributes.width, 1)),
                    static_cast<unsigned>(std::max(parent_attributes.height, 1)), 0, visual->depth, InputOutput,
                    visual->visual, CWColormap | CWBorderPixel, &attributes);
  XMapWindow(display, window);
  if (const int error = trap.Error(); error != 0) {
    if (window) XDestroyWindow(display, window);
    XFreeColormap(display, attributes.colormap);
    throw EGLContext("Cannot create the OpenGL window: " + trap.ErrorText(error));
  }
  colormap_ = attributes.colormap;
  window_ = window;
  drawable_ = window;
  try {
    CreateRenderingContext(config);
  } catch (...) {
    DoDestroyContext();
    throw;
  }
}

void TGLGLXContext::DoCreateMemoryContext(TGLOutputDevice, int width, int height, int) {
  if (!OpenGLLibrariesLoaded() && !LoadOpenGLLibraries()) RaiseLastOSError();
  Display* display = XDisplayConnection();
  ReadGLXExtensionFlags(display);
  if (!GLFlags().WGL_ARB_pixel_format || !GLFlags().WGL_ARB_pbuffer)
    throw EGLContext("WGL_ARB_pbuffer support required.");
  void* config = ChooseConfig(true);
  if (!config) throw EGLContext("Format not supported for pbuffer operation.");
  const int pbuffer_attributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
  XErrorTrap trap(display);
  const GLXPbuffer pbuffer = glXCreatePbuffer(display, static_cast<GLXFBConfig>(config), pbuffer_attributes);
  if (!pbuffer || trap.Error() != 0) {
    // The server may refuse a pbuffer whose id the client already handed out; the client's side goes all the same.
    if (pbuffer) glXDestroyPbuffer(display, pbuffer);
    throw EGLContext("Unabled to create pbuffer.");
  }
  pbuffer_ = pbuffer;
  drawable_ = pbuffer;
  try {
    CreateRenderingContext(config);
  } catch (const std::exception&) {
    DoDestroyContext();
    throw EGLContext("Unabled to create pbuffer's RC.");
  }
}

void TGLGLXContext::DoShareLists(TGLContext& other) {
  auto* glx = dynamic_cast<TGLGLXContext*>(&other);
  if (!glx || glx->share_group_ != share_group_) throw EGLContext("Incompatible contexts");
}

void TGLGLXContext::DoDestroyContext() {
  Display* display = XDisplayConnection();
  if (rc_) {
    if (glXGetCurrentContext() == static_cast<GLXContext>(rc_)) glXMakeContextCurrent(display, None, None, nullptr);
    glXDestroyContext(display, static_cast<GLXContext>(rc_));
    auto& live = LiveContexts();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
  }
  if (pbuffer_) glXDestroyPbuffer(display, static_cast<GLXPbuffer>(pbuffer_));
  if (window_) XDestroyWindow(display, static_cast<Window>(window_));
  if (colormap_) XFreeColormap(display, colormap_);
  XSync(display, False);
  rc_ = nullptr;
  drawable_ = window_ = pbuffer_ = 0;
  colormap_ = 0;
}

void TGLGLXContext::DoActivate() {
  Display* display = XDisplayConnection();
  XErrorTrap trap(display);
  const bool made_current = glXMakeContextCurrent(display, static_cast<GLXDrawable>(drawable_),
                                                  static_cast<GLXDrawable>(drawable_), static_cast<GLXContext>(rc_));
  const int error = trap.Error();
  if (!made_current || error != 0) {
    char text[300];
    std::snprintf(text, sizeof text, "Context activation failed: %X, %s", static_cast<unsigned>(error),
                  error ? trap.ErrorText(error).c_str() : "glXMakeContextCurrent refused");
    throw EGLContext(text);
  }
  // Entry points and flags belong to the configuration made current last.
  if (fbconfig_id_ != last_fbconfig_id) {
    const GLubyte* vendor_text = GL().glGetString(GL_VENDOR);
    const std::string vendor = vendor_text ? reinterpret_cast<const char*>(vendor_text) : "";
    if (vendor != last_vendor) {
      LoadGLExtensionEntryPoints();
      ReadGLExtensionFlags();
      last_vendor = vendor;
    }
    ReadGLXExtensionFlags(display);
    last_fbconfig_id = fbconfig_id_;
  }
}

void TGLGLXContext::DoDeactivate() {
  if (!glXMakeContextCurrent(XDisplayConnection(), None, None, nullptr))
    throw ELibraryError("Context deactivation failed");
}

void TGLGLXContext::SwapBuffers() {
  if (window_ && (Options() & rcoDoubleBuffered))
    glXSwapBuffers(XDisplayConnection(), static_cast<GLXDrawable>(window_));
}

void TGLGLXContext::SetOutputSize(int width, int height) {
  if (window_)
    XResizeWindow(XDisplayConnection(), static_cast<Window>(window_), static_cast<unsigned>(std::max(width, 1)),
                  static_cast<unsigned>(std::max(height, 1)));
}

namespace {

// Keeps every loaded GL driver module ("*_dri.so") in memory for the rest of
// the process. Closing the last connection would unload the driver, and what
// it allocated for the life of the process would then read as leaked.
void KeepGLDriversLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        const char* name = info->dlpi_name;
        const std::size_t length = name ? std::strlen(name) : 0;
        constexpr std::size_t suffix = sizeof "_dri.so" - 1;
        if (length > suffix && std::strcmp(name + length - suffix, "_dri.so") == 0)
          dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

}  // namespace

void TGLGLXContext::DestroyLiveContexts() {
  // Destroying a context takes it out of the list.
  for (TGLGLXContext* context : std::vector<TGLGLXContext*>(LiveContexts())) context->DestroyQuietly();
}

void ReleaseXDisplayConnection() {
  XConnection& connection = Connection();
  if (!connection.display) return;
  TGLGLXContext::DestroyLiveContexts();
  // Closing the connection ends the driver's screen, and with it the driver's
  // worker threads; the toolkit closes its own connection itself.
  if (connection.owned) {
    KeepGLDriversLoaded();
    XCloseDisplay(connection.display);
  }
  connection = XConnection{};
  last_fbconfig_id = 0;
  last_vendor.clear();
}

void RegisterGLXContextClass() {
  static const bool registered = [] {
    RegisterGLContextClass([] { return std::make_unique<TGLGLXContext>(); });
    return true;
  }();
  (void)registered;
}
