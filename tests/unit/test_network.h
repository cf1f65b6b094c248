// A network assembled in a test: owns its tables and hands out a Network view.
#pragma once

#include "network/network.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace zintu::testing {

class TestNetwork {
public:
    TestNetwork() { shapes_.push_back({0, nullptr}); }

    // Appends a shape and returns its id.
    int32_t add_shape(std::vector<ShapePoint> points) {
        point_arrays_.push_back(std::move(points));
        const auto& stored = point_arrays_.back();
        shapes_.push_back({static_cast<int32_t>(stored.size()), stored.data()});
        return static_cast<int32_t>(shapes_.size() - 1);
    }

    int32_t add_empty_shape() {
        shapes_.push_back({0, nullptr});
        return static_cast<int32_t>(shapes_.size() - 1);
    }

    void add_row(FrequencyRow row) { rows_.push_back(row); }

    std::vector<FrequencyRow>& rows() { return rows_; }

    Network network() {
        header_.frequency_count = static_cast<int32_t>(rows_.size());
        return {&header_,       rows_.data(),
                shapes_.data(), static_cast<int32_t>(shapes_.size()),
                kWeekdayMap,    {}};
    }

private:
    static constexpr int32_t kWeekdayMap[7] = {2, 0, 0, 0, 0, 0, 1};
    NetworkHeader header_{};
    std::vector<FrequencyRow> rows_;
    std::deque<std::vector<ShapePoint>> point_arrays_;
    std::vector<ShapeEntry> shapes_;
};

// A straight shape along x with a stop at every point; dist equals x.
inline std::vector<ShapePoint> stops_at_dists(std::initializer_list<double> dists) {
    std::vector<ShapePoint> points;
    int32_t stop_id = 1;
    for (double d : dists)
        points.push_back({0, static_cast<int32_t>(d), stop_id++, d});
    return points;
}

inline FrequencyRow row(int32_t service_id, int32_t headway, int32_t run_time, int32_t start,
                        int32_t end, int32_t shape_id) {
    return {service_id, headway, run_time, start, end, shape_id};
}

} // namespace zintu::testing
