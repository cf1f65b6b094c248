// Writing the generated files so that a failure leaves none of them behind:
// each is written to a temporary file beside its destination and renamed into
// place only when all of them have been written.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zintu::gtfs {

// (path, content) pairs. Throws std::runtime_error, after removing every
// temporary file, when one cannot be written.
void write_files(const std::vector<std::pair<std::string, std::string>>& files);

} // namespace zintu::gtfs
