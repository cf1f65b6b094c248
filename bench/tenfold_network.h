// A network ten times the size of the one compiled in, for the benchmarks:
// the compiled-in tables replicated side by side with offsets, five copies
// across and two up, each copy with shape ids of its own. Made at run time,
// never kept as data. Every benchmark network carries route styles, made up
// where the compiled-in network records none, so line colours can be timed.
#pragma once

#include "network/network.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zintu {

struct ReplicatedNetwork {
    NetworkHeader header{};
    std::vector<FrequencyRow> rows;
    std::vector<std::vector<ShapePoint>> points; // one array per shape entry
    std::vector<ShapeEntry> shapes;
    std::vector<ShapeStyle> styles; // empty when the base has none
    Network network{};
};

// `copies` copies of `base`, in rows of five.
std::unique_ptr<ReplicatedNetwork> replicate_network(const Network& base, int copies);

// Route styles for a network that records none: a shape whose stops lie 65
// map units or more apart on average runs a metro (in New York's tables that
// parts the subway, about 0.8 km between stops, from the buses, about 0.3 km),
// any other a bus; the colours cycle through a few line colours, pale ones
// and none among them.
std::vector<ShapeStyle> made_up_styles(const Network& network);

// The compiled-in network (copies 1), or it replicated `copies` times, made
// once per number of copies and kept for the rest of the run; with route
// styles either way.
Network benchmark_network(int copies);

} // namespace zintu
