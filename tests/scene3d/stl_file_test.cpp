// Reading and writing STL: both forms, the facing rule, malformed and forged
// files, and the written file checked by admesh.
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../output/external_tool.h"
#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene_fixture.h"
#include "support/stl_samples.h"
#include "support/temp_dir.h"

namespace {

// The first number after "<label> :" in admesh's report, -1 when missing.
int AdmeshFigure(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) return -1;
  std::istringstream line(report.substr(report.find(':', at) + 1));
  int figure = -1;
  line >> figure;
  return figure;
}

bool Same(const TAffineVector& a, const TAffineVector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

class StlFile : public SceneTest {
 protected:
  // Loads bytes as "part.stl" into a fresh free form; returns its mesh object count.
  int Load(const std::string& bytes) {
    TStringStream stream(bytes);
    mesh.LoadMeshFromStream("part.stl", stream);
    return mesh.MeshObjects().Count();
  }
  const TMeshObject& First() const { return mesh.MeshObjects().Item(0); }
  TGLFreeForm mesh{nullptr};
};

TEST_F(StlFile, BinaryAndAsciiCubesLoadAlike) {
  for (const std::string& bytes : {BinaryStl(CubeFacets(2)), AsciiStl(CubeFacets(2))}) {
    ASSERT_EQ(Load(bytes), 1);
    EXPECT_EQ(First().Mode, moTriangles);
    EXPECT_EQ(First().Vertices().Count(), 36);
    EXPECT_EQ(First().Normals().Count(), 36);
    EXPECT_EQ(First().TriangleCount(), 12);
    // True normals keep the corner order.
    EXPECT_EQ(First().Vertices().GetItem(0).z, -1);
    EXPECT_EQ(First().Vertices().GetItem(1).y, 1);
  }
}

TEST_F(StlFile, ZeroOrOpposedNormalsReverseTheCorners) {
  auto facets = CubeFacets(2, true);
  ASSERT_EQ(Load(BinaryStl(facets)), 1);
  const auto corners = facets[0].corners;
  EXPECT_EQ(First().Vertices().GetItem(0).y, corners[2][1]);
  EXPECT_EQ(First().Vertices().GetItem(2).y, corners[0][1]);
  EXPECT_EQ(First().Normals().GetItem(0).z, 0);
  facets = CubeFacets(2);
  facets[0].normal = {0, 0, 1};  // against the winding
  ASSERT_EQ(Load(BinaryStl(facets)), 1);
  EXPECT_EQ(First().Vertices().GetItem(0).y, corners[2][1]);
  EXPECT_EQ(First().Normals().GetItem(0).z, 1);
}

TEST_F(StlFile, FormDetectionAndAsciiTokens) {
  // A first line longer than 80 characters reads as binary: its "count" is far beyond the file.
  EXPECT_EQ(Load("solid " + std::string(90, 'x') + "\nendsolid\n"), 0);
  // A line break in a binary header makes it ASCII without "SOLID": an empty mesh object.
  std::string binary = BinaryStl(CubeFacets(2));
  binary[10] = '\n';
  ASSERT_EQ(Load(binary), 1);
  EXPECT_EQ(First().Vertices().Count(), 0);
  // Upper case, tabs, runs of blanks and commas.
  ASSERT_EQ(Load("SOLID x\r\nFACET  NORMAL 0,0,1\r\nOUTER\tLOOP\r\nVERTEX  0 0 0\r\nvertex 1,0,0\r\n"
                 "Vertex \"0\" 1 0\r\nENDLOOP\r\nENDFACET\r\nENDSOLID\r\n"),
            1);
  EXPECT_EQ(First().Vertices().GetItem(2).y, 1);
  EXPECT_EQ(First().Normals().GetItem(0).z, 1);
}

TEST_F(StlFile, AsciiNumbersAndFieldsAtTheirEdges) {
  // Exponents, a decimal comma in quotes, a stray word read as 0, no break after the last line.
  ASSERT_EQ(Load("solid\nfacet normal 0 0 1e0\nouter loop\nvertex \"0,5\" 0 0\nvertex 1 0 x\n"
                 "vertex 0, 1.5E+0, 0,\nendloop\nendfacet\nendsolid"),
            1);
  EXPECT_EQ(First().Vertices().GetItem(0).x, 0.5f);
  EXPECT_EQ(First().Vertices().GetItem(1).z, 0.0f);
  EXPECT_EQ(First().Vertices().GetItem(2).y, 1.5f);
  EXPECT_EQ(First().Normals().GetItem(2).z, 1.0f);
  // A field too many or too few, an empty field between two commas, or a longer keyword: nothing.
  for (const char* corner : {"vertex 0 1 0 0", "vertex 0 1", "vertex 0,,1,0", "vertexes 0 1 0", "\"vertex 0 1 0"}) {
    const std::string text = std::string("solid\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n") +
                             corner + "\nendloop\nendfacet\nendsolid\n";
    EXPECT_EQ(Load(text), 0) << corner;
  }
}

// Numbers read on the quick path round exactly as a full parse does; the
// others (too many digits, far exponents, words) take the full parse.
TEST_F(StlFile, AsciiNumbersReadAsAFullParseReadsThem) {
  const std::vector<std::string> numbers = {"0.1",
                                            "-0.3",
                                            "123456.789",
                                            "16777217",
                                            "0.000001",
                                            "-0",
                                            "1e22",
                                            "1e23",
                                            "9007199254740993",
                                            "3.4028235e38",
                                            "1.17549435e-38",
                                            "7e-30",
                                            ".5",
                                            "5.",
                                            "0.30000000000000004441",
                                            "1e",
                                            "+2",
                                            "-.25E+1",
                                            "x",
                                            "2.5e0001"};
  std::string text = "solid\n";
  for (const std::string& number : numbers)
    text +=
        "facet normal " + number + " 0 0\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\n";
  ASSERT_EQ(Load(text + "endsolid\n"), 1);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    char* stop = nullptr;
    const double full = std::strtod(numbers[i].c_str(), &stop);
    const float expected = *stop == '\0' ? static_cast<float>(full) : static_cast<float>(StrToFloatDef(numbers[i], 0));
    EXPECT_EQ(First().Normals().GetItem(static_cast<int>(3 * i)).x, expected) << numbers[i];
  }
}

