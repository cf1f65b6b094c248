// C++ source emission for the generated tables. The file is written in one
// fixed layout, one record a line, so that a regeneration diffs line by line.
#include "source_writer.h"

#include "network/route_kinds.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zintu::gtfs {
namespace {

void append_int(std::string& out, int64_t value) {
    out += std::to_string(value);
}

// The enumerators of kRouteKinds, in its order.
constexpr const char* kKindEnumerators[kRouteKindCount] = {
    "Tram",      "Metro",      "Rail",      "Bus",        "Ferry",
    "CableTram", "AerialLift", "Funicular", "Trolleybus", "Monorail"};

std::string style_literal(const ShapeStyle& style) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "0x%06Xu", style.colour);
    const auto* kind = std::find(std::begin(kRouteKinds), std::end(kRouteKinds), style.kind);
    // Appended piece by piece: GCC 12 sees a false overlap in a chain of
    // string additions here at -O2.
    std::string text = "{";
    text += style.colour == kNoRouteColour ? "kNoRouteColour" : colour;
    if (kind != std::end(kRouteKinds)) {
        text += ", RouteKind::";
        text += kKindEnumerators[kind - std::begin(kRouteKinds)];
    } else {
        text += ", RouteKind{";
        text += std::to_string(static_cast<int>(style.kind));
        text += "}";
    }
    text += ", ";
    text += std::to_string(style.route);
    text += "}";
    return text;
}

} // namespace

std::string double_literal(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string string_literal(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            // Three octal digits always: no following digit can join the escape.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string write_network_source(const NetworkTables& tables,
                                 const std::vector<std::string>& comment) {
    std::string out;
    out.reserve(64 * 1024 * 1024 / 16);
    for (const std::string& line : comment) {
        // A line break in a comment line would end the comment.
        std::string text = line;
        for (char& c : text) {
            if (c == '\n' || c == '\r') c = ' ';
        }
        out += text.empty() ? "//\n" : "// " + text + "\n";
    }
    out += "// clang-format off\n";
    out += "#include \"network/network.h\"\n\nnamespace zintu {\nnamespace {\n\n";
    out += "using namespace std::string_view_literals;\n\n";

    const NetworkHeader& h = tables.header;
    out += "constexpr NetworkHeader kHeader = {";
    const int32_t header_fields[] = {h.y_max,  h.y_min,    h.x_max,    h.x_min,          h.y_span,
                                     h.x_span, h.y_center, h.x_center, h.frequency_count};
    for (size_t i = 0; i < std::size(header_fields); ++i) {
        if (i > 0) out += ", ";
        append_int(out, header_fields[i]);
    }
    out += "};\n\n";

    if (tables.rows.empty()) {
        out += "constexpr FrequencyRow kFrequencyTable[1] = {};\n\n";
    } else {
        out += "constexpr FrequencyRow kFrequencyTable[] = {\n";
        for (const TableRow& entry : tables.rows) {
            const FrequencyRow& r = entry.row;
            char line[160];
            std::snprintf(line, sizeof line, "    {%d, %d, %d, %d, %d, %d},\n", r.service_id,
                          r.headway, r.run_time, r.start_time, r.end_time, r.shape_id);
            out += line;
        }
        out += "};\n\n";
    }

    for (size_t id = 0; id < tables.shapes.size(); ++id) {
        const auto& points = tables.shapes[id].points;
        if (points.empty()) continue;
        out += "constexpr ShapePoint kShape" + std::to_string(id) + "[] = {\n";
        for (const ShapePoint& p : points) {
            char line[96];
            std::snprintf(line, sizeof line, "    {%d, %d, %d, ", p.y, p.x, p.stop_id);
            out += line;
            out += double_literal(p.dist);
            out += "},\n";
        }
        out += "};\n\n";
    }

    out += "constexpr ShapeEntry kShapes[] = {\n";
    for (size_t id = 0; id < tables.shapes.size(); ++id) {
        const auto& points = tables.shapes[id].points;
        if (points.empty()) {
            out += "    {0, nullptr},\n";
        } else {
            out +=
                "    {" + std::to_string(points.size()) + ", kShape" + std::to_string(id) + "},\n";
        }
    }
    out += "};\n\n";
    out += "constexpr ShapeStyle kShapeStyles[] = {\n";
    for (const TableShape& shape : tables.shapes)
        out += "    " + style_literal(shape.style) + ",\n";
    out += "};\n\n";
    out += "constexpr int32_t kWeekdayServiceMap[7] = {2, 0, 0, 0, 0, 0, 1};\n\n";
    out += "} // namespace\n\nNetwork compiled_network() {\n";
    const NetworkInfo info = tables.info.view();
    out += "    return {&kHeader, kFrequencyTable, kShapes, " +
           std::to_string(tables.shapes.size()) + ", kWeekdayServiceMap,\n";
    out += "            {" + string_literal(info.name) + "sv, " + string_literal(info.time_zone) +
           "sv, " + string_literal(info.tz_rule) + "sv, " + (info.has_downtown ? "true" : "false") +
           ", " + std::to_string(info.downtown_x) + ", " + std::to_string(info.downtown_y) + ", " +
           string_literal(info.source) + "sv, " + string_literal(info.generated) + "sv, " +
           string_literal(info.summary) + "sv,\n             " +
           (info.colours == NetworkColours::Lines ? "NetworkColours::Lines, "
                                                  : "NetworkColours::Featured, ") +
           string_literal(info.week) + "sv},\n            kShapeStyles};\n";
    out += "}\n\n} // namespace zintu\n// clang-format on\n";
    return out;
}

} // namespace zintu::gtfs
