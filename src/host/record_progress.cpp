// Progress reports of a recording.
#include "host/record_progress.h"

#include <algorithm>
#include <cmath>
#include <unistd.h>

namespace zintu {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedraw = std::chrono::milliseconds(100);

std::string duration(double seconds) {
    const auto whole = static_cast<int64_t>(std::llround(std::max(seconds, 0.0)));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(whole / 3600),
                      static_cast<long long>(whole / 60 % 60), static_cast<long long>(whole % 60));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(whole / 60),
                      static_cast<long long>(whole % 60));
    }
    return text;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

std::string progress_text(int64_t done, int64_t total, double elapsed_seconds, bool bar) {
    const std::string left = done > 0
                                 ? duration(elapsed_seconds * static_cast<double>(total - done) /
                                            static_cast<double>(done))
                                 : "?";
    const std::string elapsed = duration(elapsed_seconds);
    char text[160];
    if (!bar) {
        std::snprintf(text, sizeof text,
                      "zintu: recorded %lld/%lld frames (%lld %%), %s elapsed, %s left",
                      static_cast<long long>(done), static_cast<long long>(total),
                      static_cast<long long>(done * 100 / std::max<int64_t>(total, 1)),
                      elapsed.c_str(), left.c_str());
        return text;
    }
    const int filled = static_cast<int>(total > 0 ? done * kBarWidth / total : kBarWidth);
    const std::string hashes(static_cast<std::size_t>(filled), '#');
    const std::string dots(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::snprintf(text, sizeof text, "[%s%s] %lld/%lld frames, %s elapsed, %s left", hashes.c_str(),
                  dots.c_str(), static_cast<long long>(done), static_cast<long long>(total),
                  elapsed.c_str(), left.c_str());
    return text;
}

Progress start_progress(std::FILE* out, int64_t total) {
    Progress p;
    p.out = out;
    p.terminal = isatty(fileno(out)) == 1;
    p.total = total;
    p.start = std::chrono::steady_clock::now();
    return p;
}

void report_progress(Progress& p, int64_t done) {
    if (p.terminal) {
        const auto now = std::chrono::steady_clock::now();
        if (p.bar_shown && now - p.drawn < kRedraw && done < p.total) return;
        p.drawn = now;
        p.bar_shown = true;
        // Back to the line's start, the bar, and the rest of the line cleared.
        std::fprintf(p.out, "\r%s\033[K",
                     progress_text(done, p.total, seconds_since(p.start), true).c_str());
        std::fflush(p.out);
        return;
    }
    const int64_t tenth = p.total > 0 ? done * 10 / p.total : 10;
    if (tenth <= p.tenths) return;
    p.tenths = tenth;
    std::fprintf(p.out, "%s\n",
                 progress_text(done, p.total, seconds_since(p.start), false).c_str());
    std::fflush(p.out);
}

void end_progress(Progress& p) {
    if (p.bar_shown) std::fputc('\n', p.out);
    p.bar_shown = false;
}

} // namespace zintu
