// The off-screen viewer and the buffer with its fog that it streams.
#include "scene3d/persistence/published_families.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/offscreen_viewers.h"
#include "scene3d/render/stage_buffer.h"

namespace {

void PublishFog() {
  using F = TGLFogEnvironment;
  Publisher<F>("TGLFogEnvironment", "")
      .Object("FogColor", &F::FogColor)
      .Single("FogStart", &F::FogStart, &F::SetFogStart)
      .Single("FogEnd", &F::FogEnd, &F::SetFogEnd)
      .Enum("FogMode", {"fmLinear", "fmExp", "fmExp2"}, &F::FogMode, &F::SetFogMode, fmLinear)
      .Enum("FogDistance", {"fdDefault", "fdEyeRadial", "fdEyePlane"}, &F::FogDistance, &F::SetFogDistance, fdDefault);
}

void PublishBuffer() {
  using S = TGLStageBuffer;
  Publisher<S>("TGLStageBuffer", "")
      .StoredWhen([](S& b) { return !b.FogEnvironment().IsAtDefaultValues(); })
      .Object("FogEnvironment", &S::FogEnvironment)
      .Integer("BackgroundColor", &S::BackgroundColor, &S::SetBackgroundColor, clBtnFace)
      .Object("AmbientColor", &S::AmbientColor)
      .Set("ContextOptions",
           {"roDoubleBuffer", "roStencilBuffer", "roRenderToWindow", "roTwoSideLighting", "roStereo",
            "roDestinationAlpha", "roNoColorBuffer", "roNoColorBufferClear", "roNoSwapBuffers"},
           &S::ContextOptions, &S::SetContextOptions, 5u)
      .Integer("AccumBufferBits", &S::AccumBufferBits, &S::SetAccumBufferBits, 0)
      .Boolean("DepthTest", &S::DepthTest, &S::SetDepthTest, true)
      .Boolean("FaceCulling", &S::FaceCulling, &S::SetFaceCulling, true)
      .Boolean("FogEnable", &S::FogEnable, &S::SetFogEnable, false)
      .Boolean("Lighting", &S::Lighting, &S::SetLighting, true)
      .Enum("AntiAliasing", {"aaDefault", "aaNone", "aa2x", "aa2xHQ", "aa4x", "aa4xHQ"}, &S::AntiAliasing,
            &S::SetAntiAliasing, aaDefault)
      .Enum("DepthPrecision", {"dpDefault", "dp16bits", "dp24bits", "dp32bits"}, &S::DepthPrecision,
            &S::SetDepthPrecision, dpDefault)
      .Enum("ColorDepth", {"cdDefault", "cd8bits", "cd16bits", "cd24bits", "cdFloat64bits", "cdFloat128bits"},
            &S::ColorDepth, &S::SetColorDepth, cdDefault)
      .Enum("ShadeModel", {"smDefault", "smSmooth", "smFlat"}, &S::ShadeModel, &S::SetShadeModel, smDefault);
}

}  // namespace

void PublishViewerProperties() {
  PublishFog();
  PublishBuffer();
  using V = TGLNonVisualViewer;
  Publisher<V>("TGLNonVisualViewer", "")
      .Reference<TGLCamera>("Camera", &V::Camera, &V::SetCamera)
      .Integer("Width", &V::Width, &V::SetWidth, 256)
      .Integer("Height", &V::Height, &V::SetHeight, 256)
      .Object("Buffer", &V::Buffer);
  Publisher<V>("TGLMemoryViewer", "TGLNonVisualViewer");
}
