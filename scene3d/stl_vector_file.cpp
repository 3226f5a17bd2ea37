#include "scene3d/stl_vector_file.h"

#include <algorithm>
#include <bit>
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

// How far the keyword (capital letters and blanks) runs at the start of the
// line, ignoring case, or 0 when the line does not start with it; a blank in
// the keyword matches any run of blanks and tabs.
std::size_t KeywordEnd(std::string_view line, std::string_view keyword) {
  std::size_t at = 0;
  for (char k : keyword) {
    if (k == ' ') {
      if (at >= line.size() || (line[at] != ' ' && line[at] != '\t')) return 0;
      while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
      continue;
    }
    // The keywords are letters: setting the lower-case bit folds both cases alike.
    if (at >= line.size() || (line[at++] | 0x20) != (k | 0x20)) return 0;
  }
  return at;
}

bool StartsWithKeyword(std::string_view line, std::string_view keyword) { return KeywordEnd(line, keyword) != 0; }

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

// Whether a double, within two units in its last place of the true value,
// may lie on the other side of a point halfway between two floats than the
// true value; rounding it to a float could then go the wrong way. (The quick
// path's values all lie in the range of normal floats, where a float's last
// place is 2^29 of a double's.)
bool NearFloatMidpoint(double value) {
  constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;
  constexpr std::uint64_t kMargin = 4;
  return ((std::bit_cast<std::uint64_t>(value) & kBelowFloat) - (kMidpoint - kMargin)) <= 2 * kMargin;
}

bool Digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

constexpr std::uint64_t kEveryByte = 0x0101010101010101;

// The value of eight digits, less '0' each, the first in the lowest byte.
std::uint64_t EightDigits(std::uint64_t word) {
  constexpr std::uint64_t kPairs = 0x000000FF000000FF;
  word = word * 10 + (word >> 8);
  return (((word & kPairs) * 0x000F424000000064) + (((word >> 16) & kPairs) * 0x0000271000000001)) >> 32;
}

// Appends the digits at p to digits (which wraps beyond 19 of them; the
// caller refuses those) and returns how many there were. Eight bytes are read
// at once while eight lie before limit; a character that is not a digit at
// or before limit ends the run.
[[gnu::always_inline]] inline std::ptrdiff_t DigitRun(const char*& p, const char* limit, std::uint64_t& digits) {
  static constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
  const char* first = p;
  if constexpr (std::endian::native == std::endian::little) {
    while (limit - p >= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, p, 8);
      // A byte is a digit when its high half is 3 and stays 3 with 6 added.
      const std::uint64_t high = 0xF0 * kEveryByte;
      const std::uint64_t other = ((word & high) | (((word + 6 * kEveryByte) & high) >> 4)) ^ (0x33 * kEveryByte);
      const int run = other ? std::countr_zero(other) / 8 : 8;
      // The digits moved to the top, zeros (as digits) below them.
      if (run > 0) digits = digits * kPowers[run] + EightDigits((word - '0' * kEveryByte) << (8 * (8 - run)));
      p += run;
      if (run < 8) return p - first;
    }
  }
  for (; Digit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
  return p - first;
}

// A number written plainly ("-12.5", "3", "1.5e-3", no more than 19 digits)
// whose digits a double holds exactly and whose power of ten is at most 22
// either way: one multiplication by the nearest double to that power lands
// within two units in the last place of the true value, so the float nearest
// to the product is the float nearest to the number unless the product is
// that close to a point halfway between two floats, which a full parse then
// settles. (A multiplication rather than a division: it is several times
// quicker.) Anything else is left to the full parse. The number must be
// followed by a character that cannot continue it (a blank, a line break,
// the text's final zero), which stops every scan without a bounds check;
// bytes before limit may be read eight at a time. Advances at past the number
// on success.
[[gnu::always_inline]] inline bool PlainNumber(const char*& at, const char* limit, float& value) {
  static constexpr double kPowersOfTen[] = {
      1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
      1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,  1e7,
      1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21, 1e22};
  const char* p = at;
  const bool negative = *p == '-';
  p += negative;
  std::uint64_t digits = 0;
  auto count = DigitRun(p, limit, digits);
  int exponent = 0;
  if (*p == '.') {
    const auto fraction = DigitRun(++p, limit, digits);
    exponent = -static_cast<int>(std::min<std::ptrdiff_t>(fraction, 20));
    count += fraction;
  }
  if (count == 0 || count > 19) return false;
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool below = *p == '-';
    p += *p == '-' || *p == '+';
    if (!Digit(*p)) return false;
    int power = 0;
    for (; Digit(*p) && power < 1000; ++p) power = power * 10 + (*p - '0');
    if (Digit(*p)) return false;
    exponent += below ? -power : power;
  }
  if (digits > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) return false;
  const double magnitude = static_cast<double>(digits) * kPowersOfTen[exponent + 22];
  if (NearFloatMidpoint(magnitude))
    std::from_chars(at, p, value);
  else
    value = static_cast<float>(negative ? -magnitude : magnitude);
  at = p;
  return true;
}

