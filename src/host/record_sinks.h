// The file formats `zintu --record` writes, each a frame sink: an animated
// GIF (giflib) and an animated WebP (libwebp's animation encoder) written by
// the program itself, and videos encoded by the separate `ffmpeg` program
// from raw frames on a pipe. Every sink writes a temporary file beside the
// target and renames it over the target only when the file is complete.
#pragma once

#include "app/recording.h"

#include <optional>
#include <string>

namespace zintu {

enum class RecordFileFormat { Gif, WebP, Mp4, WebM, Mkv };

// The format a file name's extension asks for (case ignored), or empty.
std::optional<RecordFileFormat> record_format_of(const std::string& path);

// A GIF shows a frame for whole hundredths of a second, and browsers slow
// down delays below two; more frames a second than this cannot be shown.
inline constexpr int32_t kMaxGifFps = 50;

FrameSink make_gif_sink(const std::string& path);
FrameSink make_webp_sink(const std::string& path);
// .mp4 (H.264, yuv420p, its index first), .webm (VP9), .mkv (lossless FFV1).
FrameSink make_ffmpeg_sink(const std::string& path, RecordFileFormat format);

// The sink for `format`.
FrameSink make_record_sink(const std::string& path, RecordFileFormat format);

} // namespace zintu
