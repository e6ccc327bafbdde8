#include "support/ini/window_placement.h"

namespace kardomel {

TRect DesktopLimits(const std::vector<TScreenArea>& screens) {
  TRect limits;
  // The comparisons use the bounds, the limits take the work areas.
  for (const TScreenArea& screen : screens) {
    if (screen.Bounds.Left < limits.Left) limits.Left = screen.WorkArea.Left;
    if (screen.Bounds.Right > limits.Right) limits.Right = screen.WorkArea.Right;
    if (screen.Bounds.Top < limits.Top) limits.Top = screen.WorkArea.Top;
    if (screen.Bounds.Bottom > limits.Bottom) limits.Bottom = screen.WorkArea.Bottom;
  }
  return limits;
}

TRect RestorePlacement(const TRect& current, bool resizable, int32_t left, int32_t top,
                       int32_t width, int32_t height, const std::vector<TScreenArea>& screens) {
  const TRect limits = DesktopLimits(screens);
  const int32_t w0 = current.Width();
  const int32_t h0 = current.Height();
  int32_t w = w0;
  int32_t h = h0;
  // A hand-edited size of zero or less would hide the window.
  if (resizable && width > 0) w = width;
  if (resizable && height > 0) h = height;
  int64_t x = left;
  int64_t y = top;
  if (x < limits.Left) x = limits.Left;
  if (y < limits.Top) y = limits.Top;
  if (x + w > limits.Right) {
    x = static_cast<int64_t>(limits.Right) - w0;
    w = w0;
  }
  if (y + h > limits.Bottom) {
    y = static_cast<int64_t>(limits.Bottom) - h0;
    h = h0;
  }
  TRect placed;
  placed.Left = static_cast<int32_t>(x);
  placed.Top = static_cast<int32_t>(y);
  placed.Right = static_cast<int32_t>(x + w);
  placed.Bottom = static_cast<int32_t>(y + h);
  return placed;
}

TWindowState RestoredWindowState(int32_t stored, TWindowState current) {
  if (stored == 0) return TWindowState::Normal;
  if (stored == 2) return TWindowState::Maximized;
  return current;
}

}  // namespace kardomel
