#include "gfx3d/gl/glx_context.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <tuple>

#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_display.h"
#include "gfx3d/gl/glx_window_tracking.h"

// clang-format off
#include <GL/glx.h>
#include <X11/Xlib.h>
// clang-format on

namespace {

// The GL_NV_multisample_filter_hint token.
constexpr GLenum kMultisampleFilterHint = 0x8534;

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

int ConfigAttribute(Display* display, GLXFBConfig config, int attribute) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, attribute, &value);
  return value;
}

TGLXConfigDescription DescribeConfig(Display* display, GLXFBConfig config) {
  const auto get = [&](int attribute) { return ConfigAttribute(display, config, attribute); };
  TGLXConfigDescription given;
  given.window = (get(GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0 && get(GLX_VISUAL_ID) != 0;
  given.pbuffer = (get(GLX_DRAWABLE_TYPE) & GLX_PBUFFER_BIT) != 0;
  given.rgba = (get(GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
  given.doubleBuffered = get(GLX_DOUBLEBUFFER) != 0;
  given.stereo = get(GLX_STEREO) != 0;
  given.colorBits = get(GLX_BUFFER_SIZE);
  given.alphaBits = get(GLX_ALPHA_SIZE);
  given.depthBits = get(GLX_DEPTH_SIZE);
  given.stencilBits = get(GLX_STENCIL_SIZE);
  given.accumBits =
      get(GLX_ACCUM_RED_SIZE) + get(GLX_ACCUM_GREEN_SIZE) + get(GLX_ACCUM_BLUE_SIZE) + get(GLX_ACCUM_ALPHA_SIZE);
  given.auxBuffers = get(GLX_AUX_BUFFERS);
  given.samples = get(GLX_SAMPLES);
  given.slow = get(GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG;
  return given;
}

// What the classic route's chooser does: the closest of all configurations.
void* NearestConfig(Display* display, const TGLXConfigRequest& request) {
  int count = 0;
  std::unique_ptr<GLXFBConfig, XFreeDeleter> configs(glXGetFBConfigs(display, DefaultScreen(display), &count));
  std::vector<TGLXConfigDescription> described;
  for (int i = 0; i < count; ++i) described.push_back(DescribeConfig(display, configs.get()[i]));
  const int nearest = NearestGLXFormat(request, described);
  return nearest < 0 ? nullptr : configs.get()[nearest];
}

[[noreturn]] void RaiseOSError(const std::string& text) { throw EOSError("OS Error : " + text); }

bool WindowExists(Display* display, TGLOutputDevice window) {
  TXErrorTrap trap(display);
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, static_cast<Window>(window), &attributes) != 0 && trap.Error() == 0;
}

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
  // A pbuffer takes whatever buffer count and stereo the driver's pbuffer configurations have.
  if (!request.pbuffer) {
    attributes.AddIntAttrib(GLX_STEREO, request.stereo ? True : False);
    attributes.AddIntAttrib(GLX_DOUBLEBUFFER, request.doubleBuffered ? True : False);
  }
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

int NearestGLXFormat(const TGLXConfigRequest& request, const std::vector<TGLXConfigDescription>& configs) {
  const auto shortfall = [](int wanted, int given) { return std::max(wanted - given, 0); };
  const auto excess = [](int wanted, int given) { return std::max(given - wanted, 0); };
  // Smaller is nearer: the buffer kinds first, then an accelerated configuration
  // before a slow one whatever it lacks (as the classic chooser lowers depth and
  // colour before it takes a software format), then what each buffer lacks in
  // the order of their weight, then multisampling and waste.
  const auto distance = [&](const TGLXConfigDescription& given) {
    const bool samples_wanted = request.antiAliasing != aaDefault && request.antiAliasing != aaNone;
    return std::make_tuple(
        given.doubleBuffered != request.doubleBuffered, given.stereo != request.stereo, given.slow,
        shortfall(request.colorBits, given.colorBits), shortfall(request.depthBits, given.depthBits),
        shortfall(request.alphaBits, given.alphaBits), shortfall(request.stencilBits, given.stencilBits),
        shortfall(request.accumBits, given.accumBits), shortfall(request.auxBuffers, given.auxBuffers),
        (given.samples > 1) != samples_wanted,
        excess(request.colorBits, given.colorBits) + excess(request.depthBits, given.depthBits) +
            excess(request.alphaBits, given.alphaBits) + excess(request.stencilBits, given.stencilBits) +
            excess(request.accumBits, given.accumBits) + excess(request.auxBuffers, given.auxBuffers));
  };
  int nearest = -1;
  for (std::size_t i = 0; i < configs.size(); ++i) {
    const TGLXConfigDescription& given = configs[i];
    if (!given.rgba || !(request.pbuffer ? given.pbuffer : given.window)) continue;
    if (nearest < 0 || distance(given) < distance(configs[static_cast<std::size_t>(nearest)]))
      nearest = static_cast<int>(i);
  }
  return nearest;
}

TGLGLXContext::~TGLGLXContext() { DestroyQuietly(); }

TGLXConfigRequest TGLGLXContext::Request(bool pbuffer) const {
  ReadGLXExtensionFlags();
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
  request.multisampleSupported = GLFlags().WGL_ARB_multisample;
  request.floatSupported = GLFlags().WGL_ATI_pixel_format_float;
  return request;
}

// The chosen GLXFBConfig. A window takes the nearest configuration when even
// the cascade finds none; a pbuffer gets null then.
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
  if (count == 0) return pbuffer ? nullptr : NearestConfig(display, request);
  // GLX lists deeper buffers first; a context asks for the depth it names.
  const int wanted_depth = AttributeValue(attributes.Data(), GLX_DEPTH_SIZE);
  std::vector<GLXFBConfig> candidates(configs.get(), configs.get() + count);
  std::stable_partition(candidates.begin(), candidates.end(), [&](GLXFBConfig config) {
    return ConfigAttribute(display, config, GLX_DEPTH_SIZE) == wanted_depth;
  });
  std::vector<int> sample_buffers(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i)
    sample_buffers[i] = ConfigAttribute(display, candidates[i], GLX_SAMPLE_BUFFERS);
  return candidates[static_cast<std::size_t>(
      PickGLXFormat(sample_buffers, request.antiAliasing, request.multisampleSupported))];
}

void TGLGLXContext::CreateRenderingContext(void* config) {
  Display* display = XDisplayConnection();
  auto fbconfig = static_cast<GLXFBConfig>(config);
  // GLX shares names only at creation, so every context joins the first live one's group.
  TGLGLXContext* partner = LiveContexts().empty() ? nullptr : LiveContexts().front();
  TXErrorTrap trap(display);
  GLXContext rc = glXCreateNewContext(display, fbconfig, GLX_RGBA_TYPE,
                                      partner ? static_cast<GLXContext>(partner->rc_) : nullptr, True);
  const int error = trap.Error();
  if (!rc || error != 0) {
    if (rc) glXDestroyContext(display, rc);
    RaiseOSError(error ? XErrorText(display, error) : "glXCreateNewContext made no context");
  }
  rc_ = rc;
  // A new context is read afresh at its first activation, whatever configuration was current.
  last_fbconfig_id = 0;
  LiveContexts().push_back(this);
  share_group_ = partner ? partner->share_group_ : ++next_share_group;
  fbconfig_ = config;
  fbconfig_id_ = ConfigAttribute(display, fbconfig, GLX_FBCONFIG_ID);
  given_format_ = DescribeConfig(display, fbconfig);
  SetAcceleration(given_format_.slow ? 2 : 1);
}

void TGLGLXContext::DoCreateContext(TGLOutputDevice outputDevice) {
  if (!LoadOpenGLLibraries()) RaiseOSError(OpenGLLibrariesLoadError());
  Display* display = XDisplayConnection();
  void* config = ChooseConfig(false);
  if (!config) throw EGLContext("No OpenGL frame-buffer configuration matches the requested buffers");
  std::unique_ptr<XVisualInfo, XFreeDeleter> visual(
      glXGetVisualFromFBConfig(display, static_cast<GLXFBConfig>(config)));
  if (!visual) throw EGLContext("No OpenGL frame-buffer configuration matches the requested buffers");

  const Window parent = outputDevice ? static_cast<Window>(outputDevice) : RootWindow(display, visual->screen);
  TXErrorTrap trap(display);
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
    throw EGLContext("Cannot create the OpenGL window: " + XErrorText(display, error));
  }
  colormap_ = attributes.colormap;
  window_ = window;
  drawable_ = window;
  TrackWindow(window, [this] { WindowDestroyed(); });
  try {
    CreateRenderingContext(config);
  } catch (...) {
    DoDestroyContext();
    throw;
  }
}

void TGLGLXContext::DoCreateMemoryContext(TGLOutputDevice, int width, int height, int) {
  if (!LoadOpenGLLibraries()) RaiseOSError(OpenGLLibrariesLoadError());
  Display* display = XDisplayConnection();
  ReadGLXExtensionFlags();
  if (!GLFlags().WGL_ARB_pixel_format || !GLFlags().WGL_ARB_pbuffer)
    throw EGLContext("WGL_ARB_pbuffer support required.");
  void* config = ChooseConfig(true);
  if (!config) throw EGLContext("Format not supported for pbuffer operation.");
  const int pbuffer_attributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
  TXErrorTrap trap(display);
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
  try {
    CheckNewContext();
  } catch (...) {
    DoDestroyContext();
    throw;
  }
  // Off screen the driver renders as it can; the configuration's caveat is not the pbuffer's.
  SetAcceleration(1);
}

// Made current once, so what GL says of it shows now; the caller's current
// context and drawables are current again afterwards, also on failure.
void TGLGLXContext::CheckNewContext() {
  Display* previous_display = glXGetCurrentDisplay();
  const GLXContext previous = glXGetCurrentContext();
  const GLXDrawable previous_draw = glXGetCurrentDrawable();
  const GLXDrawable previous_read = glXGetCurrentReadDrawable();
  int error = 0;
  std::exception_ptr failure;
  try {
    if (!MakeCurrent(error)) throw EGLContext("Unabled to create pbuffer's RC.");
    CheckOpenGLError();
  } catch (...) {
    failure = std::current_exception();
  }
  if (previous)
    glXMakeContextCurrent(previous_display, previous_draw, previous_read, previous);
  else
    glXMakeContextCurrent(XDisplayConnection(), None, None, nullptr);
  if (failure) std::rethrow_exception(failure);
}

void TGLGLXContext::DoShareLists(TGLContext& other) {
  auto* glx = dynamic_cast<TGLGLXContext*>(&other);
  if (!glx || glx->share_group_ != share_group_) throw EGLContext("Incompatible contexts");
}

// Never fails: the window may be gone with its parent, and the context must
// leave the live list whatever the server says.
void TGLGLXContext::DoDestroyContext() {
  Display* display = XDisplayConnection();
  if (window_) UnTrackWindow(window_);
  auto& live = LiveContexts();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  TXErrorTrap trap(display);
  if (rc_) {
    if (glXGetCurrentContext() == static_cast<GLXContext>(rc_)) glXMakeContextCurrent(display, None, None, nullptr);
    glXDestroyContext(display, static_cast<GLXContext>(rc_));
  }
  if (pbuffer_) glXDestroyPbuffer(display, static_cast<GLXPbuffer>(pbuffer_));
  for (TGLOutputDevice window : {window_, surrogate_})
    if (window) XDestroyWindow(display, static_cast<Window>(window));
  if (colormap_) XFreeColormap(display, colormap_);
  trap.Error();
  rc_ = nullptr;
  fbconfig_ = nullptr;
  drawable_ = window_ = pbuffer_ = surrogate_ = 0;
  colormap_ = 0;
}

// The server destroyed the window (with its parent, as a rule). The context
// goes on drawing into a hidden 1 x 1 window of the same visual, so its owner
// can still activate it to free its names; without one, activation fails.
void TGLGLXContext::WindowDestroyed() {
  Display* display = XDisplayConnection();
  window_ = 0;
  drawable_ = 0;
  std::unique_ptr<XVisualInfo, XFreeDeleter> visual(
      glXGetVisualFromFBConfig(display, static_cast<GLXFBConfig>(fbconfig_)));
  if (!visual) return;
  TXErrorTrap trap(display);
  XSetWindowAttributes attributes{};
  attributes.colormap = colormap_;
  attributes.border_pixel = 0;
  const Window surrogate = XCreateWindow(display, RootWindow(display, visual->screen), 0, 0, 1, 1, 0, visual->depth,
                                         InputOutput, visual->visual, CWColormap | CWBorderPixel, &attributes);
  if (trap.Error() != 0) return;
  surrogate_ = surrogate;
  drawable_ = surrogate;
  if (glXGetCurrentContext() == static_cast<GLXContext>(rc_))
    glXMakeContextCurrent(display, surrogate, surrogate, static_cast<GLXContext>(rc_));
}

bool TGLGLXContext::MakeCurrent(int& error) {
  Display* display = XDisplayConnection();
  TXErrorTrap trap(display);
  const bool made_current = glXMakeContextCurrent(display, static_cast<GLXDrawable>(drawable_),
                                                  static_cast<GLXDrawable>(drawable_), static_cast<GLXContext>(rc_));
  error = trap.Error();
  return made_current && error == 0;
}

void TGLGLXContext::DoActivate() {
  CheckTrackedWindows();
  int error = 0;
  bool made_current = MakeCurrent(error);
  // Without the tracker's notice, a vanished window shows only here.
  if (!made_current && window_ && !WindowExists(XDisplayConnection(), window_)) {
    UnTrackWindow(window_);
    WindowDestroyed();
    made_current = MakeCurrent(error);
  }
  if (!made_current) {
    char text[300];
    std::snprintf(text, sizeof text, "Context activation failed: %X, %s", static_cast<unsigned>(error),
                  error ? XErrorText(XDisplayConnection(), error).c_str() : "glXMakeContextCurrent refused");
    throw EGLContext(text);
  }
  // Entry points and flags belong to the configuration made current last; a
  // configuration of the same driver changes only the platform's half.
  if (fbconfig_id_ != last_fbconfig_id) {
    const GLubyte* vendor_text = GL().glGetString(GL_VENDOR);
    const std::string vendor = vendor_text ? reinterpret_cast<const char*>(vendor_text) : "";
    if (vendor != last_vendor) {
      LoadGLExtensionEntryPoints();
      ReadGLExtensionFlags();
      last_vendor = vendor;
    } else {
      LoadGLXExtensionEntryPoints();
      ReadGLXExtensionFlags();
    }
    last_fbconfig_id = fbconfig_id_;
  }
  const bool high_quality = AntiAliasing() == aa2xHQ || AntiAliasing() == aa4xHQ;
  if (high_quality && GLFlags().ARB_multisample && GLFlags().NV_multisample_filter_hint)
    GL().glHint(kMultisampleFilterHint, GL_NICEST);
}

void TGLGLXContext::DoDeactivate() {
  Display* display = XDisplayConnection();
  // Releasing flushes the drawable, whose window may have gone meanwhile.
  TXErrorTrap trap(display);
  if (!glXMakeContextCurrent(display, None, None, nullptr)) throw ELibraryError("Context deactivation failed");
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

void TGLGLXContext::DestroyLiveContexts() {
  // Destroying a context takes it out of the list.
  for (TGLGLXContext* context : std::vector<TGLGLXContext*>(LiveContexts())) context->DestroyQuietly();
}

void ReleaseXDisplayConnection() {
  if (!XDisplayConnected()) return;
  TGLGLXContext::DestroyLiveContexts();
  CloseTrackingConnection();
  CloseXDisplayConnection();
  // A later connection starts with nothing made current on it.
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
