// The compiled-in transit network: the record types of its tables and the one
// view through which the rest of the program reaches a data set.
//
// A data set is a set of static tables generated into a source file of its own
// (data/<city>/network_data.cpp). Everything is read-only while the program runs
// except the `loaded` mark of each frequency row, which the run builder sets.
#pragma once

#include <cstdint>

namespace zintu {

// Bounds of the whole map and the values the projection derives from them.
struct NetworkHeader {
    int32_t y_max;
    int32_t y_min;
    int32_t x_max;
    int32_t x_min;
    int32_t y_span;
    int32_t x_span;
    int32_t y_center;
    int32_t x_center;
    int32_t frequency_count;
};

// Vehicles leave along `shape_id` every `headway` seconds from `start_time`
// until (not including) `end_time`, on service day type `service_id`.
struct FrequencyRow {
    int32_t service_id;
    int32_t headway;
    int32_t run_time;
    int32_t start_time;
    int32_t end_time;
    int32_t shape_id;
    uint8_t loaded;
};

// One vertex of a shape. `stop_id` 0 is a plain vertex; `dist` is the distance
// travelled from the shape's first point, in a unit of the shape's own.
struct ShapePoint {
    int32_t y;
    int32_t x;
    int32_t stop_id;
    double dist;
};

struct ShapeEntry {
    int32_t shape_size;
    const ShapePoint* points;
};

// Index of the run list (service_id - 1) for each tm_wday, Sunday first.
using WeekdayServiceMap = int32_t[7];

// The whole data set. Entry 0 of `shapes` is always empty so that shape id 0
// means "no shape"; `frequencies` has `header->frequency_count` rows.
struct Network {
    const NetworkHeader* header;
    FrequencyRow* frequencies;
    const ShapeEntry* shapes;
    int32_t shape_count;
    const int32_t* weekday_service_map;
};

// The data set linked into this program (chosen at build time).
Network compiled_network();

// True when `shape_id` names an entry of the shape table.
inline bool shape_in_table(const Network& network, int32_t shape_id) {
    return shape_id >= 0 && shape_id < network.shape_count;
}

} // namespace zintu
