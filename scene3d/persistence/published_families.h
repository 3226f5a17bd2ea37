// The families of scene classes whose published properties are registered
// together, and the value names several families share.
#pragma once

#include <string>
#include <vector>

#include "gfx3d/persistence/published_properties.h"

void PublishStageObjectProperties();
void PublishViewerProperties();
void PublishPrimitiveProperties();
void PublishQuadricProperties();
void PublishLineProperties();
void PublishMeshProperties();
void PublishSolidProperties();
void PublishEnvironmentProperties();

inline const std::vector<std::string> kNormalDirectionNames = {"ndInside", "ndOutside"};
inline const std::vector<std::string> kNormalSmoothingNames = {"nsFlat", "nsSmooth", "nsNone"};
inline const std::vector<std::string> kSplineModeNames = {"lsmLines", "lsmCubicSpline", "lsmBezierSpline",
                                                          "lsmNURBSCurve", "lsmSegments"};
inline const std::vector<std::string> kObjectsSortingNames = {"osInherited", "osNone", "osRenderFarthestFirst",
                                                              "osRenderBlendedLast", "osRenderNearestFirst"};
inline const std::vector<std::string> kVisibilityCullingNames = {"vcInherited", "vcNone", "vcObjectBased",
                                                                 "vcHierarchical"};
