// The overlay's lines as text: weekday and time, vehicle count, loading
// percentage. Pure functions, shared by the GL overlay and the headless tools.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zintu {

// "(Mon) 08:15:00": the weekday abbreviation and the "%H:%M:%S" time.
std::string overlay_time_line(const std::tm& local_time);

// "Vehicles: 312".
std::string overlay_vehicle_line(int32_t vehicle_count);

// Whole percent of rows handled, truncated toward zero.
int overlay_loading_percent(int32_t rows_processed, int32_t frequency_count);

// "Loading ... (42%)".
std::string overlay_loading_line(int32_t rows_processed, int32_t frequency_count);

} // namespace zintu
