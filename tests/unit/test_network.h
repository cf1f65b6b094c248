// A network assembled in a test: owns its tables and hands out a Network view.
#pragma once

#include "network/network.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace zintu::testing {

class TestNetwork {
public:
    int32_t add_shape(std::vector<ShapePoint> points) {
        const auto& stored = point_arrays_.emplace_back(std::move(points));
        shapes_.push_back({static_cast<int32_t>(stored.size()), stored.data()});
        return static_cast<int32_t>(shapes_.size() - 1);
    }
    void add_row(FrequencyRow row) { rows_.push_back(row); }
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
    std::vector<ShapeEntry> shapes_{{0, nullptr}};
};

// A straight shape along x with a stop at every point; dist equals x.
inline std::vector<ShapePoint> stops_at_dists(std::initializer_list<double> dists) {
    std::vector<ShapePoint> points;
    for (double d : dists)
        points.push_back({0, static_cast<int32_t>(d), static_cast<int32_t>(points.size() + 1), d});
    return points;
}

} // namespace zintu::testing
