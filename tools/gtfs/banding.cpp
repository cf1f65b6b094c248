// Greedy banding: a band grows departure by departure for as long as one
// headway reproduces every departure in it within the offset limit and its
// durations stay close to their median.
#include "banding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zintu::gtfs {
namespace {

int32_t median(std::vector<int32_t> values) {
    std::sort(values.begin(), values.end());
    return values[(values.size() - 1) / 2];
}

int32_t mean_headway(const std::vector<Departure>& d, size_t first, size_t last) {
    const double gap =
        static_cast<double>(d[last].time - d[first].time) / static_cast<double>(last - first);
    return static_cast<int32_t>(std::lround(gap));
}

bool band_fits(const std::vector<Departure>& d, size_t first, size_t last,
               const BandingLimits& limits) {
    const int32_t headway = mean_headway(d, first, last);
    if (headway < 1 || d[last].time - d[last - 1].time > limits.max_headway) return false;
    for (size_t k = first; k <= last; ++k) {
        const int64_t generated = d[first].time + static_cast<int64_t>(k - first) * headway;
        if (std::llabs(generated - d[k].time) > limits.max_offset) return false;
    }
    std::vector<int32_t> durations;
    for (size_t k = first; k <= last; ++k)
        durations.push_back(d[k].duration);
    const int32_t middle = median(durations);
    const double slack =
        std::max(static_cast<double>(limits.min_duration_slack), limits.duration_spread * middle);
    for (int32_t duration : durations) {
        if (std::abs(duration - middle) > slack) return false;
    }
    return true;
}

Band make_band(const std::vector<Departure>& d, size_t first, size_t last, int32_t lone_headway) {
    Band band;
    band.start_time = std::max(d[first].time, kEarliestStart);
    band.count = static_cast<int32_t>(last - first + 1);
    band.headway = band.count > 1 ? mean_headway(d, first, last) : lone_headway;
    band.end_time = band.start_time + band.count * band.headway;
    // The mean keeps the band's vehicle time on the road, the sum of its trips'
    // durations, which the median would not.
    int64_t total = 0;
    for (size_t k = first; k <= last; ++k)
        total += d[k].duration;
    band.run_time = static_cast<int32_t>(
        std::llround(static_cast<double>(total) / static_cast<double>(band.count)));
    band.first_source = d[first].source;
    return band;
}

// Bands over departures at distinct times, in time order.
void band_layer(const std::vector<Departure>& d, const BandingLimits& limits,
                std::vector<Band>& bands) {
    size_t first = 0;
    while (first < d.size()) {
        size_t last = first;
        // A departure that cannot start a row at its own time would move the
        // whole band with it: it stays alone.
        const bool moved = d[first].time < kEarliestStart;
        while (!moved && last + 1 < d.size() &&
               last + 1 - first < static_cast<size_t>(limits.max_band_departures) &&
               band_fits(d, first, last + 1, limits))
            ++last;
        // A band of one departure takes the gap to its neighbour as headway, up
        // to the longest headway, so that its window ends where the next
        // departure would be.
        int32_t lone_headway = limits.max_headway;
        if (last + 1 < d.size()) {
            lone_headway = d[last + 1].time - std::max(d[last].time, kEarliestStart);
        } else if (first > 0) {
            lone_headway = d[first].time - d[first - 1].time;
        }
        bands.push_back(make_band(d, first, last, std::clamp(lone_headway, 1, limits.max_headway)));
        first = last + 1;
    }
}

} // namespace

std::vector<Band> cut_bands(std::vector<Departure> departures, const BandingLimits& limits) {
    std::sort(departures.begin(), departures.end(), [](const Departure& a, const Departure& b) {
        if (a.time != b.time) return a.time < b.time;
        if (a.duration != b.duration) return a.duration < b.duration;
        return a.source < b.source;
    });
    // Layer k holds the (k+1)-th departure at each time.
    std::vector<std::vector<Departure>> layers;
    size_t depth = 0;
    for (size_t i = 0; i < departures.size(); ++i) {
        depth = i > 0 && departures[i - 1].time == departures[i].time ? depth + 1 : 0;
        if (layers.size() <= depth) layers.emplace_back();
        layers[depth].push_back(departures[i]);
    }
    std::vector<Band> bands;
    for (const auto& layer : layers)
        band_layer(layer, limits, bands);
    return bands;
}

std::vector<int32_t> band_departures(const Band& band) {
    std::vector<int32_t> times;
    for (int64_t t = band.start_time; t < band.end_time; t += band.headway)
        times.push_back(static_cast<int32_t>(t));
    return times;
}

} // namespace zintu::gtfs
