// The triangles of many static meshes gathered into a few large batches, one
// for each look (material) and spatial chunk, every corner already moved into
// the frame of the group that draws them: a frame then costs one draw per
// batch instead of a matrix and a primitive per part. Each chunk keeps the
// box of its corners, so culling still leaves out what the camera cannot see.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "gfx3d/materials/materials.h"
#include "gfx3d/math/vector_types.h"

class TMeshObject;

struct TMeshBatch {
  int look = 0;   // index into Looks()
  int chunk = 0;  // index into Chunks()
  // The distinct corners, a place and a normal each, in the group's frame.
  std::vector<TAffineVector> vertices, normals;
  std::vector<std::uint32_t> indices;  // into the corners, three a triangle
};

struct TBatchChunk {
  TAffineVector min, max;  // the box of its corners, in the group's frame
  TAffineVector Centre() const;
  float Radius() const;
};

// Equal colours, polygon modes, shininess, blending, options and culling: the
// two materials draw alike, so their triangles may share a batch.
bool SameLook(TGLMaterial& a, TGLMaterial& b);

class TMeshBatches {
 public:
  // Chunks are squares of this size in the group's X-Z plane.
  explicit TMeshBatches(float chunkSize) : chunk_size_(chunkSize) {}

  // The triangles of a triangle-list mesh with a normal per corner, moved by
  // toGroup, into the batch of the look and of the chunk holding the point at.
  void Add(const TMeshObject& mesh, const TMatrix4f& toGroup, TGLMaterial& look, const TAffineVector& at);
  void Clear();

  const std::vector<TMeshBatch>& Batches() const { return batches_; }
  const std::vector<std::unique_ptr<TGLMaterial>>& Looks() const { return looks_; }
  const std::vector<TBatchChunk>& Chunks() const { return chunks_; }
  int TriangleCount() const;

 private:
  int LookIndex(TGLMaterial& look);
  int ChunkIndex(const TAffineVector& at);
  TMeshBatch& Batch(int look, int chunk);

  float chunk_size_;
  std::vector<std::unique_ptr<TGLMaterial>> looks_;
  std::vector<TBatchChunk> chunks_;
  std::vector<TMeshBatch> batches_;
  std::map<std::pair<long, long>, int> chunk_of_square_;
  std::map<std::pair<int, int>, int> batch_of_look_and_chunk_;
  std::pair<const TGLMaterial*, int> last_look_{nullptr, 0};  // the material object last asked for, and its look
};
