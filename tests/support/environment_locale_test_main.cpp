// The test main of the model: the process takes its locale from the
// environment, as the program does once Qt has started, so that a number
// written or read through the locale shows up as a failure under a comma locale.
#include <gtest/gtest.h>

#include <locale>

int main(int argc, char** argv) {
  // Sets the C locale too; an unknown locale name raises and fails the run.
  std::locale::global(std::locale(""));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
