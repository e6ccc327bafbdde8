// Where a restored main window goes: the saved placement, kept inside the
// desktop that the screens form. Pure functions over given rectangles, so
// that any arrangement of screens can be tried.
#pragma once

#include <cstdint>
#include <vector>

namespace kardomel {

// A rectangle in screen pixels; Right and Bottom are exclusive edges.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// One screen: its full bounds and its work area (the bounds less the panels).
struct TScreenArea {
  TRect Bounds;
  TRect WorkArea;
};

// The desktop limits: starting from 0 on all four sides, each edge moves out
// to a screen's work-area edge when that screen's bounds reach past it.
TRect DesktopLimits(const std::vector<TScreenArea>& screens);

// The window's outer rectangle after a restore. Current is the window before
// loading (its design size); Left, Top, Width, Height are the stored values
// (the caller passes Current's for missing keys). Width and Height are taken
// only when Resizable and positive. An edge left of or above the limits moves
// to them; a window reaching past the right or bottom limit gets its design
// size back, flush with that limit.
TRect RestorePlacement(const TRect& current, bool resizable, int32_t left, int32_t top,
                       int32_t width, int32_t height, const std::vector<TScreenArea>& screens);

enum class TWindowState : int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

// The state to apply for a stored WindowState value: a window is never
// restored minimised, and a value other than 0, 1 or 2 keeps Current.
TWindowState RestoredWindowState(int32_t stored, TWindowState current);

}  // namespace kardomel
