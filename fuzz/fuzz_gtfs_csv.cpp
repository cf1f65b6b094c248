// Fuzzes the GTFS CSV reader: any bytes either read as records or stop with a
// feed error naming the file and line, never a crash, a hang or a record past
// the length limits.
#include "csv_reader.h"
#include "feed_error.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zintu::gtfs;
    try {
        CsvReader reader(memory_source(std::string(reinterpret_cast<const char*>(data), size)),
                         "stop_times.txt");
        const int trip = reader.column("trip_id");
        const int time = reader.column("arrival_time");
        while (reader.next()) {
            quote_field(reader.field(trip));
            reader.trimmed(time);
            reader.field(1000);
            if (reader.field(0).size() > kMaxFieldBytes) __builtin_trap();
        }
    } catch (const FeedError&) {
    }
    return 0;
}
