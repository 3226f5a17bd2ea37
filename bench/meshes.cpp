// Meshes as the 3-D view loads and builds them: a 50,000-facet part file in
// binary and ASCII STL read through the free form, its display list compiled
// off screen (llvmpipe under Xvfb), and the walls of a 200-wall room with 50
// openings merged into an outline and capped.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_context.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/meshes/base_mesh.h"
#include "support/stl_samples.h"
#include "support/temp_dir.h"

namespace {

constexpr int kFacets = 50000;

// A strip of cubes, twelve facets each, up to the facet count.
std::vector<StlFacet> LargePart() {
  std::vector<StlFacet> facets;
  for (int cube = 0; static_cast<int>(facets.size()) < kFacets; ++cube)
    for (StlFacet facet : CubeFacets(10)) {
      for (auto& corner : facet.corners) corner[0] += static_cast<float>(cube) * 12;
      if (static_cast<int>(facets.size()) < kFacets) facets.push_back(facet);
    }
  return facets;
}

const TempDir& Folder() {
  static TempDir folder;
  return folder;
}

const std::string& PartFile(bool ascii) {
  static const std::string binary = Folder().write("part.stl", BinaryStl(LargePart()));
  static const std::string text = Folder().write("part_ascii.stl", AsciiStl(LargePart()));
  return ascii ? text : binary;
}

void LoadPart(benchmark::State& state, bool ascii) {
  InitializeScene3D();
  const std::string& file = PartFile(ascii);
  TGLFreeForm form(nullptr);
  for (auto _ : state) {
    form.LoadMeshFromFile(file);
    benchmark::DoNotOptimize(form.MeshObjects().TriangleCount());
  }
  if (form.MeshObjects().TriangleCount() != kFacets) state.SkipWithError("the part did not load whole");
}

void BM_LoadBinaryStl50k(benchmark::State& state) { LoadPart(state, false); }
void BM_LoadAsciiStl50k(benchmark::State& state) { LoadPart(state, true); }

// An off-screen context current for the benchmark, or an error to skip with.
std::unique_ptr<TGLContext> MemoryContext(benchmark::State& state) {
  InitializeScene3D();
  auto context = GLContextManager().CreateContext();
  try {
    context->SetDepthBits(24);
    context->CreateMemoryContext(0, 64, 64);
    context->Activate();
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return nullptr;
  }
  return context;
}

void BM_CompileStl50kDisplayList(benchmark::State& state) {
  auto context = MemoryContext(state);
  if (!context) return;
  TGLFreeForm form(nullptr);
  form.LoadMeshFromFile(PartFile(false));
  auto& gl = GL();
  const GLuint list = gl.glGenLists(1);
  TRenderContextInfo rci;
  for (auto _ : state) {
    gl.glNewList(list, GL_COMPILE);
    form.BuildList(rci);
    gl.glEndList();
  }
  gl.glDeleteLists(list, 1);
  context->SetActive(false);
}

// Outer and room outlines of 200 walls each on a circle, 50 openings cut through the ring.
void AddRoom(TGLExtrusionSolid& walls) {
  constexpr int kWalls = 200;
  constexpr int kOpenings = 50;
  const double step = 2 * M_PI / kWalls;
  for (double radius : {100.0, 90.0}) {
    TGLNodes& nodes = walls.Contours().Add()->Nodes();
    for (int i = 0; i < kWalls; ++i)
      nodes.AddNode(static_cast<float>(radius * std::cos(i * step)), static_cast<float>(radius * std::sin(i * step)),
                    0);
  }
  for (int k = 0; k < kOpenings; ++k) {
    const double a = (k * 4 + 0.5) * step, b = a + 0.5 * step;
    TGLNodes& nodes = walls.Contours().Add()->Nodes();
    for (auto [radius, angle] : {std::pair{85.0, a}, std::pair{105.0, a}, std::pair{105.0, b}, std::pair{85.0, b}})
      nodes.AddNode(static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle)), 0);
  }
  walls.SetParts(espStartPolygon | espStopPolygon);
}

void BM_WallRoomOutlineAndCaps(benchmark::State& state) {
  auto context = MemoryContext(state);
  if (!context) return;
  auto& gl = GL();
  const GLuint list = gl.glGenLists(1);
  TRenderContextInfo rci;
  for (auto _ : state) {
    TGLExtrusionSolid walls(nullptr);
    AddRoom(walls);
    gl.glNewList(list, GL_COMPILE);
    walls.BuildList(rci);
    gl.glEndList();
    if (walls.Outline().Count() != 50) state.SkipWithError("the openings do not cut the ring in 50 pieces");
  }
  gl.glDeleteLists(list, 1);
  context->SetActive(false);
}

}  // namespace

BENCHMARK(BM_LoadBinaryStl50k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAsciiStl50k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileStl50kDisplayList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WallRoomOutlineAndCaps)->Unit(benchmark::kMillisecond);
