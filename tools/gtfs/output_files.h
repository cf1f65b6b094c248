// Writing the generated files together or not at all: each is written to a
// temporary file beside its destination, and only when all of them are
// written do they replace their destinations; a failed replacement puts back
// the files already replaced.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zintu::gtfs {

// Why these paths cannot take the outputs (two name the same file, one is a
// folder), or empty. Checked before a long generation and again on writing.
std::string output_paths_problem(const std::vector<std::string>& paths);

// (path, content) pairs. Throws std::runtime_error, after removing every
// temporary file and restoring every replaced one, when one cannot be written.
void write_files(const std::vector<std::pair<std::string, std::string>>& files);

} // namespace zintu::gtfs
