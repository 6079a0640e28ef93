// The real main window driven offscreen through thousands of exercises chosen
// at random (fixed seeds): both kinds, right, wrong and empty answers, pasted
// text, pencil strokes, tool buttons, abandon confirmations answered both
// ways, help and about opened and closed. After every step the controller's
// invariants must hold, and every tenth step the canvas picture must be what
// a whole rebuild gives. Whether an answer is right is worked out here from
// the sides as drawn, and every judged answer must get that verdict.
//
// The exercises come in a few rounds, each a window of its own seeded from
// one sequence, so that GoogleTest's sharding (GTEST_TOTAL_SHARDS,
// GTEST_SHARD_INDEX) can run them side by side and any round repeats alone
// (--gtest_filter=Rounds/SoakTest.*/2).
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <random>
#include <utility>

#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "raster/geometry.h"

namespace gradoir::test {
namespace {

constexpr int kRounds = 4;
constexpr int kExercisesPerRound = 500;
constexpr std::uint32_t kSoakSeed = 20260;
// Steps between two comparisons of the picture with a whole rebuild.
constexpr int kPictureCheckEvery = 10;

// The angle at `vertex` between the sides ending at a and b, unsigned, in
// whole degrees (rounded): what a pupil reads on a protractor laid there.
std::int32_t degreesBetween(PointF vertex, PointF a, PointF b) {
  const long double toA =
      std::atan2(static_cast<long double>(a.y) - vertex.y, static_cast<long double>(a.x) - vertex.x);
  const long double toB =
      std::atan2(static_cast<long double>(b.y) - vertex.y, static_cast<long double>(b.x) - vertex.x);
  long double degrees = std::fabs(toB - toA) * 180 / std::numbers::pi_v<long double>;
  if (degrees > 180) degrees = 360 - degrees;
  return static_cast<std::int32_t>(std::lround(degrees));
}

// The seeds of a round's steps and of its angles: numbers 2r and 2r + 1 of
// one sequence.
std::pair<std::uint32_t, std::uint32_t> roundSeeds(int round) {
  std::mt19937 sequence(kSoakSeed);
  sequence.discard(2 * static_cast<unsigned long long>(round));
  const std::uint32_t steps = sequence();
  return {steps, sequence()};
}

class SoakTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  // Picks uniformly in 0..n-1.
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
  bool coin() { return pick(2) == 0; }

  bool trying() const { return button("checkButton")->isEnabled(); }
  bool measuring() const { return !answer()->isHidden(); }

  // The measure the exercise asks for, from its generated sides: to be read
  // when measuring, to be drawn when drawing.
  std::int32_t askedMeasure() const {
    const AngleFigure& angle = *canvas().angle();
    return degreesBetween(angle.vertex(), angle.firstEnd(), angle.generatedEnd());
  }
  // The measure of the pupil's drawn side; empty while there is none.
  std::optional<std::int32_t> drawnMeasure() const {
    const AngleFigure& angle = *canvas().angle();
    if (angle.secondEnd() == angle.vertex()) return std::nullopt;
    return degreesBetween(angle.vertex(), angle.firstEnd(), angle.secondEnd());
  }

  // Runs an action that submits an answer the program must judge `right`:
  // the lamp of the current try must then show that verdict.
  template <class Action>
  void submitJudged(bool right, Action action) {
    const std::int32_t tries = m_form->series().tryNumber();
    const std::int32_t successes = m_form->series().successCount();
    action();
    const QString lamps = lampStates();
    const char lamp = lamps.at(tries - 1).toLatin1();
    ASSERT_EQ(lamp, right ? 'G' : 'R')
        << (right ? "a right" : "a wrong") << " answer got the other verdict at try " << tries << ", lamps "
        << lamps.toStdString() << ", asked " << askedMeasure();
    ASSERT_EQ(m_form->series().successCount(), successes + (right ? 1 : 0));
    ++m_judged[measuring() ? 0 : 1][right ? 1 : 0];
  }

