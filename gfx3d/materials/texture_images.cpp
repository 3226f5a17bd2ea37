#include "gfx3d/materials/texture_images.h"

#include <QBuffer>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <utility>
#include <vector>

#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/materials/textures.h"
#include "gfx3d/persistence/data_files.h"
#include "gfx3d/persistence/streams.h"

namespace {

constexpr const char* kUnit = "GLTexture";

std::string CouldNotOpen(const std::string& fileName) {
  char text[1024];
  std::snprintf(text, sizeof text, glsCouldNotOpenFile, fileName.c_str());
  return text;
}

std::vector<std::pair<std::string, TGLTextureImageFactory>>& ImageClasses() {
  static std::vector<std::pair<std::string, TGLTextureImageFactory>> classes;
  return classes;
}

// Whether a bitmap can be made of that many pixels, rows rounded up to 4 pixels
// of 4 bytes, within its 32-bit byte count. Negative and non-finite sizes fail.
bool BitmapCanHold(double width, double height) {
  constexpr double kMaxBytes = std::numeric_limits<std::int32_t>::max();
  if (!(width >= 0 && width <= kMaxBytes && height >= 0 && height <= kMaxBytes)) return false;
  const double columns = std::ceil(std::max(std::trunc(width), 1.0) / 4) * 4;
  return columns * std::max(std::trunc(height), 1.0) * 4 <= kMaxBytes;
}

int FaceIndex(GLenum target) { return static_cast<int>(target) - GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; }

constexpr std::uint16_t kCubeMapFileVersion = 256;
constexpr std::size_t kBitmapFileHeaderSize = 14;
constexpr std::size_t kBitmapInfoHeaderSize = 40;

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void PutLittleEndian32(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::string EncodedPicture(const QImage& picture, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, format)) throw ETexture(std::string("Cannot encode the picture as ") + format);
  return bytes.toStdString();
}

// A bitmap file; an empty picture, which no encoder takes, as a 0 x 0 one.
std::string BitmapFileBytes(const QImage& picture) {
  if (!picture.isNull()) return EncodedPicture(picture, "BMP");
  std::string bytes(kBitmapFileHeaderSize + kBitmapInfoHeaderSize, '\0');
  auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
  data[0] = 'B';
  data[1] = 'M';
  PutLittleEndian32(data + 2, static_cast<std::uint32_t>(bytes.size()));
  PutLittleEndian32(data + 10, static_cast<std::uint32_t>(bytes.size()));
  PutLittleEndian32(data + 14, kBitmapInfoHeaderSize);
  data[26] = 1;   // planes
  data[28] = 24;  // bits per pixel
  return bytes;
}

// One bitmap file from the stream; its header says how long it is.
QImage ReadBitmapFile(TStream& stream) {
  constexpr std::size_t kHeaders = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
  constexpr const char* kNotABitmap = "Cube map file: a face is not a bitmap";
  std::string bytes(kHeaders, '\0');
  stream.ReadBuffer(bytes.data(), kHeaders);
  const auto* header = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::uint32_t size = LittleEndian32(header + 2);
  const bool empty = LittleEndian32(header + 18) == 0 || LittleEndian32(header + 22) == 0;
  if (header[0] != 'B' || header[1] != 'M' || size < kHeaders || size - kHeaders > stream.Remaining())
    throw EReadError(kNotABitmap);
  bytes.resize(size);
  stream.ReadBuffer(bytes.data() + kHeaders, size - kHeaders);
  if (empty) return {};
  QImage picture;
  if (!picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP"))
    throw EReadError(kNotABitmap);
  return picture;
}

}  // namespace

TGLTextureImage::TGLTextureImage(TPersistent* owner)
    : TGLUpdateAbleObject(owner), owner_texture_(dynamic_cast<TGLTexture*>(owner)) {}

void TGLTextureImage::SaveToFile(const std::string&) {}
void TGLTextureImage::LoadFromFile(const std::string&) {}

void TGLTextureImage::Invalidate() {
  ReleaseBitmap32();
  if (owner_texture_) owner_texture_->NotifyImageChange();
  NotifyChange(this);
}

std::string TGLTextureImage::NeededFileName(const std::string& fileName) {
  std::string name = fileName;
  if (OnTextureNeeded) OnTextureNeeded(this, name);
  return name;
}

void TGLBlankImage::Assign(const TPersistent* source) {
  if (auto* blank = dynamic_cast<const TGLBlankImage*>(source)) {
    width_ = blank->width_;
    height_ = blank->height_;
    Invalidate();
  } else {
    TGLTextureImage::Assign(source);
  }
}

void TGLBlankImage::SetWidth(int width) {
  width = std::max(width, 1);
  if (width == width_) return;
  width_ = width;
  Invalidate();
}

