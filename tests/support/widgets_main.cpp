// main() of widget tests: one QApplication for the whole run, on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Windows record their tries in the default results file: a folder of the
  // run's own, never the tester's.
  QTemporaryDir data;
  if (!data.isValid()) return 1;
  setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
