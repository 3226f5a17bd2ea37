// The published properties of the foundation's streamed classes: nodes,
// four-component coordinates, face properties, materials, textures and
// their images, extra textures and material libraries.
#pragma once

void PublishMaterialProperties();
