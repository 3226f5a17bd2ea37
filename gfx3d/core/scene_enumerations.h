// Enumerations the scene shares; form files store their value names, so the
// order of the values is fixed.
#pragma once

enum TMeshMode { mmTriangleStrip, mmTriangleFan, mmTriangles, mmQuadStrip, mmQuads, mmPolygon };
enum TVertexMode { vmV, vmVN, vmVNC, vmVNCT, vmVNT, vmVT };
enum TGLObjectsSorting { osInherited, osNone, osRenderFarthestFirst, osRenderBlendedLast, osRenderNearestFirst };
enum TGLVisibilityCulling { vcInherited, vcNone, vcObjectBased, vcHierarchical };
