// Replication of a network's tables with coordinate and shape id offsets.
#include "tenfold_network.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace zintu {
namespace {

constexpr int kCopiesAcross = 5;

int32_t floor_half(int64_t sum) {
    return static_cast<int32_t>(sum >= 0 ? sum / 2 : -((-sum + 1) / 2));
}

} // namespace

std::unique_ptr<ReplicatedNetwork> replicate_network(const Network& base, int copies) {
    auto out = std::make_unique<ReplicatedNetwork>();
    const NetworkHeader& h = *base.header;
    const int32_t shape_count = base.shape_count;
    out->points.resize(static_cast<std::size_t>(shape_count) * copies);
    for (int k = 0; k < copies; ++k) {
        const int32_t dx = (k % kCopiesAcross) * h.x_span;
        const int32_t dy = (k / kCopiesAcross) * h.y_span;
        for (int32_t s = 0; s < shape_count; ++s) {
            const ShapeEntry& shape = base.shapes[s];
            std::vector<ShapePoint>& points =
                out->points[static_cast<std::size_t>(k) * shape_count + s];
            points.assign(shape.points, shape.points + shape.shape_size);
            for (ShapePoint& p : points) {
                p.x += dx;
                p.y += dy;
            }
        }
        for (int32_t r = 0; r < h.frequency_count; ++r) {
            FrequencyRow row = base.frequencies[r];
            if (row.shape_id != 0) row.shape_id += k * shape_count;
            out->rows.push_back(row);
        }
    }
    if (base.shape_styles != nullptr) {
        for (int k = 0; k < copies; ++k)
            out->styles.insert(out->styles.end(), base.shape_styles,
                               base.shape_styles + shape_count);
    }
    for (const std::vector<ShapePoint>& points : out->points) {
        out->shapes.push_back(
            {static_cast<int32_t>(points.size()), points.empty() ? nullptr : points.data()});
    }
    const int across = std::min(copies, kCopiesAcross);
    const int up = (copies + kCopiesAcross - 1) / kCopiesAcross;
    NetworkHeader& t = out->header;
    t.x_min = h.x_min;
    t.y_min = h.y_min;
    t.x_max = h.x_max + (across - 1) * h.x_span;
    t.y_max = h.y_max + (up - 1) * h.y_span;
    t.x_span = t.x_max - t.x_min;
    t.y_span = t.y_max - t.y_min;
    t.x_center = floor_half(int64_t{t.x_max} + t.x_min);
    t.y_center = floor_half(int64_t{t.y_max} + t.y_min);
    t.frequency_count = static_cast<int32_t>(out->rows.size());
    out->network = {&out->header,
                    out->rows.data(),
                    out->shapes.data(),
                    static_cast<int32_t>(out->shapes.size()),
                    base.weekday_service_map,
                    base.info,
                    out->styles.empty() ? nullptr : out->styles.data()};
    return out;
}

Network benchmark_network(int copies) {
    static std::map<int, std::unique_ptr<ReplicatedNetwork>> replicated;
    static const Network base = compiled_network();
    if (copies == 1) return base;
    std::unique_ptr<ReplicatedNetwork>& made = replicated[copies];
    if (!made) made = replicate_network(base, copies);
    return made->network;
}

} // namespace zintu
