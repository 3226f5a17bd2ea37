// The kind of a free module as every reader of the model sees it: from its
// code, exactly as project files write it.
#include "model/modules/module_kind.h"

#include <gtest/gtest.h>

#include <string>

#include "model/catalogue/compact_codes.h"

TEST(ModuleKind, EachCodeNamesOneKind) {
  EXPECT_EQ(module_kind("CARRELLO"), ModuleKind::Trolley);
  EXPECT_EQ(module_kind(fixed_compact_code(3)), ModuleKind::FixedCompact);
  EXPECT_EQ(module_kind(mobile_compact_code(12)), ModuleKind::MobileCompact);
  EXPECT_EQ(module_kind(""), ModuleKind::Plain);
  // Codes are compared as written: another case or a longer code is no trolley.
  EXPECT_EQ(module_kind("carrello"), ModuleKind::Plain);
  EXPECT_EQ(module_kind("CARRELLO_1"), ModuleKind::Plain);
  EXPECT_EQ(module_kind("CVFISSO"), ModuleKind::Plain);
}

TEST(ModuleKind, AModuleFollowsItsCodeAsItChanges) {
  Tmodulo_agg module;
  EXPECT_EQ(module.kind(), ModuleKind::Plain);
  module.code = std::string(kTrolleyCode);
  EXPECT_EQ(module.kind(), ModuleKind::Trolley);
  module.code = mobile_compact_code(2);
  EXPECT_EQ(module.kind(), ModuleKind::MobileCompact);
}

TEST(ModuleKind, BothEndsAndUnitsOfACompactGroupAreCompact) {
  EXPECT_TRUE(is_compact_code(fixed_compact_code(1)));
  EXPECT_TRUE(is_compact_code(mobile_compact_code(1)));
  EXPECT_FALSE(is_compact_code(kTrolleyCode));
  EXPECT_FALSE(is_compact_code(""));
}
