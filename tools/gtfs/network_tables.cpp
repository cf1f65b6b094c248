// Header computation and the run builder's view of the generated tables.
#include "network_tables.h"

#include <algorithm>
#include <limits>

namespace zintu::gtfs {

NetworkHeader compute_header(const NetworkTables& tables) {
    NetworkHeader header{};
    int32_t y_max = std::numeric_limits<int32_t>::min();
    int32_t y_min = std::numeric_limits<int32_t>::max();
    int32_t x_max = y_max;
    int32_t x_min = y_min;
    bool any = false;
    for (const TableShape& shape : tables.shapes) {
        for (const ShapePoint& p : shape.points) {
            y_max = std::max(y_max, p.y);
            y_min = std::min(y_min, p.y);
            x_max = std::max(x_max, p.x);
            x_min = std::min(x_min, p.x);
            any = true;
        }
    }
    if (any) {
        header.y_max = y_max;
        header.y_min = y_min;
        header.x_max = x_max;
        header.x_min = x_min;
        header.y_span = y_max - y_min;
        header.x_span = x_max - x_min;
        // The midpoint rounded toward negative infinity, computed in 64 bits.
        header.y_center = static_cast<int32_t>((static_cast<int64_t>(y_min) + y_max) >> 1);
        header.x_center = static_cast<int32_t>((static_cast<int64_t>(x_min) + x_max) >> 1);
    }
    header.frequency_count = static_cast<int32_t>(tables.rows.size());
    return header;
}

NetworkView::NetworkView(const NetworkTables& tables)
    : header(tables.header), info(tables.info.view()) {
    for (const TableRow& row : tables.rows)
        rows.push_back(row.row);
    for (const TableShape& shape : tables.shapes) {
        entries.push_back(ShapeEntry{static_cast<int32_t>(shape.points.size()),
                                     shape.points.empty() ? nullptr : shape.points.data()});
        styles.push_back(shape.style);
    }
}

Network NetworkView::network() {
    return Network{&header,
                   rows.data(),
                   entries.data(),
                   static_cast<int32_t>(entries.size()),
                   kWeekdayServiceMap,
                   info,
                   styles.data()};
}

} // namespace zintu::gtfs
