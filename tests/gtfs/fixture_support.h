// Shared helpers of the generator's tests: fixture paths, a generation run over
// fixture feeds, and the runs the program's run builder makes of the result.
#pragma once

#include "generator.h"
#include "network/run_builder.h"

#include <memory>
#include <string>
#include <vector>

namespace zintu::gtfs::testing {

std::string fixture(const std::string& name);

GeneratorOptions fixture_options(const std::vector<std::string>& feeds,
                                 const std::vector<std::string>& featured = {});

Generated generate_fixtures(const std::vector<std::string>& feeds,
                            const std::vector<std::string>& featured = {});

// Every row of the tables expanded by the run builder, as the loading passes do.
struct BuiltRuns {
    explicit BuiltRuns(const NetworkTables& tables);
    NetworkView view;
    LoadingState loading;

    const std::vector<Run>& service(int32_t service_id) const {
        return loading.service_runs[static_cast<size_t>(service_id - 1)].runs;
    }
    std::vector<int32_t> starts(int32_t service_id) const;
};

} // namespace zintu::gtfs::testing
