#include "gfx3d/materials/bitmap32.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/gl/gl_binding.h"

namespace {

constexpr const char* kUnit = "GLGraphics";

constexpr GLenum kRGBAFloat32ATI = 0x8814;
constexpr GLenum kRGBAFloat16ATI = 0x881A;
constexpr GLenum kFloatRGBA16NV = 0x888A;
constexpr GLenum kFloatRGBA32NV = 0x888B;
constexpr GLenum kTextureRectangleNV = 0x84F5;
constexpr GLenum kGenerateMipmapSGIS = 0x8191;

bool IsFloatFormat(GLenum format) {
  return format == kRGBAFloat32ATI || format == kRGBAFloat16ATI || format == kFloatRGBA16NV || format == kFloatRGBA32NV;
}

// Rounds half to even, in the rounding mode the library runs under.
std::uint8_t RoundToByte(double value) { return static_cast<std::uint8_t>(std::nearbyint(value)); }

}  // namespace

void TGLBitmap32::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  data_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
}

void TGLBitmap32::SetWidth(int width) {
  Assert(width >= 0, kUnit, __LINE__, "Negative bitmap width");
  Resize((width + 3) & ~3, height_);
}

void TGLBitmap32::SetHeight(int height) {
  Assert(height >= 0, kUnit, __LINE__, "Negative bitmap height");
  Resize(width_, height);
}

void TGLBitmap32::Clear() {
  width_ = height_ = 0;
  data_.clear();
  data_.shrink_to_fit();
}

void TGLBitmap32::Assign(const TGLBitmap32& source) {
  width_ = source.width_;
  height_ = source.height_;
  data_ = source.data_;
}

void TGLBitmap32::Assign(const QImage& image) {
  if (image.isNull()) {
    Clear();
    return;
  }
  QImage argb;
  if (image.width() % 4 == 0) {
    argb = image.convertToFormat(QImage::Format_ARGB32);
  } else {
    // Stretched into a 24-bit picture of the next width that is a multiple of 4.
    const int width = (image.width() + 3) & ~3;
    argb = image.scaled(width, image.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
               .convertToFormat(QImage::Format_RGB888)
               .convertToFormat(QImage::Format_ARGB32);
  }
  Resize(argb.width(), argb.height());
  for (int r = 0; r < height_; ++r) {
    const QRgb* source = reinterpret_cast<const QRgb*>(argb.constScanLine(r));
    std::uint8_t* target = ScanLine(ReverseRowsOnAssign ? r : height_ - 1 - r);
    for (int x = 0; x < width_; ++x, target += 4) {
      target[0] = static_cast<std::uint8_t>(qRed(source[x]));
      target[1] = static_cast<std::uint8_t>(qGreen(source[x]));
      target[2] = static_cast<std::uint8_t>(qBlue(source[x]));
      target[3] = static_cast<std::uint8_t>(qAlpha(source[x]));
    }
  }
}

QImage TGLBitmap32::ToPlatformBitmap32() const {
  if (IsEmpty()) return {};
  QImage image(width_, height_, QImage::Format_ARGB32);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* source = ScanLine(height_ - 1 - y);
    QRgb* target = reinterpret_cast<QRgb*>(BitmapScanLine(image, y));
    for (int x = 0; x < width_; ++x, source += 4) target[x] = qRgba(source[0], source[1], source[2], source[3]);
  }
  return image;
}

void TGLBitmap32::ReadPixels(const TGLRect& area) {
  Resize(std::max((area.Right - area.Left) & ~3, 0), std::max(area.Bottom - area.Top, 0));
  if (IsEmpty()) return;
  GL().glPixelStorei(GL_PACK_ALIGNMENT, 4);
  GL().glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, data_.data());
}

template <typename MapPixel>
void TGLBitmap32::ForEachPixel(MapPixel map) {
  for (std::size_t i = 0; i < data_.size(); i += 4) map(&data_[i]);
}

void TGLBitmap32::SetAlphaFromIntensity() {
  ForEachPixel([](std::uint8_t* p) { p[3] = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3); });
}

void TGLBitmap32::SetAlphaFromSqrtIntensity() {
  const auto& sqrt255 = GetSqrt255Array();
  ForEachPixel([&](std::uint8_t* p) { p[3] = sqrt255[static_cast<std::size_t>((p[0] + p[1] + p[2]) / 3)]; });
}

void TGLBitmap32::SetAlphaTransparentForColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  ForEachPixel([&](std::uint8_t* p) { p[3] = p[0] == r && p[1] == g && p[2] == b ? 0 : 255; });
}