// Every number rounds once, straight to the nearest float: near a point halfway
// between two floats a parse to double first can land on that point and then
// round the wrong way. Runs of digits around eight long are read in blocks,
// plainly separated or with commas, up to the end of the text.
TEST_F(StlFile, AsciiNumbersRoundOnceToTheNearestFloat) {
  const std::vector<std::string> numbers = {"1.000000281692337e-6",
                                            "1000000281692337e-21",
                                            "-1.000000281692337e-6",
                                            "1.000000059604644776",
                                            "1.0000000596046448",
                                            "1234567",
                                            "12345678",
                                            "123456789",
                                            "-1234567.8",
                                            "12345678.12345678",
                                            "1234567812345678",
                                            "12345678123456789",
                                            "0.00000001",
                                            "99999999.9999999e-7"};
  for (const char* separator : {" ", ", "}) {
    std::string text = "solid\n";
    for (const std::string& number : numbers)
      text += "facet normal " + number + separator + "0" + separator + number + "\nouter loop\nvertex 0 0 " + number +
              "\nvertex 1 0 " + number + "\nvertex 0 1 " + number + "\nendloop\nendfacet\n";
    ASSERT_EQ(Load(text + "endsolid"), 1) << separator;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      const float expected = std::strtof(numbers[i].c_str(), nullptr);
      const int corner = static_cast<int>(3 * i);
      EXPECT_EQ(First().Normals().GetItem(corner).x, expected) << numbers[i];
      EXPECT_EQ(First().Normals().GetItem(corner).z, expected) << numbers[i];
      EXPECT_EQ(First().Vertices().GetItem(corner).z, expected) << numbers[i];
    }
  }
}

