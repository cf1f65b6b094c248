// The generated tables as one C++ source file in the data model's format:
// static tables in an anonymous namespace and compiled_network() returning
// the view over them.
#pragma once

#include "network_tables.h"

#include <string>
#include <string_view>
#include <vector>

namespace zintu::gtfs {

// `comment` lines go at the top of the file, each after "// ".
std::string write_network_source(const NetworkTables& tables,
                                 const std::vector<std::string>& comment);

// `text` as a C++ string literal that reads back byte for byte.
std::string string_literal(std::string_view text);

// The shortest text that reads back as the same double, always with a decimal
// point or an exponent ("0.0", "565.685424949238").
std::string double_literal(double value);

} // namespace zintu::gtfs
