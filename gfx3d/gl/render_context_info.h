// The record handed to every object's render: what the scene knows about the
// pass in progress, and the state cache through which GL state is set.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx3d/core/scene_enumerations.h"
#include "gfx3d/core/toolkit_objects.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/math/vector_types.h"

enum TDrawState : std::uint8_t { dsRendering, dsPicking };

struct TGLSize {
  int cx = 0, cy = 0;
};

struct TRenderContextInfo {
  TObject* scene = nullptr;
  TObject* buffer = nullptr;
  TVector4f cameraPosition;
  TVector4f cameraDirection;
  TVector4f cameraUp;
  const TMatrix4f* modelViewMatrix = nullptr;
  TGLSize viewPortSize;
  int renderDPI = 0;
  TObject* materialLibrary = nullptr;
  TObject* lightmapLibrary = nullptr;
  // Nested materials that switched fog or lighting off; the outermost one switches it back.
  int fogDisabledCounter = 0;
  int lightingDisabledCounter = 0;
  TDrawState drawState = dsRendering;
  TGLObjectsSorting objectsSorting = osInherited;
  TGLVisibilityCulling visibilityCulling = vcInherited;
  TGLStateCache* GLStates = nullptr;
  TClippingInfo rcci;
  TVector4f sceneAmbientColor;
  bool bufferFaceCull = false;
  bool proxySubObject = false;
  bool ignoreMaterials = false;
  bool ignoreBlendingRequests = false;
  bool amalgamating = false;
  // Absolute matrices of the scene's lights, first light first.
  std::vector<const TMatrix4f*> lights;
};
