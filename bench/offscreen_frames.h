// What the render benchmarks share: the 3-D view's camera rig (a camera
// looking at its target dummy cube from (0, 200, 200), focal length 400) and
// the loop that renders frames of 712 x 480 off screen (llvmpipe under Xvfb),
// each finished before the next, counting frames per second of wall time.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

#include "gfx3d/gl/gl_binding.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/stage.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/offscreen_viewers.h"

// The camera, child of its target at the origin, as the 3-D view sets it up.
inline TGLCamera* add_view_camera(TGLStage& stage) {
  auto* target = stage.Objects().NewChildOfClass<TGLDummyCube>();
  auto* camera = target->NewChildOfClass<TGLCamera>();
  camera->SetDepthOfView(100000);
  camera->SetFocalLength(400);
  camera->SetTargetObject(target);
  camera->Position().SetPoint(0, 200, 200);
  return camera;
}

// The view's frames of 712 x 480 off screen. The viewer keeps its context and
// display lists for as long as it lives.
class ViewFrames {
 public:
  explicit ViewFrames(TGLCamera& camera) {
    viewer_.SetWidth(712);
    viewer_.SetHeight(480);
    viewer_.SetCamera(&camera);
  }

  // One frame, finished before it returns.
  void finished_frame() {
    viewer_.Render();
    viewer_.Buffer().RenderingContext()->Activate();
    GL().glFinish();
    viewer_.Buffer().RenderingContext()->Deactivate();
  }

  // Renders for as long as the benchmark runs; "fps" counts frames per second
  // of wall time, since the rasteriser's threads do part of the work. False,
  // with the benchmark skipped, when GL cannot render.
  bool run(benchmark::State& state) {
    try {
      viewer_.Render();
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      return false;
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) finished_frame();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters["fps"] = static_cast<double>(state.iterations()) / elapsed.count();
    return true;
  }

 private:
  TGLMemoryViewer viewer_{nullptr};
};
