// What a screen reader reads of the main window, through the toolkit's
// accessibility interfaces: names, the lamps' states, the canvas's
// description, and the events that tell of their changes.
#include "app/accessibility.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>
#include <utility>
#include <vector>

#include "figures/protractor.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "ui/help_dialog.h"

namespace gradoir::test {
namespace {

// Events as the toolkit hands them to the desktop's accessibility bridge.
std::vector<std::pair<QObject*, QAccessible::Event>>& seenEvents() {
  static std::vector<std::pair<QObject*, QAccessible::Event>> events;
  return events;
}

class AccessibilityTest : public MainWindowTest {
 protected:
  void SetUp() override {
    // The offscreen platform has no reader listening: act as if one were, so
    // that events are sent at all, and catch them.
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr);
    platform->setActive(true);
    m_previousHandler = QAccessible::installUpdateHandler(
        [](QAccessibleEvent* e) { seenEvents().emplace_back(e->object(), e->type()); });
    seenEvents().clear();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    QAccessible::installUpdateHandler(m_previousHandler);
  }

  static QString text(QObject* object, QAccessible::Text which) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(which) : QStringLiteral("<no interface>");
  }
  static int eventsFor(QObject* object, QAccessible::Event type) {
    int n = 0;
    for (const auto& [o, t] : seenEvents()) n += (o == object && t == type);
    return n;
  }
  // What the pupil sees of lamp n, in words: an oracle apart from the code.
  QString lampWord(int n) const {
    const QColor c = lamp(n);
    if (c == kGreen) return QStringLiteral("juste");
    if (c == kRed) return QStringLiteral("faux");
    if (c == kWhite) return QStringLiteral("pas encore");
    return QStringLiteral("?");
  }
  QString lampsSeen() const {
    return QStringLiteral("Essais : %1, %2, %3").arg(lampWord(1), lampWord(2), lampWord(3));
  }
  QPoint protractorCentreOnScreen() const {
    const Rect zone = canvas().protractor().grabZone(GrabZone::Centre);
    return {(zone.left + zone.right) / 2, (zone.top + zone.bottom) / 2};
  }
  void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(p), canvas().mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&canvas(), &event);
  }
  void drag(QPoint from, QPoint to) {
    mouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  QAccessible::UpdateHandler m_previousHandler = nullptr;
};

TEST_F(AccessibilityTest, EveryControlHasAFrenchName) {
  start();
  action("measureAction")->trigger();
  const struct {
    const char* object;
    const char* name;
  } named[] = {
      {"checkButton", "Vérifier"},
      {"nextButton", "Suite"},
      {"pencilButton", "Crayon"},
      {"moveTurnButton", "Déplacer et tourner le rapporteur"},
      {"protractorButton", "Afficher ou cacher le rapporteur"},
      {"centerProtractorButton", "Centrer le rapporteur"},
      {"answerEdit", "Réponse"},
      {"canvas", "Exercice"},
      {"toolBox", "Boîte à outils"},
      {"statementLabel", "Mesure l'angle tracé."},
      {"tryLamps", "Essais : pas encore, pas encore, pas encore"},
  };
  for (const auto& n : named) {
    EXPECT_EQ(text(find<QObject>(n.object), QAccessible::Name), QString::fromUtf8(n.name)) << n.object;
  }
  // Whatever control arrives later: none of them is read as an empty button or box.
  for (QWidget* w : m_form->findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractButton*>(w) == nullptr && qobject_cast<QLineEdit*>(w) == nullptr) continue;
    if (w->objectName().startsWith(QLatin1String("qt_"))) continue;  // the toolkit's own, named by it
    EXPECT_FALSE(text(w, QAccessible::Name).trimmed().isEmpty()) << w->objectName().toStdString();
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&canvas())->role(), QAccessible::Canvas);
  // The score's name is its text; its description says what the numbers mean.
  EXPECT_FALSE(text(label("scoreLabel"), QAccessible::Description).isEmpty());
}

TEST_F(AccessibilityTest, LampsNameTellsEachTryAsItIsLit) {
  start();
  action("measureAction")->trigger();
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), lampsSeen());
  seenEvents().clear();
  answerWrong();
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name),
            QStringLiteral("Essais : faux, pas encore, pas encore"));
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), lampsSeen());
  EXPECT_GE(eventsFor(label("tryLamps"), QAccessible::NameChanged), 1);
  answerRight();
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), QStringLiteral("Essais : faux, juste, pas encore"));
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), lampsSeen());

  // The next exercise puts every lamp back out, in words too.
  button("nextButton")->click();
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), lampsSeen());
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name),
            QStringLiteral("Essais : pas encore, pas encore, pas encore"));
}

TEST_F(AccessibilityTest, ThreeWrongTriesReadAsTheyShow) {
  start();
  action("measureAction")->trigger();
  for (int i = 0; i < 3; ++i) answerWrong();
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), QStringLiteral("Essais : faux, faux, faux"));
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), lampsSeen());
}

