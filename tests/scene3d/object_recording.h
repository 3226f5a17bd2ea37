// What the scene-object tests read out of a recorded build: the primitives
// with their vertices, the current normal and texture coordinate of each.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/graph/stage_object.h"
#include "support/recording_gl.h"

struct RecordedVertex {
  TAffineVector position, normal;
  float s = 0, t = 0;
};

struct RecordedPrimitive {
  unsigned mode = 0;
  std::vector<RecordedVertex> vertices;
};

// Runs one object's build through a recording table and gathers its primitives.
class RecordedBuild {
 public:
  explicit RecordedBuild(TGLBaseStageObject& object) {
    XGLMapTexCoordToMain();
    TGLStateCache cache;
    TRenderContextInfo rci;
    rci.GLStates = &cache;
    object.BuildList(rci);
    calls = gl.calls;
    Gather();
  }
  int VertexCount() const {
    int n = 0;
    for (const auto& p : primitives) n += static_cast<int>(p.vertices.size());
    return n;
  }
  int Count(const std::string& name) const { return gl.Count(name); }

  RecordingGL gl;
  std::vector<RecordedCall> calls;
  std::vector<RecordedPrimitive> primitives;

 private:
  void Gather() {
    TAffineVector normal{0, 0, 0};
    float s = 0, t = 0;
    for (const RecordedCall& c : calls) {
      const auto& a = c.args;
      if (c.name == "glBegin") primitives.push_back({static_cast<unsigned>(a[0]), {}});
      if (c.name == "glNormal3f" || c.name == "glNormal3fv") normal = {float(a[0]), float(a[1]), float(a[2])};
      if (c.name == "glTexCoord2f") s = float(a[0]), t = float(a[1]);
      if (c.name == "glVertex2f" || c.name == "glVertex3f" || c.name == "glVertex3fv" || c.name == "glVertex4f") {
        const TAffineVector p{float(a[0]), float(a[1]), a.size() > 2 ? float(a[2]) : 0.0f};
        primitives.back().vertices.push_back({p, normal, s, t});
      }
    }
  }
};

// The unnormalised normal of a vertex fan's first three corners, by GL's counter-clockwise rule.
inline TAffineVector WindingNormal(const RecordedVertex& a, const RecordedVertex& b, const RecordedVertex& c) {
  return AffineVectorCrossProduct(AffineVectorSubtract(b.position, a.position),
                                  AffineVectorSubtract(c.position, a.position));
}

// The binary properties an object defines, by name: whether it would write one, and its bytes.
class BinaryProperties : public TPropertyDefiner {
 public:
  explicit BinaryProperties(TPersistent& object) { object.DefineProperties(*this); }
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool hasData) override {
    properties[name] = {read, write, hasData};
  }
  bool Stored(const std::string& name) { return properties.at(name).stored; }
  std::string Written(const std::string& name) {
    TStringStream stream;
    properties.at(name).write(stream);
    return stream.DataString();
  }
  void Read(const std::string& name, std::string bytes) {
    TStringStream stream(std::move(bytes));
    properties.at(name).read(stream);
  }

 private:
  struct Property {
    std::function<void(TStream&)> read, write;
    bool stored;
  };
  std::map<std::string, Property> properties;
};