// The usual lines are read straight from the text, any others line by line;
// a carriage return before each line sends a file the second way. Upper case,
// tabs, trailing blanks and CR LF breaks are usual too.
TEST_F(StlFile, UsualAndUnusualLineFormsReadAlike) {
  const auto file = [](const std::string& before, const std::string& after, bool upper) {
    const std::vector<std::string> lines = {"solid x",
                                            "facet normal 0.1 -2.5e3 123456789.125",
                                            "outer loop",
                                            "vertex 1 2 3",
                                            "vertex -4 5.5 6e-1",
                                            "vertex 7 8.25 .5",
                                            "endloop",
                                            "endfacet",
                                            "endsolid x"};
    std::string text;
    for (std::string line : lines) {
      if (upper)
        for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      text += before + line + after;
    }
    return text;
  };
  const auto corners = [this] {
    std::vector<TAffineVector> read;
    for (int i = 0; i < 3; ++i) read.insert(read.end(), {First().Vertices().GetItem(i), First().Normals().GetItem(i)});
    return read;
  };
  ASSERT_EQ(Load(file("", "\n", false)), 1);
  const std::vector<TAffineVector> usual = corners();
  for (const std::string& text : {file("\r", "\n", false), file(" \t", " \t\r\n", true), file("\r ", "\r\n", true)}) {
    ASSERT_EQ(Load(text), 1);
    const std::vector<TAffineVector> read = corners();
    for (std::size_t i = 0; i < read.size(); ++i) EXPECT_TRUE(Same(read[i], usual[i])) << i;
  }
}

// Every cut of a file either still holds its last line and loads whole, or loads nothing.
TEST_F(StlFile, EveryCutOfAnAsciiFileLoadsWholeOrNothing) {
  const std::string text = AsciiStl(CubeFacets(2));
  for (std::size_t size = 0; size <= text.size(); ++size) {
    const std::string cut = text.substr(0, size);
    const bool whole = cut.find("endsolid") != std::string::npos;
    ASSERT_EQ(Load(cut), whole ? 1 : 0) << size;
    if (whole) {
      EXPECT_EQ(First().TriangleCount(), 12);
    }
  }
}

// The float a correct parse gives for a number written out whole.
float ParsedFloat(const std::string& number) {
  float value = 0;
  const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  EXPECT_TRUE(error == std::errc() && stop == number.data() + number.size()) << number;
  return value;
}

// One facet whose normal and every corner's z hold the number, either in the
// usual lines or, with a carriage return before each line, read line by line.
std::string FacetHolding(const std::string& number, bool usual) {
  const std::string before = usual ? "" : "\r";
  return before + "facet normal " + number + " 0 " + number + "\n" + before + "outer loop\n" + before + "vertex 0 0 " +
         number + "\n" + before + "vertex 1 0 " + number + "\n" + before + "vertex 0 1 " + number + "\n" + before +
         "endloop\n" + before + "endfacet\n";
}

class StlNumbers : public StlFile {
 protected:
  // Reads one facet per number, in both line forms, and expects every value
  // read to be the given one. The values are taken as read, before a load
  // centres the mesh (which turns -0 into 0).
  void ExpectRead(const std::vector<std::string>& numbers, const std::function<float(const std::string&)>& expected) {
    for (bool usual : {true, false}) {
      std::string text = "solid\n";
      for (const std::string& number : numbers) text += FacetHolding(number, usual);
      TGLFreeForm form(nullptr);
      TStringStream stream(text + "endsolid\n");
      form.AddMeshDataFromStream("part.stl", stream);
      ASSERT_EQ(form.MeshObjects().Count(), 1);
      const TMeshObject& read = form.MeshObjects().Item(0);
      for (std::size_t i = 0; i < numbers.size(); ++i) {
        const float want = expected(numbers[i]);
        const int corner = static_cast<int>(3 * i);
        for (float value : {read.Normals().GetItem(corner).x, read.Normals().GetItem(corner).z,
                            read.Vertices().GetItem(corner).z, read.Vertices().GetItem(corner + 2).z})
          EXPECT_EQ(std::bit_cast<std::uint32_t>(value), std::bit_cast<std::uint32_t>(want))
              << numbers[i] << (usual ? " in the usual lines" : " line by line");
      }
    }
  }
};

