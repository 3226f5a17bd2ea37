// Pictures of texture images kept outside memory: the persistent image's
// picture in its owner's streamed properties, cube maps in their own files.
#include "gfx3d/materials/texture_images.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gfx3d/materials/textures.h"
#include "gfx3d/persistence/streams.h"
#include "gfx3d_fixture.h"
#include "output/external_tool.h"
#include "support/temp_dir.h"

namespace {

using TextureImages = Gfx3DTest;

// The one binary property an image defines, written as the form writer would.
struct DefinedProperty : TPropertyDefiner {
  void DefineBinaryProperty(const std::string& definedName, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool hasData) override {
    name = definedName;
    reader = read;
    stored = hasData;
    if (hasData) write(data);
  }
  std::string name;
  std::function<void(TStream&)> reader;
  bool stored = false;
  TStringStream data;
};

// The picture a persistent image gets back from bytes of its property.
QImage ReadBack(const std::string& bytes) {
  TGLPersistentImage image(nullptr);
  DefinedProperty property;
  image.DefineProperties(property);
  TStringStream stream(bytes);
  property.reader(stream);
  EXPECT_EQ(stream.Remaining(), 0u);
  return image.Picture();
}

QImage Filled(int size, QRgb color, QImage::Format format = QImage::Format_RGB32) {
  QImage picture(size, size, format);
  picture.fill(color);
  return picture;
}

constexpr QRgb kFaceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};

GLenum Face(int index) { return GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB + static_cast<GLenum>(index); }

}  // namespace

TEST_F(TextureImages, APersistentPictureTravelsWithItsOwnerAndKeepsItsAlpha) {
  struct Case {
    QImage picture;
    const char* tag;
  };
  QImage opaque = Filled(3, 0xFF204080);
  opaque.setPixel(0, 0, 0xFF00FF00);
  QImage translucent = Filled(3, 0x80FF0000, QImage::Format_ARGB32);
  translucent.setPixel(2, 1, 0x00000000);
  for (const Case& c : {Case{opaque, "\3BMP"}, Case{translucent, "\3PNG"}}) {
    TGLPersistentImage image(nullptr);
    image.SetPicture(c.picture);
    DefinedProperty property;
    image.DefineProperties(property);
    EXPECT_EQ(property.name, "Picture.Data");
    ASSERT_TRUE(property.stored);
    EXPECT_EQ(property.data.DataString().substr(0, 4), c.tag);
    const QImage back = ReadBack(property.data.DataString());
    ASSERT_EQ(back.size(), c.picture.size()) << c.tag;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(back.pixel(x, y), c.picture.pixel(x, y)) << c.tag << " " << x << "," << y;
  }

  TGLPersistentImage empty(nullptr);
  DefinedProperty nothing;
  empty.DefineProperties(nothing);
  EXPECT_FALSE(nothing.stored);
  EXPECT_EQ(nothing.data.Size(), 0u);
}

TEST_F(TextureImages, ABrokenPictureInTheStreamRaisesAndKeepsTheOldPicture) {
  TGLPersistentImage source(nullptr);
  source.SetPicture(Filled(2, 0xFF102030));
  DefinedProperty property;
  source.DefineProperties(property);
  const std::string good = property.data.DataString();

  for (const std::string& bad :
       {good.substr(0, good.size() - 1), good.substr(0, 6), good.substr(0, 8) + std::string(good.size() - 8, 'x')}) {
    TGLTexture texture(nullptr);
    auto& image = static_cast<TGLPersistentImage&>(texture.Image());
    image.SetPicture(Filled(1, 0xFFFFFFFF));
    DefinedProperty target;
    image.DefineProperties(target);
    TStringStream stream(bad);
    EXPECT_THROW(target.reader(stream), EReadError);
    EXPECT_EQ(image.Picture().size(), QSize(1, 1));
  }
}

