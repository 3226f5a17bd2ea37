#include "scene3d/stl_vector_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "gfx3d/platform_utilities.h"
#include "gfx3d/vector_operations.h"
#include "scene3d/base_mesh.h"

namespace {

constexpr std::size_t kHeaderSize = 80;
constexpr std::size_t kFacetSize = 50;
constexpr char kHeaderText[] = "Rackwright STL out";  // 18 characters, zeros follow
static_assert(sizeof(kHeaderText) - 1 == 18);

// The corners' winding decides the order: against the stored normal (or with a
// zero one) they are stored reversed, so the stored normal faces the front.
void AddFacet(TMeshObject& mesh, const TAffineVector& normal, const TAffineVector& a, const TAffineVector& b,
              const TAffineVector& c) {
  const TAffineVector winding = AffineVectorCrossProduct(AffineVectorSubtract(b, a), AffineVectorSubtract(c, a));
  if (AffineVectorDotProduct(winding, normal) > 0)
    mesh.Vertices().Add3(a, b, c);
  else
    mesh.Vertices().Add3(c, b, a);
  mesh.Normals().Add3(normal, normal, normal);
}

// An ASCII file has a line break within its first 80 bytes; a zero byte does not count.
bool LooksLikeASCII(const char* head, std::size_t size) {
  for (std::size_t i = 0; i < std::min(size, kHeaderSize); ++i) {
    const auto byte = static_cast<unsigned char>(head[i]);
    if (byte != 0 && byte < 0x20) return true;
  }
  return false;
}

TAffineVector ReadAffine(const char* bytes) {
  TAffineVector v;
  std::memcpy(&v, bytes, sizeof v);
  return v;
}

void ReadBinary(const std::string& data, TMeshObject& mesh) {
  if (data.size() < kHeaderSize + 4) throw ELibraryError("STL file too short");
  std::uint32_t count = 0;
  std::memcpy(&count, data.data() + kHeaderSize, 4);
  // A count with the top bit set reads no facets.
  if (count & 0x80000000u) return;
  // A forged count must not reserve or read beyond the file.
  if (count > (data.size() - kHeaderSize - 4) / kFacetSize) throw ELibraryError("STL facet count beyond the file");
  const int corners = static_cast<int>(count) * 3;
  mesh.Vertices().EnsureCapacity(corners);
  mesh.Normals().EnsureCapacity(corners);
  const char* facet = data.data() + kHeaderSize + 4;
  for (std::uint32_t i = 0; i < count; ++i, facet += kFacetSize)
    AddFacet(mesh, ReadAffine(facet), ReadAffine(facet + 12), ReadAffine(facet + 24), ReadAffine(facet + 36));
}

// ---- ASCII

std::string_view Trim(std::string_view line) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

// Whether the line starts with the keyword, ignoring case; a blank in the
// keyword matches any run of blanks and tabs.
bool StartsWithKeyword(std::string_view line, std::string_view keyword) {
  std::size_t at = 0;
  for (char k : keyword) {
    if (k == ' ') {
      if (at >= line.size() || (line[at] != ' ' && line[at] != '\t')) return false;
      while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
      continue;
    }
    if (at >= line.size()) return false;
    char c = line[at++];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != k) return false;
  }
  return true;
}

// Tokens separated by commas or runs of blanks and tabs; a double-quoted token may hold either.
// Views into the line, kept in tokens (reused from line to line).
void Tokens(std::string_view line, std::vector<std::string_view>& tokens) {
  tokens.clear();
  std::size_t i = 0;
  const auto blank = [&line](std::size_t at) { return line[at] == ' ' || line[at] == '\t'; };
  while (i < line.size()) {
    while (i < line.size() && blank(i)) ++i;
    if (i >= line.size()) break;
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? line.size() : close;
      tokens.push_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      const std::size_t start = i;
      while (i < line.size() && !blank(i) && line[i] != ',') ++i;
      tokens.push_back(line.substr(start, i - start));
    }
    while (i < line.size() && blank(i)) ++i;
    if (i < line.size() && line[i] == ',') ++i;
  }
}

// Plain decimal numbers take the quick exact path; anything else (a decimal
// comma, stray text) goes through the library's lenient parser.
float Number(std::string_view token) {
  double value = 0;
  const char* end = token.data() + token.size();
  const auto [stop, error] = std::from_chars(token.data(), end, value);
  if (error == std::errc() && stop == end && std::isfinite(value)) return static_cast<float>(value);
  return static_cast<float>(StrToFloatDef(std::string(token), 0));
}

TAffineVector NumbersFrom(const std::vector<std::string_view>& tokens, std::size_t first) {
  return {Number(tokens[first]), Number(tokens[first + 1]), Number(tokens[first + 2])};
}

