// Fixture helpers.
#include "fixture_support.h"

#include "gtfs_time.h"

#include <algorithm>

namespace zintu::gtfs::testing {

std::string fixture(const std::string& name) {
    return std::string(ZINTU_GTFS_FIXTURES) + "/" + name;
}

GeneratorOptions fixture_options(const std::vector<std::string>& feeds,
                                 const std::vector<std::string>& featured) {
    GeneratorOptions options;
    for (const auto& feed : feeds)
        options.feeds.push_back(fixture(feed));
    options.week_monday = *parse_iso_date("2026-09-14");
    options.featured = featured;
    options.zoneinfo_dir = fixture("zoneinfo");
    return options;
}

Generated generate_fixtures(const std::vector<std::string>& feeds,
                            const std::vector<std::string>& featured) {
    return generate(fixture_options(feeds, featured));
}

BuiltRuns::BuiltRuns(const NetworkTables& tables) : view(tables) {
    Network network = view.network();
    while (!loading.loading_complete)
        loading_pass(network, loading);
}

std::vector<int32_t> BuiltRuns::starts(int32_t service_id) const {
    std::vector<int32_t> out;
    for (const Run& run : service(service_id))
        out.push_back(run.start);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace zintu::gtfs::testing
