// The generated network as a network file (*.zintu): its tables with what the
// generator knows about the network, in the layout the program reads.
#pragma once

#include "generator.h"

#include <string>

namespace zintu::gtfs {

// True when `path` names a network file rather than a C++ source file.
bool is_network_file_path(const std::string& path);

// The bytes of the network file for `generated`, to be written at `path`.
// Throws std::runtime_error, naming `path`, when the program would refuse the
// file (a limit of the file that the feeds exceed).
std::string network_file_bytes(const Generated& generated, const std::string& path);

} // namespace zintu::gtfs
