#include "scene3d/objects/cube.h"

#include <cmath>
#include <cstring>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/render/connectivity.h"

namespace {

struct CubeCorner {
  float s, t;
  float x, y, z;  // signs of the half sizes
};

// Faces in drawing order: the part, the outward normal, four textured corners.
struct CubeFace {
  TCubeParts part;
  float nx, ny, nz;
  CubeCorner corners[4];
};

constexpr CubeFace kFaces[] = {
    {cpFront, 0, 0, 1, {{1, 1, 1, 1, 1}, {0, 1, -1, 1, 1}, {0, 0, -1, -1, 1}, {1, 0, 1, -1, 1}}},
    {cpBack, 0, 0, -1, {{0, 1, 1, 1, -1}, {0, 0, 1, -1, -1}, {1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}}},
    {cpLeft, -1, 0, 0, {{1, 1, -1, 1, 1}, {0, 1, -1, 1, -1}, {0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}}},
    {cpRight, 1, 0, 0, {{0, 1, 1, 1, 1}, {0, 0, 1, -1, 1}, {1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}}},
    {cpTop, 0, 1, 0, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},
    {cpBottom, 0, -1, 0, {{0, 0, -1, -1, -1}, {1, 0, 1, -1, -1}, {1, 1, 1, -1, 1}, {0, 1, -1, -1, 1}}},
};

// The silhouette's quads use their own corner order (a strip-like zigzag per face).
constexpr float kSilhouetteCorners[6][4][3] = {
    {{-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}},     {{-1, -1, -1}, {-1, 1, -1}, {1, -1, -1}, {1, 1, -1}},
    {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, -1}, {-1, 1, 1}}, {{1, -1, -1}, {1, 1, -1}, {1, -1, 1}, {1, 1, 1}},
    {{1, 1, 1}, {1, 1, -1}, {-1, 1, 1}, {-1, 1, -1}},     {{1, -1, 1}, {-1, -1, 1}, {1, -1, -1}, {-1, -1, -1}},
};

}  // namespace

TGLCube::TGLCube(TComponent* owner) : TGLStageObject(owner) { SetObjectStyle(ObjectStyle() | osDirectDraw); }

void TGLCube::DefineProperties(TPropertyDefiner& definer) {
  TGLStageObject::DefineProperties(definer);
  definer.DefineBinaryProperty(
      "CubeSize",
      [this](TStream& stream) {
        float sizes[3];
        stream.ReadBuffer(sizes, sizeof sizes);
        width_ = sizes[0];
        height_ = sizes[1];
        depth_ = sizes[2];
      },
      [this](TStream& stream) {
        const float sizes[3] = {width_, height_, depth_};
        stream.WriteBuffer(sizes, sizeof sizes);
      },
      width_ != 1 || height_ != 1 || depth_ != 1);
}

void TGLCube::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCube*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
    depth_ = other->depth_;
    parts_ = other->parts_;
    normal_direction_ = other->normal_direction_;
  }
  TGLStageObject::Assign(source);
}

void TGLCube::SetCubeWidth(float value) {
  StoreOnChange(width_, value, [this] { StructureChanged(); });
}
void TGLCube::SetCubeHeight(float value) {
  StoreOnChange(height_, value, [this] { StructureChanged(); });
}
void TGLCube::SetCubeDepth(float value) {
  StoreOnChange(depth_, value, [this] { StructureChanged(); });
}
void TGLCube::SetParts(TCubeParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLCube::SetNormalDirection(TNormalDirection value) {
  StoreOnChange(normal_direction_, value, [this] { StructureChanged(); });
}

TVector4f TGLCube::AxisAlignedDimensionsUnscaled() { return {0.5f * width_, 0.5f * height_, 0.5f * depth_, 0}; }

void TGLCube::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  const float n = normal_direction_ == ndOutside ? 1.0f : -1.0f;
  const float hw = 0.5f * width_, hh = 0.5f * height_, hd = 0.5f * depth_;
  gl.glBegin(GL_QUADS);
  for (const CubeFace& face : kFaces) {
    if (!(parts_ & face.part)) continue;
    gl.glNormal3f(n * face.nx, n * face.ny, n * face.nz);
    for (const CubeCorner& c : face.corners) {
      xglTexCoord2f(c.s, c.t);
      gl.glVertex3f(c.x * hw, c.y * hh, c.z * hd);
    }
  }
  gl.glEnd();
}

bool TGLCube::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                               TVector4f* intersectNormal) {
  const TAffineVector start = AbsoluteToLocalAffine({rayStart.x, rayStart.y, rayStart.z});
  const TVector4f local_direction = AbsoluteToLocal({rayVector.x, rayVector.y, rayVector.z, 0});
  TAffineVector direction{local_direction.x, local_direction.y, local_direction.z};
  NormalizeAffineVector(direction);
  const float sizes[3] = {width_, height_, depth_};
  for (int i = 0; i < 6; ++i) {
    // Candidate i stands on the far side of its normal: +X for the face x = -hw.
    TAffineVector normal{0, 0, 0};
    normal[i % 3] = i < 3 ? 1.0f : -1.0f;
    const float facing = AffineVectorDotProduct(normal, direction);
    if (facing <= 0) continue;
    const float k = -(0.5f * sizes[i % 3] + AffineVectorDotProduct(normal, start)) / facing;
    const TAffineVector p = AffineVectorCombine(start, direction, k);
    if (std::fabs(p.x) > 0.5001f * width_ || std::fabs(p.y) > 0.5001f * height_ || std::fabs(p.z) > 0.5001f * depth_)
      continue;
    if (AffineVectorDotProduct(AffineVectorSubtract(p, start), direction) <= 0) continue;
    if (intersectPoint) *intersectPoint = LocalToAbsolute({p.x, p.y, p.z, 1});
    if (intersectNormal) *intersectNormal = LocalToAbsolute({-normal.x, -normal.y, -normal.z, 0});
    return true;
  }
  return false;
}

std::unique_ptr<TGLSilhouette> TGLCube::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  const float half[3] = {0.5f * width_, 0.5f * height_, 0.5f * depth_};
  TConnectivity connectivity(true);
  for (int f = 0; f < 6; ++f) {
    if (!(parts_ & kFaces[f].part)) continue;
    TAffineVector q[4];
    for (int c = 0; c < 4; ++c)
      for (int axis = 0; axis < 3; ++axis) q[c][axis] = kSilhouetteCorners[f][c][axis] * half[axis];
    connectivity.AddQuad(q[0], q[1], q[2], q[3]);
  }
  std::unique_ptr<TGLSilhouette> silhouette;
  connectivity.CreateSilhouette(parameters, silhouette, false);
  return silhouette;
}
