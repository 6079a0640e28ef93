#pragma once
// How small the main window may get: never smaller than a canvas that holds
// the whole protractor disc with a margin, unless the screen itself is smaller.
#include <QSize>

class QWidget;

namespace gradoir {

// The protractor disc (482 pixels across) with 10 pixels around it.
inline constexpr QSize kMinimumCanvasSize(502, 502);

// The window's minimum size for a canvas of at least `canvas`, where
// `chrome` is what the window adds around its canvas (menu bar, status bar)
// and `frame` what the window manager adds around the window: no more than a
// screen work area of `available` can show, and never negative.
QSize minimumWindowSize(QSize canvas, QSize chrome, QSize available, QSize frame);

// Keeps `window`'s minimum size so that `canvas` gets kMinimumCanvasSize:
// when it is shown, when the canvas is resized (the frame is known once the
// window manager framed the window) and when it moves to another screen.
void keepCanvasMinimum(QWidget& window, QWidget& canvas);

}  // namespace gradoir
