// The scene graph at the size of a furnished cell: 300 bay-like groups, each
// group -> 5 levels x 6 pivots -> a leaf drawing a 12-triangle box from its
// display list, about 20,000 nodes. Built and freed as a scene builder does
// it, and rendered at the view's 712 x 480 off screen (llvmpipe under Xvfb).
#include <benchmark/benchmark.h>

#include "measuring_time.h"
#include "offscreen_frames.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/render/light_source.h"
#include "support/recording_gl.h"

namespace {

constexpr int kGroups = 300;
constexpr int kLevels = 5;
constexpr int kPivots = 6;

// A lit box of twelve triangles, as a shelf part would be.
class Part : public TGLStageObject {
 public:
  using TGLStageObject::TGLStageObject;
  void BuildList(TRenderContextInfo&) override {
    static constexpr float kNormals[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
    static constexpr int kFaces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                         {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};
    static constexpr float kCorners[8][3] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                                             {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
    auto& gl = GL();
    gl.glBegin(GL_TRIANGLES);
    for (int f = 0; f < 6; ++f) {
      gl.glNormal3fv(kNormals[f]);
      for (int corner : {0, 1, 2, 0, 2, 3}) gl.glVertex3fv(kCorners[kFaces[f][corner]]);
    }
    gl.glEnd();
  }
};

// One bay per group on a 20 x 15 grid, levels up its height, pivots along its length.
void BuildBays(TGLBaseStageObject& root) {
  for (int g = 0; g < kGroups; ++g) {
    auto* group = root.NewChildOfClass<TGLDummyCube>();
    group->Position().SetPoint(static_cast<float>(g % 20) * 12 - 114, 0, static_cast<float>(g / 20) * 12 - 84);
    group->SetTurnAngle(static_cast<float>((g % 4) * 90));
    for (int l = 0; l < kLevels; ++l) {
      auto* level = group->NewChildOfClass<TGLDummyCube>();
      level->Position().SetPoint(0, static_cast<float>(l) * 4, 0);
      for (int p = 0; p < kPivots; ++p) {
        auto* pivot = level->NewChildOfClass<TGLDummyCube>();
        pivot->Position().SetPoint(static_cast<float>(p) * 1.5f - 3.75f, 0, 0);
        pivot->SetPitchAngle(5);
        auto* part = pivot->NewChildOfClass<Part>();
        part->Scale().SetVector(0.6f, 0.1f, 1.5f);
        part->Material().FrontProperties().Diffuse().SetColor({0.7f, 0.7f, 0.75f, 1});
      }
    }
  }
}

void BM_BuildAndFreeBayTree(benchmark::State& state) {
  InitializeScene3D();
  TGLStage scene(nullptr);
  for (auto _ : state) {
    scene.BeginUpdate();
    auto* root = scene.Objects().NewChildOfClass<TGLDummyCube>();
    BuildBays(*root);
    scene.EndUpdate();
    scene.BeginUpdate();
    delete root;
    scene.EndUpdate();
  }
  state.counters["nodes"] = kGroups * (1 + kLevels + 2 * kLevels * kPivots);
}
BENCHMARK(BM_BuildAndFreeBayTree)->Unit(benchmark::kMillisecond);

void BM_RenderBayTree(benchmark::State& state) {
  InitializeScene3D();
  TGLStage scene(nullptr);
  TGLCamera* camera = add_view_camera(scene);
  scene.Objects().NewChildOfClass<TGLLightSource>()->Position().SetPoint(10, 10, 10);
  BuildBays(*scene.Objects().NewChildOfClass<TGLDummyCube>());
  ViewFrames frames(*camera);
  if (!frames.run(state)) return;

  // The calls one frame makes for the objects, counted on a table that only records.
  RecordingGL recording;
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  rci.objectsSorting = scene.ObjectsSorting();
  rci.visibilityCulling = scene.VisibilityCulling();
  scene.Objects().Render(rci);
  state.counters["gl_calls_per_frame"] = static_cast<double>(recording.calls.size());
}
BENCHMARK(BM_RenderBayTree)->Unit(benchmark::kMillisecond)->MinTime(measuring_time(2.0));

}  // namespace
