// Fuzzes the network file reader: any bytes are either refused with one line
// naming the file, or give a network that the run builder, vehicle placement
// and the projection handle without a fault and with finite positions. Each
// input is read as it is and again with its size and CRC made right, so that
// mutations reach the checks behind the checksum.
#include "network/network_check.h"
#include "network/network_file.h"
#include "render/projection.h"
#include "sim/placement.h"
#include "sim/simulation.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace zintu;

constexpr const char* kName = "fuzz.zintu";
// Expanding a network costs time; bigger ones are only read and checked.
constexpr int64_t kMaxStopTimingsToBuild = 50'000;

void expect(bool condition) {
    if (!condition) std::abort();
}

bool decode(const std::string& bytes, LoadedNetwork& out) {
    const std::string error = decode_network(bytes, kName, out);
    expect(error.empty() || (error.rfind(std::string(kName) + ": ", 0) == 0 &&
                             error.find('\n') == std::string::npos));
    return error.empty();
}

void run(const Network& network) {
    const Projection projection = map_projection(*network.header);
    expect(std::isfinite(projection.box.left) && projection.box.left != projection.box.right &&
           projection.box.bottom != projection.box.top);
    if (network_work(network).stop_timings > kMaxStopTimingsToBuild) return;
    Simulation simulation;
    simulation.network = network;
    load_all_runs(simulation);
    for (int day = 0; day < 7; ++day) {
        simulation.clock.local_time.tm_wday = day;
        for (float seconds : {0.0f, 1.0f, 30000.5f, 61234.0f, 86399.0f, 86400.0f}) {
            simulation.clock.seconds = seconds;
            place_vehicles(network, simulation.loading.service_runs, simulation.clock,
                           [](float x, float y, float heading, int32_t) {
                               expect(std::isfinite(x) && std::isfinite(y) &&
                                      std::isfinite(heading));
                           });
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    LoadedNetwork as_given;
    if (decode(bytes, as_given)) run(as_given.view());
    if (bytes.size() < 20) return 0;
    seal_network_file(bytes);
    LoadedNetwork sealed;
    if (decode(bytes, sealed)) run(sealed.view());
    return 0;
}
