// The generated data set in memory, in the record types of the program's own
// data model, each row and shape remembering where in the feeds it comes from.
#pragma once

#include "feed_error.h"
#include "network/network.h"
#include "network_metadata.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zintu::gtfs {

struct TableRow {
    FrequencyRow row;
    SourceRef source;
};

struct TableShape {
    std::vector<ShapePoint> points; // empty for an unused entry
    SourceRef source;
    std::string name; // "feed:shape_id" for the report
    ShapeStyle style{kNoRouteColour, RouteKind::Bus};
};

struct NetworkTables {
    NetworkHeader header{};
    std::vector<TableRow> rows;
    std::vector<TableShape> shapes; // indexed by shape_id; entry 0 is empty
    NetworkMetadata info;
};

// Bounds, spans and centres over every point of every shape, and the row count.
NetworkHeader compute_header(const NetworkTables& tables);

// The tables laid out as the run builder and placement read them. The view
// points into `tables`, which must outlive it.
struct NetworkView {
    NetworkHeader header{};
    std::vector<FrequencyRow> rows;
    std::vector<ShapeEntry> entries;
    std::vector<ShapeStyle> styles;
    NetworkInfo info;
    static constexpr int32_t kWeekdayServiceMap[7] = {2, 0, 0, 0, 0, 0, 1};

    explicit NetworkView(const NetworkTables& tables);
    Network network();
};

} // namespace zintu::gtfs