// Numbers a float or a double holds exactly and the first ones beyond, with
// powers of ten up to 22 either way and beyond; points halfway between two
// floats, which round to the even one, and the numbers just off them.
TEST_F(StlNumbers, NumbersAtTheEdgesOfTheQuickReadingRoundAsAFloatParse) {
  ExpectRead({"16777216", "16777217", "16777219", "-16777215e-10", "16777216e10", "16777217e10", "16777216e-10",
              "16777216e11", "1e10", "1e11", "1e-10", "3e-11", "9007199254740992", "9007199254740993",
              "9007199254740992e-22", "9007199254740993e-22", "1e22", "1e-22", "1e23", "1.5e-23", "1234567890123456789",
              "12345678901234567890", "0.0000000000000000000001", "00000000000000000001.5", "-0.0", "0e22",
              "1.00000005960464477539062500", "1.000000059604644775390625001", "1.000000059604644775390624999",
              "0.30000001192092895507812500", "33554435", "4.00000023841857910156250",
              // Eight characters or fewer, nine, fifteen digits, sixteen, with the point anywhere.
              "1234567.", ".1234567", "12345678", "-12345678", "1234567.8", ".12345678", "12345678.", "123456789012345",
              "12345678901234.5", ".123456789012345", "1234567890123456", "1.23456789012345", "0.000000000000001",
              "123456789012345.6789",
              // Points halfway between two floats written with a power that a double only nears.
              "6.37895825000e+06", "6.4051970703125e+04", "5.93569525000e+06", "-1.66372481250e+06"},
             ParsedFloat);
}

// Exponents in every written form, and mantissas longer than any quick
// reading takes.
TEST_F(StlNumbers, ExponentsAndLongMantissasRoundAsAFloatParse) {
  ExpectRead({"1e0", "1E+0", "1e-0", "2.5e0001", "-7.25E-3", "1e0000000000000000000000001", "5.e2", ".5e-2",
              "1234.5678e-4", "3.14159265358979323846264338327950288", "0.1000000000000000055511151231257827",
              "123456789012345678901234567890e-25", "0.00000000000000000000000000001e29",
              "2.718281828459045235360287471352662497757247093699959574966967627724076630353547594571382178525166427"},
             ParsedFloat);
}

