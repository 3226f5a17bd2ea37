// Reading and writing STL: both forms, the facing rule, malformed and forged
// files, and the written file checked by admesh.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "../output/external_tool.h"
#include "gfx3d/platform_utilities.h"
#include "gfx3d/streams.h"
#include "scene3d/base_mesh.h"
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
