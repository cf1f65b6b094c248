// PNG writing through libpng.
#include "host/png_writer.h"

#include "host/linux_files.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace zintu {
namespace {

// Encodes into an open file; false on any libpng or write error.
bool encode(std::FILE* file, int32_t width, int32_t height, const std::vector<uint8_t>& rgb) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int32_t y = 0; y < height; ++y) {
        png_write_row(png, rgb.data() + static_cast<std::size_t>(y) * row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool write_png(const std::string& path, int32_t width, int32_t height,
               const std::vector<uint8_t>& rgb, std::string& error) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
        error = "no picture to write";
        return false;
    }
    return write_file_atomically(
        path, [&](std::FILE* file) { return encode(file, width, height, rgb); },
        "the image could not be encoded", error);
}

} // namespace zintu
