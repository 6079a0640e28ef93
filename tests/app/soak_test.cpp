// The real main window driven offscreen through thousands of exercises chosen
// at random (fixed seed): both kinds, right, wrong and empty answers, pasted
// text, pencil strokes, tool buttons, abandon confirmations answered both
// ways, help and about opened and closed. After every step the controller's
// invariants must hold, and every tenth step the canvas picture must be what
// a whole rebuild gives.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>

#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "main_form_fixture.h"
#include "modal_answer.h"
#include "raster/geometry.h"

namespace gradoir::test {
namespace {

constexpr int kExercises = 2000;
constexpr std::uint32_t kSoakSeed = 20260;
// Steps between two comparisons of the picture with a whole rebuild.
constexpr int kPictureCheckEvery = 10;

class SoakTest : public MainFormTest {
 protected:
  // Picks uniformly in 0..n-1.
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Coin() { return Pick(2) == 0; }

  bool Trying() const { return Button("BitBtnCheck")->isEnabled(); }
  bool Measuring() const { return !Answer()->isHidden(); }

  // Arms the answer of a modal window that `action` may open, and makes sure
  // none stays open after it.
  template <class Action>
  void WithModalAnswered(const QString& button, Action action) {
    const auto seen = AnswerNextModal(button);
    action();
    if (seen->shown) ++modals_;
    ASSERT_TRUE(NoModalOpen());
  }

  void ChooseFromMenu() {
    const bool measure = Coin();
    const bool abandon = Coin();
    const bool asked = !form_->SeriesOver();
    const std::int32_t exercise = form_->ExerciseNumber();
    const TAngle* before = Canvas().Angle();
    WithModalAnswered(abandon ? QStringLiteral("&Oui") : QStringLiteral("&Non"),
                      [&] { Action(measure ? "MIMesurer" : "MITracer")->trigger(); });
    if (asked && !abandon) {
      EXPECT_EQ(Canvas().Angle(), before) << "an abandon answered no replaced the exercise";
      EXPECT_EQ(form_->ExerciseNumber(), exercise);
    } else {
      ++started_;
      EXPECT_EQ(form_->ExerciseNumber(), 1);
      EXPECT_EQ(Measuring(), measure);
    }
  }

  void PressNext() {
    const std::int32_t exercise = form_->ExerciseNumber();
    if (Coin()) {
      Button("BitBtnNext")->click();
    } else {
      QTest::keyClick(&ToolBox(), Qt::Key_Return);
      ++events_;
    }
    ++started_;
    EXPECT_EQ(form_->ExerciseNumber(), exercise + 1);
  }

  void AnswerMeasure() {
    switch (Pick(5)) {
      case 0:
        Type(QString::number(Canvas().AngleMeasure()));
        break;
      case 1:
        Type(QString::number(WrongMeasure()));
        break;
      case 2:  // Enter on an empty box: nothing happens
        Type(QString());
        break;
      case 3: {
        // Pasted text bypasses the key filter: words, signs, blanks, too long.
        static const QString kPasted[] = {QStringLiteral("4a"),     QStringLiteral("-12"),
                                          QStringLiteral(" 7"),     QStringLiteral("abc"),
                                          QStringLiteral("123456"), QStringLiteral("+")};
        Answer()->clear();
        QApplication::clipboard()->setText(kPasted[Pick(6)]);
        Answer()->setFocus();
        QTest::keySequence(Answer(), QKeySequence::Paste);
        QTest::keyClick(Answer(), Qt::Key_Return);
        events_ += 2;
        return;
      }
      default:
        // Typing letters: the filter keeps them out of the box.
        Type(QStringLiteral("x%1y").arg(Pick(10)));
        break;
    }
    events_ += 4;
  }

  void SendMouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(p), Canvas().mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&Canvas(), &event);
    ++events_;
  }

