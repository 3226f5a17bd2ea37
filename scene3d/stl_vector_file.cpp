#include "scene3d/stl_vector_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
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

// Whether the line starts with the keyword (capital letters and blanks),
// ignoring case; a blank in the keyword matches any run of blanks and tabs.
bool StartsWithKeyword(std::string_view line, std::string_view keyword) {
  std::size_t at = 0;
  for (char k : keyword) {
    if (k == ' ') {
      if (at >= line.size() || (line[at] != ' ' && line[at] != '\t')) return false;
      while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
      continue;
    }
    // The keywords are letters: setting the lower-case bit folds both cases alike.
    if (at >= line.size() || (line[at++] | 0x20) != (k | 0x20)) return false;
  }
  return true;
}

// Plain decimal numbers take the quick exact path; anything else (a decimal
// comma, stray text) goes through the library's lenient parser.
float Number(std::string_view field) {
  double value = 0;
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  if (error == std::errc() && stop == end && std::isfinite(value)) return static_cast<float>(value);
  return static_cast<float>(StrToFloatDef(std::string(field), 0));
}

// A number written plainly ("-12.5", "3", "1.5e-3", no more than 19 digits)
// whose digits and power of ten a double holds exactly: one multiplication or
// division then rounds correctly, to the value a full parse gives. Anything
// else is left to the full parse. Advances at past the number on success.
bool PlainNumber(const char*& at, const char* end, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const auto digit = [end](const char* p) { return p < end && static_cast<unsigned>(*p - '0') < 10; };
  const char* p = at;
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  std::uint64_t digits = 0;
  const char* first = p;
  for (; digit(p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
  auto count = p - first;
  int exponent = 0;
  if (p < end && *p == '.') {
    const char* fraction = ++p;
    for (; digit(p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    exponent = -static_cast<int>(std::min<std::ptrdiff_t>(p - fraction, 20));
    count += p - fraction;
  }
  if (count == 0 || count > 19) return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    const bool below = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    if (!digit(p)) return false;
    int power = 0;
    for (; digit(p) && power < 1000; ++p) power = power * 10 + (*p - '0');
    if (digit(p)) return false;
    exponent += below ? -power : power;
  }
  if (digits > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) return false;
  const double magnitude = exponent < 0 ? static_cast<double>(digits) / kPowersOfTen[-exponent]
                                        : static_cast<double>(digits) * kPowersOfTen[exponent];
  value = negative ? -magnitude : magnitude;
  at = p;
  return true;
}

// The fields of a facet or corner line, one at a time: separated by commas or
// runs of blanks and tabs; a double-quoted field may hold either.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view line) : line_(line) { SkipBlanks(); }
  bool AtEnd() const { return at_ >= line_.size(); }
  std::string_view Next() {
    std::string_view field;
    if (line_[at_] == '"') {
      const std::size_t close = line_.find('"', at_ + 1);
      const std::size_t end = close == std::string_view::npos ? line_.size() : close;
      field = line_.substr(at_ + 1, end - at_ - 1);
      at_ = std::min(end + 1, line_.size());
    } else {
      const std::size_t start = at_;
      while (at_ < line_.size() && !Blank(line_[at_]) && line_[at_] != ',') ++at_;
      field = line_.substr(start, at_ - start);
    }
    SkipSeparator();
    return field;
  }
  // The next field as a number: a plain one read straight from the line, any
  // other through the lenient parser.
  float NextNumber() {
    const char* end = line_.data() + line_.size();
    const char* stop = line_.data() + at_;
    double value = 0;
    if (PlainNumber(stop, end, value) && (stop == end || Blank(*stop) || *stop == ',')) {
      at_ = static_cast<std::size_t>(stop - line_.data());
      SkipSeparator();
      return static_cast<float>(value);
    }
    return Number(Next());
  }

 private:
  static bool Blank(char c) { return c == ' ' || c == '\t'; }
  void SkipBlanks() {
    while (at_ < line_.size() && Blank(line_[at_])) ++at_;
  }
  // Blanks, at most one comma, blanks.
  void SkipSeparator() {
    SkipBlanks();
    if (at_ < line_.size() && line_[at_] == ',') {
      ++at_;
      SkipBlanks();
    }
  }
  std::string_view line_;
  std::size_t at_ = 0;
};

// Skips the keyword fields, then reads three numbers that must end the line;
// false when the line has fewer or more fields.
bool ReadNumbers(FieldCursor& fields, int keywords, TAffineVector& v) {
  for (int k = 0; k < keywords; ++k) {
    if (fields.AtEnd()) return false;
    fields.Next();
  }
  float* out[3] = {&v.x, &v.y, &v.z};
  for (float* number : out) {
    if (fields.AtEnd()) return false;
    *number = fields.NextNumber();
  }
  return fields.AtEnd();
}

// The text's lines one after another, trimmed, without keeping them; taking
// one past the last raises the string list's error.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  bool AtEnd() const { return at_ >= text_.size(); }
  // As many lines as Next gives: a last line without a break counts too.
  std::size_t Count() const {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text_.size(); ++count) {
      const void* lineBreak = std::memchr(text_.data() + at, '\n', text_.size() - at);
      at = lineBreak ? static_cast<std::size_t>(static_cast<const char*>(lineBreak) - text_.data()) + 1 : text_.size();
    }
    return count;
  }
  std::string_view Next() {
    if (AtEnd()) throw ELibraryError("List index out of bounds (" + std::to_string(index_) + ")");
    const auto* lineBreak = static_cast<const char*>(std::memchr(text_.data() + at_, '\n', text_.size() - at_));
    const std::size_t end = lineBreak ? static_cast<std::size_t>(lineBreak - text_.data()) : text_.size();
    const std::string_view line = text_.substr(at_, end - at_);
    at_ = end + 1;
    ++index_;
    return Trim(line);
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t index_ = 0;
};

TAffineVector ReadVertex(LineCursor& lines) {
  FieldCursor fields(lines.Next());
  TAffineVector v{};
  if (fields.AtEnd()) throw ELibraryError("Invalid Vertex");
  const std::string_view keyword = fields.Next();
  if (keyword.size() != 6 || !StartsWithKeyword(keyword, "VERTEX") || !ReadNumbers(fields, 0, v))
    throw ELibraryError("Invalid Vertex");
  return v;
}

// Lines and fields are views into the text, read as they come and never
// kept; only the reservation looks ahead, counting the line breaks.
void ReadASCII(std::string_view data, TMeshObject& mesh) {
  LineCursor lines(data);
  if (lines.AtEnd() || !StartsWithKeyword(lines.Next(), "SOLID")) return;
  const int facets = static_cast<int>(
      std::min<std::size_t>((std::max<std::size_t>(lines.Count(), 2) - 2) / 7, std::numeric_limits<int>::max() / 3));
  mesh.Vertices().EnsureCapacity(facets * 3);
  mesh.Normals().EnsureCapacity(facets * 3);
  std::string_view line = lines.Next();
  for (;;) {
    if (StartsWithKeyword(line, "FACET NORMAL ")) {
      FieldCursor fields(line);
      TAffineVector normal{};
      if (!ReadNumbers(fields, 2, normal)) throw ELibraryError("Invalid Normal");
      if (!StartsWithKeyword(lines.Next(), "OUTER LOOP")) throw ELibraryError("Outer Loop Not Found");
      const TAffineVector a = ReadVertex(lines);
      const TAffineVector b = ReadVertex(lines);
      const TAffineVector c = ReadVertex(lines);
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