// Thousands of numbers of every length of whole and fraction digits, with
// and without exponents, each read as a float parse reads it.
TEST_F(StlNumbers, GeneratedPlainNumbersRoundAsAFloatParse) {
  std::mt19937 random(7);
  const auto digits = [&random](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  std::vector<std::string> numbers;
  for (int i = 0; i < 3000; ++i) {
    std::string number = (random() % 3 == 0 ? "-" : "") + digits(1 + static_cast<int>(random() % 12));
    if (random() % 4 != 0) number += "." + digits(static_cast<int>(random() % 14));
    // Exponents that keep every value among the normal floats.
    if (random() % 3 == 0) number += (random() % 2 ? "e-" : "e") + std::to_string(random() % 26);
    numbers.push_back(number);
  }
  ExpectRead(numbers, ParsedFloat);
}

// A damaged number is read by the lenient parser, as it would be in any
// other line; it never runs into the next field or line.
TEST_F(StlNumbers, DamagedNumbersReadAsTheLenientParserReadsThem) {
  ExpectRead({"1e", "1e+", "1E-x", "--1", "-", ".", "-.", "1..2", "1.2.3", "e5", "1e5x", "0x10", "1-2", "12345678x",
              "123456789012345678901234567890x", "1e99999999999999999999", "+.5"},
             [](const std::string& number) { return static_cast<float>(StrToFloatDef(number, 0)); });
}

// A zero byte within a line is a stray character, not the end of the text;
// numbers cut off by the end of the text, of every length, read nothing
// beyond it (the sanitizer build checks) and leave the file incomplete.
TEST_F(StlFile, ZeroBytesAndNumbersCutByTheEndOfTheText) {
  const std::string head = "solid\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n";
  constexpr char kRest[] = "vertex 0 1 2\0\nendloop\nendfacet\nendsolid\n";
  ASSERT_EQ(Load(head + std::string(kRest, sizeof kRest - 1)), 1);
  EXPECT_EQ(First().Vertices().GetItem(2).y, 1.0f);
  EXPECT_EQ(First().Vertices().GetItem(2).z, 0.0f);
  for (const std::string& number : {std::string("1"), std::string("12345678"), std::string("1234567.89012345"),
                                    std::string("1.5e-1"), std::string("1e")})
    for (std::size_t size = 1; size <= number.size(); ++size)
      EXPECT_EQ(Load(head + "vertex 0 1 " + number.substr(0, size)), 0) << number.substr(0, size);
}

TEST_F(StlFile, MalformedFilesLoadNothingAndKeepEarlierMeshes) {
  const std::string good = AsciiStl(CubeFacets(2));
  auto without = [&](const std::string& line) {
    std::string text = good;
    text.erase(text.find(line), line.size());
    return text;
  };
  const std::vector<std::string> malformed = {
      without("endsolid cube\n"),
      without("    outer loop\n"),
      without("    endloop\n"),
      without("  endfacet\n"),
      "solid\nfacet normal 0 0\nouter loop\n",
      "solid\nfacet normal 0 0 1\nouter loop\nvertex 1 2\n",
      [&] {
        std::string text = good;
        return text.insert(text.find("  facet", 20), "\n");  // a blank line between facets
      }(),
      BinaryStl(CubeFacets(2)).substr(0, 84 + 50 * 11),  // cut short
      BinaryStl(CubeFacets(2), 0x7FFFFFFF),              // forged count
      std::string(40, 'x'),                              // under 84 bytes
  };
  for (const std::string& bytes : malformed) {
    TStringStream stream(bytes);
    mesh.AddMeshDataFromStream("part.stl", stream);
    EXPECT_EQ(mesh.MeshObjects().Count(), 0) << bytes.substr(0, 60);
  }
  // A top bit in the count reads no facets but is no error.
  EXPECT_EQ(Load(BinaryStl({}, 0x80000001u)), 1);
  EXPECT_EQ(First().Vertices().Count(), 0);
}

TEST_F(StlFile, MutatedFilesNeverCrash) {
  const std::string base = BinaryStl(CubeFacets(2));
  const std::string text = AsciiStl(CubeFacets(2));
  for (std::size_t i = 0; i < 400; ++i) {
    std::string bytes = i % 2 ? base : text;
    bytes[(i * 7919) % bytes.size()] = static_cast<char>(i * 31);
    bytes.resize(bytes.size() - (i * 13) % bytes.size());
    TStringStream stream(bytes);
    mesh.LoadMeshFromStream("part.stl", stream);
    EXPECT_LE(mesh.MeshObjects().TriangleCount(), 12);
  }
}

TEST_F(StlFile, WriterRoundTripsAndAdmeshAcceptsIt) {
  ASSERT_EQ(Load(BinaryStl(CubeFacets(1000))), 1);
  TempDir folder;
  const std::string path = folder.file("cube.stl");
  mesh.SaveMeshToFile(path);
  const std::string written = folder.read("cube.stl");
  ASSERT_EQ(written.size(), 684u);
  EXPECT_EQ(written.substr(0, 18), "Rackwright STL out");
  EXPECT_EQ(written[18], '\0');
  TGLFreeForm copy(nullptr);
  copy.LoadMeshFromFile(path);
  ASSERT_EQ(copy.MeshObjects().Count(), 1);
  for (int i = 0; i < 36; ++i) {
    EXPECT_TRUE(Same(copy.MeshObjects().Item(0).Vertices().GetItem(i), First().Vertices().GetItem(i))) << i;
    EXPECT_TRUE(Same(copy.MeshObjects().Item(0).Normals().GetItem(i), First().Normals().GetItem(i))) << i;
  }
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/admesh");
  const ToolResult checked = run_tool("/usr/bin/admesh", {path});
  ASSERT_EQ(checked.exit_code, 0) << checked.output;
  EXPECT_EQ(AdmeshFigure(checked.output, "Number of facets"), 12) << checked.output;
  for (const char* zero : {"Backwards edges", "Normals fixed", "Facets reversed", "Total disconnected facets"})
    EXPECT_EQ(AdmeshFigure(checked.output, zero), 0) << zero << "\n" << checked.output;
}

TEST_F(StlFile, DegenerateTrianglesAreWrittenWithAZeroNormal) {
  ASSERT_EQ(Load(BinaryStl({StlFacet{{0, 0, 1}, {{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}}}})), 1);
  TStringStream out;
  mesh.SaveMeshToStream("x.stl", out);
  float normal[3];
  std::memcpy(normal, out.DataString().data() + 84, 12);
  EXPECT_EQ(normal[0], 0);
  EXPECT_EQ(normal[1], 0);
  EXPECT_EQ(normal[2], 0);
}

}  // namespace
