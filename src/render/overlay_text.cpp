// Formatting of the overlay's lines, bounded by the buffers the overlay uses.
#include "render/overlay_text.h"

#include <cstdio>

namespace zintu {
namespace {

constexpr const char* kWeekdayAbbrev[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::size_t kTimeBuffer = 40;

} // namespace

OverlayLayout overlay_layout() {
    return {static_cast<float>(kOverlaySpan * 0.0350625),
            static_cast<float>(kOverlaySpan - kOverlaySpan * 0.1111111),
            static_cast<float>(kOverlaySpan * -0.07), 0.8f};
}

double overlay_baseline_fraction(int line) {
    const OverlayLayout layout = overlay_layout();
    double y = layout.first_baseline;
    double scale = 1.0;
    for (int i = 0; i < line; ++i) {
        y += scale * layout.line_step;
        scale *= layout.line_scale;
    }
    return y / kOverlaySpan;
}

std::string overlay_time_line(const std::tm& local_time) {
    char time_text[kTimeBuffer];
    if (std::strftime(time_text, sizeof time_text, "%H:%M:%S", &local_time) == 0) time_text[0] = 0;
    const int wday = local_time.tm_wday;
    const char* weekday = wday >= 0 && wday < 7 ? kWeekdayAbbrev[wday] : "???";
    return std::string("(") + weekday + ") " + time_text;
}

std::string overlay_vehicle_line(int32_t vehicle_count) {
    return "Vehicles: " + std::to_string(vehicle_count);
}

int overlay_loading_percent(int32_t rows_processed, int32_t frequency_count) {
    if (frequency_count <= 0) return 100;
    // The quotient is single precision, as the overlay has always shown it.
    const float fraction = static_cast<float>(rows_processed) / static_cast<float>(frequency_count);
    return static_cast<int>(fraction * 100.0);
}

std::string overlay_loading_line(int32_t rows_processed, int32_t frequency_count) {
    return "Loading ... (" +
           std::to_string(overlay_loading_percent(rows_processed, frequency_count)) + "%)";
}

} // namespace zintu
