// The overlay's lines as text (weekday and time, vehicle count, loading
// percentage) and where they stand. Pure functions, shared by the GL overlay
// and the headless tools.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zintu {

// The overlay's own space spans the viewport: 0 to 10 across and up.
inline constexpr double kOverlaySpan = 10.0;
inline constexpr double kOverlayNear = -100.0;
inline constexpr double kOverlayFar = 100.0;

// The overlay's translations and scale, as the GL calls receive them.
struct OverlayLayout {
    float left;           // x of every line, overlay units
    float first_baseline; // y of line 1
    float line_step;      // y step before lines 2 and 3, in the current space
    float line_scale;     // scale applied after each step
};

OverlayLayout overlay_layout();

// Baseline of line `line` (0, 1, 2) as a fraction of the viewport height.
double overlay_baseline_fraction(int line);

// "(Mon) 08:15:00": the weekday abbreviation and the "%H:%M:%S" time.
std::string overlay_time_line(const std::tm& local_time);

// "Vehicles: 312".
std::string overlay_vehicle_line(int32_t vehicle_count);

// Whole percent of rows handled, truncated toward zero.
int overlay_loading_percent(int32_t rows_processed, int32_t frequency_count);

// "Loading ... (42%)".
std::string overlay_loading_line(int32_t rows_processed, int32_t frequency_count);

} // namespace zintu
