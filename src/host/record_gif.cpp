// Animated GIF through giflib: one global palette, and after the first frame
// only the box of pixels that changed, with the unchanged ones inside it
// transparent over the frame before (which is never disposed of). Runs of
// transparent pixels cost almost nothing once compressed, so a frame costs
// about what moved in it.
#include "host/linux_files.h"
#include "host/record_palette.h"
#include "host/record_sinks.h"

#include <gif_lib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace zintu {
namespace {

struct GifState {
    std::string path;
    PendingFile pending;
    std::FILE* file = nullptr;
    int write_errno = 0;
    GifFileType* gif = nullptr;
    RecordFormat format;
    ColourLookup lookup;
    std::vector<uint8_t> shown; // the indices on show after the last frame
    std::vector<uint8_t> next;
    std::vector<GifByteType> line;
};

int write_bytes(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* state = static_cast<GifState*>(gif->UserData);
    const std::size_t written =
        std::fwrite(bytes, 1, static_cast<std::size_t>(length), state->file);
    if (written != static_cast<std::size_t>(length) && state->write_errno == 0) {
        state->write_errno = errno != 0 ? errno : EIO;
    }
    return static_cast<int>(written);
}

std::string failure(const GifState& state, int gif_error) {
    if (state.write_errno != 0) {
        return "cannot write '" + state.path + "': " + std::strerror(state.write_errno);
    }
    return "cannot write '" + state.path + "': " + GifErrorString(gif_error);
}

// Hundredths of a second from the start to frame k, rounded.
int64_t centiseconds(int64_t k, int32_t fps) {
    return (k * 200 + fps) / (2 * fps);
}

bool put_loop_extension(GifFileType* gif) {
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                               'P', 'E', '2', '.', '0'};
    static const GifByteType kForever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof kForever, kForever) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool begin(GifState& s, const RecordFormat& format, std::string& error) {
    s.format = format;
    if (!open_pending_file(s.path, s.pending, error)) return false;
    s.file = fdopen(dup(s.pending.fd), "wb");
    int gif_error = 0;
    if (s.file != nullptr) s.gif = EGifOpen(&s, write_bytes, &gif_error);
    if (s.gif == nullptr) {
        error = "cannot write '" + s.path +
                "': " + (s.file == nullptr ? std::strerror(errno) : GifErrorString(gif_error));
        return false;
    }
    s.lookup = make_colour_lookup(make_gif_palette(format.drawn_colours));
    GifColorType colours[256] = {};
    for (std::size_t i = 0; i < s.lookup.palette.size(); ++i) {
        const uint32_t c = s.lookup.palette[i];
        colours[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8 & 0xFF),
                      static_cast<GifByteType>(c & 0xFF)};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours);
    EGifSetGifVersion(s.gif, true);
    const bool ok = map != nullptr &&
                    EGifPutScreenDesc(s.gif, format.width, format.height, 8, 0, map) == GIF_OK &&
                    put_loop_extension(s.gif);
    GifFreeMapObject(map);
    if (!ok) {
        error = failure(s, s.gif->Error);
        return false;
    }
    const std::size_t pixels =
        static_cast<std::size_t>(format.width) * static_cast<std::size_t>(format.height);
    s.shown.assign(pixels, kGifTransparent);
    s.next.assign(pixels, 0);
    s.line.resize(static_cast<std::size_t>(format.width));
    return true;
}

// The box of pixels where `next` differs from `shown`; empty (width 0) when
// none does.
struct Box {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

Box changed_box(const std::vector<uint8_t>& shown, const std::vector<uint8_t>& next, int32_t width,
                int32_t height) {
    Box box;
    int32_t left = width, right = -1, top = -1, bottom = -1;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* a = shown.data() + static_cast<std::size_t>(y) * width;
        const uint8_t* b = next.data() + static_cast<std::size_t>(y) * width;
        if (std::memcmp(a, b, static_cast<std::size_t>(width)) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int32_t x = 0;
        while (x < left && a[x] == b[x])
            ++x;
        left = std::min(left, x);
        int32_t r = width - 1;
        while (r > right && a[r] == b[r])
            --r;
        right = std::max(right, r);
    }
    if (top < 0) return box;
    return {left, top, right - left + 1, bottom - top + 1};
}

bool frame(GifState& s, const RecordedFrame& frame, std::string& error) {
    const int32_t width = s.format.width, height = s.format.height;
    map_to_palette(s.lookup, frame.rgb, static_cast<int64_t>(width) * height, s.next.data());
    const bool first = frame.index == 0;
    Box box = first ? Box{0, 0, width, height} : changed_box(s.shown, s.next, width, height);
    const bool unchanged = box.width == 0;
    if (unchanged) box = {0, 0, 1, 1};

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = static_cast<int>(centiseconds(frame.index + 1, s.format.fps) -
                                         centiseconds(frame.index, s.format.fps));
    control.TransparentColor = first ? NO_TRANSPARENT_COLOR : kGifTransparent;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(s.gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK ||
        EGifPutImageDesc(s.gif, box.left, box.top, box.width, box.height, false, nullptr) !=
            GIF_OK) {
        error = failure(s, s.gif->Error);
        return false;
    }
    for (int32_t y = box.top; y < box.top + box.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * width + box.left;
        for (int32_t x = 0; x < box.width; ++x) {
            const uint8_t now = s.next[row + x];
            s.line[x] = !unchanged && (first || now != s.shown[row + x]) ? now : kGifTransparent;
        }
        if (EGifPutLine(s.gif, s.line.data(), box.width) != GIF_OK) {
            error = failure(s, s.gif->Error);
            return false;
        }
    }
    s.shown.swap(s.next);
    return true;
}

bool close_gif(GifState& s, std::string* error) {
    int gif_error = 0;
    bool ok = true;
    if (s.gif != nullptr) ok = EGifCloseFile(s.gif, &gif_error) == GIF_OK;
    s.gif = nullptr;
    if (s.file != nullptr) {
        const bool flushed = std::fflush(s.file) == 0 && !std::ferror(s.file);
        if (!flushed && s.write_errno == 0) s.write_errno = errno != 0 ? errno : EIO;
        ok = std::fclose(s.file) == 0 && flushed && ok;
        s.file = nullptr;
    }
    if (!ok && error != nullptr) *error = failure(s, gif_error);
    return ok;
}

} // namespace

FrameSink make_gif_sink(const std::string& path) {
    auto state = std::make_shared<GifState>();
    state->path = path;
    return {[state](const RecordFormat& format, std::string& error) {
                return begin(*state, format, error);
            },
            [state](const RecordedFrame& f, std::string& error) { return frame(*state, f, error); },
            [state](std::string& error) {
                if (!close_gif(*state, &error)) {
                    discard_pending_file(state->pending);
                    return false;
                }
                return commit_pending_file(state->pending, error);
            },
            [state] {
                close_gif(*state, nullptr);
                discard_pending_file(state->pending);
            }};
}

} // namespace zintu