void TGLBlankImage::SetHeight(int height) {
  height = std::max(height, 1);
  if (height == height_) return;
  height_ = height;
  Invalidate();
}

TGLBitmap32* TGLBlankImage::GetBitmap32(GLenum) {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TGLBitmap32>();
    bitmap_->SetWidth(width_);
    bitmap_->SetHeight(height_);
  }
  return bitmap_.get();
}

void TGLBlankImage::SaveToFile(const std::string& fileName) {
  SaveStringToFile(fileName,
                   "[BlankImage]\r\nWidth=" + std::to_string(width_) + "\r\nHeight=" + std::to_string(height_));
}

void TGLBlankImage::LoadFromFile(const std::string& fileName) {
  const std::string name = NeededFileName(fileName);
  std::istringstream text(LoadStringFromFile(name));
  double width = width_, height = height_;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const double value = StrToFloatDef(line.substr(equals + 1), 0);
    if (line.compare(0, equals, "Width") == 0) width = value;
    if (line.compare(0, equals, "Height") == 0) height = value;
  }
  if (!BitmapCanHold(width, height)) throw ETexture("Blank image file " + name + ": no texture has that size");
  SetWidth(static_cast<int>(width));
  SetHeight(static_cast<int>(height));
}

void TGLPictureImage::Assign(const TPersistent* source) {
  if (auto* image = dynamic_cast<const TGLPictureImage*>(source)) {
    SetPicture(const_cast<TGLPictureImage*>(image)->Picture());
  } else if (auto* picture = dynamic_cast<const TGLPictureSource*>(source)) {
    SetPicture(picture->Picture());
  } else {
    TGLTextureImage::Assign(source);
  }
}

void TGLPictureImage::SetPicture(const QImage& picture) {
  picture_ = picture;
  Invalidate();
}

TGLBitmap32* TGLPictureImage::GetBitmap32(GLenum) {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TGLBitmap32>();
    bitmap_->Assign(Picture());
  }
  return bitmap_.get();
}

void TGLPersistentImage::LoadFromFile(const std::string& fileName) {
  const std::string name = NeededFileName(fileName);
  std::unique_ptr<QImage> picture = CreateGraphicFromFile(name);
  if (!picture) throw ETexture(CouldNotOpen(name));
  SetPicture(*picture);
}

void TGLPersistentImage::SaveToFile(const std::string& fileName) {
  // The name's extension picks the format, as when the picture was loaded.
  const QByteArray format = QFileInfo(QString::fromStdString(fileName)).suffix().toLatin1();
  SaveStringToFile(fileName, EncodedPicture(picture_, format.constData()));
}

void TGLPersistentImage::DefineProperties(TPropertyDefiner& definer) {
  TGLPictureImage::DefineProperties(definer);
  definer.DefineBinaryProperty(
      "Picture.Data", [this](TStream& stream) { ReadPictureData(stream); },
      [this](TStream& stream) { WritePictureData(stream); }, !picture_.isNull());
}

void TGLPersistentImage::WritePictureData(TStream& stream) const {
  // BMP keeps no alpha, PNG does.
  const std::string format = picture_.hasAlphaChannel() ? "PNG" : "BMP";
  const std::string bytes = EncodedPicture(picture_, format.c_str());
  const auto format_length = static_cast<std::uint8_t>(format.size());
  std::uint8_t size[4];
  PutLittleEndian32(size, static_cast<std::uint32_t>(bytes.size()));
  stream.WriteBuffer(&format_length, 1);
  stream.WriteBuffer(format.data(), format.size());
  stream.WriteBuffer(size, sizeof size);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

void TGLPersistentImage::ReadPictureData(TStream& stream) {
  std::uint8_t format_length = 0;
  stream.ReadBuffer(&format_length, 1);
  std::string format(format_length, '\0');
  stream.ReadBuffer(format.data(), format.size());
  std::uint8_t size_bytes[4];
  stream.ReadBuffer(size_bytes, sizeof size_bytes);
  const std::uint32_t size = LittleEndian32(size_bytes);
  if (size > stream.Remaining()) throw EReadError("Persistent image: the picture data is cut short");
  std::string bytes(size, '\0');
  stream.ReadBuffer(bytes.data(), bytes.size());
  QImage picture;
  if (!picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                            format.c_str()))
    throw EReadError("Persistent image: unreadable " + format + " picture data");
  SetPicture(picture);
}

void TGLPicFileImage::Assign(const TPersistent* source) {
  if (auto* image = dynamic_cast<const TGLPicFileImage*>(source))
    SetPictureFileName(image->file_name_);
  else
    TGLPictureImage::Assign(source);
}

