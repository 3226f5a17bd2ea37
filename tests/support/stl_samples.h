// STL files the mesh tests read: a cube of a given edge about the origin, in
// binary and ASCII form, with true or zero normals.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct StlFacet {
  std::array<float, 3> normal;
  std::array<std::array<float, 3>, 3> corners;
};

// Twelve facets, counter-clockwise seen from outside.
inline std::vector<StlFacet> CubeFacets(float edge, bool zeroNormals = false) {
  const float h = edge / 2;
  const float c[8][3] = {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                         {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h}};
  const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};
  const float normals[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
  std::vector<StlFacet> facets;
  for (int f = 0; f < 6; ++f)
    for (const auto& tri : {std::array{0, 1, 2}, std::array{0, 2, 3}}) {
      StlFacet facet{};
      if (!zeroNormals) facet.normal = {normals[f][0], normals[f][1], normals[f][2]};
      for (int k = 0; k < 3; ++k)
        facet.corners[k] = {c[faces[f][tri[k]]][0], c[faces[f][tri[k]]][1], c[faces[f][tri[k]]][2]};
      facets.push_back(facet);
    }
  return facets;
}

inline std::string BinaryStl(const std::vector<StlFacet>& facets, std::uint32_t count = ~0u) {
  std::string bytes(80, ' ');
  if (count == ~0u) count = static_cast<std::uint32_t>(facets.size());
  bytes.append(reinterpret_cast<const char*>(&count), 4);
  for (const StlFacet& facet : facets) {
    bytes.append(reinterpret_cast<const char*>(facet.normal.data()), 12);
    for (const auto& corner : facet.corners) bytes.append(reinterpret_cast<const char*>(corner.data()), 12);
    bytes.append(2, '\0');
  }
  return bytes;
}

inline std::string AsciiStl(const std::vector<StlFacet>& facets) {
  auto triple = [](const std::array<float, 3>& v) {
    return std::to_string(v[0]) + " " + std::to_string(v[1]) + " " + std::to_string(v[2]);
  };
  std::string text = "solid cube\n";
  for (const StlFacet& facet : facets) {
    text += "  facet normal " + triple(facet.normal) + "\n    outer loop\n";
    for (const auto& corner : facet.corners) text += "      vertex " + triple(corner) + "\n";
    text += "    endloop\n  endfacet\n";
  }
  return text + "endsolid cube\n";
}