  // Arms the answer of a modal window that `action` may open, and makes sure
  // none stays open after it.
  template <class Action>
  void withModalAnswered(const QString& button, Action action) {
    const auto seen = answerNextModal(button);
    action();
    if (seen->shown) ++m_modals;
    ASSERT_TRUE(noModalOpen());
  }

  void chooseFromMenu() {
    const bool measure = coin();
    const bool abandon = coin();
    const bool asked = m_form->series().seriesRunning();
    const std::int32_t exercise = m_form->series().exerciseNumber();
    const AngleFigure* before = canvas().angle();
    withModalAnswered(abandon ? QStringLiteral("&Oui") : QStringLiteral("&Non"),
                      [&] { action(measure ? "measureAction" : "drawAction")->trigger(); });
    if (asked && !abandon) {
      EXPECT_EQ(canvas().angle(), before) << "an abandon answered no replaced the exercise";
      EXPECT_EQ(m_form->series().exerciseNumber(), exercise);
    } else {
      ++m_started;
      EXPECT_EQ(m_form->series().exerciseNumber(), 1);
      EXPECT_EQ(measuring(), measure);
    }
  }

  void pressNext() {
    const std::int32_t exercise = m_form->series().exerciseNumber();
    if (coin()) {
      button("nextButton")->click();
    } else {
      QTest::keyClick(&toolBox(), Qt::Key_Return);
      ++m_events;
    }
    ++m_started;
    EXPECT_EQ(m_form->series().exerciseNumber(), exercise + 1);
  }

  void answerMeasure() {
    switch (pick(5)) {
      case 0:
        submitJudged(true, [&] { type(QString::number(askedMeasure())); });
        break;
      case 1: {
        // Near misses and a far one.
        const std::int32_t asked = askedMeasure();
        const std::int32_t offsets[] = {-1, 1, asked == 100 ? 1 : 100 - asked};
        const std::int32_t wrong = asked + offsets[pick(3)];
        submitJudged(false, [&] { type(QString::number(wrong)); });
        break;
      }
      case 2:  // Enter on an empty box: nothing happens
        type(QString());
        break;
      case 3: {
        // Pasted text bypasses the key filter: words, signs, blanks, too long.
        static const QString kPasted[] = {QStringLiteral("4a"),     QStringLiteral("-12"),
                                          QStringLiteral(" 7"),     QStringLiteral("abc"),
                                          QStringLiteral("123456"), QStringLiteral("+")};
        answer()->clear();
        QApplication::clipboard()->setText(kPasted[pick(6)]);
        answer()->setFocus();
        QTest::keySequence(answer(), QKeySequence::Paste);
        QTest::keyClick(answer(), Qt::Key_Return);
        m_events += 2;
        return;
      }
      default:
        // Typing letters: the filter keeps them out of the box.
        type(QStringLiteral("x%1y").arg(pick(10)));
        break;
    }
    m_events += 4;
  }

