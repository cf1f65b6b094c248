// PNG files of rendered pictures, written so that a failed run never leaves a
// half-written image behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zintu {

// Writes 8-bit RGB pixels (rows from the top) to `path`: into a temporary file
// in the same folder, renamed over `path` once complete. On failure returns
// false with a one-line reason and leaves no file.
bool write_png(const std::string& path, int32_t width, int32_t height,
               const std::vector<uint8_t>& rgb, std::string& error);

} // namespace zintu
