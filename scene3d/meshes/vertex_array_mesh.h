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
  std::string ClassName() const override { return "TVertexList"; }
  void Assign(const TPersistent* source) override;
  // Appends one record, growing by GrowthDelta, then tells the owner.
  void AddVertex(const TAffineVector& vertex, const TAffineVector& normal, const TVector4f& color,
                 const TTexPoint& texPoint);
  int Count() const { return static_cast<int>(records_.size()); }
  int Capacity() const { return capacity_; }
  int GrowthDelta = 256;
  const TVertexData* First() const { return records_.data(); }
  // Driver memory for the records needs an extension Mesa lacks: the list stays unlocked.
  bool Locked() const { return false; }
  void SetLocked(bool) {}
  void EnterLockSection() {}
  void LeaveLockSection() {}

 private:
  std::vector<TVertexData> records_;
  int capacity_ = 0;
};

class TGLMesh : public TGLStageObject {
 public:
  explicit TGLMesh(TComponent* owner);
  std::string ClassName() const override { return "TGLMesh"; }
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
