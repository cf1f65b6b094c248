// Which sink a recording's file name asks for.
#include "host/record_sinks.h"

#include <cctype>

namespace zintu {

std::optional<RecordFileFormat> record_format_of(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return std::nullopt;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const struct {
        const char* extension;
        RecordFileFormat format;
    } kFormats[] = {{"gif", RecordFileFormat::Gif},
                    {"webp", RecordFileFormat::WebP},
                    {"mp4", RecordFileFormat::Mp4},
                    {"webm", RecordFileFormat::WebM},
                    {"mkv", RecordFileFormat::Mkv}};
    for (const auto& entry : kFormats) {
        if (extension == entry.extension) return entry.format;
    }
    return std::nullopt;
}

FrameSink make_record_sink(const std::string& path, RecordFileFormat format) {
    switch (format) {
    case RecordFileFormat::Gif:
        return make_gif_sink(path);
    case RecordFileFormat::WebP:
        return make_webp_sink(path);
    default:
        return make_ffmpeg_sink(path, format);
    }
}

} // namespace zintu
