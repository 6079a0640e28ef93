// gradoir-iconscale INPUT OUTPUT.png SIZE
// Build-time helper: writes the window icon at SIZE x SIZE pixels for the
// desktop's icon theme. Bad arguments: a one-line error and exit status 2.
#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "icon_upscale.h"

namespace {

constexpr int kLargestIcon = 1024;

int fail(int status, const QString& message) {
  std::fprintf(stderr, "gradoir-iconscale: %s\n", qPrintable(message));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) return fail(2, QStringLiteral("usage: gradoir-iconscale INPUT OUTPUT.png SIZE"));
  bool isNumber = false;
  const int size = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
  if (!isNumber || size < 1 || size > kLargestIcon)
    return fail(2, QStringLiteral("SIZE must be a whole number from 1 to %1").arg(kLargestIcon));
  const QString error =
      gradoir::writeUpscaledIcon(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), size);
  return error.isEmpty() ? 0 : fail(1, error);
}
