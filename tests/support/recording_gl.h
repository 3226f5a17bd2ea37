// A GL function table that records every call instead of reaching a driver,
// so call sequences can be checked without a context. Installing it routes
// the 3-D library's GL and GLU calls here, with all extension flags off,
// until it goes out of scope.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

#include "gfx3d/gl/gl_binding.h"

struct RecordedCall {
  std::string name;
  std::vector<double> args;  // numbers as passed; float arrays of known size spelled out
};

class RecordingGL;

namespace recording_gl_detail {

inline RecordingGL* active = nullptr;

// How many floats a pointer argument of these calls carries.
constexpr int FloatCount(std::string_view name) {
  if (name == "glLoadMatrixf" || name == "glMultMatrixf" || name == "glLoadTransposeMatrixfARB") return 16;
  if (name == "glMaterialfv" || name == "glColor4fv" || name == "glTexEnvfv" || name == "glTexGenfv") return 4;
  if (name == "glNormal3fv" || name == "glVertex3fv" || name == "glColor3fv") return 3;
  if (name == "glMultiTexCoord4fvARB") return 4;
  if (name == "glTexCoord2fv" || name == "glMultiTexCoord2fvARB") return 2;
  return 0;
}

template <const char* Name, typename F>
struct Recorder;

}  // namespace recording_gl_detail

class RecordingGL {
 public:
  RecordingGL();
  ~RecordingGL() {
    GLFlags() = saved_flags_;
    InstallGLFunctionTable(nullptr);
    recording_gl_detail::active = nullptr;
  }
  RecordingGL(const RecordingGL&) = delete;
  RecordingGL& operator=(const RecordingGL&) = delete;

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const RecordedCall& call : calls) names.push_back(call.name);
    return names;
  }
  int Count(std::string_view name) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.name == name; }));
  }
  void Clear() { calls.clear(); }

  std::vector<RecordedCall> calls;
  // What glGetString and gluGetString answer, by enum.
  std::map<unsigned, std::string> strings;
  // What glGetIntegerv answers, by enum; others leave the caller's value.
  std::map<unsigned, GLint> integers;
  GLuint last_name = 0;

#define RECORDING_GL_NAME(name) static constexpr char k_##name[] = #name;
#define RECORDING_GL_EXTENSION_NAME(name, type, offeredBy) static constexpr char k_##name[] = #name;
  GFX3D_GL_CORE_FUNCTIONS(RECORDING_GL_NAME)
  GFX3D_GLU_FUNCTIONS(RECORDING_GL_NAME)
  GFX3D_GL_EXTENSION_FUNCTIONS(RECORDING_GL_EXTENSION_NAME)
#undef RECORDING_GL_NAME
#undef RECORDING_GL_EXTENSION_NAME

 private:
  TGLFunctionTable table_;
  TGLExtensionFlags saved_flags_ = GLFlags();  // a real context's flags, back when recording ends
};

namespace recording_gl_detail {

template <typename T>
void Push(std::vector<double>& out, std::string_view name, T value) {
  if constexpr (std::is_arithmetic_v<T>) {
    out.push_back(static_cast<double>(value));
  } else if constexpr (std::is_same_v<T, const GLfloat*>) {
    for (int i = 0; i < FloatCount(name) && value; ++i) out.push_back(value[i]);
  }
}

template <const char* Name, typename R, typename... A>
struct Recorder<Name, R (*)(A...)> {
  static R Call(A... args) {
    RecordedCall call{Name, {}};
    (Push(call.args, Name, args), ...);
    active->calls.push_back(call);
    // Names are handed out as a driver would, so handles see them allocated.
    if constexpr (std::string_view(Name) == "glGenTextures") {
      std::get<1>(std::tuple<A...>(args...))[0] = ++active->last_name;
    } else if constexpr (std::string_view(Name) == "glGetIntegerv") {
      if (auto found = active->integers.find(static_cast<unsigned>(call.args[0])); found != active->integers.end())
        std::get<1>(std::tuple<A...>(args...))[0] = found->second;
    } else if constexpr (std::string_view(Name) == "glGenLists") {
      return ++active->last_name;
    }
    if constexpr (std::is_same_v<R, const GLubyte*>) {
      auto found = active->strings.find(static_cast<unsigned>(call.args.empty() ? 0 : call.args[0]));
      return found == active->strings.end() ? nullptr : reinterpret_cast<const GLubyte*>(found->second.c_str());
    } else if constexpr (!std::is_void_v<R>) {
      return R{};
    }
  }
};

}  // namespace recording_gl_detail

inline RecordingGL::RecordingGL() {
#define RECORDING_GL_BIND(name) table_.name = &recording_gl_detail::Recorder<k_##name, decltype(&::name)>::Call;
  GFX3D_GL_CORE_FUNCTIONS(RECORDING_GL_BIND)
  GFX3D_GLU_FUNCTIONS(RECORDING_GL_BIND)
#undef RECORDING_GL_BIND
#define RECORDING_GL_BIND_EXTENSION(name, type, offeredBy) \
  table_.name = &recording_gl_detail::Recorder<k_##name, type>::Call;
  GFX3D_GL_EXTENSION_FUNCTIONS(RECORDING_GL_BIND_EXTENSION)
#undef RECORDING_GL_BIND_EXTENSION
  recording_gl_detail::active = this;
  GLFlags() = TGLExtensionFlags{};
  InstallGLFunctionTable(&table_);
}
