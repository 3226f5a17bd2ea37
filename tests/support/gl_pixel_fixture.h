// Every pixel test of the 3-D library draws into an off-screen pbuffer context
// made by the context manager, current for the whole test. Without a display
// the test is skipped, except under REQUIRE_GL=1, where it fails.
#pragma once

#include <memory>

#include "gfx3d/core/initialization.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_context.h"
#include "support/gl_required.h"

class GLPixelTest : public testing::Test {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 64;

  void SetUp() override {
    InitializeGfx3D();
    context_ = GLContextManager().CreateContext();
    ASSERT_NE(context_, nullptr);
    context_->SetDepthBits(24);
    try {
      context_->CreateMemoryContext(0, kWidth, kHeight);
      context_->Activate();
    } catch (const std::exception& error) {
      context_.reset();
      SKIP_OR_FAIL_WITHOUT_GL(error.what());
    }
    GL().glViewport(0, 0, kWidth, kHeight);
  }

  void TearDown() override {
    if (context_) context_->SetActive(false);
    context_.reset();
  }

  std::unique_ptr<TGLContext> context_;
};
