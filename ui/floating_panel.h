#pragma once
// FloatingPanel: a small child panel that looks like a miniature tool
// window. Its frame and title bar are the widget's contents margins, painted
// by the panel itself; the user drags it by the title bar and collapses or
// expands it with the button in the title bar.
//
// A drag by the title bar stops where the whole title bar meets an edge of
// the parent, so the caption always stays within reach. A drag lasts while
// the left button is held: a pointer move without it (its release went to a
// modal box or another window) ends the drag where it is.
//
// When the parent it was created with shrinks, the panel moves back inside
// it: wholly when it fits, else its title bar. A growing parent moves nothing.
//
// Put the panel's controls on clientArea(): their positions are then client
// coordinates, and collapsing the panel hides them with the client area. (Qt
// delivers no resize event to a hidden widget: after an outside resize of a
// hidden panel the client area catches up when the panel is shown.)
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

namespace gradoir {

enum class TitleBarPosition { Top, Left };

// What a point of the panel lies on, as the pointer handlers see it.
// PanelHit::Border is the frame where it neither drags nor sizes; PanelHit::Nowhere is
// outside the panel.
enum class PanelHit {
  Nowhere,
  Client,
  Border,
  Caption,
  CollapseButton,
  Left,
  Right,
  Top,
  Bottom,
  TopLeft,
  TopRight,
  BottomLeft,
  BottomRight,
};

class FloatingPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool sunkenFrame READ sunkenFrame WRITE setSunkenFrame)
  Q_PROPERTY(bool expanded READ expanded WRITE setExpanded)
  Q_PROPERTY(bool sizeable READ sizeable WRITE setSizeable)
  Q_PROPERTY(bool showButtons READ showButtons WRITE setShowButtons)
  Q_PROPERTY(QString caption READ caption WRITE setCaption)
  Q_PROPERTY(QColor color READ color WRITE setColor)

 public:
  static constexpr int kTitleBarSize = 16;

  // 185 x 105, expanded, sizeable, with buttons, sunken frame, title bar on
  // top; savedSize is the height.
  explicit FloatingPanel(QWidget* parent = nullptr);
  ~FloatingPanel() override;

  // Properties.
  bool sunkenFrame() const { return m_ctl3d; }
  void setSunkenFrame(bool value);  // sunken 2-pixel frame (true) or flat 1-pixel
  bool expanded() const { return m_expanded; }
  void setExpanded(bool value);  // emits expandedChanged after a change only
  bool sizeable() const { return m_sizeable; }
  void setSizeable(bool value);
  bool showButtons() const { return m_showButtons; }
  void setShowButtons(bool value);
  TitleBarPosition titleBarPosition() const { return m_titleBarPosition; }
  // Also raises the size to at least 105 x 33.
  void setTitleBarPosition(TitleBarPosition value);
  QString caption() const { return m_caption; }
  void setCaption(const QString& caption);
  QColor color() const;  // the panel colour (palette Window role)
  void setColor(const QColor& color);

  void showPanel();  // show, then panelShown
  void hidePanel();  // hide, then panelHidden

  // The container of the panel's controls, kept on the client rectangle.
  QWidget* clientArea() const { return m_clientArea; }

  // Frame width: 2 sunken, 1 flat.
  int frameWidth() const { return m_ctl3d ? 2 : 1; }
  // The client rectangle in panel coordinates (= contentsRect()).
  QRect clientRect() const { return contentsRect(); }

  // Which part of the panel a point in client coordinates (origin at the
  // client rectangle's top-left; the title bar has negative coordinates)
  // lies on.
  PanelHit hitTest(QPoint clientPoint) const;

  // Length the caption may take along the title bar at the current size;
  // a longer one ends with an ellipsis.
  int captionRoom() const;

  // Schedules a repaint of the frame and title bar, or of the button only.
  void paintTitleBar(bool ButtonOnly);

  // Read access to the private state, for the main window and tests.
  int savedSize() const { return m_savedSize; }
  QRect buttonRect() const;  // client coordinates; empty without buttons
  bool hasFocus() const { return m_hasFocus; }
  bool buttonHot() const { return m_buttonHot; }

  // Title bar colours in use: background and text.
  QColor captionColor() const;
  QColor captionTextColor() const;
  // The button's colour while the pointer is over it.
  QColor hotColor() const;

 signals:
  void expandedChanged(bool expanded);
  void panelShown();
  void panelHidden();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  void paintClient(QPainter& painter);
  // What a panel of its own kind draws behind its controls (a frame...):
  // over the client area's background, in client coordinates, unsmoothed.
  // Nothing by default.
  virtual void paintClientDecoration(QPainter& painter);

 private:
  enum class PointerAction { None, Move, Size };

  void updateNonClient();  // margins, size limits, button rectangle
  void syncClientArea();  // the client-area child follows the margins
  QRect buttonSquare() const;  // panel coordinates
  QPoint toClient(QPoint panelPoint) const;
  void focusChanged(QWidget* now);
  void setButtonHot(bool hot);
  void takeFocusAndRaise();
  void startPointerAction(PointerAction action, PanelHit code, QPoint parentPoint);
  void continuePointerAction(QPoint parentPoint);
  QPoint clampToParent(QPoint parentPoint) const;
  QRect titleBarRect() const;  // panel coordinates, frame excluded
  QPoint keepTitleBarInParent(QPoint topLeft) const;
  // After the parent's resize: the whole panel inside it when it fits there,
  // else at least the title bar.
  void keepInsideParent();
  void updateCursor(PanelHit code);

  void drawFrame(QPainter& painter);
  void drawLeftTitleBar(QPainter& painter);
  void drawTopTitleBar(QPainter& painter);
  void drawButton(QPainter& painter);

  bool m_ctl3d = true;
  bool m_expanded = true;
  bool m_sizeable = true;
  bool m_showButtons = true;
  TitleBarPosition m_titleBarPosition = TitleBarPosition::Top;
  QString m_caption;

  int m_savedSize = 0;
  bool m_hasFocus = false;
  bool m_buttonHot = false;

  QWidget* m_clientArea = nullptr;  // child, owned by Qt parenting
  QMetaObject::Connection m_focusConnection;
  bool m_sizingCursor = false;  // the panel's cursor is a sizing cursor we set

  PointerAction m_pointerAction = PointerAction::None;
  PanelHit m_sizingEdge = PanelHit::Nowhere;
  QPoint m_grabPoint;       // pointer in parent coordinates at the press
  QRect m_grabGeometry;     // panel geometry at the press
};

}  // namespace gradoir
