// The recording loop and the clock of a recorded frame.
#include "app/recording.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace zintu {
namespace {

uint32_t drawn_rgb(const GlyphStyle& style) {
    const auto channel = [](float c) {
        return static_cast<uint32_t>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f));
    };
    return channel(style.red) << 16 | channel(style.green) << 8 | channel(style.blue);
}

} // namespace

void show_instant(App& a, WallTime instant) {
    a.platform.time_source = [instant] { return instant; };
    if (a.sim.speed_mode != SpeedMode::Fast) return;
    prime_fast_clock(a.sim.clock, instant.seconds, a.sim.zone);
    if (instant.millis != 0) {
        a.sim.clock.seconds = static_cast<float>(static_cast<double>(a.sim.clock.seconds) +
                                                 static_cast<double>(instant.millis) / 1000.0);
    }
}

std::vector<uint32_t> drawn_glyph_colours(const GlyphPalette& palette) {
    std::map<uint32_t, int64_t> shapes;
    shapes[drawn_rgb(common_glyph_style())] += 0;
    for (const GlyphStyle& style : palette.styles)
        shapes[drawn_rgb(style)] += 1;
    std::vector<std::pair<int64_t, uint32_t>> by_use;
    for (const auto& [colour, count] : shapes)
        by_use.emplace_back(-count, colour);
    std::sort(by_use.begin(), by_use.end());
    std::vector<uint32_t> colours;
    for (const auto& entry : by_use)
        colours.push_back(entry.second);
    return colours;
}

RecordResult record_frames(App& a, const FrameSchedule& schedule, const FrameSink& sink,
                           const RecordHost& host) {
    RecordResult result;
    for (int64_t k = 0; k < schedule.frame_count; ++k) {
        if ((result.stop_signal = host.stop()) != 0) break;
        show_instant(a, frame_instant(schedule, k));
        const uint8_t* rgb = host.draw();
        if (!sink.frame({k, frame_video_ms(schedule, k), rgb}, result.error)) break;
        if (host.progress) host.progress(k + 1);
        if (k + 1 == schedule.frame_count) result.ok = true;
    }
    if (schedule.frame_count == 0) result.ok = true;
    if (result.ok && (result.stop_signal = host.stop()) != 0) result.ok = false;
    if (result.ok) result.ok = sink.finish(result.error);
    if (!result.ok) sink.abort();
    return result;
}

} // namespace zintu
