// Writes the demo network as a network file, the seed of fuzz_network_file.
#include "network/network_file.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: zintu_network_seed FILE\n", stderr);
        return 2;
    }
    const std::string bytes = zintu::encode_network(zintu::compiled_network());
    std::FILE* file = std::fopen(argv[1], "wb");
    bool written = file != nullptr;
    if (written) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        written = std::fclose(file) == 0 && written;
    }
    if (!written) std::fprintf(stderr, "zintu_network_seed: cannot write %s\n", argv[1]);
    return written ? 0 : 1;
}
