// A scene object that draws one list of interleaved vertex records with a
// single glDrawArrays. The program never creates one; archives may name it.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx3d/core/notification.h"
#include "gfx3d/core/scene_enumerations.h"
#include "scene3d/graph/stage_object.h"

// The GL_T2F_C4F_N3F_V3F record: 48 bytes.
struct TVertexData {
  TTexPoint textCoord;
  TVector4f color;
  TAffineVector normal;
  TAffineVector coord;
};
static_assert(sizeof(TVertexData) == 48);

class TVertexList : public TGLUpdateAbleObject {
 public:
  explicit TVertexList(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  ~TVertexList() override;
  TVertexList(const TVertexList&) = delete;
  TVertexList& operator=(const TVertexList&) = delete;
  std::string ClassName() const override { return "TVertexList"; }
  void Assign(const TPersistent* source) override;
  // Appends one record, growing by GrowthDelta, then tells the owner; a locked list
  // refuses with an assertion failure.
  void AddVertex(const TAffineVector& vertex, const TAffineVector& normal, const TVector4f& color,
                 const TTexPoint& texPoint);
  int Count() const { return static_cast<int>(records_.size()); }
  int Capacity() const { return capacity_; }
  int GrowthDelta = 256;
  // The records GL reads: the driver's copy while locked.
  const TVertexData* First() const { return locked_ ? locked_ : records_.data(); }
  // Locking copies the records into driver memory, where the vertex-array-range
  // extension keeps them; without it, without a current context or when the
  // driver has no memory, the list stays unlocked.
  bool Locked() const { return locked_ != nullptr; }
  void SetLocked(bool value);
  // Around a draw of a locked list: the range GL may read directly.
  void EnterLockSection();
  void LeaveLockSection();

 private:
  std::vector<TVertexData> records_;
  int capacity_ = 0;
  TVertexData* locked_ = nullptr;
};

class TGLMesh : public TGLStageObject {
 public:
  explicit TGLMesh(TComponent* owner);
  std::string ClassName() const override { return "TGLMesh"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLMesh>(owner);
  }
  void Assign(const TPersistent* source) override;
  TMeshMode Mode() const { return mode_; }
  void SetMode(TMeshMode value);
  TVertexMode VertexMode() const { return vertex_mode_; }
  void SetVertexMode(TVertexMode value);
  TVertexList& Vertices() { return vertices_; }
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TMeshMode mode_ = mmTriangleStrip;
  TVertexMode vertex_mode_ = vmVNCT;
  TVertexList vertices_{this};
};
