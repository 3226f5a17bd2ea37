// The 3-D readers fed with any bytes, as the fuzz targets and their regression
// test do. Each returns true when the input either loaded and could be used,
// or was refused with a library error leaving the object it was read into as
// it was; false when a promise broke. Any other exception passes.
#pragma once

#include <string>

bool ReadMeshArchive(const std::string& bytes);
bool ReadSkeletonArchive(const std::string& bytes);
bool ReadMaterialLibrary(const std::string& bytes);
bool ReadStlFile(const std::string& bytes);
