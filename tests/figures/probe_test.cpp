// gradoir-probe's angle and protractor commands, run as the real program.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "figures/angle.h"
#include "figures/random_source.h"

#ifdef GRADOIR_PROBE

namespace gradoir {
namespace {

struct ProbeRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

ProbeRun runProbe(const QStringList& args) {
  QProcess process;
  process.start(QString::fromUtf8(GRADOIR_PROBE), args);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

class Probe : public ::testing::Test {
 protected:
  QString out(const char* name) const { return m_dir.filePath(name); }
  QTemporaryDir m_dir;
};

// Lines other than Qt's own start-up chatter.
int messageLines(const QByteArray& err) {
  int n = 0;
  for (const QByteArray& line : err.split('\n'))
    if (line.startsWith("gradoir-probe:")) ++n;
  return n;
}

TEST_F(Probe, BadArgumentsExitWithStatus2AndOneLine) {
  const QString png = out("x.png");
  const std::vector<QStringList> bad = {
      {"angle"},
      {"angle", "--canvas", "800,600", "--out", png},                      // no seed
      {"angle", "--canvas", "800", "--seed", "1", "--out", png},           // not a pair
      {"angle", "--canvas", "-5,600", "--seed", "1", "--out", png},        // negative size
      {"angle", "--canvas", "800,600", "--seed", "-1", "--out", png},      // seed is unsigned
      {"angle", "--canvas", "800,600", "--seed", "1", "--pencil", "3", "--out", png},
      {"angle", "--canvas", "800,600", "--seed", "1", "--measure", "x", "--out", png},
      {"angle", "--canvas", "800,600", "--seed", "1", "--bogus", "--out", png},
      {"angle", "--canvas", "800,600", "--seed", "1"},                     // no output
      {"protractor", "--out", png},                                        // no orientation
      {"protractor", "--orientation", "1.5", "--out", png},
      {"protractor", "--orientation", "0", "--radius", "-3", "--out", png},
      {"protractor", "--orientation", "0", "--radius", "999999", "--out", png},
      {"protractor", "--orientation", "99999999999", "--out", png},
  };
  for (const QStringList& args : bad) {
    const ProbeRun run = runProbe(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(messageLines(run.err), 1) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << args.join(' ').toStdString();
  }
}

TEST_F(Probe, AngleIsBuiltAsTheCanvasBuildsIt) {
  const ProbeRun run = runProbe({"angle", "--canvas", "1000,700", "--seed", "4242", "--out", out("a.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QJsonObject json = QJsonDocument::fromJson(run.out).object();

  ScopedSeedProvider seed([] { return 4242u; });
  const AngleFigure want({0, 0}, {30, 30, 990, 690}, 250, 260, 30, 0, true, false, false);
  auto point = [&](const char* key) {
    const QJsonArray a = json.value(key).toArray();
    return PointF{static_cast<float>(a.at(0).toDouble()), static_cast<float>(a.at(1).toDouble())};
  };
  EXPECT_EQ(point("vertex"), want.vertex());
  EXPECT_EQ(point("first_end"), want.firstEnd());
  EXPECT_EQ(point("second_end"), want.secondEnd());
  EXPECT_EQ(point("generated_end"), want.generatedEnd());
  EXPECT_EQ(point("mark_start"), want.markStart());
  EXPECT_EQ(point("mark_end"), want.markEnd());
  EXPECT_EQ(json.value("measure").toInt(), want.measure().value_or(181));

  QImage image(out("a.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 1000);
  EXPECT_EQ(image.height(), 700);
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFFFu);
}



TEST_F(Probe, ProtractorGrabZonesAndPicture) {
  const ProbeRun run = runProbe({"protractor", "--orientation", "0", "--out", out("g.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.trimmed(), QByteArray("{\"grab_zones\":[[1,236,29,246],[231,231,251,251],[453,236,481,246]]}"));
  QImage image(out("g.png"));
  EXPECT_EQ(image.width(), 482);
  EXPECT_EQ(image.height(), 482);

  const ProbeRun small =
      runProbe({"protractor", "--orientation", "90", "--radius", "100", "--no-inner-scale", "--out", out("s.png")});
  ASSERT_EQ(small.exitCode, 0) << small.err.toStdString();
  EXPECT_EQ(small.out.trimmed(), QByteArray("{\"grab_zones\":[[96,1,106,29],[91,91,111,111],[96,173,106,201]]}"));
  EXPECT_EQ(QImage(out("s.png")).width(), 202);
}

}  // namespace
}  // namespace gradoir

#endif  // GRADOIR_PROBE