TEST_F(AccessibilityTest, EveryVerdictIsAnnouncedEvenTheSameTwice) {
  start();
  action("drawAction")->trigger();
  QLabel* verdict = label("verdictLabel");
  seenEvents().clear();
  // Two wrong drawings in a row leave the same text on the label.
  drawSide(m_form->series().targetMeasure() + 1);
  button("checkButton")->click();
  ASSERT_EQ(verdict->text(), QStringLiteral("Erreur ..."));
  EXPECT_EQ(eventsFor(verdict, QAccessible::NameChanged), 1);  // once, not twice
  const int afterFirst = eventsFor(verdict, QAccessible::NameChanged);
  drawSide(m_form->series().targetMeasure() + 2);
  button("checkButton")->click();
  ASSERT_EQ(verdict->text(), QStringLiteral("Erreur ..."));
  EXPECT_EQ(eventsFor(verdict, QAccessible::NameChanged), afterFirst + 1);
  EXPECT_EQ(text(verdict, QAccessible::Name), QStringLiteral("Erreur ..."));

  drawSide(m_form->series().targetMeasure());
  button("checkButton")->click();
  EXPECT_EQ(text(verdict, QAccessible::Name), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(text(label("tryLamps"), QAccessible::Name), QStringLiteral("Essais : faux, faux, juste"));
}

TEST_F(AccessibilityTest, CanvasDescriptionFollowsTheProtractor) {
  start();
  action("measureAction")->trigger();
  const QString start = text(&canvas(), QAccessible::Description);
  EXPECT_TRUE(start.startsWith(QStringLiteral("Mesure l'angle tracé. "))) << start.toStdString();
  // Centred on the canvas, straight edge level.
  const QPoint centre = protractorCentreOnScreen();
  EXPECT_LE(std::abs(centre.x() - canvas().width() / 2), 2);
  EXPECT_LE(std::abs(centre.y() - canvas().height() / 2), 2);
  EXPECT_TRUE(start.contains(QStringLiteral("tourné de 0°"))) << start.toStdString();
  EXPECT_TRUE(start.contains(QStringLiteral("Le sommet de l'angle est en ("))) << start.toStdString();

  // A drag leaves the centre 7 pixels above the pointer.
  seenEvents().clear();
  const QPoint to(centre.x() + 40, centre.y() + 30);
  drag(centre, to);
  const QString moved = text(&canvas(), QAccessible::Description);
  EXPECT_TRUE(moved.contains(QStringLiteral("centre en (%1, %2)").arg(to.x()).arg(to.y() - 7)))
      << moved.toStdString();
  EXPECT_GE(eventsFor(&canvas(), QAccessible::DescriptionChanged), 1);

  // Turned by its 180 end to straight below the centre: a quarter turn clockwise.
  const Rect end = canvas().protractor().grabZone(GrabZone::End180);
  const QPoint movedCentre(to.x(), to.y() - 7);
  drag(QPoint((end.left + end.right) / 2, (end.top + end.bottom) / 2), movedCentre + QPoint(0, 150));
  EXPECT_TRUE(text(&canvas(), QAccessible::Description).contains(QStringLiteral("tourné de 90°")))
      << text(&canvas(), QAccessible::Description).toStdString();

  QTest::mouseClick(tool("protractorButton"), Qt::LeftButton);
  EXPECT_TRUE(text(&canvas(), QAccessible::Description).endsWith(QStringLiteral("Le rapporteur est caché.")));
  QTest::mouseClick(tool("protractorButton"), Qt::LeftButton);
  QTest::mouseClick(tool("centerProtractorButton"), Qt::LeftButton);
  EXPECT_TRUE(text(&canvas(), QAccessible::Description).contains(QStringLiteral("tourné de 0°")));
}

TEST_F(AccessibilityTest, DrawingStatementReadsTheMeasure) {
  start();
  action("drawAction")->trigger();
  const QString expected =
      QStringLiteral("Trace un angle de %1° à partir du sommet.").arg(m_form->series().targetMeasure());
  EXPECT_EQ(text(label("statementLabel"), QAccessible::Name), expected);
  EXPECT_TRUE(text(&canvas(), QAccessible::Description).startsWith(expected));
}

TEST_F(AccessibilityTest, HelpWindowNamesItsTextAndButton) {
  HelpDialog help;
  help.setShowHelp(true);
  EXPECT_EQ(text(help.findChild<QWidget*>(QStringLiteral("helpText")), QAccessible::Name), QStringLiteral("Aide"));
  EXPECT_EQ(text(help.findChild<QWidget*>(QStringLiteral("okButton")), QAccessible::Name), QStringLiteral("OK"));
}

TEST(ProtractorDescription, TurnsReadBetweenZeroAnd359AndTheVertexIsPlaced) {
  ProtractorPose pose{100, 200, 0};
  const struct {
    int orientation;
    int read;
  } turns[] = {{0, 0}, {-30, 330}, {725, 5}, {360, 0}, {-360, 0}, {-721, 359}};
  for (const auto& t : turns) {
    pose.orientation = t.orientation;
    EXPECT_TRUE(protractorDescription(pose, std::nullopt).contains(QStringLiteral(" %1°").arg(t.read)))
        << t.orientation;
  }
  EXPECT_FALSE(protractorDescription(pose, std::nullopt).contains(QStringLiteral("sommet")));
  EXPECT_TRUE(protractorDescription(pose, QPoint(100, 200))
                  .endsWith(QStringLiteral("Son centre est sur le sommet de l'angle.")));
  EXPECT_TRUE(protractorDescription(pose, QPoint(101, 200))
                  .endsWith(QStringLiteral("Le sommet de l'angle est en (101, 200).")));
  EXPECT_EQ(protractorDescription(std::nullopt, QPoint(100, 200)), QStringLiteral("Le rapporteur est caché."));
}

}  // namespace
}  // namespace gradoir::test
