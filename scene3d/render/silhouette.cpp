#include "scene3d/render/silhouette.h"

void TGLSilhouette::Flush() {
  vertices_.Clear();
  indices_.Clear();
  cap_indices_.Clear();
}
