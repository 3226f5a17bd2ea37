// The rendering context on X11: GLX frame-buffer configurations chosen with a
// fixed retry cascade (a window then takes the nearest one), window contexts
// in a tracked child window of the given X window, off-screen contexts on
// pbuffers. X and GLX headers stay in the .cpp.
#pragma once

#include <functional>
#include <vector>

#include "gfx3d/gl/gl_context.h"

// A GLX attribute list: (attribute, value) pairs followed by a terminating 0.
class TGLXAttribList {
 public:
  TGLXAttribList() { ClearIntAttribs(); }
  void ClearIntAttribs() { data_ = {0}; }
  // Inserts the pair before the terminating 0.
  void AddIntAttrib(int attribute, int value);
  // Replaces the value of the first pair with attribute, or adds the pair.
  void ChangeIntAttrib(int attribute, int value);
  // Removes the first pair with attribute, if any.
  void DropIntAttrib(int attribute);
  const std::vector<int>& Data() const { return data_; }

 private:
  std::vector<int> data_;
};

// What a context asks of its frame buffer.
struct TGLXConfigRequest {
  int colorBits = 32, alphaBits = 0, depthBits = 0, stencilBits = 0, accumBits = 0, auxBuffers = 0;
  TGLAntiAliasing antiAliasing = aaDefault;
  bool doubleBuffered = false, stereo = false;
  bool pbuffer = false;  // off-screen: pbuffer drawable instead of a window
  bool multisampleSupported = false;
  bool floatSupported = false;
};

// Given a full attribute list, returns how many configurations match it.
using TGLXConfigChooser = std::function<int(const std::vector<int>& attributes)>;

// Fills attributes from request and asks chooser, retrying in a fixed order
// (samples dropped, depth 24, depth 16, colour 16, then the requested values
// without the acceleration demand) until something matches. Returns the count
// of the last try; attributes hold the list that was tried last.
int ChooseGLXFormat(const TGLXConfigRequest& request, TGLXAttribList& attributes, const TGLXConfigChooser& chooser);

// The index of the configuration to take among the matches, given each one's
// sample-buffer count: without an anti-aliasing request the first without
// sample buffers (else the last), otherwise the first.
int PickGLXFormat(const std::vector<int>& sampleBuffers, TGLAntiAliasing antiAliasing, bool multisampleSupported);

// What a frame-buffer configuration offers.
struct TGLXConfigDescription {
  bool window = false, pbuffer = false, rgba = false;  // where it draws, and in RGBA
  bool doubleBuffered = false, stereo = false;
  int colorBits = 0, alphaBits = 0, depthBits = 0, stencilBits = 0, accumBits = 0, auxBuffers = 0, samples = 0;
  bool slow = false;
};

// The index of the configuration nearest to request among those that draw
// where it asks, in RGBA: the same buffer kinds first, then the smallest
// shortfall in colour, depth, alpha, stencil, accumulation and auxiliary
// buffers, in that order; -1 when none draws there.
int NearestGLXFormat(const TGLXConfigRequest& request, const std::vector<TGLXConfigDescription>& configs);

class TGLGLXContext : public TGLContext {
 public:
  TGLGLXContext() = default;
  ~TGLGLXContext() override;
  std::string ClassName() const override { return "TGLGLXContext"; }

  bool IsValid() const override { return rc_ != nullptr; }
  void SwapBuffers() override;
  // The child window or the pbuffer the context draws to.
  TGLOutputDevice RenderOutputDevice() const override { return drawable_; }
  // Resizes the child window of a window context to the viewer's size.
  void SetOutputSize(int width, int height);
  // The GLX_FBCONFIG_ID of the chosen configuration.
  int FBConfigID() const { return fbconfig_id_; }
  // What the chosen configuration gives, which may fall short of the request.
  const TGLXConfigDescription& GivenFormat() const { return given_format_; }
  // Destroys the GL context of every realised GLX context, as the library ends.
  static void DestroyLiveContexts();

 protected:
  void DoCreateContext(TGLOutputDevice outputDevice) override;
  void DoCreateMemoryContext(TGLOutputDevice outputDevice, int width, int height, int bufferCount) override;
  void DoShareLists(TGLContext& other) override;
  void DoDestroyContext() override;
  void DoActivate() override;
  void DoDeactivate() override;

 private:
  TGLXConfigRequest Request(bool pbuffer) const;
  void* ChooseConfig(bool pbuffer);
  void CreateRenderingContext(void* config);
  bool MakeCurrent(int& error);
  void CheckNewContext();
  void WindowDestroyed();

  void* rc_ = nullptr;
  void* fbconfig_ = nullptr;
  TGLOutputDevice drawable_ = 0;
  TGLOutputDevice window_ = 0;
  TGLOutputDevice pbuffer_ = 0;
  TGLOutputDevice surrogate_ = 0;  // a hidden window standing in for one the server destroyed
  unsigned long colormap_ = 0;
  int fbconfig_id_ = 0;
  int share_group_ = 0;
  TGLXConfigDescription given_format_;
};

// Destroys every realised context and closes the connection that watched their
// windows and the X connection the library opened itself (never the
// toolkit's), so that the driver's worker threads end before the program
// does. A later context opens new connections.
void ReleaseXDisplayConnection();

// Registers the GLX context class with the context manager (once).
void RegisterGLXContextClass();
