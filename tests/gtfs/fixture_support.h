// Shared helpers of the generator's tests: fixture paths, a generation run over
// fixture feeds, the runs the program's run builder makes of the result, and
// the message a call stops with.
#pragma once

#include "feed_error.h"
#include "generator.h"
#include "gtfs_time.h"
#include "network/run_builder.h"

#include <string>
#include <vector>

namespace zintu::gtfs::testing {

inline std::string fixture(const std::string& name) {
    return std::string(ZINTU_GTFS_FIXTURES) + "/" + name;
}

// What `call` throws as an `Error`, or "" when it returns.
template <class Error = FeedError, class Call>
std::string error_of(Call&& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

inline GeneratorOptions fixture_options(const std::vector<std::string>& feeds,
                                        const std::vector<std::string>& featured = {}) {
    GeneratorOptions options;
    for (const auto& feed : feeds)
        options.feeds.push_back(fixture(feed));
    options.week_monday = *parse_iso_date("2026-09-14");
    options.featured = featured;
    options.zoneinfo_dir = fixture("zoneinfo");
    return options;
}

inline Generated generate_fixtures(const std::vector<std::string>& feeds,
                                   const std::vector<std::string>& featured = {}) {
    return generate(fixture_options(feeds, featured));
}

// Every row of the tables expanded by the run builder, as the loading passes do.
struct BuiltRuns {
    explicit BuiltRuns(const NetworkTables& tables) : view(tables) {
        Network network = view.network();
        while (!loading.loading_complete)
            loading_pass(network, loading);
    }
    NetworkView view;
    LoadingState loading;

    const std::vector<Run>& service(int32_t service_id) const {
        return loading.service_runs[static_cast<size_t>(service_id - 1)].runs;
    }
};

} // namespace zintu::gtfs::testing
