// An object's outline as seen from a point, for shadow-volume style drawing:
// the outline edges and, when asked, the cap triangles, over one vertex list.
#pragma once

#include <cstdint>

#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/lists/vector_lists.h"

enum TGLSilhouetteStyle : std::uint8_t { ssOmni, ssParallel };

struct TGLSilhouetteParameters {
  TAffineVector SeenFrom;
  TAffineVector LightDirection;
  TGLSilhouetteStyle Style = ssOmni;
  bool CappingRequired = false;
};

class TGLSilhouette {
 public:
  TVectorList& Vertices() { return vertices_; }
  TIntegerList& Indices() { return indices_; }
  TIntegerList& CapIndices() { return cap_indices_; }
  void Flush();

 private:
  TVectorList vertices_;
  TIntegerList indices_;      // two per outline edge
  TIntegerList cap_indices_;  // three per cap triangle
};
