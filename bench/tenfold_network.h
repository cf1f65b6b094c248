// A network ten times the size of the one compiled in, for the benchmarks:
// the compiled-in tables replicated side by side with offsets, five copies
// across and two up, each copy with shape ids of its own. Made at run time,
// never kept as data. The copies keep the route styles of the shapes they
// copy, so line colours can be timed on them too.
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

// The compiled-in network (copies 1), or it replicated `copies` times, made
// once per number of copies and kept for the rest of the run.
Network benchmark_network(int copies);

} // namespace zintu