class LineReader {
 public:
  explicit LineReader(const std::string& data) {
    std::size_t start = 0;
    while (start < data.size()) {
      std::size_t end = data.find('\n', start);
      if (end == std::string::npos) end = data.size();
      lines_.push_back(Trim(std::string_view(data).substr(start, end - start)));
      start = end + 1;
    }
  }
  int Count() const { return static_cast<int>(lines_.size()); }
  std::string_view Next() {
    if (next_ >= lines_.size()) throw ELibraryError("List index out of bounds (" + std::to_string(next_) + ")");
    return lines_[next_++];
  }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
};

TAffineVector ReadVertex(LineReader& lines, std::vector<std::string_view>& tokens) {
  Tokens(lines.Next(), tokens);
  if (tokens.size() != 4 || !StartsWithKeyword(tokens[0], "VERTEX") || tokens[0].size() != 6)
    throw ELibraryError("Invalid Vertex");
  return NumbersFrom(tokens, 1);
}

void ReadASCII(const std::string& data, TMeshObject& mesh) {
  LineReader lines(data);
  if (lines.Count() == 0 || !StartsWithKeyword(lines.Next(), "SOLID")) return;
  const int facets = std::max(lines.Count() - 2, 0) / 7;
  mesh.Vertices().EnsureCapacity(facets * 3);
  mesh.Normals().EnsureCapacity(facets * 3);
  std::vector<std::string_view> tokens;
  std::string_view line = lines.Next();
  for (;;) {
    if (StartsWithKeyword(line, "FACET NORMAL ")) {
      Tokens(line, tokens);
      if (tokens.size() != 5) throw ELibraryError("Invalid Normal");
      const TAffineVector normal = NumbersFrom(tokens, 2);
      if (!StartsWithKeyword(lines.Next(), "OUTER LOOP")) throw ELibraryError("Outer Loop Not Found");
      const TAffineVector a = ReadVertex(lines, tokens);
      const TAffineVector b = ReadVertex(lines, tokens);
      const TAffineVector c = ReadVertex(lines, tokens);
      if (!StartsWithKeyword(lines.Next(), "ENDLOOP")) throw ELibraryError("End of Loop Not Found");
      AddFacet(mesh, normal, a, b, c);
    }
    if (!StartsWithKeyword(lines.Next(), "ENDFACET")) throw ELibraryError("End of Facet Not found");
    line = lines.Next();
    if (StartsWithKeyword(line, "ENDSOLID")) return;
  }
}

void PutAffine(char* at, const TAffineVector& v) { std::memcpy(at, &v, sizeof v); }

}  // namespace

void TGLSTLVectorFile::LoadFromStream(TStream& stream) {
  const std::uint64_t start = stream.Position();
  std::string data(static_cast<std::size_t>(stream.Remaining()), '\0');
  stream.ReadBuffer(data.data(), data.size());
  stream.SetPosition(start + data.size());
  auto* mesh = new TMeshObject(&Owner().MeshObjects());
  mesh->Mode = moTriangles;
  try {
    if (LooksLikeASCII(data.data(), data.size()))
      ReadASCII(data, *mesh);
    else
      ReadBinary(data, *mesh);
  } catch (const ELibraryError&) {
    // A malformed file adds nothing and says nothing; the caller sees an unchanged mesh list.
    delete mesh;
  }
}

void TGLSTLVectorFile::SaveToStream(TStream& stream) {
  const TAffineVectorList corners = Owner().MeshObjects().ExtractTriangles();
  const std::uint32_t count = static_cast<std::uint32_t>(corners.Count() / 3);
  std::string data(kHeaderSize + 4 + count * kFacetSize, '\0');
  std::memcpy(data.data(), kHeaderText, sizeof(kHeaderText) - 1);
  std::memcpy(data.data() + kHeaderSize, &count, 4);
  char* facet = data.data() + kHeaderSize + 4;
  const TAffineVector* corner = corners.List();
  for (std::uint32_t i = 0; i < count; ++i, facet += kFacetSize, corner += 3) {
    TAffineVector normal = AffineVectorCrossProduct(AffineVectorSubtract(corner[1], corner[0]),
                                                    AffineVectorSubtract(corner[2], corner[0]));
    const float length = AffineVectorLength(normal);
    // A degenerate triangle has no direction; (0, 0, 0) rather than NaN.
    normal = length > 0 ? AffineVectorScale(normal, 1 / length) : TAffineVector{0, 0, 0};
    PutAffine(facet, normal);
    PutAffine(facet + 12, corner[0]);
    PutAffine(facet + 24, corner[1]);
    PutAffine(facet + 36, corner[2]);
  }
  stream.WriteBuffer(data.data(), data.size());
}

void RegisterSTLFormat() { RegisterMeshFileFormat<TGLSTLVectorFile>("stl", "Stereolithography files"); }
