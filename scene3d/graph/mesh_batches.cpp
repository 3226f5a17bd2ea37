#include "scene3d/graph/mesh_batches.h"

#include <algorithm>
#include <cmath>

#include "gfx3d/math/vector_operations.h"
#include "scene3d/meshes/mesh_objects.h"

namespace {

bool SameColor(const TGLColor& a, const TGLColor& b) {
  const TVector4f &p = a.Color(), &q = b.Color();
  return p.x == q.x && p.y == q.y && p.z == q.z && p.w == q.w;
}

bool SameFace(const TGLFaceProperties& a, const TGLFaceProperties& b) {
  return SameColor(a.Ambient(), b.Ambient()) && SameColor(a.Diffuse(), b.Diffuse()) &&
         SameColor(a.Specular(), b.Specular()) && SameColor(a.Emission(), b.Emission()) &&
         a.PolygonMode() == b.PolygonMode() && a.Shininess() == b.Shininess();
}

// Normals go by the inverse transpose, so stretched parts keep their faces'
// directions. The cofactors are that times the determinant, which the
// normalising takes out but for its sign.
TMatrix4f NormalMatrix(const TMatrix4f& m) {
  TMatrix4f n{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
      n[r][c] = m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
    }
  if (m[0][0] * n[0][0] + m[0][1] * n[0][1] + m[0][2] * n[0][2] < 0)
    for (int r = 0; r < 3; ++r) n[r] = {-n[r].x, -n[r].y, -n[r].z, 0};
  return n;
}

// v * M with w = 1, inline: the bake moves every corner of a large cell.
TAffineVector Moved(const TAffineVector& v, const TMatrix4f& m) {
  return {v.x * m[0].x + v.y * m[1].x + v.z * m[2].x + m[3].x, v.x * m[0].y + v.y * m[1].y + v.z * m[2].y + m[3].y,
          v.x * m[0].z + v.y * m[1].z + v.z * m[2].z + m[3].z};
}

bool SameVector(const TAffineVector& a, const TAffineVector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// The corner of the previous triangle (or of this one) equal to corner i in place and normal, or -1.
int SharedCorner(const TAffineVector* vertex, const TAffineVector* normal, int i) {
  for (int k = i - i % 3 - 3; k < i; ++k)
    if (k >= 0 && SameVector(vertex[k], vertex[i]) && SameVector(normal[k], normal[i])) return k;
  return -1;
}

}  // namespace

TAffineVector TBatchChunk::Centre() const { return AffineVectorLerp(min, max, 0.5f); }

float TBatchChunk::Radius() const { return VectorDistance(min, max) * 0.5f; }

bool SameLook(TGLMaterial& a, TGLMaterial& b) {
  if (a.HasBackProperties() != b.HasBackProperties()) return false;
  if (a.HasBackProperties() && !SameFace(a.BackProperties(), b.BackProperties())) return false;
  return SameFace(a.FrontProperties(), b.FrontProperties()) && a.BlendingMode() == b.BlendingMode() &&
         a.MaterialOptions() == b.MaterialOptions() && a.FaceCulling() == b.FaceCulling();
}

void TMeshBatches::Add(const TMeshObject& mesh, const TMatrix4f& toGroup, TGLMaterial& look, const TAffineVector& at) {
  const int corners = mesh.Vertices().Count();
  if (corners == 0) return;
  const int chunk = ChunkIndex(at);
  TMeshBatch& batch = Batch(LookIndex(look), chunk);
  TBatchChunk& box = chunks_[static_cast<std::size_t>(chunk)];
  const TMatrix4f normals = NormalMatrix(toGroup);
  const TAffineVector* vertex = mesh.Vertices().List();
  const TAffineVector* normal = mesh.Normals().List();
  TAffineVector moved_normal{};
  for (int i = 0; i < corners; ++i) {
    // A face of two triangles repeats two corners of the one before: those are shared, not moved again.
    const int shared = SharedCorner(vertex, normal, i);
    if (shared >= 0) {
      batch.indices.push_back(batch.indices[batch.indices.size() - static_cast<std::size_t>(i - shared)]);
      continue;
    }
    if (i == 0 || !SameVector(normal[i], normal[i - 1]))
      moved_normal = AffineVectorNormalize(Moved(normal[i], normals));
    const TAffineVector v = Moved(vertex[i], toGroup);
    batch.indices.push_back(static_cast<std::uint32_t>(batch.vertices.size()));
    batch.vertices.push_back(v);
    batch.normals.push_back(moved_normal);
    for (int axis = 0; axis < 3; ++axis) {
      box.min[axis] = std::min(box.min[axis], v[axis]);
      box.max[axis] = std::max(box.max[axis], v[axis]);
    }
  }
}

void TMeshBatches::Clear() {
  looks_.clear();
  chunks_.clear();
  batches_.clear();
  chunk_of_square_.clear();
  batch_of_look_and_chunk_.clear();
  last_look_ = {nullptr, 0};
}

int TMeshBatches::TriangleCount() const {
  std::size_t corners = 0;
  for (const TMeshBatch& batch : batches_) corners += batch.indices.size();
  return static_cast<int>(corners / 3);
}

int TMeshBatches::LookIndex(TGLMaterial& look) {
  // Most parts share one material object, or one look with the part before.
  if (&look == last_look_.first) return last_look_.second;
  last_look_.first = &look;
  for (std::size_t i = 0; i < looks_.size(); ++i)
    if (SameLook(*looks_[i], look)) return last_look_.second = static_cast<int>(i);
  looks_.push_back(std::make_unique<TGLMaterial>(nullptr));
  looks_.back()->Assign(&look);
  return last_look_.second = static_cast<int>(looks_.size() - 1);
}

int TMeshBatches::ChunkIndex(const TAffineVector& at) {
  const std::pair<long, long> square{std::lround(std::floor(at.x / chunk_size_)),
                                     std::lround(std::floor(at.z / chunk_size_))};
  auto [found, added] = chunk_of_square_.try_emplace(square, static_cast<int>(chunks_.size()));
  if (added) {
    const float huge = 3.4e38f;
    chunks_.push_back({{huge, huge, huge}, {-huge, -huge, -huge}});
  }
  return found->second;
}

TMeshBatch& TMeshBatches::Batch(int look, int chunk) {
  auto [found, added] = batch_of_look_and_chunk_.try_emplace({look, chunk}, static_cast<int>(batches_.size()));
  if (added) batches_.push_back({look, chunk, {}, {}, {}});
  return batches_[static_cast<std::size_t>(found->second)];
}