bool Blank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
  while (Blank(*p)) ++p;
  return p;
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
    float value = 0;
    if (PlainNumber(stop, end, value) && (stop == end || Blank(*stop) || *stop == ',')) {
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

// The usual facet or corner line read straight from the text: blanks and tabs
// before the keyword, after it and between three plain numbers, blanks, tabs
// and carriage returns after them, then the line break or the end of the
// text. Returns where the next line starts, or nullptr when the line has
// another form, which the general reading then takes. Every scan stops at the
// text's final zero.
const char* QuickTriple(const char* p, const char* end, std::string_view keyword, TAffineVector& v) {
  p = SkipBlanks(p);
  p += KeywordEnd(std::string_view(p, static_cast<std::size_t>(end - p)), keyword);
  float* out[3] = {&v.x, &v.y, &v.z};
  for (float* number : out) {
    // Also refuses a line without the keyword, or with more to it.
    const char* start = SkipBlanks(p);
    if (start == p || !PlainNumber(start, end, *number)) return nullptr;
    p = start;
  }
  while (Blank(*p) || *p == '\r') ++p;
  if (p == end) return end;
  return *p == '\n' ? p + 1 : nullptr;
}

// The text's lines one after another, trimmed, without keeping them; taking
// one past the last raises the string list's error. The text is a whole
// string, so its final zero ends the last line's numbers.
class LineCursor {
 public:
  explicit LineCursor(const std::string& text) : text_(text) {}
  bool AtEnd() const { return at_ >= text_.size(); }
  // As many lines as Next gives: a last line without a break counts too.
  std::size_t Count() const {
    // In blocks too short to overflow a byte-wide sum, which the compiler turns into vector code.
    constexpr std::size_t kBlock = 255;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text_.size(); at += kBlock) {
      const std::size_t size = std::min(kBlock, text_.size() - at);
      std::uint8_t breaks = 0;
      for (std::size_t i = 0; i < size; ++i) breaks += text_[at + i] == '\n';
      count += breaks;
    }
    return count + (!text_.empty() && text_.back() != '\n');
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
  // Whether the next line starts with the keyword. The usual line, with at
  // most blanks and tabs before the keyword, is matched in the text itself.
  bool NextStartsWith(std::string_view keyword) {
    const char* line = SkipBlanks(Here());
    const std::size_t length = KeywordEnd(std::string_view(line, static_cast<std::size_t>(End() - line)), keyword);
    if (AtEnd() || length == 0) return StartsWithKeyword(Next(), keyword);
    // Mostly the line ends with the keyword.
    const char* rest = line + length;
    const void* lineBreak = *rest == '\n' ? rest : std::memchr(rest, '\n', static_cast<std::size_t>(End() - rest));
    MoveTo(lineBreak ? static_cast<const char*>(lineBreak) + 1 : End());
    return true;
  }
  // Reads the next line in the usual form of the keyword and three plain
  // numbers; false, taking nothing, for any other form or at the end.
  bool NextTriple(std::string_view keyword, TAffineVector& v) {
    if (AtEnd()) return false;
    const char* next = QuickTriple(Here(), End(), keyword, v);
    if (next) MoveTo(next);
    return next != nullptr;
  }

 private:
  const char* Here() const { return text_.data() + std::min(at_, text_.size()); }
  const char* End() const { return text_.data() + text_.size(); }
  void MoveTo(const char* next) {
    at_ = static_cast<std::size_t>(next - text_.data());
    ++index_;
  }
  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t index_ = 0;
};

TAffineVector ReadVertex(LineCursor& lines) {
  TAffineVector v{};
  if (lines.NextTriple("VERTEX", v)) return v;
  FieldCursor fields(lines.Next());
  if (fields.AtEnd()) throw ELibraryError("Invalid Vertex");
  const std::string_view keyword = fields.Next();
  if (keyword.size() != 6 || !StartsWithKeyword(keyword, "VERTEX") || !ReadNumbers(fields, 0, v))
    throw ELibraryError("Invalid Vertex");
  return v;
}

// Lines and fields are views into the text, read as they come and never
// kept; only the reservation looks ahead, counting the line breaks.
void ReadASCII(const std::string& data, TMeshObject& mesh) {
  LineCursor lines(data);
  if (lines.AtEnd() || !StartsWithKeyword(lines.Next(), "SOLID")) return;
  const int facets = static_cast<int>(
      std::min<std::size_t>((std::max<std::size_t>(lines.Count(), 2) - 2) / 7, std::numeric_limits<int>::max() / 3));
  mesh.Vertices().EnsureCapacity(facets * 3);
  mesh.Normals().EnsureCapacity(facets * 3);
  for (bool first = true;; first = false) {
    TAffineVector normal{};
    if (!lines.NextTriple("FACET NORMAL", normal)) {
      const std::string_view line = lines.Next();
      if (!first && StartsWithKeyword(line, "ENDSOLID")) return;
      if (StartsWithKeyword(line, "FACET NORMAL ")) {
        FieldCursor fields(line);
        if (!ReadNumbers(fields, 2, normal)) throw ELibraryError("Invalid Normal");
      } else {
        // Any other line stands for a facet without corners.
        if (!lines.NextStartsWith("ENDFACET")) throw ELibraryError("End of Facet Not found");
        continue;
      }
    }
    if (!lines.NextStartsWith("OUTER LOOP")) throw ELibraryError("Outer Loop Not Found");
    const TAffineVector a = ReadVertex(lines);
    const TAffineVector b = ReadVertex(lines);
    const TAffineVector c = ReadVertex(lines);
    if (!lines.NextStartsWith("ENDLOOP")) throw ELibraryError("End of Loop Not Found");
    AddFacet(mesh, normal, a, b, c);
    if (!lines.NextStartsWith("ENDFACET")) throw ELibraryError("End of Facet Not found");
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
