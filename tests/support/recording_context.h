// A GL context that is current without a driver, so texture and list names
// can be allocated while calls go to the recording table.
#pragma once

#include "gfx3d/gl/gl_context.h"

class RecordingContext : public TGLContext {
 public:
  ~RecordingContext() override { DestroyQuietly(); }
  bool IsValid() const override { return valid_; }
  void SwapBuffers() override {}
  TGLOutputDevice RenderOutputDevice() const override { return 0; }

 protected:
  void DoCreateContext(TGLOutputDevice) override { valid_ = true; }
  void DoCreateMemoryContext(TGLOutputDevice, int, int, int) override { valid_ = true; }
  void DoShareLists(TGLContext&) override {}
  void DoDestroyContext() override { valid_ = false; }
  void DoActivate() override {}
  void DoDeactivate() override {}

 private:
  bool valid_ = false;
};
