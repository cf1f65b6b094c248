// Which network the program shows: a network file named on the command line
// or saved in the settings, or the one built into the program; and what
// `zintu --info` prints about it.
#pragma once

#include "network/network.h"
#include "network/network_file.h"

#include <cstdio>
#include <optional>
#include <string>

namespace zintu {

// The network to show. A file named on the command line (`explicit_path`)
// must load: otherwise the result is empty and `message` says why in one
// line. A file saved in the settings (`saved_path`) that has gone bad never
// stops the program: `message` says why and the built-in network is shown.
// `loaded` holds a file's tables and must outlive the network.
std::optional<Network> choose_network(const std::optional<std::string>& explicit_path,
                                      const std::string& saved_path, LoadedNetwork& loaded,
                                      std::string& message);

// `zintu --info`: the network's metadata (its week, colours and routes by
// kind among it), its size, and the runs it makes.
void print_network_info(const Network& network, std::FILE* out);

} // namespace zintu