  // A pencil stroke from the vertex region to the generated second end
  // (right), to some other point (most likely wrong), or no stroke at all.
  void DrawSecondSide() {
    if (!Tool("TBtnDraw")->isChecked()) Tool("TBtnDraw")->click();
    const TAngle& angle = *Canvas().Angle();
    const TPoint v = RoundPoint(angle.Vertex);
    const TPoint end =
        Coin() ? RoundPoint(angle.GeneratedEnd) : PointOf(v.X + Pick(400) - 200, v.Y + Pick(400) - 200);
    const QPoint mid((v.X + end.X) / 2, (v.Y + end.Y) / 2);
    SendMouse(QEvent::MouseButtonPress, mid, Qt::LeftButton, Qt::LeftButton);
    SendMouse(QEvent::MouseMove, QPoint(end.X, end.Y), Qt::NoButton, Qt::LeftButton);
    SendMouse(QEvent::MouseButtonRelease, QPoint(end.X, end.Y), Qt::LeftButton, Qt::NoButton);
  }

  void CheckDrawing() {
    if (Coin()) {
      Button("BitBtnCheck")->click();
    } else {
      QTest::keyClick(&ToolBox(), Qt::Key_Return);
      ++events_;
    }
  }

  // The protractor dragged by its centre somewhere, as a pupil would.
  void DragProtractor() {
    if (Tool("TBtnDraw")->isChecked()) Tool("TBtnRotate")->click();
    const TRect centre = Canvas().Protractor().GrabZones[TGradoir::kCentre];
    const QPoint from((centre.Left + centre.Right) / 2, (centre.Top + centre.Bottom) / 2);
    const QPoint to(Pick(Canvas().width() + 1), Pick(Canvas().height() + 1));
    SendMouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    SendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  void UseTool() {
    switch (Pick(4)) {
      case 0:
        Tool("TBtnGrado")->click();
        break;
      case 1:
        Tool("TBtnIniGradoPos")->click();
        break;
      case 2:
        Tool("TBtnRotate")->click();
        break;
      default:
        if (Tool("TBtnDraw")->isEnabled()) Tool("TBtnDraw")->click();
        break;
    }
  }

  void OpenHelp() {
    WithModalAnswered(QString(), [&] { Action(Coin() ? "MIHelp" : "MIAbout")->trigger(); });
  }

  // One step of the pupil while an exercise is open.
  void WorkOnExercise() {
    switch (Pick(12)) {
      case 0:
        UseTool();
        break;
      case 1:
        OpenHelp();
        break;
      case 2:
        ChooseFromMenu();
        break;
      case 3:
        if (Measuring()) DragProtractor();
        break;
      default:
        if (Measuring()) {
          WithModalAnswered(QStringLiteral("OK"), [&] { AnswerMeasure(); });
        } else {
          if (Coin()) DrawSecondSide();
          WithModalAnswered(QStringLiteral("OK"), [&] { CheckDrawing(); });
        }
        break;
    }
  }

  void Step() {
    if (form_->SeriesOver() || Canvas().Angle() == nullptr) {
      ChooseFromMenu();
    } else if (Trying()) {
      WorkOnExercise();
    } else if (Pick(8) == 0) {
      ChooseFromMenu();
    } else {
      PressNext();
    }
    ++steps_;
  }

  // Lamp colours as a string, one letter per lamp: W white, R red, G green.
  QString Lamps() const {
    QString s;
    for (int lamp = 1; lamp <= 3; ++lamp) {
      const QColor c = Lamp(lamp);
      s += c == kWhite ? u'W' : c == kRed ? u'R' : c == kGreen ? u'G' : u'?';
    }
    return s;
  }

  // True when the button, not the one lying at the same place, is on top.
  bool InFront(const char* name) const {
    QPushButton* button = Button(name);
    QWidget* parent = button->parentWidget();
    return parent->childAt(button->geometry().center()) == button;
  }

  void CheckInvariants() {
    const std::int32_t tries = form_->TryNumber();
    ASSERT_GE(tries, 1);
    ASSERT_LE(tries, 4);
    ASSERT_GE(form_->SuccessCount(), 0);
    ASSERT_LE(form_->SuccessCount(), form_->ExerciseNumber());

    const bool check = Button("BitBtnCheck")->isEnabled();
    const bool next = Button("BitBtnNext")->isEnabled();
    const bool was_trying = std::exchange(was_trying_, check);
    ASSERT_FALSE(check && next);
    if (check) {
      ASSERT_TRUE(InFront("BitBtnCheck"));
    }
    if (next) {
      ASSERT_TRUE(InFront("BitBtnNext"));
    }
    if (Canvas().Angle() == nullptr) return;
    ASSERT_EQ(Canvas().isEnabled(), check);

    const QString lamps = Lamps();
    if (check) {
      // Trying: the tries before the current one failed, the rest are open.
      const QString expected = QString(tries - 1, u'R') + QString(4 - tries, u'W');
      ASSERT_EQ(lamps, expected) << "try " << tries;
    } else {
      // Decided: failures, then a success unless all three failed.
      static const QStringList kDecided = {QStringLiteral("GWW"), QStringLiteral("RGW"),
                                           QStringLiteral("RRG"), QStringLiteral("RRR")};
      ASSERT_TRUE(kDecided.contains(lamps)) << lamps.toStdString();
      if (was_trying) CountDecision(lamps.contains(u'G'));
      ASSERT_EQ(Label("LblNumero")->text(),
                QStringLiteral("%1/%2").arg(form_->SuccessCount()).arg(form_->ExerciseNumber()));
    }
    const std::int32_t m = Canvas().AngleMeasure();
    ASSERT_TRUE((-180 <= m && m <= 180) || m == 181) << m;
  }

  // The picture rebuilt where it changed is the picture of a whole rebuild.
  void CheckPictureUpToDate() {
    TGradoImg32& canvas = Canvas();
    canvas.ValidateBuffer();
    const QImage partial = BufferImage(canvas);
    canvas.InvalidateImage();
    canvas.ValidateBuffer();
    ASSERT_TRUE(BufferImage(canvas) == partial) << "stale picture after step " << steps_;
  }

  static QImage BufferImage(TGradoImg32& canvas) {
    const TBitmap32& b = canvas.Buffer();
    const QImage whole(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(),
                       static_cast<qsizetype>(b.Width()) * 4, QImage::Format_ARGB32);
    return whole.copy(0, 0, std::min(b.Width(), canvas.width()), std::min(b.Height(), canvas.height()));
  }

  // An exercise has just been decided, right or after three wrong tries.
  void CountDecision(bool right) {
    int(&counts)[2] = Measuring() ? measured_ : drawn_;
    ++counts[right ? 1 : 0];
  }

  std::mt19937 rng_{kSoakSeed};
  int started_ = 0;
  int steps_ = 0;
  int events_ = 0;
  int modals_ = 0;
  bool was_trying_ = false;
  // Exercises decided, [0] after three wrong tries, [1] right.
  int measured_[2] = {0, 0};
  int drawn_[2] = {0, 0};
};

TEST_F(SoakTest, ThousandsOfRandomExercisesKeepTheSeriesConsistent) {
  // The angles come from a seeded sequence too, so that a failure repeats.
  std::mt19937 angle_seeds(kSoakSeed + 1);
  TScopedSeedProvider seeds([&angle_seeds] { return static_cast<std::uint32_t>(angle_seeds()); });
  Start("[NbEx/Serie]\nMesurer=4\nTracer=3\n");
  form_->resize(800, 600);
  QApplication::processEvents();
  while (started_ < kExercises) {
    Step();
    CheckInvariants();
    if (steps_ % kPictureCheckEvery == 0) CheckPictureUpToDate();
    if (HasFatalFailure() || HasFailure()) {
      FAIL() << "after step " << steps_ << ", exercise " << started_;
    }
  }
  // Both verdicts of both kinds and the modal windows really occurred.
  EXPECT_GT(measured_[0], 0);
  EXPECT_GT(measured_[1], 0);
  EXPECT_GT(drawn_[0], 0);
  EXPECT_GT(drawn_[1], 0);
  EXPECT_GT(modals_, 0);
  std::printf("soak: %d exercises, %d steps, %d pointer and key events, %d modal windows\n", started_, steps_,
              events_, modals_);
  std::printf("soak: decided measuring %d right %d wrong, drawing %d right %d wrong\n", measured_[1],
              measured_[0], drawn_[1], drawn_[0]);
}

}  // namespace
}  // namespace gradoir::test
