// The connectivity of a triangle mesh: which faces share which edge, so the
// outline seen from a point is where a facing face meets one turned away.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "scene3d/render/silhouette.h"

class TBaseConnectivity {
 public:
  explicit TBaseConnectivity(bool precomputeFaceNormal) : precompute_face_normal_(precomputeFaceNormal) {}
  virtual ~TBaseConnectivity() = default;
  virtual int EdgeCount() const { return 0; }
  virtual int FaceCount() const { return 0; }
  // Creates the silhouette when null; empties it first unless adding.
  virtual void CreateSilhouette(const TGLSilhouetteParameters&, std::unique_ptr<TGLSilhouette>&, bool) {}
  bool PrecomputeFaceNormal() const { return precompute_face_normal_; }

 protected:
  void SetPrecomputeFaceNormal(bool value) { precompute_face_normal_ = value; }

 private:
  bool precompute_face_normal_;
};

class TConnectivity : public TBaseConnectivity {
 public:
  using TBaseConnectivity::TBaseConnectivity;
  TConnectivity(const TConnectivity&) = delete;
  TConnectivity& operator=(const TConnectivity&) = delete;
  int EdgeCount() const override { return edge_vertices_.Count() / 2; }
  int FaceCount() const override { return face_visible_.Count(); }
  virtual void Clear();

  // The slot in the edge-face list that took the face: 2 * edge + 1 when it completed a shared edge.
  int AddIndexedEdge(int vertexA, int vertexB, int face);
  int AddIndexedFace(int a, int b, int c);
  int AddFace(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3);
  int AddQuad(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3, const TAffineVector& p4);
  void CreateSilhouette(const TGLSilhouetteParameters& parameters, std::unique_ptr<TGLSilhouette>& silhouette,
                        bool addToSilhouette) override;

  const TIntegerList& EdgeVertices() const { return edge_vertices_; }
  const TIntegerList& EdgeFaces() const { return edge_faces_; }

 protected:
  // Works on another's vertex list, which it never changes (null: its own again).
  void ShareVertices(TAffineVectorList* vertices) { vertices_ = vertices ? vertices : &owned_vertices_; }

 private:
  int SilhouetteVertex(int vertex, TGLSilhouette& silhouette);
  static std::uint64_t EdgeKey(int a, int b);

  TIntegerList edge_vertices_;
  TIntegerList edge_faces_;
  TByteList face_visible_;
  TIntegerList face_vertices_;
  TAffineVectorList face_normals_;
  TIntegerList vertex_map_;
  TAffineVectorList owned_vertices_;
  TAffineVectorList* vertices_ = &owned_vertices_;
  // Unordered vertex pair -> edge index; the list search it replaces was quadratic.
  std::unordered_map<std::uint64_t, int> edge_index_;
};