void TGLPicFileImage::SetPictureFileName(const std::string& fileName) {
  if (fileName == file_name_) return;
  file_name_ = fileName;
  picture_ = QImage();
  load_tried_ = false;
  failure_reported_ = false;
  Invalidate();
}

const QImage& TGLPicFileImage::Picture() {
  if (load_tried_ || file_name_.empty()) return picture_;
  load_tried_ = true;
  const std::string name = NeededFileName(file_name_);
  if (std::unique_ptr<QImage> picture = CreateGraphicFromFile(name)) {
    picture_ = *picture;
  } else if (!failure_reported_) {
    // Reported once; later renders go on without the picture.
    failure_reported_ = true;
    Assert(false, kUnit, 0, CouldNotOpen(name));
  }
  return picture_;
}

int TGLPicFileImage::GetWidth() const { return const_cast<TGLPicFileImage*>(this)->Picture().width(); }
int TGLPicFileImage::GetHeight() const { return const_cast<TGLPicFileImage*>(this)->Picture().height(); }

TGLBitmap32* TGLPicFileImage::GetBitmap32(GLenum target) {
  Picture();
  return TGLPictureImage::GetBitmap32(target);
}

void TGLCubeMapImage::Assign(const TPersistent* source) {
  if (auto* cube = dynamic_cast<const TGLCubeMapImage*>(source)) {
    faces_ = cube->faces_;
    Invalidate();
  } else {
    TGLTextureImage::Assign(source);
  }
}

void TGLCubeMapImage::SetPicture(GLenum target, const QImage& picture) {
  faces_[static_cast<std::size_t>(FaceIndex(target))] = picture;
  Invalidate();
}

const QImage& TGLCubeMapImage::Picture(GLenum target) const {
  return faces_[static_cast<std::size_t>(FaceIndex(target))];
}

TGLBitmap32* TGLCubeMapImage::GetBitmap32(GLenum target) {
  bitmap_ = std::make_unique<TGLBitmap32>();
  bitmap_->Assign(Picture(target));
  return bitmap_.get();
}

bool TGLCubeMapImage::FacesMatch() const {
  const int size = faces_[0].width();
  return std::all_of(faces_.begin(), faces_.end(),
                     [&](const QImage& face) { return face.width() == size && face.height() == size; });
}

void TGLCubeMapImage::SaveToFile(const std::string& fileName) {
  const std::unique_ptr<TStream> stream = OpenFileStream(fileName, fmCreate);
  const std::uint8_t version[2] = {kCubeMapFileVersion & 0xFF, kCubeMapFileVersion >> 8};
  stream->WriteBuffer(version, sizeof version);
  for (const QImage& face : faces_) {
    const std::string bytes = BitmapFileBytes(face);
    stream->WriteBuffer(bytes.data(), bytes.size());
  }
  stream->Commit();
}

void TGLCubeMapImage::LoadFromFile(const std::string& fileName) {
  const std::unique_ptr<TStream> stream = OpenFileStream(NeededFileName(fileName), fmOpenRead);
  std::uint8_t version[2];
  stream->ReadBuffer(version, sizeof version);
  Assert((version[0] | version[1] << 8) == kCubeMapFileVersion, kUnit, __LINE__, "Unknown cube map file version");
  std::array<QImage, 6> faces;
  for (QImage& face : faces) face = ReadBitmapFile(*stream);
  faces_ = std::move(faces);
  Invalidate();
}

void RegisterGLTextureImageClass(const std::string& name, TGLTextureImageFactory factory) {
  ImageClasses().emplace_back(name, std::move(factory));
}

const TGLTextureImageFactory* FindGLTextureImageClass(const std::string& name) {
  for (const auto& [class_name, factory] : ImageClasses())
    if (class_name == name) return &factory;
  return nullptr;
}

void RegisterGLTextureImageClasses() {
  if (!ImageClasses().empty()) return;
  RegisterGLTextureImageClass("TGLBlankImage", [](TPersistent* o) { return std::make_unique<TGLBlankImage>(o); });
  RegisterGLTextureImageClass("TGLPersistentImage",
                              [](TPersistent* o) { return std::make_unique<TGLPersistentImage>(o); });
  RegisterGLTextureImageClass("TGLPicFileImage", [](TPersistent* o) { return std::make_unique<TGLPicFileImage>(o); });
  RegisterGLTextureImageClass("TGLCubeMapImage", [](TPersistent* o) { return std::make_unique<TGLCubeMapImage>(o); });
  RegisterGLTextureImageClass("TGLFloatDataImage",
                              [](TPersistent* o) { return std::make_unique<TGLFloatDataImage>(o); });
}
