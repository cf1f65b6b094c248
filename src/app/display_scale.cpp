// The display's scale factor from its sources.
#include "app/display_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zintu {
namespace {

constexpr double kMillimetresPerInch = 25.4;
// Densities beyond these are no monitor's: a size in centimetres or a
// placeholder of a few millimetres.
constexpr double kMaxPlausibleDpi = 600.0;
// The two axes of one monitor differ this much at most (non-square pixels
// exist, but not by more).
constexpr double kMaxAxisRatio = 1.5;

// Sizes in millimetres some monitors report that are their aspect ratio,
// not their size. Only these two pass for a size otherwise: 16 by 9 or 10 is
// too dense to believe, 1600 by 900 or 1000 too sparse to matter.
constexpr int32_t kAspectSizes[][2] = {{160, 90}, {160, 100}};

double clamp_scale(double scale) {
    return std::clamp(scale, kMinDisplayScale, kMaxDisplayScale);
}

double round_to_step(double scale) {
    return std::round(scale / kScaleStep) * kScaleStep;
}

bool is_whitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

std::optional<double> parse_dpi(std::string_view text) {
    while (!text.empty() && is_whitespace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_whitespace(text.back()))
        text.remove_suffix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value <= 0.0) return std::nullopt;
    return value;
}

std::optional<double> monitor_scale(const MonitorSize& m) {
    // Without a physical size there is nothing to measure the pixels by.
    // Pixel counts of 0 or less need no test of their own: one such axis
    // disagrees with the other below, and two give no density, so 1.
    if (m.width_mm <= 0 || m.height_mm <= 0) return std::nullopt;
    for (const auto& [width, height] : kAspectSizes) {
        if (m.width_mm == width && m.height_mm == height) return std::nullopt;
    }
    const double dpi_x = m.width_px * kMillimetresPerInch / m.width_mm;
    const double dpi_y = m.height_px * kMillimetresPerInch / m.height_mm;
    if (std::max(dpi_x, dpi_y) > kMaxAxisRatio * std::min(dpi_x, dpi_y)) return std::nullopt;
    const double dpi = (dpi_x + dpi_y) / 2.0;
    if (dpi > kMaxPlausibleDpi) return std::nullopt;
    return std::max(1.0, round_to_step(dpi / kReferenceDpi));
}

double display_scale(const ScaleSources& sources) {
    if (sources.requested > 0.0) return clamp_scale(sources.requested);
    if (sources.dpi && *sources.dpi > 0.0)
        return clamp_scale(round_to_step(*sources.dpi / kReferenceDpi));
    if (sources.monitor) {
        if (const std::optional<double> scale = monitor_scale(*sources.monitor))
            return clamp_scale(*scale);
    }
    return 1.0;
}

PixelSize scaled_window_size(PixelSize size, double scale, PixelSize screen) {
    double width = std::round(size.width * scale), height = std::round(size.height * scale);
    if (screen.width > 0 && screen.height > 0) {
        const double fit = std::min({1.0, screen.width / width, screen.height / height});
        width = std::max(1.0, std::floor(width * fit));
        height = std::max(1.0, std::floor(height * fit));
    }
    return {static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

} // namespace zintu
