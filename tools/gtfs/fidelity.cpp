// Fidelity measures: the run builder over the generated rows, against the
// feed's departures.
#include "fidelity.h"

#include "gtfs_time.h"
#include "network/run_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace zintu::gtfs {
namespace {

using Key = std::pair<int32_t, int32_t>; // service, shape_id

struct Windows {
    std::vector<int32_t> starts;
    std::vector<int32_t> ends;
};

void compare_departures(std::map<Key, std::vector<int32_t>>& real,
                        std::map<Key, std::vector<int32_t>>& generated, Fidelity& fidelity) {
    std::vector<int32_t> offsets;
    std::map<Key, std::pair<int64_t, int64_t>> counts;
    for (auto& [key, times] : real)
        counts[key].first = static_cast<int64_t>(times.size());
    for (auto& [key, times] : generated)
        counts[key].second = static_cast<int64_t>(times.size());
    for (const auto& [key, count] : counts) {
        fidelity.counts.push_back({key.first, key.second, count.first, count.second});
        if (count.first != count.second) {
            ++fidelity.count_mismatches;
            continue;
        }
        auto& r = real[key];
        auto& g = generated[key];
        std::sort(r.begin(), r.end());
        std::sort(g.begin(), g.end());
        for (size_t i = 0; i < r.size(); ++i)
            offsets.push_back(std::abs(g[i] - r[i]));
    }
    fidelity.departures = static_cast<int64_t>(offsets.size());
    if (offsets.empty()) return;
    std::sort(offsets.begin(), offsets.end());
    // Nearest-rank quantiles: the smallest offset that q of all offsets do not exceed.
    const auto at = [&](double q) {
        const auto rank = static_cast<size_t>(std::ceil(q * static_cast<double>(offsets.size())));
        return offsets[std::clamp<size_t>(rank, 1, offsets.size()) - 1];
    };
    fidelity.offset_median = at(0.5);
    fidelity.offset_p95 = at(0.95);
    fidelity.offset_max = offsets.back();
    double sum = 0.0;
    for (int32_t offset : offsets)
        sum += offset;
    fidelity.offset_mean = sum / static_cast<double>(offsets.size());
}

void compare_on_road(std::array<Windows, 3>& real, std::array<Windows, 3>& generated,
                     Fidelity& fidelity) {
    int32_t last = 0;
    for (auto* side : {&real, &generated}) {
        for (Windows& w : *side) {
            std::sort(w.starts.begin(), w.starts.end());
            std::sort(w.ends.begin(), w.ends.end());
            if (!w.ends.empty()) last = std::max(last, w.ends.back());
        }
    }
    for (int32_t t = 0; t <= last + kCurveStep; t += kCurveStep) {
        OnRoad point{t, {}, {}};
        for (size_t s = 0; s < 3; ++s) {
            point.real[s] = vehicles_at(real[s].starts, real[s].ends, t);
            point.generated[s] = vehicles_at(generated[s].starts, generated[s].ends, t);
            if (point.real[s] == 0 && point.generated[s] == 0) continue;
            const CurveGap gap{true, static_cast<int32_t>(s + 1), t, point.real[s],
                               point.generated[s]};
            CurveGap& absolute = fidelity.worst_absolute;
            if (!absolute.any || gap.difference() > absolute.difference()) absolute = gap;
            CurveGap& relative = fidelity.worst_relative;
            if (gap.real > 0 && (!relative.any || gap.relative() > relative.relative()))
                relative = gap;
        }
        fidelity.on_road.push_back(point);
    }
}

} // namespace

int64_t vehicles_at(const std::vector<int32_t>& sorted_starts,
                    const std::vector<int32_t>& sorted_ends, int32_t time) {
    const auto started =
        std::upper_bound(sorted_starts.begin(), sorted_starts.end(), time) - sorted_starts.begin();
    const auto ended =
        std::lower_bound(sorted_ends.begin(), sorted_ends.end(), time) - sorted_ends.begin();
    return static_cast<int64_t>(started - ended);
}

void check_departure_counts(const Fidelity& fidelity, const NetworkTables& tables) {
    for (const DepartureCount& count : fidelity.counts) {
        if (count.real == count.generated) continue;
        fail_at(tables.shapes[static_cast<size_t>(count.shape_id)].source,
                "shape " + std::to_string(count.shape_id) + ", service " +
                    std::to_string(count.service) + ": the rows yield " +
                    std::to_string(count.generated) + " departures, the timetable has " +
                    std::to_string(count.real));
    }
}

void check_on_road(const Fidelity& fidelity, double max_percent) {
    std::optional<CurveGap> worst;
    for (const OnRoad& point : fidelity.on_road) {
        for (size_t s = 0; s < 3; ++s) {
            const CurveGap gap{true, static_cast<int32_t>(s + 1), point.time, point.real[s],
                               point.generated[s]};
            const double allowed = std::max(static_cast<double>(kOnRoadSlack),
                                            max_percent / 100.0 * static_cast<double>(gap.real));
            if (static_cast<double>(gap.difference()) <= allowed) continue;
            if (!worst || gap.difference() > worst->difference()) worst = gap;
        }
    }
    if (!worst) return;
    char percent[32];
    std::snprintf(percent, sizeof percent, "%g", max_percent);
    throw FeedError(
        "", 0,
        "vehicles on the road stray from the timetable by more than " + std::string(percent) +
            " % (or " + std::to_string(kOnRoadSlack) + " vehicles): service " +
            std::to_string(worst->service) + " at " + format_service_time(worst->time) + " has " +
            std::to_string(worst->generated) + ", the timetable " + std::to_string(worst->real));
}

Fidelity measure_fidelity(const NetworkTables& tables, const std::vector<RealDeparture>& real) {
    Fidelity fidelity;
    std::map<Key, std::vector<int32_t>> real_times;
    std::map<Key, std::vector<int32_t>> generated_times;
    std::array<Windows, 3> real_windows;
    std::array<Windows, 3> generated_windows;
    for (const RealDeparture& d : real) {
        ++fidelity.departures_per_service[static_cast<size_t>(d.service - 1)];
        real_times[{d.service, d.shape_id}].push_back(d.departure);
        real_windows[static_cast<size_t>(d.service - 1)].starts.push_back(d.departure);
        real_windows[static_cast<size_t>(d.service - 1)].ends.push_back(d.arrival);
    }

    NetworkView view(tables);
    Network network = view.network();
    auto loading = std::make_unique<LoadingState>();
    for (int32_t i = 0; i < network.header->frequency_count; ++i) {
        build_runs(network, *loading, i);
        // Only the windows are kept; the stop times of a row's runs go at once.
        const int32_t service = network.frequencies[i].service_id;
        ServiceRuns& list = loading->service_runs[static_cast<size_t>(service - 1)];
        for (const Run& run : list.runs) {
            generated_times[{service, run.shape_id}].push_back(run.start);
            generated_windows[static_cast<size_t>(service - 1)].starts.push_back(run.start);
            generated_windows[static_cast<size_t>(service - 1)].ends.push_back(run.end);
            fidelity.runs[static_cast<size_t>(service - 1)] += 1;
            fidelity.stop_timings += run.stop_count;
            fidelity.latest_end = std::max(fidelity.latest_end, run.end);
        }
        list.runs.clear();
    }
    compare_departures(real_times, generated_times, fidelity);
    compare_on_road(real_windows, generated_windows, fidelity);
    return fidelity;
}

} // namespace zintu::gtfs
