// A grouping node that draws its static children from a few large batches
// (mesh_batches.h). Bake gathers the triangles of every child whose subtree
// holds nothing but plain dummy cubes and plain free forms; from then on a
// frame applies each look once, leaves out the chunks outside the view and
// draws each batch with one call, with no state reset between parts.
// The other children render as usual, after the batches. The children stay
// in the tree as they are: picking, and drawing with batching off, go
// through them part by part.
#pragma once

#include <vector>

#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/mesh_batches.h"

class TGLBatchedGroup : public TGLDummyCube {
 public:
  explicit TGLBatchedGroup(TComponent* owner);
  ~TGLBatchedGroup() override;
  std::string ClassName() const override { return "TGLBatchedGroup"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLBatchedGroup>(owner);
  }

  // Gathers the static children's triangles in chunks of chunkSize (X-Z
  // squares of this node's frame). The subtree is taken as fixed from then
  // on; once a child is added or removed, the children are drawn part by
  // part until the next Bake.
  void Bake(float chunkSize);
  bool Baked() const;
  // On by default; off draws every child through its own nodes.
  bool Batching() const { return batching_; }
  void SetBatching(bool value);
  // Empty until baked.
  const TMeshBatches& Batches() const { return batches_; }
  bool ChildIsBatched(int index) const;
  // How many batches the last frame drew; 0 when it drew part by part.
  int DrawnBatches() const { return drawn_batches_; }

  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  void Gather(TGLBaseStageObject& node, const TMatrix4f& parentToGroup, const TAffineVector& at);
  void DropBatches();
  // Per chunk: whether the chunk's sphere meets the view, or true when nothing is culled.
  std::vector<bool> VisibleChunks(const TRenderContextInfo& rci);
  void DrawBatches(TRenderContextInfo& rci);
  void DrawLook(int look, const std::vector<bool>& visible);
  void DrawBatch(std::size_t index);

  bool batching_ = true;
  int drawn_batches_ = 0;
  TMeshBatches batches_{1};
  TGLMaterial default_look_{nullptr};
  std::vector<TGLBaseStageObject*> baked_children_;  // the children as they were baked
  std::vector<bool> batched_;                        // by child index
};
