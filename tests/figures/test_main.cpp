// Runs the figure tests inside a QGuiApplication on the offscreen platform, so
// that the protractor's labels find their fonts without a display.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

#include "figures/degrees.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  gradoir::fillDegreeTables();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
