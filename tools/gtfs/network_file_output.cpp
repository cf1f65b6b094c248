// Network metadata and the file's self-check: the bytes are decoded again with
// the program's own reader before they are written.
#include "network_file_output.h"

#include "network/network_file.h"

#include <stdexcept>

namespace zintu::gtfs {

bool is_network_file_path(const std::string& path) {
    const std::string extension = ".zintu";
    return path.size() >= extension.size() &&
           path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
}

std::string network_file_bytes(const Generated& generated, const std::string& path) {
    NetworkView view(generated.tables);
    const Network network = view.network();
    std::string bytes = encode_network(network);
    LoadedNetwork check;
    const std::string fault = decode_network(bytes, path, check);
    if (!fault.empty()) throw std::runtime_error(fault);
    return bytes;
}

} // namespace zintu::gtfs
