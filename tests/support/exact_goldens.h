// Reference images that must match to the last pixel: for drawings whose
// code is reorganised while their output stays the same. A mismatch leaves
// the drawn image beside the test's working folder for a look.
// RACKWRIGHT_WRITE_GOLDENS=1 rewrites the references instead.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

// The reference image of that name among the goldens of a test folder
// (editor, output) of the source tree.
inline std::filesystem::path exact_golden_path(const std::string& test_folder, const std::string& name) {
  const char* source = std::getenv("RACKWRIGHT_SOURCE_DIR");
  const std::filesystem::path root = source ? source : ".";
  return root / "tests" / test_folder / "goldens" / ("exact_" + name + ".png");
}

inline void expect_pixel_equal_golden(const QImage& drawn, const std::filesystem::path& golden_path) {
  const QImage image = drawn.convertToFormat(QImage::Format_RGB32);
  const QString path = QString::fromStdString(golden_path.string());
  if (std::getenv("RACKWRIGHT_WRITE_GOLDENS")) {
    std::filesystem::create_directories(golden_path.parent_path());
    ASSERT_TRUE(image.save(path));
    return;
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(golden.isNull()) << golden_path;
  ASSERT_EQ(golden.size(), image.size()) << golden_path;
  int differing = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) differing += image.pixel(x, y) != golden.pixel(x, y);
  if (differing > 0) image.save(QString::fromStdString("drawn_" + golden_path.filename().string()));
  EXPECT_EQ(differing, 0) << golden_path << " differs in " << differing << " pixels";
}
