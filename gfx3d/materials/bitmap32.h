// The library's RGBA image in memory: 4 bytes R, G, B, A per pixel, rows
// bottom-up as OpenGL reads and writes them, width a multiple of 4. It takes
// pictures from QImage and from the frame buffer, prepares them for texturing
// and gives them back as an upright QImage.
#pragma once

#include <GL/gl.h>

#include <QImage>
#include <cstdint>
#include <vector>

#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/materials/texture_enumerations.h"

struct TGLRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TGLBitmap32 {
 public:
  std::uint8_t* Data() { return data_.data(); }
  const std::uint8_t* Data() const { return data_.data(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int DataSize() const { return width_ * height_ * 4; }
  // Rounded up to a multiple of 4; raises EAssertionFailed for a negative width. Contents undefined after a change.
  void SetWidth(int width);
  void SetHeight(int height);
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  std::uint8_t* ScanLine(int y) { return data_.data() + static_cast<std::size_t>(y) * width_ * 4; }
  const std::uint8_t* ScanLine(int y) const { return data_.data() + static_cast<std::size_t>(y) * width_ * 4; }

  // Keeps the picture's top row as row 0 instead of turning it bottom-up.
  bool ReverseRowsOnAssign = false;

  void Clear();
  void Assign(const TGLBitmap32& source);
  // Any picture; a width that is not a multiple of 4 is stretched to the next one (alpha then 255).
  void Assign(const QImage& image);
  // An upright ARGB32 image (bytes B, G, R, A).
  QImage ToPlatformBitmap32() const;
  // Reads the current read buffer from its origin; the area gives only the size (width rounded down to 4).
  void ReadPixels(const TGLRect& area);

  void SetAlphaFromIntensity();
  void SetAlphaFromSqrtIntensity();
  void SetAlphaTransparentForColor(std::uint8_t r, std::uint8_t g, std::uint8_t b);
  // A system colour is resolved first.
  void SetAlphaTransparentForColor(TColor colour);
  void SetAlphaToValue(std::uint8_t value);
  void InvertAlpha();
  // gamma > 0; below 0.1 the exponent is 10.
  void GammaCorrection(float gamma);
  // factor >= 0; results above 255 saturate.
  void BrightnessCorrection(float factor);
  // Replaces every pixel by the normal of the green channel seen as a height field.
  void GenerateNormalMap(bool wrapX, bool wrapY, float scale);

  // Uploads into the bound texture of target, rescaled to powers of two; texWidth and texHeight get the size used.
  void RegisterAsOpenGLTexture(GLenum target, TGLMinFilter minFilter, int& texWidth, int& texHeight,
                               GLenum internalFormat) const;

 private:
  void Resize(int width, int height);
  template <typename MapPixel>
  void ForEachPixel(MapPixel map);

  std::vector<std::uint8_t> data_;
  int width_ = 0;
  int height_ = 0;
};

// Uploads width x height RGBA bytes into the bound texture of target (a 2-D
// target or a cube face), building the mipmaps the minification filter needs.
void UploadTexturePixels(GLenum target, TGLMinFilter minFilter, GLenum internalFormat, int width, int height,
                         const std::uint8_t* rgba);