void TGLBitmap32::SetAlphaTransparentForColor(TColor colour) {
  const TColor rgb = ColorToRGB(colour);
  SetAlphaTransparentForColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

void TGLBitmap32::SetAlphaToValue(std::uint8_t value) {
  ForEachPixel([&](std::uint8_t* p) { p[3] = value; });
}

void TGLBitmap32::InvertAlpha() {
  ForEachPixel([](std::uint8_t* p) { p[3] = static_cast<std::uint8_t>(255 - p[3]); });
}

void TGLBitmap32::GammaCorrection(float gamma) {
  Assert(gamma > 0, kUnit, __LINE__, "Gamma must be positive");
  const double exponent = gamma >= 0.1f ? 1.0 / gamma : 10.0;
  std::uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = RoundToByte(255.0 * std::pow(i / 255.0, exponent));
  ForEachPixel([&](std::uint8_t* p) {
    for (int c = 0; c < 3; ++c) p[c] = table[p[c]];
  });
}

void TGLBitmap32::BrightnessCorrection(float factor) {
  Assert(factor >= 0, kUnit, __LINE__, "Brightness factor must not be negative");
  std::uint8_t table[256];
  for (int i = 0; i < 256; ++i)
    table[i] = RoundToByte(std::min(std::nearbyint(i * static_cast<double>(factor)), 255.0));
  ForEachPixel([&](std::uint8_t* p) {
    for (int c = 0; c < 3; ++c) p[c] = table[p[c]];
  });
}

void TGLBitmap32::GenerateNormalMap(bool wrapX, bool wrapY, float scale) {
  if (IsEmpty()) return;
  const std::vector<std::uint8_t> source = data_;
  const auto green = [&](int x, int y) {
    return static_cast<float>(source[(static_cast<std::size_t>(y) * width_ + x) * 4 + 1]);
  };
  // Wrapping by modulo serves any size, not only powers of two.
  const auto neighbour = [](int i, int step, int size, bool wrap) {
    const int n = i + step;
    if (n >= 0 && n < size) return n;
    return wrap ? (n + size) % size : i;
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const float dx = green(neighbour(x, -1, width_, wrapX), y) - green(neighbour(x, 1, width_, wrapX), y);
      const float dy = green(x, neighbour(y, -1, height_, wrapY)) - green(x, neighbour(y, 1, height_, wrapY));
      const float nx = dx * scale;
      const float ny = dy * scale;
      const float n = 127.0f / std::sqrt(nx * nx + ny * ny + 1.0f);
      std::uint8_t* p = &data_[(static_cast<std::size_t>(y) * width_ + x) * 4];
      p[0] = RoundToByte(std::clamp(nx * n, -128.0f, 127.0f) + 128.0);
      p[1] = RoundToByte(std::clamp(ny * n, -128.0f, 127.0f) + 128.0);
      p[2] = RoundToByte(std::clamp(n, -128.0f, 127.0f) + 128.0);
      p[3] = 255;
    }
}

void TGLBitmap32::RegisterAsOpenGLTexture(GLenum target, TGLMinFilter minFilter, int& texWidth, int& texHeight,
                                          GLenum internalFormat) const {
  if (IsEmpty()) return;
  TGLFunctionTable& gl = GL();
  GLint max_size = 0;
  gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
  texWidth = RoundUpToPowerOf2(width_);
  texHeight = RoundUpToPowerOf2(height_);
  if (max_size > 0) {
    texWidth = std::min(texWidth, max_size);
    texHeight = std::min(texHeight, max_size);
  }
  if (IsFloatFormat(internalFormat)) {
    Assert(target == kTextureRectangleNV, kUnit, __LINE__, "NV Float-type texture must use GL_TEXTURE_RECTANGLE_NV");
    gl.glTexImage2D(target, 0, static_cast<GLint>(internalFormat), texWidth, texHeight, 0, GL_RGBA, GL_FLOAT, nullptr);
    return;
  }
  std::vector<std::uint8_t> scaled;
  const std::uint8_t* pixels = data_.data();
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  if (texWidth != width_ || texHeight != height_) {
    scaled.resize(static_cast<std::size_t>(texWidth) * static_cast<std::size_t>(texHeight) * 4);
    gl.gluScaleImage(GL_RGBA, width_, height_, GL_UNSIGNED_BYTE, data_.data(), texWidth, texHeight, GL_UNSIGNED_BYTE,
                     scaled.data());
    pixels = scaled.data();
  }
  UploadTexturePixels(target, minFilter, internalFormat, texWidth, texHeight, pixels);
}

void UploadTexturePixels(GLenum target, TGLMinFilter minFilter, GLenum internalFormat, int width, int height,
                         const std::uint8_t* rgba) {
  TGLFunctionTable& gl = GL();
  if (minFilter == miNearest || minFilter == miLinear) {
    gl.glTexImage2D(target, 0, static_cast<GLint>(internalFormat), width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  } else if (GLFlags().SGIS_generate_mipmap && target == GL_TEXTURE_2D) {
    gl.glTexParameteri(target, kGenerateMipmapSGIS, 1);
    gl.glTexImage2D(target, 0, static_cast<GLint>(internalFormat), width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  } else {
    gl.gluBuild2DMipmaps(target, static_cast<GLint>(internalFormat), width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  }
}