TEST_F(TextureImages, ACubeMapFileHoldsTheSixFacesInOrderAndAnEmptyFaceStaysEmpty) {
  TempDir folder;
  TGLCubeMapImage written(nullptr);
  for (int i = 0; i < 5; ++i) written.SetPicture(Face(i), Filled(4, kFaceColours[i]));
  written.SaveToFile(folder.file("sky.cube"));
  const std::string bytes = folder.read("sky.cube");
  ASSERT_GT(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\0\1BM", 4)) << "version 256, then the first bitmap";

  TGLCubeMapImage read(nullptr);
  read.SetPicture(Face(5), Filled(8, 0xFF000000));
  std::string offered;
  read.OnTextureNeeded = [&](TObject*, std::string& name) {
    offered = name;
    name = folder.file("sky.cube");
  };
  read.LoadFromFile("asked-for.cube");
  EXPECT_EQ(offered, "asked-for.cube");
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(read.Picture(Face(i)).size(), QSize(4, 4)) << i;
    EXPECT_EQ(read.Picture(Face(i)).pixel(1, 2), kFaceColours[i]) << i;
  }
  EXPECT_TRUE(read.Picture(Face(5)).isNull());

  // Each face on its own is a bitmap file another program reads.
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/identify");
  std::size_t offset = 2;
  for (int i = 0; i < 5; ++i) {
    const auto* size = reinterpret_cast<const unsigned char*>(bytes.data() + offset + 2);
    const std::size_t length = size[0] | size[1] << 8 | size[2] << 16 | static_cast<std::size_t>(size[3]) << 24;
    const std::string face = folder.write("face.bmp", bytes.substr(offset, length));
    offset += length;
    const ToolResult seen =
        run_tool("/usr/bin/identify",
                 {"-format", "%w %h %[fx:int(255*p{1,2}.r)],%[fx:int(255*p{1,2}.g)],%[fx:int(255*p{1,2}.b)]", face});
    const QRgb c = kFaceColours[i];
    EXPECT_EQ(seen.output,
              "4 4 " + std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," + std::to_string(qBlue(c)))
        << "face " << i;
  }
}

TEST_F(TextureImages, AnUnknownVersionOrACutCubeMapFileChangesNoFace) {
  TempDir folder;
  TGLCubeMapImage source(nullptr);
  for (int i = 0; i < 6; ++i) source.SetPicture(Face(i), Filled(2, kFaceColours[i]));
  source.SaveToFile(folder.file("good.cube"));
  std::string good = folder.read("good.cube");
  std::string newer = good;
  newer[0] = 1;

  TGLCubeMapImage image(nullptr);
  image.SetPicture(Face(0), Filled(1, 0xFFFFFFFF));
  EXPECT_THROW(image.LoadFromFile(folder.write("newer.cube", newer)), EAssertionFailed);
  EXPECT_THROW(image.LoadFromFile(folder.write("cut.cube", good.substr(0, good.size() - 3))), EReadError);
  EXPECT_THROW(image.LoadFromFile(folder.write("header.cube", good.substr(0, 30))), EReadError);
  EXPECT_THROW(image.LoadFromFile(folder.file("missing.cube")), ELibraryError);
  EXPECT_EQ(image.Picture(Face(0)).size(), QSize(1, 1));
  EXPECT_TRUE(image.Picture(Face(1)).isNull());
}

TEST_F(TextureImages, APersistentPictureSavesByItsExtensionAndAFailedSaveKeepsTheOldFile) {
  TempDir folder;
  TGLPersistentImage image(nullptr);
  image.SetPicture(Filled(2, 0xFF336699));
  image.SaveToFile(folder.file("picture.png"));
  TGLPersistentImage loaded(nullptr);
  loaded.LoadFromFile(folder.file("picture.png"));
  EXPECT_EQ(loaded.Picture().pixel(1, 1), 0xFF336699u);

  const std::string old = folder.write("kept.xyz", "old contents");
  EXPECT_THROW(image.SaveToFile(old), ETexture) << "no format has that extension";
  EXPECT_EQ(folder.read("kept.xyz"), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2) << "no temporary file left";
}

// A blank image file gives the size. One no texture can have, beyond what the
// bitmap's 32-bit byte count holds, negative or not a number, is refused whole.
TEST_F(TextureImages, ABlankImageFileRefusesASizeNoTextureCanHave) {
  TempDir folder;
  const auto file = [&](const std::string& lines) { return folder.write("image.blank", "[BlankImage]\r\n" + lines); };
  TGLBlankImage image(nullptr);
  image.LoadFromFile(file("Width=62\r\nHeight=32\r\n"));
  EXPECT_EQ(image.GetWidth(), 62);
  EXPECT_EQ(image.GetHeight(), 32);
  struct Case {
    const char* what;
    std::string lines;
  };
  const std::string overflowTimesNothing = "1" + std::string(5000, '0') + "e-5000";
  for (const Case& c :
       {Case{"1e20 wide", "Width=1e20"}, Case{"negative", "Height=-5"}, Case{"infinite", "Width=1e400"},
        Case{"not a number", "Height=" + overflowTimesNothing}, Case{"2 GiB of pixels", "Width=16384\r\nHeight=32768"},
        Case{"a sound width before a bad height", "Width=16\r\nHeight=-1"}}) {
    EXPECT_THROW(image.LoadFromFile(file(c.lines)), ETexture) << c.what;
    EXPECT_EQ(image.GetWidth(), 62) << c.what;
    EXPECT_EQ(image.GetHeight(), 32) << c.what;
  }
  image.LoadFromFile(file("Width=16384\r\nHeight=32767"));
  EXPECT_EQ(image.GetWidth(), 16384) << "just under 2 GiB";
  EXPECT_EQ(image.GetHeight(), 32767);
}
