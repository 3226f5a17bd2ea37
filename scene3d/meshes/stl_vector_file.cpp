#include "scene3d/meshes/stl_vector_file.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/plain_decimals.h"

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

void ReadBinary(std::string_view data, TMeshObject& mesh) {
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
//
// The text lies in memory followed by kDecimalPadding zero bytes (as
// plain_decimals.h asks): every scan of letters, digits or blanks stops at
// the first of them, and up to sixteen bytes may be read at once anywhere
// before it. Lines and fields are views into the text, read as they come and
// never kept.

bool Blank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
  while (Blank(*p)) ++p;
  return p;
}

std::string_view Trim(std::string_view line) {
  const auto blank = [](char c) { return Blank(c) || c == '\r' || c == '\n'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

// A word of up to eight letters, matched with case ignored eight bytes at a
// time. Setting the lower-case bit folds both cases of a letter alike and
// turns nothing else into a letter.
class KeywordWord {
 public:
  constexpr KeywordWord() = default;
  constexpr explicit KeywordWord(std::string_view letters) : length_(letters.size()) {
    for (std::size_t i = 0; i < letters.size(); ++i) {
      pattern_ |= std::uint64_t{static_cast<unsigned char>(letters[i] | 0x20)} << (8 * i);
      mask_ |= std::uint64_t{0xFF} << (8 * i);
    }
  }
  bool Empty() const { return length_ == 0; }
  // p past the word, or nullptr when the text at p does not start with it.
  const char* Match(const char* p) const {
    return ((plain_decimals::EightBytes(p) | 0x2020202020202020) & mask_) == pattern_ ? p + length_ : nullptr;
  }

 private:
  std::uint64_t pattern_ = 0;
  std::uint64_t mask_ = 0;
  std::size_t length_ = 0;
};

// A keyword of one or two words; in the text a run of blanks and tabs stands
// between them, and blanks and tabs may come before it.
struct Keyword {
  constexpr explicit Keyword(std::string_view words)
      : first(words.substr(0, words.find(' '))),
        second(words.find(' ') == std::string_view::npos ? std::string_view() : words.substr(words.find(' ') + 1)) {}
  KeywordWord first;
  KeywordWord second;
};

constexpr Keyword kSolid("solid");
constexpr Keyword kEndSolid("endsolid");
constexpr Keyword kFacetNormal("facet normal");
constexpr Keyword kOuterLoop("outer loop");
constexpr Keyword kVertex("vertex");
constexpr Keyword kEndLoop("endloop");
constexpr Keyword kEndFacet("endfacet");

// p past the keyword, or nullptr when the text at p does not start with it.
[[gnu::always_inline]] inline const char* MatchKeyword(const char* p, const Keyword& keyword) {
  p = keyword.first.Match(SkipBlanks(p));
  if (!p || keyword.second.Empty()) return p;
  return Blank(*p) ? keyword.second.Match(SkipBlanks(p)) : nullptr;
}

// On a trimmed line no match runs past its end: what follows a line in the
// text is a blank, a line break or a zero, never a letter.
bool StartsWithKeyword(std::string_view line, const Keyword& keyword) {
  return MatchKeyword(line.data(), keyword) != nullptr;
}

// Anything but a plain number (a decimal comma, stray text, far exponents)
// goes through the library's lenient parser; a float parse comes first so
// that the value is rounded once, straight to the nearest float.
float Number(std::string_view field) {
  const char* end = field.data() + field.size();
  float narrow = 0;
  const auto [narrowStop, narrowError] = std::from_chars(field.data(), end, narrow);
  if (narrowError == std::errc() && narrowStop == end && std::isfinite(narrow)) return narrow;
  double value = 0;
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  if (error == std::errc() && stop == end && std::isfinite(value)) return static_cast<float>(value);
  return static_cast<float>(StrToFloatDef(std::string(field), 0));
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
  // The next field as a number: a plain one read straight from the line (no
  // number runs past the end of a trimmed line), any other through the
  // lenient parser.
  float NextNumber() {
    const char* end = line_.data() + line_.size();
    const char* stop = line_.data() + at_;
    float value = 0;
    if (ScanPlainDecimal(stop, value) && (stop == end || Blank(*stop) || *stop == ',')) {
      at_ = static_cast<std::size_t>(stop - line_.data());
      SkipSeparator();
      return value;
    }
    return Number(Next());
  }

 private:
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

// The usual lines, read straight from the text: each function takes where
// its line starts and returns where the next one starts, or nullptr (also
// when given nullptr) for a line of another form, which the reading line by
// line then takes, as it does a line without a break after it.

// Blanks and tabs before the keyword, after it and between three plain
// numbers, blanks, tabs and carriage returns after them, then the break.
const char* UsualNumbersLine(const char* p, const Keyword& keyword, TAffineVector& v) {
  if (p) p = MatchKeyword(p, keyword);
  if (!p) return nullptr;
  float* out[3] = {&v.x, &v.y, &v.z};
  for (float* number : out) {
    // Also refuses a keyword with more letters to it.
    const char* start = SkipBlanks(p);
    if (start == p || !ScanPlainDecimal(start, *number)) return nullptr;
    p = start;
  }
  while (Blank(*p) || *p == '\r') ++p;
  return *p == '\n' ? p + 1 : nullptr;
}

// Blanks and tabs before the keyword; anything after it.
const char* UsualKeywordLine(const char* p, const char* end, const Keyword& keyword) {
  if (p) p = MatchKeyword(p, keyword);
  if (!p) return nullptr;
  // Mostly the line ends with the keyword.
  if (*p == '\n') return p + 1;
  const void* lineBreak = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
  return lineBreak ? static_cast<const char*>(lineBreak) + 1 : nullptr;
}

struct Facet {
  TAffineVector normal{};
  TAffineVector corners[3]{};
};

// The text's lines one after another; taking one past the last raises the
// string list's error.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text), at_(text.data()) {}
  bool AtEnd() const { return at_ == End(); }
  // How far into the text the next line starts.
  std::size_t Offset() const { return static_cast<std::size_t>(at_ - text_.data()); }
  // The next line, trimmed.
  std::string_view Next() {
    if (AtEnd()) throw ELibraryError("List index out of bounds (" + std::to_string(index_) + ")");
    const auto* lineBreak = static_cast<const char*>(std::memchr(at_, '\n', static_cast<std::size_t>(End() - at_)));
    const char* end = lineBreak ? lineBreak : End();
    const std::string_view line(at_, static_cast<std::size_t>(end - at_));
    MoveTo(lineBreak ? lineBreak + 1 : End(), 1);
    return Trim(line);
  }
  // Reads the next facet when all seven of its lines have the usual form;
  // false, taking nothing, otherwise.
  bool NextUsualFacet(Facet& facet) {
    const char* p = UsualNumbersLine(at_, kFacetNormal, facet.normal);
    p = UsualKeywordLine(p, End(), kOuterLoop);
    for (TAffineVector& corner : facet.corners) p = UsualNumbersLine(p, kVertex, corner);
    p = UsualKeywordLine(p, End(), kEndLoop);
    p = UsualKeywordLine(p, End(), kEndFacet);
    if (p) MoveTo(p, 7);
    return p != nullptr;
  }

 private:
  const char* End() const { return text_.data() + text_.size(); }
  void MoveTo(const char* next, std::size_t lines) {
    at_ = next;
    index_ += lines;
  }
  std::string_view text_;
  const char* at_;
  std::size_t index_ = 0;
};

bool NextStartsWith(LineCursor& lines, const Keyword& keyword) { return StartsWithKeyword(lines.Next(), keyword); }

TAffineVector ReadVertex(LineCursor& lines) {
  FieldCursor fields(lines.Next());
  if (fields.AtEnd()) throw ELibraryError("Invalid Vertex");
  const std::string_view keyword = fields.Next();
  TAffineVector v{};
  if (keyword.size() != 6 || !StartsWithKeyword(keyword, kVertex) || !ReadNumbers(fields, 0, v))
    throw ELibraryError("Invalid Vertex");
  return v;
}

// One facet of any form, line by line; false at the end of the solid (not
// taken for the first facet).
bool ReadFacet(LineCursor& lines, bool first, TMeshObject& mesh) {
  const std::string_view line = lines.Next();
  if (!first && StartsWithKeyword(line, kEndSolid)) return false;
  // The keyword must be followed by a blank on the line.
  const char* afterKeyword = MatchKeyword(line.data(), kFacetNormal);
  if (!afterKeyword || afterKeyword == line.data() + line.size() || !Blank(*afterKeyword)) {
    // Any other line stands for a facet without corners.
    if (!NextStartsWith(lines, kEndFacet)) throw ELibraryError("End of Facet Not found");
    return true;
  }
  Facet facet;
  FieldCursor fields(line);
  if (!ReadNumbers(fields, 2, facet.normal)) throw ELibraryError("Invalid Normal");
  if (!NextStartsWith(lines, kOuterLoop)) throw ELibraryError("Outer Loop Not Found");
  for (TAffineVector& corner : facet.corners) corner = ReadVertex(lines);
  if (!NextStartsWith(lines, kEndLoop)) throw ELibraryError("End of Loop Not Found");
  AddFacet(mesh, facet.normal, facet.corners[0], facet.corners[1], facet.corners[2]);
  if (!NextStartsWith(lines, kEndFacet)) throw ELibraryError("End of Facet Not found");
  return true;
}

// One pass over the text: a facet of usual lines is read straight from it,
// any other line by line. The lists are reserved for as many facets as the
// first one's length gives, if it is usual: counting the lines would take a
// second pass, and the lists grow as needed anyway.
void ReadASCII(std::string_view text, TMeshObject& mesh) {
  LineCursor lines(text);
  if (lines.AtEnd() || !StartsWithKeyword(lines.Next(), kSolid)) return;
  for (bool first = true;; first = false) {
    Facet facet;
    const std::size_t start = lines.Offset();
    if (lines.NextUsualFacet(facet)) {
      if (first) {
        const int facets = static_cast<int>(
            std::min<std::size_t>(text.size() / (lines.Offset() - start), std::numeric_limits<int>::max() / 3));
        mesh.Vertices().EnsureCapacity(facets * 3);
        mesh.Normals().EnsureCapacity(facets * 3);
      }
      AddFacet(mesh, facet.normal, facet.corners[0], facet.corners[1], facet.corners[2]);
    } else if (!ReadFacet(lines, first, mesh)) {
      return;
    }
  }
}

void PutAffine(char* at, const TAffineVector& v) { std::memcpy(at, &v, sizeof v); }

}  // namespace

void TGLSTLVectorFile::LoadFromStream(TStream& stream) {
  const std::uint64_t start = stream.Position();
  const auto size = static_cast<std::size_t>(stream.Remaining());
  // Read as it lies, without clearing the buffer first; the zeros after it end every scan.
  const auto bytes = std::make_unique_for_overwrite<char[]>(size + kDecimalPadding);
  stream.ReadBuffer(bytes.get(), size);
  std::memset(bytes.get() + size, 0, kDecimalPadding);
  stream.SetPosition(start + size);
  const std::string_view data(bytes.get(), size);
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
