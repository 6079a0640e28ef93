// Toolkit colours (0x00BBGGRR, or a system colour number with the top bit
// set) to opaque ARGB pixels.
#include <QGuiApplication>
#include <QPalette>
#include <array>

#include "raster/bitmap32.h"

namespace gradoir {
namespace {

constexpr ToolkitColor kSystemColorFlag = 0x80000000u;
constexpr Color32 kOpaque = 0xFF000000u;

// One system colour number: where it comes from in the application palette,
// and the value used when there is no application to ask.
struct SystemColor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
  Color32 fallback;  // 0x00RRGGBB
};

// Indexed by the system colour number; numbers beyond the table are black.
const std::array<SystemColor, 31>& systemColors() {
  using P = QPalette;
  static const std::array<SystemColor, 31> colors = {{
      {P::Active, P::Button, 0xC8C8C8},            // 0 scroll bar
      {P::Active, P::Window, 0x000000},            // 1 desktop background
      {P::Active, P::Highlight, 0x99B4D1},         // 2 active caption
      {P::Inactive, P::Mid, 0xBFCDDB},             // 3 inactive caption
      {P::Active, P::Window, 0xF0F0F0},            // 4 menu
      {P::Active, P::Base, 0xFFFFFF},              // 5 window
      {P::Active, P::Shadow, 0x646464},            // 6 window frame
      {P::Active, P::WindowText, 0x000000},        // 7 menu text
      {P::Active, P::Text, 0x000000},              // 8 window text
      {P::Active, P::HighlightedText, 0x000000},   // 9 caption text
      {P::Active, P::Window, 0xB4B4B4},            // 10 active border
      {P::Inactive, P::Window, 0xF4F7FC},          // 11 inactive border
      {P::Active, P::Mid, 0xABABAB},               // 12 application workspace
      {P::Active, P::Highlight, 0x0078D7},         // 13 highlight
      {P::Active, P::HighlightedText, 0xFFFFFF},   // 14 highlighted text
      {P::Active, P::Button, 0xF0F0F0},            // 15 button face
      {P::Active, P::Dark, 0xA0A0A0},              // 16 button shadow
      {P::Disabled, P::Text, 0x6D6D6D},            // 17 grey text
      {P::Active, P::ButtonText, 0x000000},        // 18 button text
      {P::Inactive, P::WindowText, 0x000000},      // 19 inactive caption text
      {P::Active, P::Light, 0xFFFFFF},             // 20 button highlight
      {P::Active, P::Shadow, 0x696969},            // 21 dark shadow
      {P::Active, P::Midlight, 0xE3E3E3},          // 22 light
      {P::Active, P::ToolTipText, 0x000000},       // 23 tooltip text
      {P::Active, P::ToolTipBase, 0xFFFFE1},       // 24 tooltip background
      {P::Active, P::Window, 0x000000},            // 25 (unused number)
      {P::Active, P::Link, 0x0066CC},              // 26 hot-tracked item
      {P::Active, P::Highlight, 0xB9D1EA},         // 27 active caption gradient
      {P::Inactive, P::Mid, 0xD7E4F2},             // 28 inactive caption gradient
      {P::Active, P::Highlight, 0x3399FF},         // 29 menu highlight
      {P::Active, P::Window, 0xF0F0F0},            // 30 menu bar
  }};
  return colors;
}

// The current value of a system colour as 0x00RRGGBB.
Color32 systemColorRgb(std::uint32_t number) {
  const auto& colors = systemColors();
  if (number >= colors.size() || number == 25) return 0;
  const SystemColor& entry = colors[number];
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return entry.fallback;
  return QGuiApplication::palette().color(entry.group, entry.role).rgb() & 0x00FFFFFFu;
}

}  // namespace

Color32 colorToArgb(ToolkitColor color) {
  if ((color & kSystemColorFlag) != 0) return kOpaque | systemColorRgb(color & 0xFFu);
  const Color32 red = color & 0xFFu;
  const Color32 green = (color >> 8) & 0xFFu;
  const Color32 blue = (color >> 16) & 0xFFu;
  return kOpaque | (red << 16) | (green << 8) | blue;
}

}  // namespace gradoir
