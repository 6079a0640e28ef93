// main() of tests that need a QCoreApplication (Qt SQL's driver plugins,
// standard paths, event loops), never a display.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
