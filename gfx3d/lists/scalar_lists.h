// Lists of texture points, integers, singles and bytes, and the sort that
// orders objects by an integer key.
#pragma once

#include <cstdint>

#include "gfx3d/lists/persistent_object_list.h"
#include "gfx3d/lists/typed_list.h"

class TTexPointList : public TTypedList<TTexPoint, TBaseList> {
 public:
  std::string ClassName() const override { return "TTexPointList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;
};

class TIntegerList : public TTypedList<std::int32_t, TBaseList> {
 public:
  std::string ClassName() const override { return "TIntegerList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;
  // Append two / three items; return the index of the first.
  int Add2(std::int32_t a, std::int32_t b);
  int Add3(std::int32_t a, std::int32_t b, std::int32_t c);
};

class TSingleList : public TTypedList<float, TBaseList> {
 public:
  std::string ClassName() const override { return "TSingleList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;
};

class TByteList : public TTypedList<std::uint8_t, TBaseList> {
 public:
  std::string ClassName() const override { return "TByteList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;
};

// Sorts integers[lo..hi] ascending and moves objects' entries the same way.
void SortIntegerListWithObjects(int lo, int hi, TIntegerList& integers, TPersistentObjectList& objects);
