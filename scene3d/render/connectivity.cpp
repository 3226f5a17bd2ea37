#include "scene3d/render/connectivity.h"

#include <algorithm>

#include "gfx3d/math/vector_operations.h"

void TConnectivity::Clear() {
  edge_vertices_.Clear();
  edge_faces_.Clear();
  face_visible_.Clear();
  face_vertices_.Clear();
  face_normals_.Clear();
  vertex_map_.Clear();
  owned_vertices_.Clear();
  edge_index_.clear();
}

std::uint64_t TConnectivity::EdgeKey(int a, int b) {
  const auto low = static_cast<std::uint32_t>(std::min(a, b));
  const auto high = static_cast<std::uint32_t>(std::max(a, b));
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

int TConnectivity::AddIndexedEdge(int vertexA, int vertexB, int face) {
  const auto [found, added] = edge_index_.try_emplace(EdgeKey(vertexA, vertexB), EdgeCount());
  if (!added) {
    edge_faces_.SetItem(2 * found->second + 1, face);
    return 2 * found->second + 1;
  }
  edge_vertices_.Add2(vertexA, vertexB);
  edge_faces_.Add2(face, -1);
  return edge_faces_.Count() - 1;
}

int TConnectivity::AddIndexedFace(int a, int b, int c) {
  face_vertices_.Add3(a, b, c);
  if (PrecomputeFaceNormal())
    face_normals_.Add(TriangleNormal(vertices_->GetItem(a), vertices_->GetItem(b), vertices_->GetItem(c)));
  const int face = face_visible_.Add(0);
  AddIndexedEdge(a, b, face);
  AddIndexedEdge(b, c, face);
  AddIndexedEdge(c, a, face);
  return face;
}

int TConnectivity::AddFace(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3) {
  const int i1 = vertices_->FindOrAdd(p1);
  const int i2 = vertices_->FindOrAdd(p2);
  const int i3 = vertices_->FindOrAdd(p3);
  return AddIndexedFace(i1, i2, i3);
}

int TConnectivity::AddQuad(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3,
                           const TAffineVector& p4) {
  const int i1 = vertices_->FindOrAdd(p1);
  const int i2 = vertices_->FindOrAdd(p2);
  const int i4 = vertices_->FindOrAdd(p4);
  const int i3 = vertices_->FindOrAdd(p3);
  AddIndexedFace(i1, i2, i4);
  return AddIndexedFace(i4, i3, i1);
}

int TConnectivity::SilhouetteVertex(int vertex, TGLSilhouette& silhouette) {
  while (vertex_map_.Count() <= vertex) vertex_map_.Add(-1);
  int mapped = vertex_map_.GetItem(vertex);
  if (mapped < 0) {
    mapped = silhouette.Vertices().AddPoint(vertices_->GetItem(vertex));
    vertex_map_.SetItem(vertex, mapped);
  }
  return mapped;
}

void TConnectivity::CreateSilhouette(const TGLSilhouetteParameters& parameters,
                                     std::unique_ptr<TGLSilhouette>& silhouette, bool addToSilhouette) {
  if (!silhouette)
    silhouette = std::make_unique<TGLSilhouette>();
  else if (!addToSilhouette)
    silhouette->Flush();
  vertex_map_.Clear();

  for (int face = 0; face < FaceCount(); ++face) {
    const int a = face_vertices_.GetItem(3 * face);
    const int b = face_vertices_.GetItem(3 * face + 1);
    const int c = face_vertices_.GetItem(3 * face + 2);
    const TAffineVector& pa = vertices_->GetItem(a);
    const TAffineVector normal = PrecomputeFaceNormal()
                                     ? face_normals_.GetItem(face)
                                     : TriangleNormal(pa, vertices_->GetItem(b), vertices_->GetItem(c));
    const bool facing = AffineVectorDotProduct(AffineVectorSubtract(parameters.SeenFrom, pa), normal) >= 0;
    face_visible_.SetItem(face, facing ? 1 : 0);
    if (!facing && parameters.CappingRequired)
      silhouette->CapIndices().Add3(SilhouetteVertex(a, *silhouette), SilhouetteVertex(b, *silhouette),
                                    SilhouetteVertex(c, *silhouette));
  }

  for (int edge = 0; edge < EdgeCount(); ++edge) {
    const int a = edge_vertices_.GetItem(2 * edge);
    const int b = edge_vertices_.GetItem(2 * edge + 1);
    const int f1 = edge_faces_.GetItem(2 * edge);
    const int f2 = edge_faces_.GetItem(2 * edge + 1);
    if (f2 != -1 && face_visible_.GetItem(f1) == face_visible_.GetItem(f2)) continue;
    if (face_visible_.GetItem(f1) == 0)
      silhouette->Indices().Add2(SilhouetteVertex(a, *silhouette), SilhouetteVertex(b, *silhouette));
    else if (f2 != -1)
      silhouette->Indices().Add2(SilhouetteVertex(b, *silhouette), SilhouetteVertex(a, *silhouette));
  }
}
