#pragma once
// TFloatingWindow: a small child panel that looks like a miniature tool
// window. Its frame and title bar are the widget's contents margins, painted
// by the panel itself; the user drags it by the title bar and collapses or
// expands it with the button in the title bar.
//
// Put the panel's controls on ClientArea(): their positions are then client
// coordinates, and collapsing the panel hides them with the client area. (Qt
// delivers no resize event to a hidden widget: after an outside resize of a
// hidden panel the client area catches up when the panel is shown.)
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class QPainter;

namespace gradoir {

enum TTitleBarPosition { tbTop, tbLeft };

// What a point of the panel lies on, as the pointer handlers see it.
// htBorder is the frame where it neither drags nor sizes; htNowhere is
// outside the panel.
enum THitTest {
  htNowhere,
  htClient,
  htBorder,
  htCaption,
  htMinButton,
  htLeft,
  htRight,
  htTop,
  htBottom,
  htTopLeft,
  htTopRight,
  htBottomLeft,
  htBottomRight,
};

class TFloatingWindow : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
  Q_PROPERTY(bool Expanded READ Expanded WRITE SetExpanded)
  Q_PROPERTY(bool Sizeable READ Sizeable WRITE SetSizeable)
  Q_PROPERTY(bool ShowButtons READ ShowButtons WRITE SetShowButtons)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)

 public:
  static constexpr int kTitleBarSize = 16;

  // 185 x 105, expanded, sizeable, with buttons, sunken frame, title bar on
  // top; SavedSize is the height.
  explicit TFloatingWindow(QWidget* parent = nullptr);
  ~TFloatingWindow() override;

  // Properties.
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool value);  // sunken 2-pixel frame (true) or flat 1-pixel
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool value);  // fires OnExpand after a change only
  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool value);
  bool ShowButtons() const { return show_buttons_; }
  void SetShowButtons(bool value);
  TTitleBarPosition TitleBarPosition() const { return title_bar_position_; }
  // Also raises the size to at least 105 x 33.
  void SetTitleBarPosition(TTitleBarPosition value);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QColor Color() const;  // the panel colour (palette Window role)
  void SetColor(const QColor& color);

  // Events; an unset event is skipped.
  std::function<void(TFloatingWindow* sender)> OnExpand;
  std::function<void(TFloatingWindow* sender)> OnShow;
  std::function<void(TFloatingWindow* sender)> OnHide;

  void ShowPanel();  // show, then OnShow
  void HidePanel();  // hide, then OnHide

  // The container of the panel's controls, kept on the client rectangle.
  QWidget* ClientArea() const { return client_area_; }

  // Frame width: 2 sunken, 1 flat.
  int FrameWidth() const { return ctl3d_ ? 2 : 1; }
  // The client rectangle in panel coordinates (= contentsRect()).
  QRect ClientRect() const { return contentsRect(); }

  // Which part of the panel a point in client coordinates (origin at the
  // client rectangle's top-left; the title bar has negative coordinates)
  // lies on.
  THitTest HitTest(QPoint clientPoint) const;

  // Schedules a repaint of the frame and title bar, or of the button only.
  void PaintTitleBar(bool ButtonOnly);

  // Read access to the private state, for the main window and tests.
  int SavedSize() const { return saved_size_; }
  QRect ButtonRect() const;  // client coordinates; empty without buttons
  bool HasFocus() const { return has_focus_; }
  bool ButtonHot() const { return button_hot_; }

  // Title bar colours in use: background and text.
  QColor CaptionColor() const;
  QColor CaptionTextColor() const;
  // The button's colour while the pointer is over it.
  QColor HotColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  void PaintClient(QPainter& painter);

 private:
  enum class TPointerAction { None, Move, Size };

  void UpdateNonClient();  // margins, size limits, button rectangle
  void SyncClientArea();  // the client-area child follows the margins
  QRect ButtonSquare() const;  // panel coordinates
  QPoint ToClient(QPoint panelPoint) const;
  void FocusChanged(QWidget* now);
  void SetButtonHot(bool hot);
  void TakeFocusAndRaise();
  void StartPointerAction(TPointerAction action, THitTest code, QPoint parentPoint);
  void ContinuePointerAction(QPoint parentPoint);
  QPoint ClampToParent(QPoint parentPoint) const;
  void UpdateCursor(THitTest code);

  void DrawFrame(QPainter& painter);
  void DrawLeftTitleBar(QPainter& painter);
  void DrawTopTitleBar(QPainter& painter);
  void DrawButton(QPainter& painter);

  bool ctl3d_ = true;
  bool expanded_ = true;
  bool sizeable_ = true;
  bool show_buttons_ = true;
  TTitleBarPosition title_bar_position_ = tbTop;
  QString caption_;

  int saved_size_ = 0;
  bool has_focus_ = false;
  bool button_hot_ = false;

  QWidget* client_area_ = nullptr;  // child, owned by Qt parenting
  QMetaObject::Connection focus_connection_;
  bool sizing_cursor_ = false;  // the panel's cursor is a sizing cursor we set

  TPointerAction pointer_action_ = TPointerAction::None;
  THitTest sizing_edge_ = htNowhere;
  QPoint grab_point_;       // pointer in parent coordinates at the press
  QRect grab_geometry_;     // panel geometry at the press
};

}  // namespace gradoir