  void sendMouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(p), canvas().mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&canvas(), &event);
    ++m_events;
  }

  // A pencil stroke from the vertex region to the generated second end
  // (right), to some other point (most likely wrong), or no stroke at all.
  void drawSecondSide() {
    if (!tool("pencilButton")->isChecked()) tool("pencilButton")->click();
    const AngleFigure& angle = *canvas().angle();
    const Point v = roundPoint(angle.vertex());
    const Point end =
        coin() ? roundPoint(angle.generatedEnd()) : pointOf(v.x + pick(400) - 200, v.y + pick(400) - 200);
    const QPoint mid((v.x + end.x) / 2, (v.y + end.y) / 2);
    sendMouse(QEvent::MouseButtonPress, mid, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, QPoint(end.x, end.y), Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, QPoint(end.x, end.y), Qt::LeftButton, Qt::NoButton);
  }

  void checkDrawing() {
    const auto check = [&] {
      if (coin()) {
        button("checkButton")->click();
      } else {
        QTest::keyClick(&toolBox(), Qt::Key_Return);
        ++m_events;
      }
    };
    // With no side drawn there is nothing to judge.
    if (const std::optional<std::int32_t> drawn = drawnMeasure())
      submitJudged(*drawn == askedMeasure(), check);
    else
      check();
  }

  // The protractor dragged by its centre somewhere, as a pupil would.
  void dragProtractor() {
    if (tool("pencilButton")->isChecked()) tool("moveTurnButton")->click();
    const Rect centre = canvas().protractor().grabZone(GrabZone::Centre);
    const QPoint from((centre.left + centre.right) / 2, (centre.top + centre.bottom) / 2);
    const QPoint to(pick(canvas().width() + 1), pick(canvas().height() + 1));
    sendMouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  void useTool() {
    switch (pick(4)) {
      case 0:
        tool("protractorButton")->click();
        break;
      case 1:
        tool("centerProtractorButton")->click();
        break;
      case 2:
        tool("moveTurnButton")->click();
        break;
      default:
        if (tool("pencilButton")->isEnabled()) tool("pencilButton")->click();
        break;
    }
  }

  void openHelp() {
    withModalAnswered(QString(), [&] { action(coin() ? "helpAction" : "aboutAction")->trigger(); });
  }

  // One step of the pupil while an exercise is open.
  void workOnExercise() {
    switch (pick(12)) {
      case 0:
        useTool();
        break;
      case 1:
        openHelp();
        break;
      case 2:
        chooseFromMenu();
        break;
      case 3:
        if (measuring()) dragProtractor();
        break;
      default:
        if (measuring()) {
          withModalAnswered(QStringLiteral("OK"), [&] { answerMeasure(); });
        } else {
          if (coin()) drawSecondSide();
          withModalAnswered(QStringLiteral("OK"), [&] { checkDrawing(); });
        }
        break;
    }
  }

  void step() {
    if (!m_form->series().seriesRunning() || canvas().angle() == nullptr) {
      chooseFromMenu();
    } else if (trying()) {
      workOnExercise();
    } else if (pick(8) == 0) {
      chooseFromMenu();
    } else {
      pressNext();
    }
    ++m_steps;
  }

  // Lamp colours as a string, one letter per lamp: W white, R red, G green.
  QString lampStates() const {
    QString s;
    for (int index = 1; index <= 3; ++index) {
      const QColor c = lamp(index);
      s += c == kWhite ? u'W' : c == kRed ? u'R' : c == kGreen ? u'G' : u'?';
    }
    return s;
  }

  // True when the button, not the one lying at the same place, is on top.
  bool inFront(const char* name) const {
    QPushButton* pushButton = button(name);
    QWidget* parent = pushButton->parentWidget();
    return parent->childAt(pushButton->geometry().center()) == pushButton;
  }

  void checkInvariants() {
    const std::int32_t tries = m_form->series().tryNumber();
    ASSERT_GE(tries, 1);
    ASSERT_LE(tries, 4);
    ASSERT_GE(m_form->series().successCount(), 0);
    ASSERT_LE(m_form->series().successCount(), m_form->series().exerciseNumber());

    const bool check = button("checkButton")->isEnabled();
    const bool next = button("nextButton")->isEnabled();
    const bool wasTrying = std::exchange(m_wasTrying, check);
    ASSERT_FALSE(check && next);
    if (check) {
      ASSERT_TRUE(inFront("checkButton"));
    }
    if (next) {
      ASSERT_TRUE(inFront("nextButton"));
    }
    if (canvas().angle() == nullptr) return;
    ASSERT_EQ(canvas().isEnabled(), check);

    const QString lamps = lampStates();
    if (check) {
      // Trying: the tries before the current one failed, the rest are open.
      const QString expected = QString(tries - 1, u'R') + QString(4 - tries, u'W');
      ASSERT_EQ(lamps, expected) << "try " << tries;
    } else {
      // Decided: failures, then a success unless all three failed.
      static const QStringList kDecided = {QStringLiteral("GWW"), QStringLiteral("RGW"),
                                           QStringLiteral("RRG"), QStringLiteral("RRR")};
      ASSERT_TRUE(kDecided.contains(lamps)) << lamps.toStdString();
      if (wasTrying) countDecision(lamps.contains(u'G'));
      ASSERT_EQ(label("scoreLabel")->text(),
                QStringLiteral("%1/%2").arg(m_form->series().successCount()).arg(m_form->series().exerciseNumber()));
    }
    const std::optional<std::int32_t> m = canvas().angleMeasure();
    if (m) {
      ASSERT_TRUE(-180 <= *m && *m <= 180) << *m;
    }
  }

  // The picture rebuilt where it changed is the picture of a whole rebuild.
  void checkPictureUpToDate() {
    ExerciseCanvas& view = canvas();
    view.validateBuffer();
    const QImage partial = bufferImage(view);
    view.invalidateImage();
    view.validateBuffer();
    ASSERT_TRUE(bufferImage(view) == partial) << "stale picture after step " << m_steps;
  }

  static QImage bufferImage(ExerciseCanvas& canvas) {
    const Bitmap32& b = canvas.buffer();
    const QImage whole(reinterpret_cast<const uchar*>(b.bits()), b.width(), b.height(),
                       static_cast<qsizetype>(b.width()) * 4, QImage::Format_ARGB32);
    return whole.copy(0, 0, std::min(b.width(), canvas.width()), std::min(b.height(), canvas.height()));
  }

  // An exercise has just been decided, right or after three wrong tries.
  void countDecision(bool right) {
    int(&counts)[2] = measuring() ? m_measured : m_drawn;
    ++counts[right ? 1 : 0];
  }

  std::mt19937 m_rng{roundSeeds(GetParam()).first};
  int m_started = 0;
  int m_steps = 0;
  int m_events = 0;
  int m_modals = 0;
  bool m_wasTrying = false;
  // Exercises decided, [0] after three wrong tries, [1] right.
  int m_measured[2] = {0, 0};
  int m_drawn[2] = {0, 0};
  // Answers judged as the sides make them, [0] measuring, [1] drawing, each
  // [0] wrong, [1] right.
  int m_judged[2][2] = {{0, 0}, {0, 0}};
};

