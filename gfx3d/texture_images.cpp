#include "gfx3d/texture_images.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <utility>
#include <vector>

#include "gfx3d/platform_utilities.h"
#include "gfx3d/textures.h"

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

int FaceIndex(GLenum target) { return static_cast<int>(target) - GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; }

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
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const double value = StrToFloatDef(line.substr(equals + 1), 0);
    if (line.compare(0, equals, "Width") == 0) SetWidth(static_cast<int>(value));
    if (line.compare(0, equals, "Height") == 0) SetHeight(static_cast<int>(value));
  }
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
  if (!picture_.save(QString::fromStdString(fileName))) throw EFOpenError("Cannot create file \"" + fileName + "\"");
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
