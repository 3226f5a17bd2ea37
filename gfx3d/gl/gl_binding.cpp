#include "gfx3d/gl/gl_binding.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

// Declared here rather than through GL/glx.h, whose X11 macros stay in the GLX layer.
extern "C" void (*glXGetProcAddressARB(const GLubyte* name))();

namespace {

TGLFunctionTable MakePlatformTable() {
  TGLFunctionTable table;
#define GFX3D_BIND_FUNCTION(name) table.name = &::name;
  GFX3D_GL_CORE_FUNCTIONS(GFX3D_BIND_FUNCTION)
  GFX3D_GLU_FUNCTIONS(GFX3D_BIND_FUNCTION)
#undef GFX3D_BIND_FUNCTION
  return table;
}

TGLFunctionTable* installed_table = nullptr;
TGLExtensionFlags flags;
void* gl_library = nullptr;
void* glu_library = nullptr;
std::string load_error;

// The loader's own text: the library it could not find or what it lacked.
void* OpenLibrary(const char* name) {
  void* library = dlopen(name, RTLD_NOW | RTLD_GLOBAL);
  if (!library && load_error.empty()) {
    const char* text = dlerror();
    load_error = text ? text : std::string("Cannot load ") + name;
  }
  return library;
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

const char* StringOrEmpty(const GLubyte* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

// GLU's own entry points come from GLU (GL's resolver would hand out a GL stub
// for them); the other platform's memory allocators go by their GLX names.
void* ResolveEntryPoint(const std::string& name) {
  if (name.starts_with("glu")) return dlsym(glu_library ? glu_library : RTLD_DEFAULT, name.c_str());
  if (name.starts_with("wgl")) return GetGLProcAddress(("glX" + name.substr(3)).c_str());
  return GetGLProcAddress(name.c_str());
}

}  // namespace

TGLFunctionTable& PlatformGLFunctions() {
  static TGLFunctionTable table = MakePlatformTable();
  return table;
}

TGLFunctionTable& GL() { return installed_table ? *installed_table : PlatformGLFunctions(); }

void InstallGLFunctionTable(TGLFunctionTable* table) { installed_table = table; }

TGLExtensionFlags& GLFlags() { return flags; }

void ParseVersionString(std::string_view text, int& major, int& minor) {
  major = 0;
  minor = 0;
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 >= text.size()) return;
  if (!IsDigit(text[dot - 1]) || !IsDigit(text[dot + 1])) return;
  std::size_t first = dot;
  while (first > 0 && IsDigit(text[first - 1])) --first;
  std::size_t last = dot + 1;
  while (last < text.size() && IsDigit(text[last])) ++last;
  int parsed_major = 0;
  int parsed_minor = 0;
  const auto major_result = std::from_chars(text.data() + first, text.data() + dot, parsed_major);
  const auto minor_result = std::from_chars(text.data() + dot + 1, text.data() + last, parsed_minor);
  if (major_result.ec != std::errc() || minor_result.ec != std::errc()) return;
  major = parsed_major;
  minor = parsed_minor;
}

bool HasExtension(std::string_view name, std::string_view extensions) {
  // Every occurrence is examined and both neighbours must be blanks (or the ends),
  // so a name that begins or ends a longer one is not taken for it.
  if (name.empty()) return false;
  for (std::size_t at = extensions.find(name); at != std::string_view::npos; at = extensions.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    const bool starts_entry = at == 0 || extensions[at - 1] == ' ';
    const bool ends_entry = end == extensions.size() || extensions[end] == ' ';
    if (starts_entry && ends_entry) return true;
  }
  return false;
}

bool StringContains(std::string_view name, std::string_view text) { return text.find(name) != std::string_view::npos; }

void* GetGLProcAddress(const char* name) {
  return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

const std::vector<TGLExtensionEntryPoint>& GLExtensionEntryPoints() {
  static const std::vector<TGLExtensionEntryPoint> entry_points = {
#define GFX3D_ENTRY_POINT(name, type, offeredBy)                                                        \
  {#name, offeredBy, [](const TGLFunctionTable& table) { return reinterpret_cast<void*>(table.name); }, \
   [](TGLFunctionTable& table, void* address) { table.name = reinterpret_cast<type>(address); }},
      GFX3D_GL_EXTENSION_FUNCTIONS(GFX3D_ENTRY_POINT)
#undef GFX3D_ENTRY_POINT
  };
  return entry_points;
}

bool EntryPointOffered(std::string_view offeredBy, int major, int minor, std::string_view glExtensions,
                       std::string_view gluExtensions) {
  constexpr std::string_view kVersion = "GL_VERSION_";
  for (std::size_t start = 0; start < offeredBy.size();) {
    const std::size_t end = std::min(offeredBy.find(' ', start), offeredBy.size());
    const std::string_view name = offeredBy.substr(start, end - start);
    start = end + 1;
    if (name.starts_with(kVersion)) {
      const int wanted_major = name[kVersion.size()] - '0';
      const int wanted_minor = name.back() - '0';
      if (major > wanted_major || (major == wanted_major && minor >= wanted_minor)) return true;
    } else if (HasExtension(name, name.starts_with("GLU_") ? gluExtensions : glExtensions)) {
      return true;
    }
  }
  return false;
}

void LoadGLExtensionEntryPoints() {
  TGLFunctionTable& gl = GL();
  int major = 0;
  int minor = 0;
  ParseVersionString(StringOrEmpty(gl.glGetString(GL_VERSION)), major, minor);
  const std::string_view extensions = StringOrEmpty(gl.glGetString(GL_EXTENSIONS));
  const std::string_view glu_extensions = StringOrEmpty(gl.gluGetString(GLU_EXTENSIONS));
  TGLFunctionTable& table = PlatformGLFunctions();
  for (const TGLExtensionEntryPoint& entry : GLExtensionEntryPoints())
    entry.set(table, EntryPointOffered(entry.offeredBy, major, minor, extensions, glu_extensions)
                         ? ResolveEntryPoint(entry.name)
                         : nullptr);
  LoadGLXExtensionEntryPoints();
}

void ReadGLExtensionFlags() {
  TGLFunctionTable& gl = GL();
  int major = 0;
  int minor = 0;
  ParseVersionString(StringOrEmpty(gl.glGetString(GL_VERSION)), major, minor);
  flags.VERSION_1_0 = true;
  flags.VERSION_1_1 = minor >= 1 || major > 1;
  flags.VERSION_1_2 = minor >= 2 || major > 1;
  flags.VERSION_1_3 = minor >= 3 || major > 1;
  flags.VERSION_1_4 = minor >= 4 || major > 1;
  flags.VERSION_1_5 = minor >= 5 || major > 1;
  ParseVersionString(StringOrEmpty(gl.gluGetString(GLU_VERSION)), major, minor);
  flags.GLU_1_1 = true;
  flags.GLU_1_2 = minor > 1 || major > 1;
  flags.GLU_1_3 = minor > 2 || major > 1;

  const std::string_view extensions = StringOrEmpty(gl.glGetString(GL_EXTENSIONS));
#define GFX3D_READ_FLAG(flag, name) flags.flag = HasExtension(name, extensions);
  GFX3D_GL_EXTENSION_FLAGS(GFX3D_READ_FLAG)
#undef GFX3D_READ_FLAG
  const std::string_view glu_extensions = StringOrEmpty(gl.gluGetString(GLU_EXTENSIONS));
  flags.GLU_EXT_texture = HasExtension("GLU_EXT_TEXTURE", glu_extensions);
  flags.GLU_EXT_object_space_tessellation = HasExtension("GLU_EXT_object_space_tess", glu_extensions);
  flags.GLU_EXT_nurbs_tessellation = HasExtension("GLU_EXT_nurbs_tessellator", glu_extensions);
  ReadGLXExtensionFlags();
}

bool LoadOpenGLLibrariesFrom(const char* glName, const char* gluName) {
  UnloadOpenGLLibraries();
  load_error.clear();
  gl_library = OpenLibrary(glName);
  glu_library = OpenLibrary(gluName);
  if (gl_library && glu_library) return true;
  UnloadOpenGLLibraries();
  return false;
}

TOpenGLLibraryNames& OpenGLLibraryNames() {
  static TOpenGLLibraryNames names;
  return names;
}

bool LoadOpenGLLibraries() {
  if (OpenGLLibrariesLoaded()) return true;
  const TOpenGLLibraryNames& names = OpenGLLibraryNames();
  return LoadOpenGLLibrariesFrom(names.gl.c_str(), names.glu.c_str());
}

void UnloadOpenGLLibraries() {
  if (gl_library) dlclose(gl_library);
  if (glu_library) dlclose(glu_library);
  gl_library = nullptr;
  glu_library = nullptr;
}

bool OpenGLLibrariesLoaded() { return gl_library && glu_library; }

const std::string& OpenGLLibrariesLoadError() { return load_error; }
