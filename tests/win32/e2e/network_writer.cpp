// Writes the demo network ("Demo") as a network file to the path named on
// the command line, through the wide API as the saver reads it, for the
// end-to-end tests: network_writer PATH
#include "network/network_file.h"

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const std::string bytes = zintu::encode_network(zintu::compiled_network());
    std::FILE* file = _wfopen(argv[1], L"wb");
    if (file == nullptr) return 1;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