TEST_P(SoakTest, HundredsOfRandomExercisesKeepTheSeriesConsistent) {
  // The angles come from a seeded sequence too, so that a failure repeats.
  std::mt19937 angleSeeds(roundSeeds(GetParam()).second);
  ScopedSeedProvider seeds([&angleSeeds] { return static_cast<std::uint32_t>(angleSeeds()); });
  start("[NbEx/Serie]\nMesurer=4\nTracer=3\n");
  m_form->resize(800, 600);
  QApplication::processEvents();
  while (m_started < kExercisesPerRound) {
    step();
    checkInvariants();
    if (m_steps % kPictureCheckEvery == 0) checkPictureUpToDate();
    if (HasFatalFailure() || HasFailure()) {
      FAIL() << "round " << GetParam() << ", after step " << m_steps << ", exercise " << m_started;
    }
  }
  // Both verdicts of both kinds and the modal windows really occurred.
  EXPECT_GT(m_measured[0], 0);
  EXPECT_GT(m_measured[1], 0);
  EXPECT_GT(m_drawn[0], 0);
  EXPECT_GT(m_drawn[1], 0);
  EXPECT_GT(m_modals, 0);
  // Right and wrong answers of both kinds were judged against the sides.
  EXPECT_GT(m_judged[0][0], 0);
  EXPECT_GT(m_judged[0][1], 0);
  EXPECT_GT(m_judged[1][0], 0);
  EXPECT_GT(m_judged[1][1], 0);
  std::printf("soak round %d: %d exercises, %d steps, %d pointer and key events, %d modal windows\n",
              GetParam(), m_started, m_steps, m_events, m_modals);
  std::printf("soak: decided measuring %d right %d wrong, drawing %d right %d wrong\n", m_measured[1],
              m_measured[0], m_drawn[1], m_drawn[0]);
  std::printf("soak: judged from the sides: measuring %d right %d wrong, drawing %d right %d wrong\n",
              m_judged[0][1], m_judged[0][0], m_judged[1][1], m_judged[1][0]);
}

INSTANTIATE_TEST_SUITE_P(Rounds, SoakTest, ::testing::Range(0, kRounds));

}  // namespace
}  // namespace gradoir::test
