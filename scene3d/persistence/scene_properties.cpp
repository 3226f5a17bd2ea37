#include "scene3d/persistence/scene_properties.h"

#include "gfx3d/persistence/material_properties.h"
#include "scene3d/persistence/published_families.h"

void PublishSceneProperties() {
  PublishMaterialProperties();
  PublishStageObjectProperties();
  PublishViewerProperties();
  PublishPrimitiveProperties();
  PublishQuadricProperties();
  PublishLineProperties();
  PublishMeshProperties();
  PublishSolidProperties();
  PublishEnvironmentProperties();
}
