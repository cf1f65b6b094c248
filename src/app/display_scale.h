// The display's scale factor: how many of its pixels the picture gives to one
// pixel of a 96-dpi display. Only what is sized in pixels scales by it (line
// widths and the overlay font); the map, the glyphs and the overlay's
// positions follow the viewport already. The factor comes from, in order: a
// factor asked for on the command line, the DPI the system is set to
// (Xft.dpi on X11, the window's DPI on Windows), the monitor's pixel density,
// and otherwise 1. Pure, so each source and fallback is tested natively; the
// hosts only read the sources.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zintu {

inline constexpr double kReferenceDpi = 96.0;
// Factors the display suggests are rounded to quarters: a system set a few
// dpi off 96 still draws exactly as at 96, and widths and font sizes come out
// even.
inline constexpr double kScaleStep = 0.25;
inline constexpr double kMinDisplayScale = 0.5;
inline constexpr double kMaxDisplayScale = 8.0;

// A monitor as the display describes it: its mode in pixels and its physical
// size in millimetres (0 where unknown).
struct MonitorSize {
    int32_t width_px = 0;
    int32_t height_px = 0;
    int32_t width_mm = 0;
    int32_t height_mm = 0;
};

struct ScaleSources {
    double requested = 0.0;             // given on the command line; 0: the display decides
    std::optional<double> dpi;          // the DPI the system is set to
    std::optional<MonitorSize> monitor; // the monitor the window is on
};

// The number in a DPI setting's text ("192", " 144.0 "); empty when the text
// is not a positive finite number.
std::optional<double> parse_dpi(std::string_view text);

// The factor a monitor's pixel density suggests, never below 1 (a television
// or a projector is watched from further away, not drawn smaller); empty when
// its physical size is missing, stands for an aspect ratio instead of a size,
// disagrees between the two axes or gives an implausible density.
std::optional<double> monitor_scale(const MonitorSize& monitor);

// The factor for this view: the requested one when given (kept as asked,
// within kMinDisplayScale..kMaxDisplayScale), else the first source present.
double display_scale(const ScaleSources& sources);

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
};

// A window of `size` display-independent pixels at `scale`, made smaller in
// its own proportions where the screen is smaller: a 1280x800 window on a
// 200 % screen covers as much of it as on a 100 % one.
PixelSize scaled_window_size(PixelSize size, double scale, PixelSize screen);

} // namespace zintu
